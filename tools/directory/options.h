#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tarvenne::tools {

// What the operator asked for on the command line.
struct Options {
    std::string url;                 // the document's address, when no file is given
    std::optional<std::string> file; // a local document, read as a body without charset
    bool json = false;
};

// The options, or nothing when the arguments are not understood or help was asked for.
std::optional<Options> parseOptions(std::span<const std::string_view> arguments);

extern const std::string_view usage;

} // namespace tarvenne::tools
