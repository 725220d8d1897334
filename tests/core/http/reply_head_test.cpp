#include "base/error.h"
#include "http/reply_head.h"
#include "http/reply_reader.h"
#include "scripted_source.h"

#include <gtest/gtest.h>

namespace tarvenne::http {
namespace {

// Reads a reply head from `reply` with both feeds; returns the head or the failure message,
// which both feeds must agree on.
struct HeadOutcome {
    std::string statusLine;
    int statusCode = 0;
    std::string failure;
    int heads = 0; // heads handed over, interim ones included
};

HeadOutcome readHead(const std::vector<std::string>& reply, ScriptedSource::Feed feed,
                     HeaderList* headers = nullptr) {
    ScriptedSource source(reply, feed);
    BufferedReader reader(source);
    HeadOutcome outcome;
    try {
        ReplyHead head = readReplyHead(reader, [&](const HeaderList&) { ++outcome.heads; });
        outcome.statusLine = head.statusLine;
        outcome.statusCode = head.statusCode;
        if (headers)
            *headers = head.headers;
    } catch (const Error& error) {
        outcome.failure = error.what();
    }
    return outcome;
}

TEST(StatusCode, IsTheIntegerAfterTheFirstSpace) {
    struct Case {
        const char* line;
        int code;
    };
    const Case cases[] = {
        {"HTTP/1.1 200 OK", 200},
        {"HTTP/1.0 404 Not Found", 404},
        {"HTTP/1.1  \t302 Found", 302},
        {"HTTP/1.1 \x01"
         "302\x7f",
         302},
        {"HTTP/1.1 204", 204},
        {"HTTP/1.1 -7 Odd", -7},
        {"HTTP/1.1 999999 Big", 999999},
        {"ICY 200 OK", 200},
        {"HTTP/1.1", -1},
        {"HTTP/1.1 OK", -1},
        {"HTTP/1.1 20x OK", -1},
        {"HTTP/1.1 99999999999 Overflow", -1},
        {"HTTP/1.1 ", -1},
        {"", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(statusCodeOf(c.line), c.code);
    }
}

TEST(HeaderLookup, CaseInsensitiveFirstOccurrenceTrimmedAndUnfolded) {
    HeaderList headers;
    for (const char* line :
         {"Content-Type:  text/html \t", "X-Folded: first", "  second  ", "\tthird",
          "content-type: text/plain", "Empty:", "NoColon", "Odd: a: b"})
        headers.addLine(line);
    EXPECT_EQ(headers.value("CONTENT-TYPE"), "text/html");
    EXPECT_EQ(headers.value("x-folded"), "first second third");
    EXPECT_EQ(headers.value("Empty"), "");
    EXPECT_EQ(headers.value("Odd"), "a: b");
    EXPECT_EQ(headers.value("Missing"), std::nullopt);
    EXPECT_EQ(headers.value("NoColon"), "");
    EXPECT_EQ(headers.values("Content-Type"),
              (std::vector<std::string_view>{"text/html", "text/plain"}));
}

TEST(ReplyHead, LinesEndAtLineFeedsWithTheCarriageReturnDropped) {
    for (const auto feed : bothFeeds) {
        HeaderList headers;
        const auto outcome =
            readHead({"HTTP/1.1 200 OK\r\nA: 1\nB: 2\r\r\n\r\nbody"}, feed, &headers);
        EXPECT_EQ(outcome.statusLine, "HTTP/1.1 200 OK");
        EXPECT_EQ(headers.value("A"), "1");
        EXPECT_EQ(headers.value("B"), "2");
    }
}

TEST(ReplyHead, InterimRepliesAreReadPast) {
    for (const auto feed : bothFeeds) {
        const auto outcome =
            readHead({"HTTP/1.1 100 Continue\r\nX: 1\r\n\r\nHTTP/1.1 100 Continue\r\n\r\n",
                      "HTTP/1.1 200 OK\r\n\r\n"},
                     feed);
        EXPECT_EQ(outcome.statusLine, "HTTP/1.1 200 OK");
        EXPECT_EQ(outcome.heads, 3);
    }
}

TEST(ReplyHead, FailuresWhileReadingTheHead) {
    const std::string longLine(maxLineLength, 'x');
    struct Case {
        const char* name;
        std::vector<std::string> reply;
        std::string failure;
        std::string statusLine;
    };
    const Case cases[] = {
        {"nothing at all", {}, "Connection Closed Gracefully.", ""},
        {"close inside the status line", {"HTTP/1.1 200"}, "Connection Closed Gracefully.", ""},
        {"close right after the status line",
         {"HTTP/1.1 200 OK\r\n"},
         "Connection Closed Gracefully.",
         ""},
        {"close inside the line after the status line",
         {"HTTP/1.1 200 OK\r\nA: 1"},
         "Connection Closed Gracefully.",
         ""},
        {"close after a header line ends the head",
         {"HTTP/1.1 200 OK\r\nA: 1\r\nB: 2"},
         "",
         "HTTP/1.1 200 OK"},
        {"close after an interim head",
         {"HTTP/1.1 100 Continue\r\n\r\n"},
         "Connection Closed Gracefully.",
         ""},
        {"line of the longest length", {longLine + "\n\r\n"}, "", longLine},
        {"longest line with its carriage return",
         {longLine.substr(1) + "\r\n\r\n"},
         "",
         longLine.substr(1)},
        {"line one byte too long", {longLine + "x\r\n\r\n"}, "Max line length exceeded.", ""},
        {"carriage return makes it too long",
         {longLine + "\r\n\r\n"},
         "Max line length exceeded.",
         ""},
        {"header line too long",
         {"HTTP/1.1 200 OK\r\nA: " + longLine + "\r\n\r\n"},
         "Max line length exceeded.",
         ""},
        {"unfinished line too long", {longLine + "x"}, "Max line length exceeded.", ""},
    };
    for (const auto& c : cases) {
        for (const auto feed : bothFeeds) {
            SCOPED_TRACE(c.name);
            const auto outcome = readHead(c.reply, feed);
            EXPECT_EQ(outcome.failure, c.failure);
            EXPECT_EQ(outcome.statusLine, c.statusLine);
        }
    }
}

TEST(ReplyHead, MoreThanTheMostHeadLinesFail) {
    const auto reply = [](int interimHeads, int headerLines) {
        std::string bytes;
        for (int i = 0; i < interimHeads; ++i)
            bytes += "HTTP/1.1 100 Continue\r\nX: 1\r\n\r\n";
        bytes += "HTTP/1.1 200 OK\r\n";
        for (int i = 0; i < headerLines; ++i)
            bytes += "H: " + std::to_string(i) + "\r\n";
        return bytes + "\r\n";
    };
    struct Case {
        int interimHeads;
        int headerLines;
        std::string failure;
    };
    const Case cases[] = {
        {0, maxHeadLines - 1, ""},           {0, maxHeadLines, "Too many header lines."},
        {10, maxHeadLines - 21, ""},         {10, maxHeadLines - 20, "Too many header lines."},
        {1000, 0, "Too many header lines."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.interimHeads << " interim, " << c.headerLines);
        EXPECT_EQ(
            readHead({reply(c.interimHeads, c.headerLines)}, ScriptedSource::Feed::Whole).failure,
            c.failure);
    }
}

} // namespace
} // namespace tarvenne::http
