#pragma once

#include "net/resolver.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tarvenne::net {

struct Endpoint {
    Ipv4Address address = 0;
    std::uint16_t port = 0;
};

// One connected TCP stream. Every failure is thrown as SocketError with its Windows Sockets
// code; the connection closes when the object is destroyed.
class Socket {
public:
    // Opens a connection, waiting at most `timeout` (TimeoutError of the connect wait).
    static Socket connect(const Endpoint& endpoint, std::chrono::milliseconds timeout);

    Socket(Socket&& other) noexcept;
    Socket& operator=(Socket&& other) noexcept;
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    ~Socket();

    // Hands all of `bytes` to the system in one call where it takes them (one write).
    void send(std::string_view bytes);

    // Whether bytes, or the peer's close, can be received without waiting, after waiting at
    // most `timeout`.
    bool waitReadable(std::chrono::milliseconds timeout);

    // Up to `size` bytes into `buffer`, waiting at most `timeout` for at least one
    // (TimeoutError of the idle wait); 0 once the peer has closed.
    std::size_t receive(char* buffer, std::size_t size, std::chrono::milliseconds timeout);

    // Whether the connection is still up: not closed here, and the peer has neither closed
    // nor reset it as far as can be seen without waiting.
    bool isOpen();

    void close() noexcept;

private:
    using Handle = std::intptr_t;
    static constexpr Handle noHandle = -1;

    explicit Socket(Handle handle) noexcept : handle_(handle) {}

    Handle handle_;
};

} // namespace tarvenne::net
