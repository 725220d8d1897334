#include "net/posix_error_codes.h"
#include "net/resolver_platform.h"

#include <cerrno>

namespace tarvenne::net {

// The system's sockets need no start.
void readySocketLibrary() {}

int winsockCodeOfResolverFailure(int failure) {
    return winsockCodeForResolverError(failure, errno);
}

} // namespace tarvenne::net
