#pragma once

#include "base/error.h"

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

// A wait that the launcher bounds itself ran out: "Connect timed out." or "Read timed out.".
class TimeoutError : public Error {
public:
    using Error::Error;
    static TimeoutError connect();
    static TimeoutError read();
};

} // namespace tarvenne::net
