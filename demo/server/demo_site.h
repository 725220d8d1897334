#pragma once

#include <chrono>
#include <functional>
#include <httplib.h>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace tarvenne::demo {

// The bundled operator site on loopback: the directory server with the update document, and
// the game's web site with its sign-in page, lobby, help page and game client.
class DemoSite {
public:
    // The game client that the Play link opens: the night over Vael, or a busy battle that asks
    // the site for the realm's state every 50 ms, for the long-session benchmark.
    enum class GamePage { Night, Busy };

    // Receives one line per answered request: its arrival time in seconds since the epoch (with
    // microseconds), server ("directory" or "site"), method, target, status, and the session
    // when the request carried one. Lines of overlapping requests may come in either order.
    using Log = std::function<void(std::string_view line)>;

    // Starts both servers on 127.0.0.1; a port of 0 takes a free one. The directory server
    // answers `directoryDelay` after a request arrives, as one across the internet would.
    // Throws std::runtime_error when a port cannot be bound.
    DemoSite(int directoryPort, int sitePort, Log log,
             std::chrono::milliseconds directoryDelay = std::chrono::milliseconds{0},
             GamePage gamePage = GamePage::Night);
    ~DemoSite();
    DemoSite(const DemoSite&) = delete;
    DemoSite& operator=(const DemoSite&) = delete;

    int directoryPort() const { return directoryPort_; }
    int sitePort() const { return sitePort_; }
    // The site's address prefix as the update document names it: "http://127.0.0.1:PORT/".
    std::string siteAddress() const;

private:
    void routeDirectory();
    void routeSite();
    void logRequests(httplib::Server& server, std::string_view name);
    std::string signIn(const std::string& player);
    std::string playerOf(const httplib::Request& request);

    Log log_;
    std::chrono::milliseconds directoryDelay_;
    GamePage gamePage_;
    httplib::Server directory_;
    httplib::Server site_;
    int directoryPort_ = 0;
    int sitePort_ = 0;
    std::mutex sessionsMutex_;
    std::map<std::string, std::string> players_; // session token -> player name
    std::thread directoryThread_;
    std::thread siteThread_;
};

} // namespace tarvenne::demo
