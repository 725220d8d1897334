// Peak memory of `tarvenne-directory` fetching and choosing from crafted update documents, each
// run in a fresh process whose peak resident size comes from wait4(). The documents are served
// from this process on loopback, so that only the fetching process is measured. A document of
// the game's record alone gives the process's own base. Every case runs `runs` times, the cases
// taking turns; the medians are printed with the machine's load.
// Usage: directory_fetch_peak_memory [runs]
#include "framed_reply.h"
#include "scripted_server.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace tarvenne;

constexpr std::size_t MiB = 1024 * 1024;
const std::string gameRecord = "Tarvenne|http://login.example.net/|index.php|Tarvenne";

// `count` records of other games padded to `size` bytes in all, then the game's record.
std::string ordinaryRecords(std::size_t size, int count) {
    const std::size_t recordSize = (size - gameRecord.size()) / static_cast<std::size_t>(count);
    std::string document;
    document.reserve(size);
    for (int i = 0; i < count; ++i) {
        std::string record = "Game" + std::to_string(i) + "|http://s" + std::to_string(i) +
                             ".example.net/|login.php|Realm+%C4%E3+";
        record.resize(recordSize - 1, 'x');
        document += record + "^";
    }
    document.resize(size - gameRecord.size() - 1, 'x');
    return document + "^" + gameRecord;
}

// One-letter records ("x^x^..."), then the game's record.
std::string tinyRecords(std::size_t size) {
    std::string document;
    document.reserve(size);
    while (document.size() + 2 + gameRecord.size() <= size)
        document += "x^";
    document.resize(size - gameRecord.size(), '^');
    return document + gameRecord;
}

// The game's record followed by one-letter fields ("|x|x...") up to `size` bytes.
std::string manyFields(std::size_t size) {
    std::string document = gameRecord;
    document.reserve(size);
    while (document.size() + 2 <= size)
        document += "|x";
    document.resize(size, '|');
    return document;
}

struct Case {
    std::string name;
    std::string body;
    bench::Framing framing = bench::Framing::ContentLength;
};

long loadAverageTimes100() {
    std::ifstream file("/proc/loadavg");
    double load = 0;
    file >> load;
    return static_cast<long>(load * 100);
}

// Runs `tarvenne-directory URL`: its peak resident KiB, or -1 when it did not print the record.
long runTool(const std::string& url) {
    int output[2];
    if (::pipe(output) < 0)
        return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(output[1], STDOUT_FILENO);
        ::close(output[0]);
        ::close(output[1]);
        ::execl(TARVENNE_DIRECTORY_TOOL, TARVENNE_DIRECTORY_TOOL, url.c_str(), nullptr);
        std::_Exit(127);
    }
    ::close(output[1]);
    std::string printed;
    char buffer[4096];
    for (ssize_t n; (n = ::read(output[0], buffer, sizeof buffer)) > 0;)
        printed.append(buffer, static_cast<std::size_t>(n));
    ::close(output[0]);
    int status = 0;
    rusage usage{};
    if (::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0 || printed.find("dns: http://login.example.net/") != 0)
        return -1;
    return usage.ru_maxrss;
}

// A process forked while this one is still small starts the tool for each URL it is sent: a
// process counts the peak of the process it was forked from, so the tool must not be forked
// from the one holding the documents.
class ToolRunner {
public:
    ToolRunner() {
        int requests[2], answers[2];
        if (::pipe(requests) < 0 || ::pipe(answers) < 0)
            std::abort();
        if (::fork() == 0) {
            ::close(requests[1]);
            ::close(answers[0]);
            serve(requests[0], answers[1]);
        }
        ::close(requests[0]);
        ::close(answers[1]);
        requests_ = requests[1];
        answers_ = answers[0];
    }
    ~ToolRunner() {
        ::close(requests_);
        ::close(answers_);
        ::wait(nullptr);
    }
    ToolRunner(const ToolRunner&) = delete;
    ToolRunner& operator=(const ToolRunner&) = delete;

    long peakOfOneRun(const std::string& url) {
        const std::size_t length = url.size();
        long peak = -1;
        if (::write(requests_, &length, sizeof length) != sizeof length ||
            ::write(requests_, url.data(), length) != static_cast<ssize_t>(length) ||
            ::read(answers_, &peak, sizeof peak) != sizeof peak)
            return -1;
        return peak;
    }

private:
    [[noreturn]] static void serve(int requests, int answers) {
        std::size_t length = 0;
        while (::read(requests, &length, sizeof length) == sizeof length) {
            std::string url(length, '\0');
            if (::read(requests, url.data(), length) != static_cast<ssize_t>(length))
                break;
            const long peak = runTool(url);
            if (::write(answers, &peak, sizeof peak) != sizeof peak)
                break;
        }
        std::_Exit(0);
    }

    int requests_ = -1;
    int answers_ = -1;
};

long median(std::vector<long> values) {
    std::ranges::sort(values);
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    ToolRunner runner;
    std::vector<Case> cases;
    cases.push_back({"the game's record alone (base)", gameRecord});
    cases.push_back({"16 MiB of ordinary records (100,000)", ordinaryRecords(16 * MiB, 100'000)});
    cases.push_back({"16 MiB of one-letter records", tinyRecords(16 * MiB)});
    cases.push_back({"64 MiB of one-letter records", tinyRecords(64 * MiB)});
    cases.push_back({"64 MiB, the game's record with 32 million fields", manyFields(64 * MiB)});
    cases.push_back(
        {"16 MiB of ordinary records, chunked", cases[1].body, bench::Framing::Chunked});
    cases.push_back(
        {"16 MiB of ordinary records, until close", cases[1].body, bench::Framing::UntilClose});

    std::vector<std::unique_ptr<testing::ScriptedServer>> servers;
    for (Case& served : cases) {
        servers.push_back(std::make_unique<testing::ScriptedServer>(
            std::vector{testing::send(bench::framedReply(served.framing, served.body))}));
    }

    const long loadBefore = loadAverageTimes100();
    std::vector<std::vector<long>> peaks(cases.size());
    for (int run = 0; run < runs; ++run) {
        for (std::size_t i = 0; i < cases.size(); ++i) {
            const long peak = runner.peakOfOneRun(servers[i]->url());
            if (peak < 0) {
                std::printf("%s: the tool did not print the game's record\n",
                            cases[i].name.c_str());
                return 1;
            }
            peaks[i].push_back(peak);
        }
    }
    const long loadAfter = loadAverageTimes100();

    std::printf("Peak resident memory of tarvenne-directory, median of %d fresh processes each\n",
                runs);
    std::printf("(load average %.2f before, %.2f after)\n\n", loadBefore / 100.0,
                loadAfter / 100.0);
    std::printf("| document | body | peak | per body byte | over the base, per body byte |\n");
    std::printf("|---|---|---|---|---|\n");
    const long base = median(peaks[0]);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const long peak = median(peaks[i]);
        const double bodyKiB = static_cast<double>(cases[i].body.size()) / 1024.0;
        if (i == 0) {
            std::printf("| %s | %zu B | %.1f MiB | | |\n", cases[i].name.c_str(),
                        cases[i].body.size(), peak / 1024.0);
            continue;
        }
        std::printf("| %s | %.0f MiB | %.1f MiB | %.2f | %.2f |\n", cases[i].name.c_str(),
                    bodyKiB / 1024.0, peak / 1024.0, static_cast<double>(peak) / bodyKiB,
                    static_cast<double>(peak - base) / bodyKiB);
    }
    return 0;
}
