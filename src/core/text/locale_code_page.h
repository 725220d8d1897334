#pragma once

#include "text/code_page.h"

#include <string_view>

namespace tarvenne::text {

// The ANSI code page for a locale name such as "zh_CN.UTF-8", "ru_RU", "C" or "POSIX",
// derived from its language and region.
CodePage ansiCodePageForLocale(std::string_view localeName);

} // namespace tarvenne::text
