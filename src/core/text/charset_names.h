#pragma once

#include "text/code_page.h"

#include <optional>
#include <span>
#include <string_view>

namespace tarvenne::text {

// A charset name that a reply may carry and the code page it selects.
struct CharsetName {
    std::string_view name;
    CodePage codePage;
};

// Every charset name that selects a code page; any other name is read as ISO-8859-1.
std::span<const CharsetName> knownCharsetNames();

// The code page that a charset name selects, compared without regard to case, or nothing
// for a name the launcher does not know.
std::optional<CodePage> codePageForCharset(std::string_view charsetName);

} // namespace tarvenne::text
