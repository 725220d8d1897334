#include "net/resolver_platform.h"
#include "net/winsock_startup.h"

namespace tarvenne::net {

void readySocketLibrary() {
    startWinsock();
}

// getaddrinfo() reports its failures with Windows Sockets codes already (WSAHOST_NOT_FOUND,
// WSATRY_AGAIN, WSANO_DATA, ...).
int winsockCodeOfResolverFailure(int failure) {
    return failure;
}

} // namespace tarvenne::net
