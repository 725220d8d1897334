#include "net/posix_error_codes.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <netdb.h>

namespace tarvenne::net {
namespace {

TEST(ErrorCodes, ErrnoValuesMapToTheWindowsSocketsCodesOfTheSameMeaning) {
    struct Case {
        int errnoValue;
        int code;
    };
    const Case cases[] = {
        {ECONNREFUSED, 10061}, {ETIMEDOUT, 10060},   {ECONNRESET, 10054},    {EPIPE, 10054},
        {EHOSTUNREACH, 10065}, {ENETUNREACH, 10051}, {EADDRNOTAVAIL, 10049}, {EINTR, 10004},
        {EWOULDBLOCK, 10035},  {EINPROGRESS, 10036}, {EMFILE, 10024},        {ENOTEMPTY, 10066},
        {EIO, 10107},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.errnoValue);
        EXPECT_EQ(winsockCodeForErrno(c.errnoValue), c.code);
    }
}

TEST(ErrorCodes, ResolverFailuresMapToTheWindowsSocketsResolverCodes) {
    struct Case {
        int resolverError;
        int errnoValue;
        int code;
    };
    const Case cases[] = {
        {EAI_NONAME, 0, 11001},
        {EAI_AGAIN, 0, 11002},
        {EAI_FAIL, 0, 11003},
        {EAI_MEMORY, 0, 10055},
        {EAI_SYSTEM, ECONNREFUSED, 10061},
        {EAI_FAMILY, 0, 10047},
#ifdef EAI_NODATA
        {EAI_NODATA, 0, 11001},
#endif
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.resolverError);
        EXPECT_EQ(winsockCodeForResolverError(c.resolverError, c.errnoValue), c.code);
    }
}

} // namespace
} // namespace tarvenne::net
