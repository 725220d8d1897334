#include "socket_shim.h"

#include <type_traits>

namespace tarvenne::testing::shim {
namespace {

static_assert(std::is_same_v<SocketHandle, SOCKET> && noSocket == INVALID_SOCKET);

void startWinsock() {
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    static_cast<void>(started);
}

} // namespace

SocketHandle openTcpSocket() {
    startWinsock();
    return ::WSASocketW(AF_INET, SOCK_STREAM, IPPROTO_TCP, nullptr, 0, WSA_FLAG_NO_HANDLE_INHERIT);
}

// Non-blocking, so that a send takes only what fits now.
SocketHandle acceptConnection(SocketHandle listener) {
    const SocketHandle connection = ::accept(listener, nullptr, nullptr);
    u_long on = 1;
    if (connection != noSocket && ::ioctlsocket(connection, FIONBIO, &on) == SOCKET_ERROR) {
        ::closesocket(connection);
        return noSocket;
    }
    return connection;
}

int pollSockets(pollfd* entries, std::size_t count, int timeoutMilliseconds) {
    return ::WSAPoll(entries, static_cast<ULONG>(count), timeoutMilliseconds);
}

long sendAvailable(SocketHandle socket, std::string_view bytes) {
    const int sent = ::send(socket, bytes.data(), static_cast<int>(bytes.size()), 0);
    if (sent == SOCKET_ERROR)
        return WSAGetLastError() == WSAEWOULDBLOCK ? 0 : -1;
    return sent;
}

long receive(SocketHandle socket, char* buffer, std::size_t size) {
    return ::recv(socket, buffer, static_cast<int>(size), 0);
}

void closeSocket(SocketHandle socket) {
    ::closesocket(socket);
}

void closeAbortively(SocketHandle socket) {
    const linger abortive{1, 0};
    ::setsockopt(socket, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abortive),
                 sizeof abortive);
    ::closesocket(socket);
}

// Windows Sockets poll only sockets: the channel is a loopback connection.
bool openWakeChannel(SocketHandle (&ends)[2]) {
    const SocketHandle listener = openTcpSocket();
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    if (listener == noSocket ||
        ::bind(listener, reinterpret_cast<sockaddr*>(&address), length) == SOCKET_ERROR ||
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) == SOCKET_ERROR ||
        ::listen(listener, 1) == SOCKET_ERROR) {
        ::closesocket(listener);
        return false;
    }
    const SocketHandle writeEnd = openTcpSocket();
    if (::connect(writeEnd, reinterpret_cast<sockaddr*>(&address), length) == SOCKET_ERROR) {
        ::closesocket(writeEnd);
        ::closesocket(listener);
        return false;
    }
    ends[0] = ::accept(listener, nullptr, nullptr);
    ends[1] = writeEnd;
    ::closesocket(listener);
    return ends[0] != noSocket;
}

void wake(SocketHandle writeEnd) {
    const char byte = 0;
    ::send(writeEnd, &byte, 1, 0);
}

int lastError() {
    return WSAGetLastError();
}

} // namespace tarvenne::testing::shim
