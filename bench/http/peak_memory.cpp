// Peak memory of the launcher's fetch and decoding of a 16 MiB update document, after the
// fetch and after the record choice. The reply is served from a child process, so that only
// the fetching process is measured. Usage:
// http_peak_memory [content-length|chunked|until-close]
#include "directory/choose_game_record.h"
#include "framed_reply.h"
#include "http/http_client.h"
#include "scripted_server.h"

#include <cstdio>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

using namespace tarvenne;

constexpr std::size_t bodySize = 16 * 1024 * 1024;

// Records of other games padded to bodySize bytes in all, the game's own record last.
std::string updateDocument() {
    const std::string last = "Tarvenne|http://login.example.net/|index.php|Tarvenne+%C4%E3";
    std::string document;
    document.reserve(bodySize);
    for (int i = 0; document.size() + 128 + last.size() < bodySize; ++i) {
        std::string record = "Game" + std::to_string(i) + "|http://s" + std::to_string(i) +
                             ".example.net/|login.php|Realm+%C4%E3+";
        record.resize(127, 'x');
        document += record + "^";
    }
    document.resize(bodySize - last.size() - 1, 'x');
    return document + "^" + last;
}

long peakKiB() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Serves the reply from a child process; the child's port comes through a pipe and the child
// ends when the parent closes the other pipe.
[[noreturn]] void serve(bench::Framing framing, int portPipe, int endPipe) {
    testing::ScriptedServer server({testing::send(bench::framedReply(framing, updateDocument()))});
    const std::uint16_t port = server.port();
    char ignored;
    if (::write(portPipe, &port, sizeof port) == sizeof port)
        while (::read(endPipe, &ignored, 1) > 0) {
        }
    std::_Exit(0);
}

} // namespace

int main(int argc, char** argv) {
    const std::string wanted = argc > 1 ? argv[1] : "content-length";
    bench::Framing framing = bench::Framing::ContentLength;
    for (const bench::Framing known : bench::framings)
        if (bench::nameOf(known) == wanted)
            framing = known;

    int portPipe[2], endPipe[2];
    if (::pipe(portPipe) < 0 || ::pipe(endPipe) < 0)
        return 2;
    if (::fork() == 0) {
        ::close(endPipe[1]);
        serve(framing, portPipe[1], endPipe[0]);
    }
    ::close(endPipe[0]);
    std::uint16_t port = 0;
    if (::read(portPipe[0], &port, sizeof port) != sizeof port)
        return 2;

    const long before = peakKiB();
    http::HttpClient client;
    http::ReplyBody body =
        client.getBody("http://127.0.0.1:" + std::to_string(port) + "/update.html");
    const long fetched = peakKiB();
    const auto entry =
        directory::chooseGameRecordFromBody(std::move(body.bytes), body.charset, 1252);
    const long decoded = peakKiB();
    ::close(endPipe[1]);
    if (!entry || entry->siteAddress != u"http://login.example.net/") {
        std::puts("the document did not give its last record");
        return 1;
    }
    const double bodyKiB = bodySize / 1024.0;
    std::printf("%s, body %.0f KiB, resident before the fetch %ld KiB\n",
                std::string(bench::nameOf(framing)).c_str(), bodyKiB, before);
    std::printf("  peak after the fetch:         %7ld KiB = %.2f x body\n", fetched,
                fetched / bodyKiB);
    std::printf("  peak after the record choice: %7ld KiB = %.2f x body\n", decoded,
                decoded / bodyKiB);
    return 0;
}
