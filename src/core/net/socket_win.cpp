#include "net/socket.h"
#include "net/socket_error.h"
#include "net/winsock_startup.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <winsock2.h>

namespace tarvenne::net {
namespace {

// Sockets stay non-blocking once connected: Windows Sockets has no per-call flag for taking
// only the bytes at hand, so every wait is a select() with its own bound.

SOCKET socketOf(std::intptr_t handle) {
    return static_cast<SOCKET>(handle);
}

[[noreturn]] void throwLastError() {
    throw SocketError(WSAGetLastError());
}

int platformLength(std::size_t size) {
    return static_cast<int>(std::min<std::size_t>(size, INT_MAX));
}

enum class Readiness { Readable, Writable };

// select() on one socket; without a timeout the wait has no bound. A failed connection
// attempt is reported in the exception set, which counts as ready.
bool waitFor(SOCKET socket, Readiness readiness, std::optional<std::chrono::milliseconds> timeout) {
    fd_set watched;
    FD_ZERO(&watched);
    FD_SET(socket, &watched);
    fd_set failed;
    FD_ZERO(&failed);
    FD_SET(socket, &failed);
    timeval bound{};
    if (timeout) {
        const auto milliseconds = std::max<std::int64_t>(timeout->count(), 0);
        bound.tv_sec = static_cast<long>(milliseconds / 1000);
        bound.tv_usec = static_cast<long>(milliseconds % 1000 * 1000);
    }
    const int ready = ::select(0, readiness == Readiness::Readable ? &watched : nullptr,
                               readiness == Readiness::Writable ? &watched : nullptr, &failed,
                               timeout ? &bound : nullptr);
    if (ready == SOCKET_ERROR)
        throwLastError();
    return ready > 0;
}

void setNonBlocking(SOCKET socket) {
    u_long on = 1;
    if (::ioctlsocket(socket, FIONBIO, &on) == SOCKET_ERROR)
        throwLastError();
}

} // namespace

Socket Socket::connect(const Endpoint& endpoint, std::chrono::milliseconds timeout) {
    startWinsock();
    const SOCKET handle =
        ::WSASocketW(AF_INET, SOCK_STREAM, IPPROTO_TCP, nullptr, 0, WSA_FLAG_NO_HANDLE_INHERIT);
    if (handle == INVALID_SOCKET)
        throwLastError();
    Socket socket(static_cast<Handle>(handle));

    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(endpoint.port);
    address.sin_addr.s_addr = htonl(endpoint.address);

    // A non-blocking attempt awaited with select(), so that the wait has a bound.
    setNonBlocking(handle);
    if (::connect(handle, reinterpret_cast<const sockaddr*>(&address), sizeof address) ==
        SOCKET_ERROR) {
        if (WSAGetLastError() != WSAEWOULDBLOCK)
            throwLastError();
        if (!waitFor(handle, Readiness::Writable, timeout))
            throw TimeoutError(TimeoutError::Wait::Connect, timeout);
        int failure = 0;
        int length = sizeof failure;
        if (::getsockopt(handle, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&failure),
                         &length) == SOCKET_ERROR)
            throwLastError();
        if (failure != 0)
            throw SocketError(failure);
    }
    return socket;
}

// Waits for buffer space as long as a blocking send would.
void Socket::send(std::string_view bytes) {
    const SOCKET handle = socketOf(handle_);
    while (!bytes.empty()) {
        const int sent = ::send(handle, bytes.data(), platformLength(bytes.size()), 0);
        if (sent == SOCKET_ERROR) {
            if (WSAGetLastError() != WSAEWOULDBLOCK)
                throwLastError();
            waitFor(handle, Readiness::Writable, std::nullopt);
            continue;
        }
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
}

bool Socket::waitReadable(std::chrono::milliseconds timeout) {
    return waitFor(socketOf(handle_), Readiness::Readable, timeout);
}

std::size_t Socket::receive(char* buffer, std::size_t size, std::chrono::milliseconds timeout) {
    const SOCKET handle = socketOf(handle_);
    // Bytes already at hand are taken without a wait.
    for (;;) {
        const int received = ::recv(handle, buffer, platformLength(size), 0);
        if (received != SOCKET_ERROR)
            return static_cast<std::size_t>(received);
        if (WSAGetLastError() != WSAEWOULDBLOCK)
            throwLastError();
        if (!waitFor(handle, Readiness::Readable, timeout))
            throw TimeoutError(TimeoutError::Wait::Idle, timeout);
    }
}

bool Socket::isOpen() {
    if (handle_ == noHandle)
        return false;
    char byte;
    const int peeked = ::recv(socketOf(handle_), &byte, 1, MSG_PEEK);
    return peeked > 0 || (peeked == SOCKET_ERROR && WSAGetLastError() == WSAEWOULDBLOCK);
}

void Socket::close() noexcept {
    if (handle_ != noHandle)
        ::closesocket(socketOf(handle_));
    handle_ = noHandle;
}

} // namespace tarvenne::net
