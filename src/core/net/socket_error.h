#pragma once

#include "base/error.h"

#include <chrono>

namespace tarvenne::net {

// A failure of name resolution, connecting, sending or receiving, with its Windows Sockets
// code: "Socket Error # <code>\r\n<text of the code>".
class SocketError : public Error {
public:
    explicit SocketError(int code);
    int code() const noexcept { return code_; }

private:
    int code_;
};

// A wait that the launcher bounds itself ran out, saying which one and how long it was.
class TimeoutError : public Error {
public:
    enum class Wait {
        Connect, // for the server to accept the connection: "Connect timed out."
        Idle,    // for the next byte of the reply: "Read timed out."
        Total,   // for the whole exchange, from connecting to the body's end: "Read timed out."
    };

    TimeoutError(Wait wait, std::chrono::milliseconds limit);
    Wait wait() const noexcept { return wait_; }
    std::chrono::milliseconds limit() const noexcept { return limit_; }

private:
    Wait wait_;
    std::chrono::milliseconds limit_;
};

} // namespace tarvenne::net
