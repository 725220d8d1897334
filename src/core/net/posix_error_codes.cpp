#include "net/posix_error_codes.h"

#include "net/winsock_codes.h"

#include <cerrno>
#include <netdb.h>
#include <utility>

namespace tarvenne::net {
namespace {

// errno values of this platform and the Windows Sockets codes of the same meaning.
constexpr std::pair<int, int> errnoCodes[] = {
    {EINTR, 10004},           {EBADF, 10009},        {EACCES, 10013},
    {EPERM, 10013},           {EFAULT, 10014},       {EINVAL, 10022},
    {EMFILE, 10024},          {ENFILE, 10024},       {EAGAIN, 10035},
    {EWOULDBLOCK, 10035},     {EINPROGRESS, 10036},  {EALREADY, 10037},
    {ENOTSOCK, 10038},        {EDESTADDRREQ, 10039}, {EMSGSIZE, 10040},
    {EPROTOTYPE, 10041},      {ENOPROTOOPT, 10042},  {EPROTONOSUPPORT, 10043},
    {ESOCKTNOSUPPORT, 10044}, {EOPNOTSUPP, 10045},   {EPFNOSUPPORT, 10046},
    {EAFNOSUPPORT, 10047},    {EADDRINUSE, 10048},   {EADDRNOTAVAIL, 10049},
    {ENETDOWN, 10050},        {ENETUNREACH, 10051},  {ENETRESET, 10052},
    {ECONNABORTED, 10053},    {ECONNRESET, 10054},   {EPIPE, 10054},
    {ENOBUFS, 10055},         {ENOMEM, 10055},       {EISCONN, 10056},
    {ENOTCONN, 10057},        {ESHUTDOWN, 10058},    {ETOOMANYREFS, 10059},
    {ETIMEDOUT, 10060},       {ECONNREFUSED, 10061}, {ELOOP, 10062},
    {ENAMETOOLONG, 10063},    {EHOSTDOWN, 10064},    {EHOSTUNREACH, 10065},
    {ENOTEMPTY, 10066},
};

// getaddrinfo() failures and the Windows Sockets codes of the same meaning. A name without
// an IPv4 address is reported like a name that does not exist.
constexpr std::pair<int, int> resolverCodes[] = {
    {EAI_NONAME, winsock::hostNotFound},
#ifdef EAI_NODATA
    {EAI_NODATA, winsock::hostNotFound},
#endif
#ifdef EAI_ADDRFAMILY
    {EAI_ADDRFAMILY, winsock::hostNotFound},
#endif
    {EAI_AGAIN, winsock::tryAgain},
    {EAI_FAIL, winsock::noRecovery},
    {EAI_MEMORY, winsock::noBufferSpace},
    {EAI_FAMILY, 10047},
    {EAI_SOCKTYPE, 10044},
    {EAI_SERVICE, winsock::typeNotFound},
    {EAI_BADFLAGS, winsock::invalidArgument},
    {EAI_OVERFLOW, winsock::invalidArgument},
};

int lookUp(const auto& table, int key, int otherwise) {
    for (const auto& [from, to] : table)
        if (from == key)
            return to;
    return otherwise;
}

} // namespace

int winsockCodeForErrno(int errnoValue) {
    return lookUp(errnoCodes, errnoValue, winsock::systemCallFailure);
}

int winsockCodeForResolverError(int resolverError, int errnoValue) {
    if (resolverError == EAI_SYSTEM)
        return winsockCodeForErrno(errnoValue);
    return lookUp(resolverCodes, resolverError, winsock::noRecovery);
}

} // namespace tarvenne::net
