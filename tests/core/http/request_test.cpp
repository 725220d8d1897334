#include "http/request_head.h"
#include "http/url.h"
#include "net/socket_error.h"

#include <gtest/gtest.h>

namespace tarvenne::http {
namespace {

TEST(ParseUrl, TakesTheAddressApart) {
    struct Case {
        const char* address;
        Url url;
    };
    const Case cases[] = {
        {"http://dir.example:8888/update.html",
         {"http", "dir.example", 8888, "/", "update.html", "", ""}},
        {"http://dir.example/a/b/list.html?x=1&y=%20#top",
         {"http", "dir.example", 80, "/a/b/", "list.html", "x=1&y=%20", "top"}},
        {"http://dir.example:8888", {"http", "dir.example", 8888, "/", "", "", ""}},
        {"http://dir.example:/a/", {"http", "dir.example", 80, "/a/", "", "", ""}},
        {"http:\\\\dir.example\\a\\b.html", {"http", "dir.example", 80, "/a/", "b.html", "", ""}},
        {"http://dir.example/a#frag?notquery",
         {"http", "dir.example", 80, "/", "a", "", "frag?notquery"}},
        {"http://10.1.2.3:1/?", {"http", "10.1.2.3", 1, "/", "", "", ""}},
        {"dir.example:8888/u.html", {"", "dir.example", 8888, "/", "u.html", "", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.address);
        EXPECT_EQ(parseUrl(c.address), c.url);
    }
}

TEST(ParseUrl, PortThatIsNotANumberIsAnInvalidArgument) {
    for (const char* address : {"http://h:88x/", "http://h:65536/", "http://h:-1/"}) {
        SCOPED_TRACE(address);
        try {
            parseUrl(address);
            ADD_FAILURE() << "no failure";
        } catch (const net::SocketError& error) {
            EXPECT_EQ(error.message(), u"Socket Error # 10022\r\nInvalid argument.");
        }
    }
}

TEST(RequestHead, IsByteForByteTheGetOfTheTarget) {
    const std::string tail = "Accept: text/html, */*\r\n"
                             "Accept-Encoding: identity\r\n"
                             "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"
                             "\r\n";
    struct Case {
        const char* address;
        std::string head;
    };
    const Case cases[] = {
        {"http://dir.example:8888/update.html",
         "GET /update.html HTTP/1.1\r\nHost: dir.example:8888\r\n" + tail},
        {"http://dir.example/update.html",
         "GET /update.html HTTP/1.1\r\nHost: dir.example\r\n" + tail},
        {"http://dir.example:80/a/b?c=d%2f#x",
         "GET /a/b?c=d%2f HTTP/1.1\r\nHost: dir.example\r\n" + tail},
        {"http://dir.example:08888/a/?", "GET /a/ HTTP/1.1\r\nHost: dir.example:8888\r\n" + tail},
        {"http://dir.example", "GET / HTTP/1.1\r\nHost: dir.example\r\n" + tail},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.address);
        EXPECT_EQ(requestHead(parseUrl(c.address)), c.head);
    }
}

} // namespace
} // namespace tarvenne::http
