#pragma once

#include "socket_handle.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#endif

// The socket calls of the test servers that differ between POSIX sockets and Windows
// Sockets. Addresses, bind(), listen(), connect() and getsockname() are the same on both.
namespace tarvenne::testing::shim {

// A TCP socket, not inherited by child processes; Windows Sockets are started on first use.
SocketHandle openTcpSocket();

// The next pending connection, or noSocket. It never blocks a send.
SocketHandle acceptConnection(SocketHandle listener);

// poll() over sockets (and, on POSIX, the wake channel's pipe); -1 as timeout waits without
// bound.
int pollSockets(pollfd* entries, std::size_t count, int timeoutMilliseconds);

// Sends what fits now: the count sent, 0 when nothing fits now, -1 when the peer is gone.
// A peer that has gone away never raises a signal.
long sendAvailable(SocketHandle socket, std::string_view bytes);

// Like recv(): the count received, 0 at the peer's close, -1 on failure.
long receive(SocketHandle socket, char* buffer, std::size_t size);

void closeSocket(SocketHandle socket);

// Closes with a reset instead of an orderly close.
void closeAbortively(SocketHandle socket);

// A channel that wakes a poll: poll ends[0] for input, call wake(ends[1]). False when it
// cannot be opened.
bool openWakeChannel(SocketHandle (&ends)[2]);
void wake(SocketHandle writeEnd);

// The last failure's code (errno or the Windows Sockets code), for messages.
int lastError();

} // namespace tarvenne::testing::shim
