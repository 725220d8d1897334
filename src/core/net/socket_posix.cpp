#include "net/posix_error_codes.h"
#include "net/socket.h"
#include "net/socket_error.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tarvenne::net {
namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void throwLastError() {
    throw SocketError(winsockCodeForErrno(errno));
}

// poll() on one descriptor for `events`, resumed after signals until `timeout` has passed.
bool pollFor(int fd, short events, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd entry{fd, events, 0};
        const int ready = ::poll(&entry, 1, static_cast<int>(left > 0 ? left : 0));
        if (ready >= 0)
            return ready > 0;
        if (errno != EINTR)
            throwLastError();
    }
}

void setNonBlocking(int fd, bool on) {
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, on ? flags | O_NONBLOCK : flags & ~O_NONBLOCK) < 0)
        throwLastError();
}

} // namespace

Socket Socket::connect(const Endpoint& endpoint, std::chrono::milliseconds timeout) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        throwLastError();
    Socket socket(fd);

    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(endpoint.port);
    address.sin_addr.s_addr = htonl(endpoint.address);

    // A non-blocking attempt awaited with poll(), so that the wait has a bound.
    setNonBlocking(fd, true);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) < 0) {
        if (errno != EINPROGRESS)
            throwLastError();
        if (!pollFor(fd, POLLOUT, timeout))
            throw TimeoutError(TimeoutError::Wait::Connect, timeout);
        int failure = 0;
        socklen_t length = sizeof failure;
        if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &failure, &length) < 0)
            throwLastError();
        if (failure != 0)
            throw SocketError(winsockCodeForErrno(failure));
    }
    setNonBlocking(fd, false);
    return socket;
}

void Socket::send(std::string_view bytes) {
    while (!bytes.empty()) {
        // MSG_NOSIGNAL: a peer that has gone away is an error here, not a SIGPIPE.
        const ssize_t sent =
            ::send(static_cast<int>(handle_), bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno == EINTR)
                continue;
            throwLastError();
        }
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
}

bool Socket::waitReadable(std::chrono::milliseconds timeout) {
    return pollFor(static_cast<int>(handle_), POLLIN, timeout);
}

std::size_t Socket::receive(char* buffer, std::size_t size, std::chrono::milliseconds timeout) {
    const int fd = static_cast<int>(handle_);
    // Bytes already at hand are taken without a wait.
    for (;;) {
        const ssize_t received = ::recv(fd, buffer, size, MSG_DONTWAIT);
        if (received >= 0)
            return static_cast<std::size_t>(received);
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            if (!pollFor(fd, POLLIN, timeout))
                throw TimeoutError(TimeoutError::Wait::Idle, timeout);
        } else if (errno != EINTR) {
            throwLastError();
        }
    }
}

bool Socket::isOpen() {
    if (handle_ == noHandle)
        return false;
    char byte;
    const ssize_t peeked = ::recv(static_cast<int>(handle_), &byte, 1, MSG_PEEK | MSG_DONTWAIT);
    return peeked > 0 || (peeked < 0 && (errno == EAGAIN || errno == EWOULDBLOCK));
}

void Socket::close() noexcept {
    if (handle_ != noHandle)
        ::close(static_cast<int>(handle_));
    handle_ = noHandle;
}

} // namespace tarvenne::net
