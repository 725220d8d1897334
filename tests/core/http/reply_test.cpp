#include "base/error.h"
#include "http/errors.h"
#include "http/reply_body.h"
#include "http/reply_head.h"
#include "http/reply_reader.h"
#include "scripted_source.h"

#include <gtest/gtest.h>

namespace tarvenne::http {
namespace {

struct Outcome {
    std::u16string text;
    std::u16string failure;
    int statusCode = 0;
    std::u16string failureBody;
    std::optional<std::string> unread; // the next line after the exchange

    bool operator==(const Outcome&) const = default;
};

Outcome exchange(const std::vector<std::string>& reply, ScriptedSource::Feed feed) {
    ScriptedSource source(reply, feed);
    BufferedReader reader(source);
    Outcome outcome;
    try {
        const ReplyHead head = readReplyHead(reader, [](const HeaderList&) {});
        outcome.text = takeReplyBody(reader, head).text();
    } catch (const HttpReplyError& error) {
        outcome.failure = error.message();
        outcome.statusCode = error.statusCode();
        outcome.failureBody = error.body();
    } catch (const Error& error) {
        outcome.failure = error.message();
    }
    outcome.unread = reader.readLine();
    return outcome;
}

Outcome success(std::u16string text, std::optional<std::string> unread = std::nullopt) {
    return {std::move(text), {}, 0, {}, std::move(unread)};
}

Outcome failure(std::u16string message, int code, std::u16string body = {},
                std::optional<std::string> unread = std::nullopt) {
    return {{}, std::move(message), code, std::move(body), std::move(unread)};
}

TEST(Reply, JudgedByTheFirstRuleThatApplies) {
    struct Case {
        const char* name;
        std::vector<std::string> reply;
        Outcome outcome;
    };
    const Case cases[] = {
        {"200 with a body",
         {"HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello"},
         success(u"hello")},
        {"200 with Content-Length 0",
         {"HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", "", "next\n"},
         success(u"", "next")},
        {"299 is a success", {"HTTP/1.1 299 Fine\r\n\r\nuntil close"}, success(u"until close")},
        {"204 discards a body that starts at once",
         {"HTTP/1.1 204 No Content\r\n\r\nstray bytes"},
         success(u"")},
        {"204 reads no body that starts late",
         {"HTTP/1.1 204 No Content\r\n\r\n", "", "late\n"},
         success(u"", "late")},
        {"200 with a Location fails",
         {"HTTP/1.1 200 OK\r\nLocation: /x\r\nContent-Length: 2\r\n\r\nhi"},
         failure(u"HTTP/1.1 200 OK", 200, u"hi")},
        {"200 with an empty Location succeeds",
         {"HTTP/1.1 200 OK\r\nLocation:  \r\n\r\nok"},
         success(u"ok")},
        {"201 with a Location succeeds",
         {"HTTP/1.1 201 Created\r\nLocation: /x\r\n\r\nmade"},
         success(u"made")},
        {"302 fails and its body is read",
         {"HTTP/1.1 302 Found\r\nLocation: http://else/\r\n"
          "Content-Length: 5\r\n\r\nmovedNEXT\n"},
         failure(u"HTTP/1.1 302 Found", 302, u"moved", "NEXT")},
        {"300 without a Location is a redirect",
         {"HTTP/1.1 300 Choices\r\n\r\n"},
         failure(u"HTTP/1.1 300 Choices", 300)},
        {"404 fails with its status line and body",
         {"HTTP/1.1 404 Not Found\r\nContent-Length: 4\r\n\r\nnope"},
         failure(u"HTTP/1.1 404 Not Found", 404, u"nope")},
        {"500 with an empty Location",
         {"HTTP/1.0 500 Oops\r\nLocation:\r\n\r\nbad"},
         failure(u"HTTP/1.0 500 Oops", 500, u"bad")},
        {"401",
         {"HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic\r\n\r\nauth"},
         failure(u"HTTP/1.1 401 Unauthorized", 401, u"auth")},
        {"407",
         {"HTTP/1.1 407 Proxy Authentication Required\r\nContent-Length: 0\r\n\r\n"},
         failure(u"HTTP/1.1 407 Proxy Authentication Required", 407)},
        {"304 reads no body that starts late",
         {"HTTP/1.1 304 Not Modified\r\n\r\n", "", "late\n"},
         failure(u"HTTP/1.1 304 Not Modified", 304, {}, "late")},
        {"304 reads a body that starts at once",
         {"HTTP/1.1 304 Not Modified\r\n\r\nstray"},
         failure(u"HTTP/1.1 304 Not Modified", 304, u"stray")},
        {"101",
         {"HTTP/1.1 101 Switching Protocols\r\n\r\n", ""},
         failure(u"HTTP/1.1 101 Switching Protocols", 101)},
        {"99", {"HTTP/1.1 99 Low\r\n\r\n"}, failure(u"HTTP/1.1 99 Low", 99)},
        {"600", {"HTTP/1.1 600 High\r\n\r\n"}, failure(u"HTTP/1.1 600 High", 600)},
        {"one word", {"Garbage\r\n\r\nbody"}, failure(u"Garbage", -1, u"body")},
        {"bytes above 0x7F in the status line",
         {"HTTP/1.1 404 Nicht gef\xc3\xbcnden\r\n\r\n"},
         failure(u"HTTP/1.1 404 Nicht gef??nden", 404)},
        {"100 then 200",
         {"HTTP/1.1 100 Continue\r\n\r\n", "HTTP/1.1 200 OK\r\n\r\nfinal"},
         success(u"final")},
        {"compressed body as raw bytes",
         {"HTTP/1.1 200 OK\r\nContent-Encoding: gzip\r\n\r\n\x1f\x8b\x08"},
         success(u"\u001f\u008b\u0008")},
        {"chunked",
         {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n0\r\n\r\nX\n"},
         success(u"abc", "X")},
        {"close inside a chunked failure body",
         {"HTTP/1.1 404 Not Found\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nab"},
         failure(u"Connection Closed Gracefully.", 0)},
    };
    for (const auto& c : cases) {
        for (const auto feed : bothFeeds) {
            SCOPED_TRACE(c.name);
            EXPECT_EQ(exchange(c.reply, feed), c.outcome);
        }
    }
}

TEST(Reply, BodyIsDecodedWithTheCharsetOfItsContentType) {
    struct Case {
        const char* contentType;
        std::string body;
        std::u16string text;
    };
    const Case cases[] = {
        {"text/html", "\xc4\xe3", u"\u00c4\u00e3"},
        {"text/html; charset=gbk", "\xc4\xe3", u"\u4f60"},
        {"text/html; charset=GB18030", "\xc4\xe3", u"\u00c4\u00e3"},
        {"text/html; charset=\"UTF-8\"", "\xe4\xbd\xa0", u"\u4f60"},
        {"text/html; charset=UTF-8", "\xef\xbb\xbfx", u"\ufeffx"},
        {"text/html", "\xef\xbb\xbfx", u"\u00ef\u00bb\u00bfx"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.contentType);
        const std::string reply =
            std::string("HTTP/1.1 200 OK\r\nContent-Type: ") + c.contentType + "\r\n\r\n" + c.body;
        EXPECT_EQ(exchange({reply}, ScriptedSource::Feed::Whole).text, c.text);
    }
}

} // namespace
} // namespace tarvenne::http
