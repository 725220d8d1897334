#include "demo_site.h"

#include "pages.h"
#include "site_files.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <random>
#include <stdexcept>

namespace tarvenne::demo {

namespace {

constexpr const char* Loopback = "127.0.0.1";
constexpr std::string_view sessionCookie = "tarvenne_session";
constexpr std::size_t maxAccountName = 24;
// Files served as they are; the other site files are templates filled per request.
constexpr std::array<std::string_view, 4> PlainFiles = {"style.css", "emblem.svg", "help.html",
                                                        "game.js"};

std::string_view file(std::string_view name) {
    const auto contents = siteFile(name);
    if (!contents) {
        throw std::logic_error("missing site file " + std::string{name});
    }
    return *contents;
}

int bindLoopback(httplib::Server& server, int port) {
    // SO_REUSEADDR alone: the library's default SO_REUSEPORT would let a second site share
    // the port and take part of the requests.
    server.set_socket_options([](socket_t socket) {
        const int yes = 1;
        setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    const int bound = port == 0                             ? server.bind_to_any_port(Loopback)
                      : server.bind_to_port(Loopback, port) ? port
                                                            : -1;
    if (bound < 0) {
        throw std::runtime_error("cannot listen on 127.0.0.1 port " + std::to_string(port) +
                                 ": it is taken or not allowed");
    }
    return bound;
}

std::string newToken() {
    std::random_device random;
    std::string token;
    for (int i = 0; i < 4; ++i) {
        std::array<char, 9> hex{};
        std::snprintf(hex.data(), hex.size(), "%08x", random());
        token += hex.data();
    }
    return token;
}

std::string loginPage(std::string_view notice, std::string_view account) {
    return fillTemplate(file("login.html"),
                        {{"notice", htmlEscape(notice)}, {"account", htmlEscape(account)}});
}

// Arrival time of the request that this worker thread is answering.
thread_local std::optional<std::int64_t> arrival;

std::int64_t microsecondsSinceEpoch() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// The realm's state at tick `n` as the busy game page asks for it: the tick and 24 wardens, each
// with a name, health and a position on a 1000 by 1000 field, moving from tick to tick.
std::string realmState(std::string_view n) {
    unsigned long tick = 0;
    for (const char digit : n.substr(0, 9)) {
        if (digit < '0' || digit > '9') {
            break;
        }
        tick = tick * 10 + static_cast<unsigned long>(digit - '0');
    }
    std::string state = "{\"tick\":" + std::to_string(tick) + ",\"units\":[";
    for (unsigned long unit = 0; unit < 24; ++unit) {
        state += (unit == 0 ? "" : ",");
        state += "{\"name\":\"Warden " + std::to_string(unit + 1) +
                 "\",\"health\":" + std::to_string((tick * 7 + unit * 13) % 100) +
                 ",\"x\":" + std::to_string((tick * 3 + unit * 131) % 1000) +
                 ",\"y\":" + std::to_string((tick * 5 + unit * 71) % 1000) + "}";
    }
    return state + "]}";
}

void noContent(const httplib::Request&, httplib::Response& response) {
    response.status = 204;
}

} // namespace

DemoSite::DemoSite(int directoryPort, int sitePort, Log log,
                   std::chrono::milliseconds directoryDelay, GamePage gamePage)
    : log_(std::move(log)), directoryDelay_(directoryDelay), gamePage_(gamePage) {
    directoryPort_ = bindLoopback(directory_, directoryPort);
    sitePort_ = bindLoopback(site_, sitePort);
    routeDirectory();
    routeSite();
    logRequests(directory_, "directory");
    logRequests(site_, "site");
    directoryThread_ = std::thread([this] { directory_.listen_after_bind(); });
    siteThread_ = std::thread([this] { site_.listen_after_bind(); });
    while (!directory_.is_running() || !site_.is_running()) {
        std::this_thread::yield();
    }
}

DemoSite::~DemoSite() {
    directory_.stop();
    site_.stop();
    directoryThread_.join();
    siteThread_.join();
}

std::string DemoSite::siteAddress() const {
    return "http://127.0.0.1:" + std::to_string(sitePort_) + "/";
}

void DemoSite::routeDirectory() {
    directory_.Get("/update.html", [this](const httplib::Request&, httplib::Response& response) {
        std::this_thread::sleep_for(directoryDelay_);
        response.set_content(fillTemplate(file("update.html"), {{"site", siteAddress()}}),
                             "text/html");
    });
}

void DemoSite::routeSite() {
    site_.Get("/", [](const httplib::Request&, httplib::Response& response) {
        response.set_redirect("/login.html", 303);
    });
    site_.Get("/login.html", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(loginPage("", ""), "text/html; charset=utf-8");
    });
    site_.Post("/login", [this](const httplib::Request& request, httplib::Response& response) {
        const auto account = request.get_param_value("account");
        if (account.empty() || request.get_param_value("password").empty()) {
            response.set_content(loginPage("Enter your account name and password.", account),
                                 "text/html; charset=utf-8");
            return;
        }
        if (account.size() > maxAccountName) {
            response.set_content(loginPage("Account names have at most 24 characters.", ""),
                                 "text/html; charset=utf-8");
            return;
        }
        response.set_header("Set-Cookie", std::string{sessionCookie} + "=" + signIn(account) +
                                              "; Path=/; HttpOnly; SameSite=Lax");
        response.set_redirect("/lobby.html", 303);
    });
    site_.Get("/logout", [this](const httplib::Request& request, httplib::Response& response) {
        if (const auto token = cookieValue(request.get_header_value("Cookie"), sessionCookie)) {
            const std::lock_guard lock{sessionsMutex_};
            players_.erase(*token);
        }
        response.set_header("Set-Cookie", std::string{sessionCookie} + "=; Path=/; Max-Age=0");
        response.set_redirect("/login.html", 303);
    });
    site_.Get("/lobby.html", [this](const httplib::Request& request, httplib::Response& response) {
        const auto player = playerOf(request);
        if (player.empty()) {
            response.set_redirect("/login.html", 303);
            return;
        }
        response.set_content(fillTemplate(file("lobby.html"), {{"player", htmlEscape(player)}}),
                             "text/html; charset=utf-8");
    });
    site_.Get("/game/me.php", [this](const httplib::Request& request, httplib::Response& response) {
        const auto player = playerOf(request);
        if (player.empty()) {
            response.set_redirect("/login.html", 303);
            return;
        }
        const auto token = cookieValue(request.get_header_value("Cookie"), sessionCookie);
        const auto page = gamePage_ == GamePage::Busy ? "busy-game.html" : "game.html";
        response.set_content(fillTemplate(file(page), {{"player", htmlEscape(player)},
                                                       {"session", htmlEscape(*token)}}),
                             "text/html; charset=utf-8");
    });
    site_.Get("/game/tick", [](const httplib::Request& request, httplib::Response& response) {
        response.set_header("Cache-Control", "no-store");
        response.set_content(realmState(request.get_param_value("n")), "application/json");
    });
    site_.Get("/game/warmup", noContent);
    site_.Get("/loaded", noContent);
    for (const auto name : PlainFiles) {
        site_.Get("/" + std::string{name},
                  [name](const httplib::Request&, httplib::Response& response) {
                      response.set_content(std::string{file(name)}, std::string{contentType(name)});
                  });
    }
}

void DemoSite::logRequests(httplib::Server& server, std::string_view name) {
    // A request is routed and logged on the one worker thread that read it.
    server.set_pre_routing_handler([](const httplib::Request&, httplib::Response&) {
        arrival = microsecondsSinceEpoch();
        return httplib::Server::HandlerResponse::Unhandled;
    });
    server.set_logger(
        [this, name](const httplib::Request& request, const httplib::Response& response) {
            const auto time = arrival.value_or(microsecondsSinceEpoch());
            arrival.reset();
            std::array<char, 32> stamp{};
            std::snprintf(stamp.data(), stamp.size(), "%lld.%06lld",
                          static_cast<long long>(time / 1000000),
                          static_cast<long long>(time % 1000000));
            auto line = std::string{stamp.data()} + " " + std::string{name} + " " + request.method +
                        " " + request.target + " " + std::to_string(response.status);
            if (const auto token = cookieValue(request.get_header_value("Cookie"), sessionCookie)) {
                line += " session=" + *token;
            }
            log_(line);
        });
}

std::string DemoSite::signIn(const std::string& player) {
    auto token = newToken();
    const std::lock_guard lock{sessionsMutex_};
    players_[token] = player;
    return token;
}

std::string DemoSite::playerOf(const httplib::Request& request) {
    const auto token = cookieValue(request.get_header_value("Cookie"), sessionCookie);
    if (!token) {
        return {};
    }
    const std::lock_guard lock{sessionsMutex_};
    const auto found = players_.find(*token);
    return found == players_.end() ? std::string{} : found->second;
}

} // namespace tarvenne::demo
