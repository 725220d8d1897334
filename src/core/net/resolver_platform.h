#pragma once

// The platform's part of name resolution: the system's headers for getaddrinfo() and
// inet_pton(), the start of its socket library and the codes of its failures.
#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#endif

namespace tarvenne::net {

// Makes the socket library ready before the first call; throws SocketError when it cannot.
void readySocketLibrary();

// The Windows Sockets code that reports a failure of getaddrinfo(), read right after it.
int winsockCodeOfResolverFailure(int failure);

} // namespace tarvenne::net
