#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvenne::bench {

// The game's record that every document below leads to.
inline constexpr std::string_view gameRecord =
    "Tarvenne|http://login.example.net/|index.php|Tarvenne";
// How the operator tool starts its report of that record, on the line after the one that names
// the address or file it read.
inline constexpr std::string_view gameRecordReport = "dns: http://login.example.net/";

// Whether the operator tool's output reports the game's record.
inline bool reportsGameRecord(std::string_view output) {
    const std::size_t firstLineEnd = output.find('\n');
    return firstLineEnd != std::string_view::npos &&
           output.substr(firstLineEnd + 1).starts_with(gameRecordReport);
}

// `count` records of other games padded to `size` bytes in all, then the game's record.
std::string ordinaryRecords(std::size_t size, int count);

// One-letter records ("x^x^..."), then the game's record: `size` bytes.
std::string oneLetterRecords(std::size_t size);

// The game's record followed by one-letter fields ("|x|x...") up to `size` bytes.
std::string manyFields(std::size_t size);

} // namespace tarvenne::bench
