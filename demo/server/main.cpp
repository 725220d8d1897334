// tarvenne-demo-site: the bundled operator site on loopback, for trying the launcher without
// an operator. Serves the update document and the game's web site until it is interrupted,
// and writes one line per request to standard output.
#include "demo_site.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view usage =
    "Usage: tarvenne-demo-site [--directory-port PORT] [--site-port PORT] [--directory-delay MS]\n"
    "                          [--busy-game]\n"
    "Serves the update document on http://127.0.0.1:PORT/update.html (default 8888) and the\n"
    "game's site on another loopback port (default 8889). A port of 0 takes a free one.\n"
    "The directory server answers MS milliseconds after a request arrives (default 0, at most\n"
    "60000), as a server across the internet would.\n"
    "With --busy-game, Play opens a busy battle in place of the night over Vael: it asks the\n"
    "site for the realm's state every 50 ms, rebuilds part of its page with each answer and\n"
    "redraws its canvas at every frame (for the long-session benchmark).\n";

struct Options {
    int directoryPort = 8888;
    int sitePort = 8889;
    std::chrono::milliseconds directoryDelay{0};
    tarvenne::demo::DemoSite::GamePage gamePage = tarvenne::demo::DemoSite::GamePage::Night;
};

// The whole text as a decimal number from 0 to `largest`, or nothing.
std::optional<int> numberArgument(std::string_view text, int largest) {
    int number = 0;
    std::size_t used = 0;
    try {
        number = std::stoi(std::string{text}, &used);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    if (used != text.size() || number < 0 || number > largest) {
        return std::nullopt;
    }
    return number;
}

int portArgument(std::string_view text) {
    const auto port = numberArgument(text, 65535);
    if (!port) {
        throw std::invalid_argument("not a port number: " + std::string{text});
    }
    return *port;
}

std::chrono::milliseconds delayArgument(std::string_view text) {
    const auto delay = numberArgument(text, 60000);
    if (!delay) {
        throw std::invalid_argument("not a delay from 0 to 60000 ms: " + std::string{text});
    }
    return std::chrono::milliseconds{*delay};
}

Options parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help") {
            std::cout << usage;
            std::exit(0);
        }
        if (argument == "--busy-game") {
            options.gamePage = tarvenne::demo::DemoSite::GamePage::Busy;
            continue;
        }
        if (i + 1 == argc) {
            throw std::invalid_argument("unknown or incomplete option: " + std::string{argument});
        }
        if (argument == "--directory-port") {
            options.directoryPort = portArgument(argv[++i]);
        } else if (argument == "--site-port") {
            options.sitePort = portArgument(argv[++i]);
        } else if (argument == "--directory-delay") {
            options.directoryDelay = delayArgument(argv[++i]);
        } else {
            throw std::invalid_argument("unknown option: " + std::string{argument});
        }
    }
    return options;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    try {
        options = parse(argc, argv);
    } catch (const std::invalid_argument& error) {
        std::cerr << "tarvenne-demo-site: " << error.what() << "\n" << usage;
        return 2;
    }

    // The servers' threads inherit this mask, so only sigwait below sees the signals.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    std::mutex outputMutex;
    const auto print = [&outputMutex](std::string_view line) {
        const std::lock_guard lock{outputMutex};
        std::cout << line << std::endl;
    };
    try {
        tarvenne::demo::DemoSite site{options.directoryPort, options.sitePort, print,
                                      options.directoryDelay, options.gamePage};
        print("directory http://127.0.0.1:" + std::to_string(site.directoryPort()) +
              "/update.html");
        print("site " + site.siteAddress() + "login.html");
        int signal = 0;
        sigwait(&stopSignals, &signal);
        print("stopping");
    } catch (const std::runtime_error& error) {
        std::cerr << "tarvenne-demo-site: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
