#pragma once

#include <string>
#include <string_view>

namespace tarvenne {

// Byte-text rules shared by the protocol's lines, charset names and the update document.

// Without white space and control characters (up to 0x20, and 0x7F) at either end.
std::string_view trimmed(std::string_view text);
std::string_view trimmedEnd(std::string_view text);

// Equal when ASCII letters are compared without regard to case.
bool equalsIgnoringCase(std::string_view a, std::string_view b);
bool equalsIgnoringCase(std::u16string_view a, std::u16string_view b);

// ASCII letters in lower case; every other byte as it is.
std::string lowerCased(std::string_view text);

// Bytes as US-ASCII text: a byte above 0x7F becomes "?".
std::u16string asciiText(std::string_view bytes);

// The value of a hexadecimal digit (0 to 9, A to F, a to f), or -1 for any other byte or
// character.
template <typename Char> constexpr int hexDigitValue(Char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace tarvenne
