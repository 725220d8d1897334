#include "platform_expectations.h"
#include "text/conversion.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <span>
#include <string>

namespace tarvenne::text {
namespace {

// A run of UTF-16 units of a Windows encoding table: `count` units from `first` become the
// code `code` and, where `step` is 1, the codes after it one by one.
struct EncodingRun {
    std::uint32_t first;
    std::uint32_t count;
    std::uint32_t code; // one byte, or the lead byte times 256 plus the trail byte
    std::uint32_t step;
};

// What the Windows conversion writes for each unit, made by tools/code_pages under Wine.
constexpr EncodingRun encoding874[] = {
#include "windows_tables/encoding_874.inc"
};
constexpr EncodingRun encoding932[] = {
#include "windows_tables/encoding_932.inc"
};
constexpr EncodingRun encoding936[] = {
#include "windows_tables/encoding_936.inc"
};
constexpr EncodingRun encoding1250[] = {
#include "windows_tables/encoding_1250.inc"
};
constexpr EncodingRun encoding1251[] = {
#include "windows_tables/encoding_1251.inc"
};
constexpr EncodingRun encoding1252[] = {
#include "windows_tables/encoding_1252.inc"
};
constexpr EncodingRun encoding1253[] = {
#include "windows_tables/encoding_1253.inc"
};
constexpr EncodingRun encoding1254[] = {
#include "windows_tables/encoding_1254.inc"
};
constexpr EncodingRun encoding1255[] = {
#include "windows_tables/encoding_1255.inc"
};
constexpr EncodingRun encoding1256[] = {
#include "windows_tables/encoding_1256.inc"
};
constexpr EncodingRun encoding1257[] = {
#include "windows_tables/encoding_1257.inc"
};
constexpr EncodingRun encoding1258[] = {
#include "windows_tables/encoding_1258.inc"
};

struct PageTable {
    CodePage codePage;
    std::span<const EncodingRun> runs;
};

std::string bytesOf(std::uint32_t code) {
    if (code < 0x100)
        return std::string(1, static_cast<char>(code));
    return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

std::string hexOf(std::string_view bytes) {
    std::string hex;
    for (const char byte : bytes) {
        constexpr std::string_view digits = "0123456789ABCDEF";
        hex += digits[static_cast<unsigned char>(byte) >> 4];
        hex += digits[static_cast<unsigned char>(byte) & 0xF];
    }
    return hex;
}

// Every UTF-16 unit on its own, lone surrogates included, in every single-byte ANSI page and in
// two double-byte ones, as the Windows conversion writes it, with its best-fit table and its
// default character. Where this platform's tables differ from Windows' in the pages' mappings
// themselves, platform::windowsEncodingDifference names what is written here instead.
TEST(WindowsEncodingTable, EveryUnitOfTheBasicPlaneIsWrittenAsWindowsWritesIt) {
    const PageTable pages[] = {
        {874, encoding874},   {932, encoding932},   {936, encoding936},   {1250, encoding1250},
        {1251, encoding1251}, {1252, encoding1252}, {1253, encoding1253}, {1254, encoding1254},
        {1255, encoding1255}, {1256, encoding1256}, {1257, encoding1257}, {1258, encoding1258},
    };
    for (const PageTable& page : pages) {
        SCOPED_TRACE(page.codePage);
        std::uint32_t expectedUnit = 0;
        int mismatches = 0;
        for (const EncodingRun& run : page.runs) {
            ASSERT_EQ(run.first, expectedUnit) << "the runs leave a gap";
            for (std::uint32_t i = 0; i < run.count; ++i) {
                const auto unit = static_cast<char16_t>(run.first + i);
                const std::string windows = bytesOf(run.code + run.step * i);
                const std::string expected =
                    platform::windowsEncodingDifference(page.codePage, unit).value_or(windows);
                const std::string written = encode(std::u16string(1, unit), page.codePage);
                if (written != expected && ++mismatches <= 20) {
                    ADD_FAILURE() << "U+" << std::hex << std::uppercase
                                  << static_cast<unsigned>(unit) << ": " << hexOf(written)
                                  << " instead of " << hexOf(expected);
                }
            }
            expectedUnit = run.first + run.count;
        }
        EXPECT_EQ(expectedUnit, 0x10000u) << "the runs do not end at U+FFFF";
        EXPECT_EQ(mismatches, 0);
    }
}

} // namespace
} // namespace tarvenne::text
