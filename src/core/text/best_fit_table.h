#pragma once

#include "text/code_page.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tarvenne::text {

// A character that a code page lacks and the look-alike that Windows writes for it instead of
// the default character, for example "A" for U+0100 in code page 1252.
struct BestFit {
    char16_t unit;
    std::uint16_t code; // one byte, or the lead byte times 256 plus the trail byte
};

// The best-fit table of an ANSI code page, sorted by unit; empty for any other page. The span
// itself lives as long as the program.
const std::span<const BestFit>& bestFitTable(CodePage codePage);

// The bytes that `table` gives for `unit`, if it names the unit.
std::optional<std::string> bestFitBytes(std::span<const BestFit> table, char16_t unit);

} // namespace tarvenne::text
