#include "base/error.h"
#include "directory/document_signature.h"
#include "directory/fetch_game_record.h"
#include "scripted_server.h"
#include "test_keys.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace tarvenne::directory {
namespace {

std::string reply(std::string_view contentType, std::string_view body) {
    return "HTTP/1.1 200 OK\r\nContent-Type: " + std::string(contentType) +
           "\r\nContent-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" +
           std::string(body);
}

TEST(FetchGameRecord, DecodesTheBodyByItsCharsetThenThroughTheAnsiCodePage) {
    testing::ScriptedServer server({testing::send(
        reply("text/html; charset=\"UTF-8\"", "Tarvenne|http://h/|in.php|\xE4\xBD\xA0+%C4%E3"))});
    http::HttpClient client;
    EXPECT_EQ(fetchGameRecord(client, server.url(), 936, std::nullopt),
              (GameRecord{u"Tarvenne", u"http://h/", u"in.php", u"\u4F60 \u4F60"}));
}

TEST(FetchGameRecord, FailuresOfTheRequestAndOfTheDecodingReachTheCaller) {
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
            fetchGameRecord(client, server.url(), 1252, std::nullopt);
            ADD_FAILURE() << "no failure";
        } catch (const Error& failure) {
            EXPECT_EQ(failure.message(), c.message);
        }
    }
}

// The signature is over the body's bytes as they arrive, after the chunked framing and before
// the charset's decoding.
TEST(FetchGameRecord, ChecksTheSignatureOfTheBodyAfterItsFraming) {
    const std::string document =
        signDocument("Tarvenne|https://h/|in.php|\xE4\xBD\xA0",
                     signature::PrivateKey::fromPem(testing::testPrivateKeyPem()));
    const auto chunked = [](std::string_view body) {
        const std::size_t cut = body.find("~sig");
        std::string reply = "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\n"
                            "Transfer-Encoding: chunked\r\n\r\n";
        for (const std::string_view chunk : {body.substr(0, cut), body.substr(cut)}) {
            char size[16];
            std::snprintf(size, sizeof size, "%zx\r\n", chunk.size());
            reply += size + std::string(chunk) + "\r\n";
        }
        return reply + "0\r\n\r\n";
    };
    const auto operatorKey = operatorKeyFromPem(testing::testPublicKeyPem());

    testing::ScriptedServer server({testing::send(chunked(document))});
    http::HttpClient client;
    EXPECT_EQ(fetchGameRecord(client, server.url(), 936, operatorKey),
              (GameRecord{u"Tarvenne", u"https://h/", u"in.php", u"\u4F60"}));

    std::string tampered = document;
    tampered[document.find("h/")] = 'e';
    testing::ScriptedServer tamperingServer({testing::send(chunked(tampered))});
    http::HttpClient secondClient;
    try {
        fetchGameRecord(secondClient, tamperingServer.url(), 936, operatorKey);
        ADD_FAILURE() << "a tampered document was taken";
    } catch (const Error& failure) {
        EXPECT_EQ(failure.message(), notSignedByOperator);
    }
}

} // namespace
} // namespace tarvenne::directory
