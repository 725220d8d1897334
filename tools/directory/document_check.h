#pragma once

#include "problems.h"
#include "text/code_page.h"

#include <string_view>

namespace tarvenne::tools {

// Checks the whole of an update document: its body's bytes and the charset that its reply
// declares (empty for none), read through `ansiCodePage` as the launcher reads it. Every
// problem is listed, not just the first one that stops the launcher.
CheckResult checkDocument(std::string_view body, std::string_view charset,
                          text::CodePage ansiCodePage);

} // namespace tarvenne::tools
