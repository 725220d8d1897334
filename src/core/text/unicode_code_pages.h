#pragma once

#include "text/code_page.h"

#include <optional>
#include <string>
#include <string_view>

namespace tarvenne::text {

// The Unicode encodings among the numbered code pages that are converted here rather than by
// a code page table: UTF-16LE (1200), UTF-32LE (12000) and UTF-32BE (12001).
bool isUnicodeCodePage(CodePage codePage);

// Bytes to text; a unit that is no character (an unpaired surrogate, a value above U+10FFFF,
// a cut-off unit at the end) becomes U+FFFD. A byte-order mark is kept as U+FEFF.
std::u16string decodeUnicode(std::string_view bytes, CodePage codePage);

// Text to bytes; an unpaired surrogate is written as U+FFFD.
std::string encodeUnicode(std::u16string_view text, CodePage codePage);

} // namespace tarvenne::text
