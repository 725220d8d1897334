#include "base/error.h"
#include "directory/fetch_server_entry.h"
#include "scripted_server.h"

#include <gtest/gtest.h>

namespace tarvenne::directory {
namespace {

std::string reply(std::string_view contentType, std::string_view body) {
    return "HTTP/1.1 200 OK\r\nContent-Type: " + std::string(contentType) +
           "\r\nContent-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" +
           std::string(body);
}

TEST(FetchServerEntry, DecodesTheBodyByItsCharsetThenThroughTheAnsiCodePage) {
    testing::ScriptedServer server({testing::send(
        reply("text/html; charset=\"UTF-8\"", "Tarvenne|http://h/|in.php|\xE4\xBD\xA0+%C4%E3"))});
    http::HttpClient client;
    EXPECT_EQ(fetchServerEntry(client, server.url(), 936),
              (ServerEntry{u"Tarvenne", u"http://h/", u"in.php", u"\u4F60 \u4F60"}));
}

TEST(FetchServerEntry, FailuresOfTheRequestAndOfTheDecodingReachTheCaller) {
    struct Case {
        std::string name;
        std::string reply;
        std::u16string message;
    };
    const Case cases[] = {
        {"failing reply", "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n",
         u"HTTP/1.1 404 Not Found"},
        {"bad escape", reply("text/plain", "Tarvenne|d|l|%G1"),
         u"Invalid URL encoded character (%G1) at position 14"},
        {"too few fields", reply("text/plain", "Tarvenne|d"), u"List index out of bounds (3)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::ScriptedServer server({testing::send(c.reply)});
        http::HttpClient client;
        try {
            fetchServerEntry(client, server.url(), 1252);
            ADD_FAILURE() << "no failure";
        } catch (const Error& failure) {
            EXPECT_EQ(failure.message(), c.message);
        }
    }
}

} // namespace
} // namespace tarvenne::directory
