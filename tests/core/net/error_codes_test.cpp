#include "net/posix_error_codes.h"
#include "net/socket_error.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <netdb.h>

namespace tarvenne::net {
namespace {

TEST(SocketError, MessageIsTheCodeAndItsText) {
    struct Case {
        int code;
        std::u16string message;
    };
    const Case cases[] = {
        {10061, u"Socket Error # 10061\r\nConnection refused."},
        {10060, u"Socket Error # 10060\r\nConnection timed out."},
        {10054, u"Socket Error # 10054\r\nConnection reset by peer."},
        {10066, u"Socket Error # 10066\r\nDirectory not empty"},
        {11001, u"Socket Error # 11001\r\nHost not found."},
        {11004, u"Socket Error # 11004\r\n"},
        {10107, u"Socket Error # 10107\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        const SocketError error(c.code);
        EXPECT_EQ(error.message(), c.message);
        EXPECT_EQ(error.code(), c.code);
    }
}

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
