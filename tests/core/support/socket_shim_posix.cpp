#include "socket_shim.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace tarvenne::testing::shim {

SocketHandle openTcpSocket() {
    return ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
}

SocketHandle acceptConnection(SocketHandle listener) {
    return ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
}

int pollSockets(pollfd* entries, std::size_t count, int timeoutMilliseconds) {
    return ::poll(entries, count, timeoutMilliseconds);
}

long sendAvailable(SocketHandle socket, std::string_view bytes) {
    const ssize_t sent = ::send(socket, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (sent < 0)
        return errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK ? 0 : -1;
    return sent;
}

long receive(SocketHandle socket, char* buffer, std::size_t size) {
    return ::recv(socket, buffer, size, 0);
}

void closeSocket(SocketHandle socket) {
    ::close(socket);
}

void closeAbortively(SocketHandle socket) {
    const linger abortive{1, 0};
    ::setsockopt(socket, SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
    ::close(socket);
}

bool openWakeChannel(SocketHandle (&ends)[2]) {
    return ::pipe2(ends, O_CLOEXEC) == 0;
}

void wake(SocketHandle writeEnd) {
    const char byte = 0;
    [[maybe_unused]] const auto written = ::write(writeEnd, &byte, 1);
}

int lastError() {
    return errno;
}

} // namespace tarvenne::testing::shim
