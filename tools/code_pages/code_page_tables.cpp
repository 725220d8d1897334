// code-page-tables: writes, from this platform's own conversion of text to code pages, the
// best-fit tables of the ANSI code pages and the whole encoding table of one page.
//
//   code-page-tables best-fit OUTPUT         every ANSI page's best-fit entries, as C++
//   code-page-tables reference PAGE OUTPUT   what each UTF-16 unit becomes in PAGE, as C++
#include "text/ansi_code_pages.h"
#include "text/conversion.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

using tarvenne::text::CodePage;

constexpr std::uint32_t unitCount = 0x10000;

// The bytes as one number: one byte, or the lead byte times 256 plus the trail byte.
std::uint32_t codeOf(const std::string& bytes) {
    std::uint32_t code = 0;
    for (const char byte : bytes)
        code = code * 256 + static_cast<unsigned char>(byte);
    return code;
}

std::string hex(std::uint32_t value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, static_cast<unsigned>(value));
    return text;
}

std::string bytesOf(char16_t unit, CodePage codePage) {
    return tarvenne::text::encode(std::u16string(1, unit), codePage);
}

// A character written as bytes that read back as another character: the page lacks it, and
// the conversion writes a look-alike rather than the default character.
bool isBestFit(char16_t unit, const std::string& bytes, CodePage codePage) {
    return bytes != "?" && tarvenne::text::decode(bytes, codePage) != std::u16string(1, unit);
}

std::string header(std::string_view what) {
    return "// " + std::string(what) +
           ".\n// Written by code-page-tables (tools/code_pages) from the Windows conversion, with "
           "the\n// command in tools/code_pages/CMakeLists.txt. Do not edit.\n";
}

std::string bestFitTables() {
    std::string out = header("The best-fit tables of the ANSI code pages");
    std::string index = "constexpr PageBestFits pageBestFits[] = {\n";
    for (const CodePage codePage : tarvenne::text::ansiCodePages) {
        const std::string name = "bestFit" + std::to_string(codePage);
        out += "constexpr BestFit " + name + "[] = {\n";
        int onLine = 0;
        for (std::uint32_t unit = 0; unit < unitCount; ++unit) {
            const auto character = static_cast<char16_t>(unit);
            const std::string bytes = bytesOf(character, codePage);
            if (!isBestFit(character, bytes, codePage))
                continue;
            out += (onLine == 0 ? "    " : " ") + std::string("{") + hex(unit, 4) + ", " +
                   hex(codeOf(bytes), bytes.size() * 2) + "},";
            if (++onLine == 5) {
                out += "\n";
                onLine = 0;
            }
        }
        out += onLine == 0 ? "};\n" : "\n};\n";
        index += "    {" + std::to_string(codePage) + ", " + name + "},\n";
    }
    return out + index + "};\n";
}

// Runs of units whose codes go up one by one, or stay the default character: {first unit,
// count, first code, step}.
std::string referenceTable(CodePage codePage) {
    std::string out =
        header("What each UTF-16 unit becomes in code page " + std::to_string(codePage)) +
        "// {first unit, units, code of the first, 1: codes go up one by one, 0: "
        "all the same}\n";
    std::vector<std::string> bytes(unitCount);
    for (std::uint32_t unit = 0; unit < unitCount; ++unit)
        bytes[unit] = bytesOf(static_cast<char16_t>(unit), codePage);
    for (std::uint32_t unit = 0; unit < unitCount;) {
        const std::string& first = bytes[unit];
        const int step = first == "?" ? 0 : 1;
        std::uint32_t count = 1;
        while (unit + count < unitCount && bytes[unit + count].size() == first.size() &&
               codeOf(bytes[unit + count]) == codeOf(first) + step * count)
            ++count;
        out += "{" + hex(unit, 4) + ", " + std::to_string(count) + ", " +
               hex(codeOf(first), first.size() * 2) + ", " + std::to_string(step) + "},\n";
        unit += count;
    }
    return out;
}

int fail(std::string_view message) {
    std::cerr << "code-page-tables: " << message
              << "\nUsage: code-page-tables best-fit OUTPUT | reference PAGE OUTPUT\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    std::string table;
    std::string output;
    if (arguments.size() == 2 && arguments[0] == "best-fit") {
        table = bestFitTables();
        output = arguments[1];
    } else if (arguments.size() == 3 && arguments[0] == "reference") {
        const int codePage = std::atoi(std::string(arguments[1]).c_str());
        if (codePage <= 0)
            return fail("not a code page: " + std::string(arguments[1]));
        table = referenceTable(codePage);
        output = arguments[2];
    } else {
        return fail("wrong arguments");
    }
    std::ofstream file(output, std::ios::binary);
    file << table;
    if (!file.flush())
        return fail("cannot write " + output);
    return 0;
}
