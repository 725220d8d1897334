#include "entry_points.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <ostream>
#include <vector>

namespace tarvenne::fuzz {
namespace {

std::vector<std::uint8_t> contentsOf(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Target {
    const char* corpus;
    void (*entryPoint)(std::span<const std::uint8_t>);
};

void PrintTo(const Target& target, std::ostream* out) {
    *out << target.corpus;
}

class CorpusReplay : public ::testing::TestWithParam<Target> {};

// Every input that the target ever found, and the seeds, run without a broken rule or a crash.
TEST_P(CorpusReplay, EveryInputRunsCleanly) {
    const std::filesystem::path folder =
        std::filesystem::path(TARVENNE_FUZZ_CORPUS) / GetParam().corpus;
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        SCOPED_TRACE(entry.path().filename().string());
        const std::vector<std::uint8_t> input = contentsOf(entry.path());
        EXPECT_NO_THROW(GetParam().entryPoint(input));
        ++inputs;
    }
    EXPECT_GT(inputs, 0) << "no corpus in " << folder;
}

INSTANTIATE_TEST_SUITE_P(Targets, CorpusReplay,
                         ::testing::Values(Target{"reply", readReply},
                                           Target{"url_decode", decodeUrl},
                                           Target{"directory", chooseRecord},
                                           Target{"signature", checkSignature}),
                         [](const auto& info) { return std::string(info.param.corpus); });

} // namespace
} // namespace tarvenne::fuzz
