// The operator tool `tarvenne-directory`, which makes the launcher's fetch and record choice,
// against `curl -s -o /dev/null` fetching the same 16 MiB update document from the same
// loopback server, in each framing: every run a fresh process, the two taking turns, medians of
// `runs` runs. Then the tool's decoding and choice alone (`--file`) on 1, 10 and 50 MiB, less
// its run on a document of one record, by wall time and by the process's CPU time (which a busy
// machine disturbs less). Usage: http_fetch_against_curl [runs [tool]], the tool being another
// build's tarvenne-directory in place of this build's.
#include "child_runner.h"
#include "framed_reply.h"
#include "scripted_server.h"
#include "update_document.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace tarvenne;

constexpr std::size_t mebibyte = 1024 * 1024;

struct Medians {
    double wallMs = 0;
    double cpuMs = 0;
    double peakMiB = 0;
};

Medians mediansOf(const std::vector<bench::ChildRun>& runs) {
    std::vector<double> walls, cpus, peaks;
    for (const bench::ChildRun& run : runs) {
        walls.push_back(run.wallMs);
        cpus.push_back(run.cpuMs);
        peaks.push_back(static_cast<double>(run.peakKiB) / 1024.0);
    }
    std::ranges::sort(walls);
    std::ranges::sort(cpus);
    std::ranges::sort(peaks);
    return {walls[walls.size() / 2], cpus[cpus.size() / 2], peaks[peaks.size() / 2]};
}

bool printedTheRecord(const bench::ChildRun& run) {
    return run.succeeded && bench::reportsGameRecord(run.output);
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    bench::ChildRunner runner;
    const std::string tool = argc > 2 ? argv[2] : TARVENNE_DIRECTORY_TOOL;
    const std::string loadBefore = bench::loadAverage();

    const std::string body = bench::ordinaryRecords(16 * mebibyte, 100'000);
    std::printf("Fetch of a 16 MiB update document on loopback, medians of %d fresh processes\n\n",
                runs);
    std::printf("| framing | tarvenne-directory | curl | ratio | peak memory, tool / curl |\n");
    std::printf("|---|---|---|---|---|\n");
    for (const bench::Framing framing : bench::framings) {
        testing::ScriptedServer server({testing::send(bench::framedReply(framing, body))});
        std::vector<bench::ChildRun> fetches, curls;
        for (int run = 0; run < runs; ++run) {
            fetches.push_back(runner.run({tool, server.url()}));
            curls.push_back(runner.run({"curl", "-s", "-o", "/dev/null", server.url()}));
            if (!printedTheRecord(fetches.back()) || !curls.back().succeeded) {
                std::printf("the tool or curl failed\n");
                return 1;
            }
        }
        const Medians fetch = mediansOf(fetches), curl = mediansOf(curls);
        std::printf("| %s | %.1f ms | %.1f ms | %.2f | %.1f / %.1f MiB |\n",
                    std::string(bench::nameOf(framing)).c_str(), fetch.wallMs, curl.wallMs,
                    fetch.wallMs / curl.wallMs, fetch.peakMiB, curl.peakMiB);
    }

    std::printf("\nDecoding and choice from a file (--file), medians of %d fresh processes\n\n",
                runs);
    std::printf("| document | run | less the one-record run | rate | CPU less the one-record run "
                "| rate by CPU |\n|---|---|---|---|---|---|\n");
    const std::string folder = "/tmp/tarvenne-decoding-" + std::to_string(::getpid());
    std::vector<std::pair<std::size_t, std::string>> files;
    for (const std::size_t size : {std::size_t{0}, 1 * mebibyte, 10 * mebibyte, 50 * mebibyte}) {
        const std::string path = folder + "-" + std::to_string(size);
        std::ofstream(path, std::ios::binary)
            << (size == 0 ? std::string(bench::gameRecord) : bench::ordinaryRecords(size, 6'000));
        files.emplace_back(size, path);
    }
    std::vector<std::vector<bench::ChildRun>> decodings(files.size());
    for (int run = 0; run < runs; ++run) {
        // The process after the largest document's pays for the memory that document gave back:
        // a run of the one-record document takes that turn, uncounted.
        runner.run({tool, "--file", files[0].second});
        for (std::size_t i = 0; i < files.size(); ++i) {
            decodings[i].push_back(runner.run({tool, "--file", files[i].second}));
            if (!printedTheRecord(decodings[i].back())) {
                std::printf("the tool failed on %s\n", files[i].second.c_str());
                return 1;
            }
        }
    }
    const Medians base = mediansOf(decodings[0]);
    for (std::size_t i = 1; i < files.size(); ++i) {
        const Medians decoding = mediansOf(decodings[i]);
        const double wallMs = decoding.wallMs - base.wallMs, cpuMs = decoding.cpuMs - base.cpuMs;
        const double megabytes = static_cast<double>(files[i].first) / 1e6;
        std::printf("| %zu MiB | %.1f ms | %.1f ms | %.0f MB/s | %.1f ms | %.0f MB/s |\n",
                    files[i].first / mebibyte, decoding.wallMs, wallMs,
                    megabytes / (wallMs / 1000.0), cpuMs, megabytes / (cpuMs / 1000.0));
    }
    for (const auto& file : files)
        std::remove(file.second.c_str());
    std::printf("\n(load average %s before, %s after)\n", loadBefore.c_str(),
                bench::loadAverage().c_str());
    return 0;
}
