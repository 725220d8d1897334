// Replies a hostile directory server (or anyone on the path to it) could send: each ends with
// its outcome within a bound on its time, with the client's time-outs scaled down.
#include "base/error.h"
#include "base/utf.h"
#include "http/http_client.h"
#include "http/reply_reader.h"
#include "platform_expectations.h"
#include "scripted_server.h"

#include <gtest/gtest.h>

namespace tarvenne::http {
namespace {

using namespace std::chrono_literals;
using namespace tarvenne::testing;

// How long a reply may take, and with which time-outs of the client (a connect, a wait for the
// next byte, the whole exchange).
struct Bound {
    std::chrono::seconds time;
    Timeouts timeouts;
};

// Replies that the time-outs end: the product's time-outs shrunk, and some slack.
const Bound timedOut{5s, {1s, 300ms, 1500ms}};
// Replies that end by their bytes alone: the bound catches work out of proportion to them,
// and the time-outs stay out of the way of a slow (sanitized) build moving 64 MiB.
const Bound byTheBytes{30s, {5s, 20s, 30s}};

// "text: " and the text returned, or the failure's message.
std::string outcomeOf(HttpClient& client, const std::string& address) {
    try {
        return "text: " + toUtf8(client.getText(address));
    } catch (const Error& error) {
        return error.what();
    }
}

std::vector<Step> trickled(std::string head, int bytes) {
    std::vector<Step> script{send(std::move(head))};
    for (int i = 0; i < bytes; ++i) {
        script.push_back(pause(50ms));
        script.push_back(send("x"));
    }
    return script;
}

// As many header lines as the limit allows, each about as long as a line may be.
std::string cookieFloodHead() {
    std::string head = "HTTP/1.1 200 OK\r\n";
    std::size_t next = 0;
    for (int line = 0; line < maxHeadLines - 2; ++line) {
        std::string text = "Set-Cookie2: ";
        while (text.size() + 10 < maxLineLength) {
            text += "c" + std::to_string(next++) + "=,";
        }
        head += text + "\r\n";
    }
    return head + "Content-Length: 2\r\n\r\nok";
}

std::string continuationFloodHead() {
    std::string head = "HTTP/1.1 200 OK\r\nX-Long: a\r\n";
    for (int line = 0; line < maxHeadLines - 4; ++line)
        head += " \t" + std::string(maxLineLength - 8, 'c') + " \r\n";
    return head + "Content-Length: 2\r\n\r\nok";
}

std::string repeated(std::string_view text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

struct HostileReply {
    const char* name;
    std::vector<Step> script;
    std::string outcome;
    Bound bound;
    // For a reset: the outcome where a reset may read as an orderly close.
    std::string_view asOrderlyClose = {};
};

TEST(HostileReplies, EachEndsWithItsOutcomeWithinItsBound) {
    const std::string mebibyte(1024 * 1024, 'x');
    const int pastTheBodyLimit = static_cast<int>(maxBodySize / mebibyte.size()) + 1;
    const std::string ok = "HTTP/1.1 200 OK\r\n";
    const std::string chunked = ok + "Transfer-Encoding: chunked\r\n\r\n";
    const std::string contentType = ok + "Content-Length: 2\r\nContent-Type: text/html; ";
    const HostileReply replies[] = {
        {"silence before the status line", {keepOpen()}, "Read timed out.", timedOut},
        {"slow head, a byte every 50 ms", trickled(ok + "X-Slow: ", 200), "Read timed out.",
         timedOut},
        {"slow body, a byte every 50 ms", trickled(ok + "Content-Length: 500\r\n\r\n", 200),
         "Read timed out.", timedOut},
        {"endless status line",
         {sendRepeated(std::string(4096, 's'), 5), keepOpen()},
         "Max line length exceeded.",
         byTheBytes},
        {"endless header line",
         {send(ok + "X-Endless: "), sendRepeated(std::string(4096, 'h'), 5), keepOpen()},
         "Max line length exceeded.",
         byTheBytes},
        {"endless chunk-size line",
         {send(chunked), sendRepeated(std::string(4096, '0'), 5), keepOpen()},
         "Max line length exceeded.",
         byTheBytes},
        {"endless body until the close",
         {send(ok + "\r\n"), sendRepeated(mebibyte, pastTheBodyLimit)},
         "Response body too large.",
         byTheBytes},
        {"endless chunked body",
         {send(chunked), sendRepeated("100000\r\n" + mebibyte + "\r\n", pastTheBodyLimit)},
         "Response body too large.",
         byTheBytes},
        {"chunk size past the body limit",
         {send(chunked + "fffffffffff\r\n"), keepOpen()},
         "Response body too large.",
         byTheBytes},
        {"Content-Length past the body limit, cut short",
         {send(ok + "Content-Length: 99999999999\r\n\r\nabc")},
         "text: abc",
         byTheBytes},
        {"header flood", {send(repeated("X: y\r\n", 300))}, "Too many header lines.", byTheBytes},
        {"interim reply flood",
         {send(repeated("HTTP/1.1 100 Continue\r\n\r\n", 300))},
         "Too many header lines.",
         byTheBytes},
        {"cookie flood", {send(cookieFloodHead())}, "text: ok", byTheBytes},
        {"continuation flood", {send(continuationFloodHead())}, "text: ok", byTheBytes},
        {"interim replies before the reply",
         {send(repeated("HTTP/1.1 100 Continue\r\nSet-Cookie: a=1\r\n\r\n", 50) + ok +
               "Content-Length: 2\r\n\r\nok")},
         "text: ok",
         byTheBytes},
        {"switching protocols with a body",
         {send("HTTP/1.1 101 Switching Protocols\r\n\r\nanything")},
         "HTTP/1.1 101 Switching Protocols",
         byTheBytes},
        {"no content with a body",
         {send("HTTP/1.1 204 No Content\r\n\r\nstray")},
         "text: ",
         byTheBytes},
        {"status line without a code", {send("NONSENSE\r\n\r\n")}, "NONSENSE", byTheBytes},
        {"chunk size that is no number", {send(chunked + "zz\r\nabc\r\n")}, "text: ", byTheBytes},
        {"chunked and Content-Length at once",
         {send(ok + "Content-Length: 2\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nchunk\r\n0\r\n"
                    "\r\n")},
         "text: chunk",
         byTheBytes},
        {"two Content-Lengths, the first counts",
         {send(ok + "Content-Length: 2\r\nContent-Length: 5\r\n\r\nabcde")},
         "text: ab",
         byTheBytes},
        {"negative Content-Length, body until the close",
         {send(ok + "Content-Length: -1\r\n\r\nall of it")},
         "text: all of it",
         byTheBytes},
        {"close inside a chunk",
         {send(chunked + "10\r\nshort")},
         "Connection Closed Gracefully.",
         byTheBytes},
        {"reset inside the body",
         {send(ok + "Content-Length: 9\r\n\r\nabc"), reset()},
         std::string(platform::resetMessage),
         byTheBytes,
         "text: abc"},
        {"reset before the status line",
         {reset()},
         std::string(platform::resetMessage),
         byTheBytes,
         "Connection Closed Gracefully."},
        {"unknown charset reads as ISO-8859-1",
         {send(contentType + "charset=x-unknown\r\n\r\n\xC4\xE3")},
         "text: \u00C4\u00E3",
         byTheBytes},
        {"charset after a thousand parameters",
         {send(contentType + repeated("a=\"b\\\";c\"; ", 1000) + "charset=gbk\r\n\r\n\xC4\xE3")},
         "text: \u4F60",
         byTheBytes},
        {"charset with an unclosed quote",
         {send(ok + "Content-Length: 3\r\nContent-Type: text/html; charset=\"utf-8\r\n\r\n"
                    "\xE4\xBD\xA0")},
         "text: \u4F60",
         byTheBytes},
        {"charset spread over continuation lines",
         {send(contentType + "\r\n \t charset=\r\n gbk\r\n\r\n\xC4\xE3")},
         "text: \u4F60",
         byTheBytes},
    };
    for (const HostileReply& reply : replies) {
        SCOPED_TRACE(reply.name);
        ScriptedServer server(reply.script);
        HttpClient client(reply.bound.timeouts);
        const auto start = std::chrono::steady_clock::now();
        const std::string outcome = outcomeOf(client, server.url());
        if (reply.asOrderlyClose.empty())
            EXPECT_EQ(outcome, reply.outcome);
        else
            EXPECT_TRUE(platform::givesTheReset(outcome, reply.asOrderlyClose)) << outcome;
        EXPECT_LT(std::chrono::steady_clock::now() - start, reply.bound.time);
    }
}

} // namespace
} // namespace tarvenne::http
