#pragma once

namespace tarvenne::net {

// The Windows Sockets code that reports an errno value of a socket call.
int winsockCodeForErrno(int errnoValue);

// The Windows Sockets code that reports a getaddrinfo() failure; `errnoValue` is the errno
// value at the time, consulted for EAI_SYSTEM.
int winsockCodeForResolverError(int resolverError, int errnoValue);

} // namespace tarvenne::net
