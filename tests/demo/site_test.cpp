#include "demo_site.h"
#include "directory/fetch_game_record.h"
#include "http/http_client.h"
#include "pages.h"

#include <chrono>
#include <condition_variable>
#include <gtest/gtest.h>
#include <httplib.h>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tarvenne::demo {
namespace {

class DemoSiteTest : public ::testing::Test {
protected:
    DemoSiteTest()
        : site_(0, 0,
                [this](std::string_view line) {
                    const std::lock_guard lock{logMutex_};
                    log_.emplace_back(line);
                    logged_.notify_all();
                }),
          client_("127.0.0.1", site_.sitePort()) {}

    // Signs in and returns the session token that the site set.
    std::string signIn(const std::string& account) {
        const auto reply =
            client_.Post("/login", httplib::Params{{"account", account}, {"password", "ember"}});
        EXPECT_EQ(reply->status, 303);
        EXPECT_EQ(reply->get_header_value("Location"), "/lobby.html");
        const auto token = cookieValue(reply->get_header_value("Set-Cookie"), "tarvenne_session");
        EXPECT_TRUE(token && !token->empty());
        return token.value_or("");
    }

    httplib::Result getWithSession(const std::string& path, const std::string& token) {
        return client_.Get(path, {{"Cookie", "theme=dark; tarvenne_session=" + token}});
    }

    // The log once it holds `count` lines: the site logs a request after answering it.
    std::vector<std::string> log(std::size_t count) {
        std::unique_lock lock{logMutex_};
        logged_.wait_for(lock, std::chrono::seconds(5), [&] { return log_.size() >= count; });
        return log_;
    }

    std::mutex logMutex_;
    std::condition_variable logged_;
    std::vector<std::string> log_;
    DemoSite site_;
    httplib::Client client_;
};

TEST_F(DemoSiteTest, UpdateDocumentLeadsTheLauncherToTheSiteInEveryAsciiCodePage) {
    const auto address =
        "http://127.0.0.1:" + std::to_string(site_.directoryPort()) + "/update.html";
    const auto site = site_.siteAddress();
    for (const text::CodePage codePage : {1252, 1251, 932, 936, 65001}) {
        SCOPED_TRACE(codePage);
        http::HttpClient http;
        const auto entry = directory::fetchGameRecord(http, address, codePage, std::nullopt);
        ASSERT_TRUE(entry);
        EXPECT_EQ(entry->siteAddress, std::u16string(site.begin(), site.end()));
        EXPECT_EQ(entry->loginPage, u"login.html");
        EXPECT_EQ(entry->title, u"Tarvenne: Ashen Crown");
    }
}

TEST_F(DemoSiteTest, LoginPageOpensHelpInANewWindowWithoutTheHandOffMarker) {
    const auto reply = client_.Get("/login.html");
    ASSERT_EQ(reply->status, 200);
    EXPECT_NE(reply->body.find(R"(<form method="post" action="/login")"), std::string::npos);
    EXPECT_NE(reply->body.find(R"(href="/help.html" target="_blank")"), std::string::npos);
    EXPECT_EQ(reply->body.find("me.php?FQ"), std::string::npos);
    EXPECT_EQ(reply->body.find("{{"), std::string::npos);
}

TEST_F(DemoSiteTest, SignInRefusesIncompleteOrOverlongAccounts) {
    struct Case {
        const char* name;
        httplib::Params form;
        const char* notice;
    };
    const Case cases[] = {
        {"no account", {{"password", "x"}}, "Enter your account name and password."},
        {"no password", {{"account", "Ada"}}, "Enter your account name and password."},
        {"25 characters",
         {{"account", std::string(25, 'a')}, {"password", "x"}},
         "Account names have at most 24 characters."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto reply = client_.Post("/login", c.form);
        ASSERT_EQ(reply->status, 200);
        EXPECT_FALSE(reply->has_header("Set-Cookie"));
        EXPECT_NE(reply->body.find(c.notice), std::string::npos);
    }
}

TEST_F(DemoSiteTest, SignedInPlayerGetsALobbyWhosePlayLinkHandsOffToTheGame) {
    const auto token = signIn("<b>Ada</b> & \"Co\"");
    const auto lobby = getWithSession("/lobby.html", token);
    ASSERT_EQ(lobby->status, 200);
    EXPECT_NE(lobby->body.find("&lt;b&gt;Ada&lt;/b&gt; &amp; &quot;Co&quot;"), std::string::npos);
    EXPECT_EQ(lobby->body.find("<b>Ada"), std::string::npos);
    EXPECT_NE(lobby->body.find(R"(href="/game/me.php?FQ=1" target="_blank">Play</a>)"),
              std::string::npos);

    const auto game = getWithSession("/game/me.php?FQ=1", token);
    ASSERT_EQ(game->status, 200);
    EXPECT_NE(game->body.find("<canvas"), std::string::npos);
    EXPECT_NE(game->body.find(R"(<code id="session">)" + token + "</code>"), std::string::npos);
}

TEST_F(DemoSiteTest, PagesBehindTheSignInSendStrangersToTheLoginPage) {
    for (const auto* path : {"/lobby.html", "/game/me.php?FQ=1"}) {
        SCOPED_TRACE(path);
        const auto expectLoginPage = [](const httplib::Result& reply) {
            EXPECT_EQ(reply->status, 303);
            EXPECT_EQ(reply->get_header_value("Location"), "/login.html");
        };
        expectLoginPage(client_.Get(path));
        expectLoginPage(getWithSession(path, "forged"));
    }
}

TEST_F(DemoSiteTest, SigningOutEndsTheSession) {
    const auto token = signIn("Ada");
    EXPECT_EQ(getWithSession("/logout", token)->status, 303);
    EXPECT_EQ(getWithSession("/lobby.html", token)->status, 303);
}

TEST_F(DemoSiteTest, LogsEveryAnsweredRequestWithItsSession) {
    const auto token = signIn("Ada");
    log(1);
    getWithSession("/loaded?page=game", token);
    log(2);
    httplib::Client("127.0.0.1", site_.directoryPort()).Get("/update.html");

    const auto lines = log(3);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(lines[0].ends_with(" site POST /login 303")) << lines[0];
    EXPECT_TRUE(lines[1].ends_with(" site GET /loaded?page=game 204 session=" + token)) << lines[1];
    EXPECT_TRUE(lines[2].ends_with(" directory GET /update.html 200")) << lines[2];
    EXPECT_EQ(lines[2].find('.'), 10u) << "seconds since the epoch with microseconds";
}

TEST(DemoSite, RefusesAPortThatIsTaken) {
    const DemoSite first{0, 0, [](std::string_view) {}};
    EXPECT_THROW((DemoSite{first.directoryPort(), 0, [](std::string_view) {}}), std::runtime_error);
    EXPECT_THROW((DemoSite{0, first.sitePort(), [](std::string_view) {}}), std::runtime_error);
}

TEST(CookieValue, FindsTheNamedCookieOnly) {
    struct Case {
        const char* header;
        std::optional<std::string> value;
    };
    const Case cases[] = {
        {"tarvenne_session=abc", "abc"},
        {"theme=dark; tarvenne_session=abc; lang=en", "abc"},
        {"theme=dark;tarvenne_session=abc", "abc"},
        {"old_tarvenne_session=abc", std::nullopt},
        {"tarvenne_session_old=abc", std::nullopt},
        {"tarvenne_session=", ""},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.header);
        EXPECT_EQ(cookieValue(c.header, "tarvenne_session"), c.value);
    }
}

// A site started with the busy game sends Play to a page that asks for the realm's state every
// 50 ms; each tick's state is fresh, never cached, and the same for the same tick.
TEST(DemoSiteBusyGameTest, PlayOpensAGameThatPollsTheRealmsState) {
    DemoSite site{0, 0, [](std::string_view) {}, std::chrono::milliseconds{0},
                  DemoSite::GamePage::Busy};
    httplib::Client client("127.0.0.1", site.sitePort());
    const auto signedIn =
        client.Post("/login", httplib::Params{{"account", "Ada"}, {"password", "ember"}});
    const auto token = cookieValue(signedIn->get_header_value("Set-Cookie"), "tarvenne_session");
    ASSERT_TRUE(token);
    const auto game = client.Get("/game/me.php?FQ=1", {{"Cookie", "tarvenne_session=" + *token}});
    ASSERT_EQ(game->status, 200);
    EXPECT_NE(game->body.find(R"(fetch("/game/tick?n=" + tick++)"), std::string::npos);
    EXPECT_NE(game->body.find("}, 50);"), std::string::npos);
    EXPECT_EQ(game->body.find("{{"), std::string::npos);

    const auto first = client.Get("/game/tick?n=41");
    const auto again = client.Get("/game/tick?n=41");
    const auto next = client.Get("/game/tick?n=42");
    ASSERT_EQ(first->status, 200);
    EXPECT_EQ(first->get_header_value("Content-Type"), "application/json");
    EXPECT_EQ(first->get_header_value("Cache-Control"), "no-store");
    EXPECT_TRUE(first->body.starts_with(R"({"tick":41,"units":[{"name":"Warden 1",)"))
        << first->body;
    EXPECT_TRUE(first->body.ends_with("}]}")) << first->body;
    EXPECT_EQ(first->body, again->body);
    EXPECT_NE(first->body, next->body);
}

// A site started with a directory delay answers the update document no sooner than that after
// the request, as a directory server across the internet would.
TEST(DemoSiteDelayTest, DirectoryServerAnswersAfterItsDelay) {
    constexpr std::chrono::milliseconds delay{150};
    DemoSite site{0, 0, [](std::string_view) {}, delay};
    httplib::Client directory("127.0.0.1", site.directoryPort());
    const auto asked = std::chrono::steady_clock::now();
    const auto reply = directory.Get("/update.html");
    const auto answered = std::chrono::steady_clock::now();
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->status, 200);
    EXPECT_NE(reply->body.find("Tarvenne"), std::string::npos);
    EXPECT_GE(answered - asked, delay);
}

} // namespace
} // namespace tarvenne::demo
