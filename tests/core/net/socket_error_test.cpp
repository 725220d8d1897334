#include "net/socket_error.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace tarvenne::net
