#pragma once

#include "http/byte_source.h"
#include "net/socket.h"

#include <chrono>

namespace tarvenne::http {

// The bytes of a connection, each wait bounded: a read waits at most `idle` for its first
// byte and never past `deadline`; either bound throws "Read timed out.".
class SocketSource : public ByteSource {
public:
    using Clock = std::chrono::steady_clock;

    SocketSource(net::Socket& socket, std::chrono::milliseconds idle, Clock::time_point deadline)
        : socket_(socket), idle_(idle), deadline_(deadline) {}

    std::size_t read(char* buffer, std::size_t size) override;
    bool poll(std::chrono::milliseconds wait) override;

private:
    // `wait`, shortened to what is left before the deadline.
    std::chrono::milliseconds bounded(std::chrono::milliseconds wait) const;

    net::Socket& socket_;
    std::chrono::milliseconds idle_;
    Clock::time_point deadline_;
};

} // namespace tarvenne::http
