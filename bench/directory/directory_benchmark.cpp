// Decoding of a 10 MiB update document of 100,000 records and the choice of its last record:
// the launcher's whole work between the reply body and the login window's three values.
#include "directory/choose_game_record.h"
#include "text/code_page.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>

namespace {

using namespace tarvenne;

constexpr std::size_t documentSize = 10 * 1024 * 1024;
constexpr int recordCount = 100'000;

// Records of other games, each padded so that the whole document is exactly documentSize bytes,
// with the game's own record last.
std::string updateDocument() {
    const std::string last = "Tarvenne|http://login.example.net/|index.php|Tarvenne+%C4%E3";
    const std::size_t otherSize = (documentSize - last.size()) / (recordCount - 1);
    std::size_t remainder = documentSize - last.size() - otherSize * (recordCount - 1);
    std::string document;
    document.reserve(documentSize);
    char head[128];
    for (int i = 0; i < recordCount - 1; ++i) {
        const int length =
            std::snprintf(head, sizeof head,
                          "Game%06d|http://s%06d.example.net/|login.php|Realm+%%C4%%E3+", i, i);
        std::string record(head, static_cast<std::size_t>(length));
        const std::size_t size = otherSize + (remainder > 0 ? 1 : 0);
        remainder -= remainder > 0 ? 1 : 0;
        record.resize(size - 1, 'x');
        document += record;
        document += '^';
    }
    document += last;
    return document;
}

void chooseLastRecord(benchmark::State& state) {
    const auto ansiCodePage = static_cast<text::CodePage>(state.range(0));
    const std::string body = updateDocument();
    const auto entry = directory::chooseGameRecordFromBody(ByteBuffer(body), "", ansiCodePage);
    if (body.size() != documentSize || !entry ||
        entry->siteAddress != u"http://login.example.net/") {
        state.SkipWithError("the document does not give its last record");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            directory::chooseGameRecordFromBody(ByteBuffer(body), "", ansiCodePage));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * body.size()));
}

BENCHMARK(chooseLastRecord)->Arg(1252)->Arg(936)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
