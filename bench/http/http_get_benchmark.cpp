// GET of a 16 MiB body from a loopback server in each framing, side by side with
// `curl -s -o /dev/null` fetching the same reply from the same server. Wall-clock times; the
// client/curl ratio of each framing is printed at the end.
#include "framed_reply.h"
#include "http/http_client.h"
#include "scripted_server.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <memory>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

using namespace tarvenne;
using bench::Framing;

constexpr std::size_t bodySize = 16 * 1024 * 1024;

std::string clientName(Framing framing) {
    return "GET/" + std::string(bench::nameOf(framing));
}
std::string curlName(Framing framing) {
    return "curl/" + std::string(bench::nameOf(framing));
}

// One server per framing, answering every connection with the same 16 MiB reply.
testing::ScriptedServer& serverFor(Framing framing) {
    static std::map<Framing, std::unique_ptr<testing::ScriptedServer>> servers;
    auto& server = servers[framing];
    if (!server) {
        const std::string body(bodySize, 'a');
        server = std::make_unique<testing::ScriptedServer>(
            std::vector{testing::send(bench::framedReply(framing, body))});
    }
    return *server;
}

void getWithClient(benchmark::State& state, Framing framing) {
    const std::string url = serverFor(framing).url();
    for (auto _ : state) {
        http::HttpClient client;
        if (client.getText(url).size() != bodySize) {
            state.SkipWithError("short body");
            return;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bodySize));
}

void getWithCurl(benchmark::State& state, Framing framing) {
    std::string url = serverFor(framing).url();
    char curl[] = "curl", silent[] = "-s", output[] = "-o", null[] = "/dev/null";
    char* arguments[] = {curl, silent, output, null, url.data(), nullptr};
    for (auto _ : state) {
        pid_t child = 0;
        int status = 0;
        if (::posix_spawnp(&child, "curl", nullptr, nullptr, arguments, environ) != 0 ||
            ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
            WEXITSTATUS(status) != 0) {
            state.SkipWithError("curl failed");
            return;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bodySize));
}

// The console report, followed by the GET/curl ratio of the real times of each framing.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        // The median of repetitions where there are some, else the one run.
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            if ((median || single) && !run.error_occurred)
                realTimes_[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const Framing framing : bench::framings) {
            const auto client = realTimes_.find(clientName(framing));
            const auto curl = realTimes_.find(curlName(framing));
            if (client != realTimes_.end() && curl != realTimes_.end())
                std::printf("GET/curl real time, %-15s %.2f\n",
                            std::string(bench::nameOf(framing)).c_str(),
                            client->second / curl->second);
        }
    }

private:
    std::map<std::string, double> realTimes_;
};

} // namespace

int main(int argc, char** argv) {
    for (const Framing framing : bench::framings) {
        benchmark::RegisterBenchmark(clientName(framing).c_str(), getWithClient, framing)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(curlName(framing).c_str(), getWithCurl, framing)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
