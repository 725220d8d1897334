#pragma once

#include "base/ascii.h"

#include <cstddef>
#include <string_view>

namespace tarvenne::directory {

// The update document's format, as the launcher reads it and as the operator's check reads it.
//
// The document is records joined by recordSeparator, each its fields joined by fieldSeparator.
// Blanks at the document's ends are trimmed away, everywhere else they belong to the fields;
// empty records and fields are dropped (see RecordWalk). The whole document is URL-decoded
// before it is split (see readEscape), so an escaped separator separates too.
inline constexpr char recordSeparator = '^';
inline constexpr char fieldSeparator = '|';

// The fields of a record that the launcher reads, in their order: the name, the site address,
// the login page and the title; later fields are ignored.
inline constexpr std::size_t entryFieldCount = 4;

// White space and control characters, every character up to U+0020: trimmed at the document's
// ends, kept everywhere else.
constexpr bool isBlank(char16_t c) {
    return c <= u' ';
}

// Whether the URL decoding reads an escape at `c`: "+" stands for a space, "%%" for a percent
// sign and "%XY" for the byte whose value the hexadecimal digits X and Y give.
constexpr bool startsEscape(char16_t c) {
    return c == u'+' || c == u'%';
}

// What the URL decoding makes of an escape.
struct EscapeReading {
    enum class Kind {
        Byte,   // the escape gives `byte` and takes `length` units
        CutOff, // "%" without two more units before the end of the input
        Invalid // "%" followed by two units that are not both hexadecimal digits
    };
    Kind kind = Kind::Byte;
    char byte = 0;
    std::size_t length = 0;
};

// Reads the escape that starts `input`, whose first unit is "+" or "%"; `input` ends where the
// document does or at its first zero unit. The units are bytes as the launcher decodes them,
// or characters as the check reads the document.
template <typename Char> constexpr EscapeReading readEscape(std::basic_string_view<Char> input) {
    if (input[0] == '+')
        return {EscapeReading::Kind::Byte, ' ', 1};
    if (input.size() > 1 && input[1] == '%')
        return {EscapeReading::Kind::Byte, '%', 2};
    if (input.size() < 3)
        return {EscapeReading::Kind::CutOff};
    const int high = hexDigitValue(input[1]);
    const int low = hexDigitValue(input[2]);
    if (high < 0 || low < 0)
        return {EscapeReading::Kind::Invalid};
    return {EscapeReading::Kind::Byte, static_cast<char>(high * 16 + low), 3};
}

} // namespace tarvenne::directory
