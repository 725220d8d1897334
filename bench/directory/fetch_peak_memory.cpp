// Peak memory of `tarvenne-directory` fetching and choosing from crafted update documents, each
// run in a fresh process. The documents are served from this process on loopback, so that only
// the fetching process is measured. A document of the game's record alone gives the process's
// own base. Every case runs `runs` times, the cases taking turns; the medians are printed with
// the machine's load. Usage: directory_fetch_peak_memory [runs [tool]], the tool being another
// build's tarvenne-directory in place of this build's.
#include "child_runner.h"
#include "framed_reply.h"
#include "scripted_server.h"
#include "update_document.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace tarvenne;

constexpr std::size_t mebibyte = 1024 * 1024;

struct Case {
    std::string name;
    std::string body;
    bench::Framing framing = bench::Framing::ContentLength;
};

long median(std::vector<long> values) {
    std::ranges::sort(values);
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const std::string tool = argc > 2 ? argv[2] : TARVENNE_DIRECTORY_TOOL;
    bench::ChildRunner runner;
    std::vector<Case> cases;
    cases.push_back({"the game's record alone (base)", std::string(bench::gameRecord)});
    cases.push_back(
        {"16 MiB of ordinary records (100,000)", bench::ordinaryRecords(16 * mebibyte, 100'000)});
    cases.push_back({"16 MiB of one-letter records", bench::oneLetterRecords(16 * mebibyte)});
    cases.push_back({"64 MiB of one-letter records", bench::oneLetterRecords(64 * mebibyte)});
    cases.push_back(
        {"64 MiB, the game's record with 32 million fields", bench::manyFields(64 * mebibyte)});
    cases.push_back(
        {"16 MiB of ordinary records, chunked", cases[1].body, bench::Framing::Chunked});
    cases.push_back(
        {"16 MiB of ordinary records, until close", cases[1].body, bench::Framing::UntilClose});

    std::vector<std::unique_ptr<testing::ScriptedServer>> servers;
    for (const Case& served : cases) {
        servers.push_back(std::make_unique<testing::ScriptedServer>(
            std::vector{testing::send(bench::framedReply(served.framing, served.body))}));
    }

    const std::string loadBefore = bench::loadAverage();
    std::vector<std::vector<long>> peaks(cases.size());
    for (int run = 0; run < runs; ++run) {
        for (std::size_t i = 0; i < cases.size(); ++i) {
            const bench::ChildRun child = runner.run({tool, servers[i]->url()});
            if (!child.succeeded || !bench::reportsGameRecord(child.output)) {
                std::printf("%s: the tool did not print the game's record\n",
                            cases[i].name.c_str());
                return 1;
            }
            peaks[i].push_back(child.peakKiB);
        }
    }

    std::printf("Peak resident memory of tarvenne-directory, median of %d fresh processes each\n",
                runs);
    std::printf("(load average %s before, %s after)\n\n", loadBefore.c_str(),
                bench::loadAverage().c_str());
    std::printf("| document | body | peak | per body byte | over the base, per body byte |\n");
    std::printf("|---|---|---|---|---|\n");
    const long base = median(peaks[0]);
    std::printf("| %s | %zu B | %.1f MiB | | |\n", cases[0].name.c_str(), cases[0].body.size(),
                static_cast<double>(base) / 1024.0);
    for (std::size_t i = 1; i < cases.size(); ++i) {
        const long peak = median(peaks[i]);
        const double bodyKiB = static_cast<double>(cases[i].body.size()) / 1024.0;
        std::printf("| %s | %.0f MiB | %.1f MiB | %.2f | %.2f |\n", cases[i].name.c_str(),
                    bodyKiB / 1024.0, static_cast<double>(peak) / 1024.0,
                    static_cast<double>(peak) / bodyKiB,
                    static_cast<double>(peak - base) / bodyKiB);
    }
    return 0;
}
