#pragma once

#include <string>
#include <string_view>

namespace tarvenne {

// Conversions between the UTF-16 text the system works in and UTF-8; ill-formed input
// is replaced with U+FFFD, never rejected.
std::string toUtf8(std::u16string_view text);
std::u16string fromUtf8(std::string_view text);

// Each byte becomes the character of the same code (U+0000 to U+00FF).
std::u16string fromLatin1(std::string_view bytes);
// The reverse: each character up to U+00FF becomes the byte of its code, any other one "?".
std::string toLatin1(std::u16string_view text);

} // namespace tarvenne
