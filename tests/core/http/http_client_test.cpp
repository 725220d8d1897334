#include "base/error.h"
#include "http/cookie_store.h"
#include "http/errors.h"
#include "http/http_client.h"
#include "http/reply_reader.h"
#include "net/socket_error.h"
#include "platform_expectations.h"
#include "scripted_server.h"

#include <gtest/gtest.h>
#include <optional>

namespace tarvenne::http {
namespace {

using namespace std::chrono_literals;
using namespace tarvenne::testing;

constexpr auto closeWait = 5s; // how long a test waits for the client's close to show

// The failure message of `getText`, or "no failure".
std::string failureOf(HttpClient& client, const std::string& address) {
    try {
        client.getText(address);
        return "no failure";
    } catch (const Error& error) {
        return error.what();
    }
}

TEST(HttpClient, SendsTheRequestHeadAndReturnsTheBody) {
    ScriptedServer server({send("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello"), keepOpen()});
    HttpClient client;
    EXPECT_EQ(client.getText(server.url("/dir/update.html?v=1#top")), u"hello");
    EXPECT_EQ(server.requests(),
              std::vector<std::string>{"GET /dir/update.html?v=1 HTTP/1.1\r\n"
                                       "Host: 127.0.0.1:" +
                                       std::to_string(server.port()) +
                                       "\r\n"
                                       "Accept: text/html, */*\r\n"
                                       "Accept-Encoding: identity\r\n"
                                       "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"
                                       "\r\n"});
}

TEST(HttpClient, RedirectIsNotFollowed) {
    ScriptedServer server({send("HTTP/1.1 302 Found\r\nLocation: /elsewhere.html\r\n"
                                "Content-Length: 3\r\n\r\nabc")});
    HttpClient client;
    try {
        client.getText(server.url());
        ADD_FAILURE() << "no failure";
    } catch (const HttpReplyError& error) {
        EXPECT_EQ(error.message(), u"HTTP/1.1 302 Found");
        EXPECT_EQ(error.statusCode(), 302);
        EXPECT_EQ(error.body(), u"abc");
    }
    EXPECT_EQ(server.requests().size(), 1u);
}

TEST(HttpClient, KeepsTheConnectionOpenUnlessTheReplyOrTheServerClosesIt) {
    struct Case {
        const char* name;
        std::vector<Step> script;
        bool keeps;
    };
    const Case cases[] = {
        {"no Connection header",
         {send("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok"), keepOpen()},
         true},
        {"HTTP/1.0 reply",
         {send("HTTP/1.0 200 OK\r\nContent-Length: 2\r\n\r\nok"), keepOpen()},
         true},
        {"failing reply",
         {send("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n"), keepOpen()},
         true},
        {"204 without a body", {send("HTTP/1.1 204 No Content\r\n\r\n"), keepOpen()}, true},
        {"Connection: close",
         {send("HTTP/1.1 200 OK\r\nConnection:  Close \r\nContent-Length: 2\r\n\r\nok"),
          keepOpen()},
         false},
        {"Proxy-Connection: close",
         {send("HTTP/1.1 200 OK\r\nProxy-Connection: close\r\nContent-Length: 2\r\n\r\nok"),
          keepOpen()},
         false},
        // A close that comes after a complete Content-Length body may not be seen yet when the
        // client looks; a body that runs until the close has always seen it.
        {"server closes at the body's end", {send("HTTP/1.1 200 OK\r\n\r\nok"), close()}, false},
        {"read timed out",
         {send("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\no"), keepOpen()},
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedServer server(c.script);
        {
            HttpClient client({15s, 300ms, 120s});
            failureOf(client, server.url());
            EXPECT_EQ(client.holdsOpenConnection(), c.keeps);
            if (c.keeps) {
                EXPECT_FALSE(server.waitForClientClose(0ms));
            }
        }
        // The kept connection closes with its client at the latest.
        if (c.script.back().kind == Step::Kind::KeepOpen) {
            EXPECT_TRUE(server.waitForClientClose(closeWait));
        }
    }
}

TEST(HttpClient, FailureMessages) {
    const std::string longLine(maxLineLength + 1, 'x');
    std::vector<Step> trickle = {send("HTTP/1.1 200 OK\r\n\r\n")};
    for (int i = 0; i < 200; ++i) {
        trickle.push_back(pause(20ms));
        trickle.push_back(send("x"));
    }
    struct Case {
        const char* name;
        std::vector<Step> script;
        Timeouts timeouts;
        std::string message;
    };
    const Case cases[] = {
        {"reply judged a failure",
         {send("HTTP/1.1 404 Not Found\r\n\r\n")},
         {},
         "HTTP/1.1 404 Not Found"},
        {"close before the status line", {close()}, {}, "Connection Closed Gracefully."},
        {"close right after the status line",
         {send("HTTP/1.1 200 OK\r\n"), close()},
         {},
         "Connection Closed Gracefully."},
        {"reset",
         {send("HTTP/1.1 200 OK\r\nContent-Length: 9\r\n\r\nabc"), reset()},
         {},
         std::string(platform::resetMessage)},
        {"unfinished line past the limit",
         {send(longLine), keepOpen()},
         {},
         "Max line length exceeded."},
        {"silent server",
         {send("HTTP/1.1 200 OK\r\n"), keepOpen()},
         {15s, 200ms, 120s},
         "Read timed out."},
        {"trickling server", trickle, {15s, 1s, 300ms}, "Read timed out."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedServer server(c.script);
        HttpClient client(c.timeouts);
        const std::string failure = failureOf(client, server.url());
        if (c.message == platform::resetMessage)
            EXPECT_TRUE(platform::givesTheReset(failure, "no failure")) << failure;
        else
            EXPECT_EQ(failure, c.message);
        EXPECT_FALSE(client.holdsOpenConnection());
    }
}

TEST(HttpClient, ConnectFailures) {
    RefusingPort refusing;
    UnansweredListener unanswered;
    HttpClient client({200ms, 30s, 120s});
    EXPECT_EQ(failureOf(client, "http://127.0.0.1:" + std::to_string(refusing.port()) + "/"),
              "Socket Error # 10061\r\nConnection refused.");
    EXPECT_EQ(failureOf(client, "http://127.0.0.1:" + std::to_string(unanswered.port()) + "/"),
              "Connect timed out.");
}

// The time-out says which of the client's bounds ran out and how long it was.
TEST(HttpClient, TimeoutsNameTheirWaitAndItsBound) {
    std::vector<Step> trickle = {send("HTTP/1.1 200 OK\r\n\r\n")};
    for (int i = 0; i < 200; ++i) {
        trickle.push_back(pause(20ms));
        trickle.push_back(send("x"));
    }
    using Wait = net::TimeoutError::Wait;
    struct Case {
        const char* name;
        std::vector<Step> script; // none: a listener that never accepts
        Timeouts timeouts;
        Wait wait;
        std::chrono::milliseconds limit;
    };
    const Case cases[] = {
        {"no connection", {}, {200ms, 30s, 120s}, Wait::Connect, 200ms},
        {"silent server",
         {send("HTTP/1.1 200 OK\r\n"), keepOpen()},
         {15s, 200ms, 120s},
         Wait::Idle,
         200ms},
        {"trickling server", trickle, {15s, 1s, 300ms}, Wait::Total, 300ms},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UnansweredListener unanswered;
        std::optional<ScriptedServer> server;
        if (!c.script.empty())
            server.emplace(c.script);
        HttpClient client(c.timeouts);
        try {
            client.getText(server ? server->url()
                                  : "http://127.0.0.1:" + std::to_string(unanswered.port()) + "/");
            ADD_FAILURE() << "no failure";
        } catch (const net::TimeoutError& timeout) {
            EXPECT_EQ(timeout.wait(), c.wait);
            EXPECT_EQ(timeout.limit(), c.limit);
        }
    }
}

TEST(HttpClient, CookiesOfEveryHeadAreStoredWithTheAddress) {
    ScriptedServer server({send("HTTP/1.1 100 Continue\r\nSet-Cookie: early=1\r\n\r\n"
                                "HTTP/1.1 200 OK\r\nSet-Cookie: late=2; Path=/\r\n\r\n")});
    HttpClient client;
    const std::string address = server.url();
    client.getText(address);
    EXPECT_EQ(client.cookies().cookies(),
              (std::vector<Cookie>{{"early", "1", address}, {"late", "2", address}}));
}

} // namespace
} // namespace tarvenne::http
