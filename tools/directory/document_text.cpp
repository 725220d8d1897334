#include "document_text.h"

#include "base/utf.h"
#include "directory/document_format.h"

#include <algorithm>
#include <cstdio>

namespace tarvenne::tools {
namespace {

bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool isLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

} // namespace

std::size_t characterLength(std::u16string_view text, std::size_t index) {
    return isHighSurrogate(text[index]) && index + 1 < text.size() &&
                   isLowSurrogate(text[index + 1])
               ? 2
               : 1;
}

bool isControl(char16_t c) {
    return c < u' ' || (c >= 0x7F && c <= 0x9F);
}

// Unicode's Default_Ignorable_Code_Point property, within the Basic Multilingual Plane.
bool isDefaultIgnorable(char16_t c) {
    struct Range {
        char16_t first, last;
    };
    static constexpr Range ranges[] = {
        {0x00AD, 0x00AD}, {0x034F, 0x034F}, {0x061C, 0x061C}, {0x115F, 0x1160}, {0x17B4, 0x17B5},
        {0x180B, 0x180F}, {0x200B, 0x200F}, {0x202A, 0x202E}, {0x2060, 0x206F}, {0x3164, 0x3164},
        {0xFE00, 0xFE0F}, {0xFEFF, 0xFEFF}, {0xFFA0, 0xFFA0}, {0xFFF0, 0xFFF8},
    };
    return std::ranges::any_of(ranges, [c](Range r) { return c >= r.first && c <= r.last; });
}

bool isInvisible(char16_t c) {
    return isDefaultIgnorable(c) || c == 0x00A0 || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 ||
           c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

std::string invisibleCharacterName(char16_t c) {
    switch (c) {
    case 0x00A0:
        return "a no-break space";
    case 0x00AD:
        return "a soft hyphen";
    case 0x200B:
        return "a zero-width space";
    case 0x200C:
        return "a zero-width non-joiner";
    case 0x200D:
        return "a zero-width joiner";
    case 0x200E:
        return "a left-to-right mark";
    case 0x200F:
        return "a right-to-left mark";
    case 0x2060:
        return "a word joiner";
    case 0xFEFF:
        return "a byte-order mark";
    default:
        return {};
    }
}

bool isWhiteSpace(char16_t c) {
    return directory::isBlank(c) || c == 0xA0 || c == 0x200B || c == 0x3000;
}

std::u16string_view withoutWhiteSpaceAround(std::u16string_view text) {
    while (!text.empty() && isWhiteSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isWhiteSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string codePointName(char16_t c) {
    char name[8];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
    return name;
}

std::string quoted(std::u16string_view text) {
    std::string shown = "\"";
    for (std::size_t i = 0; i < text.size(); i += characterLength(text, i)) {
        const char16_t c = text[i];
        if (c == u'\n')
            shown += "\\n";
        else if (c == u'\r')
            shown += "\\r";
        else if (c == u'\t')
            shown += "\\t";
        else if (isControl(c) || isInvisible(c) ||
                 (characterLength(text, i) == 1 && (isHighSurrogate(c) || isLowSurrogate(c))))
            shown += "<" + codePointName(c) + ">";
        else if (c == u'"')
            shown += "\\\"";
        else
            shown += toUtf8(text.substr(i, characterLength(text, i)));
    }
    return shown + "\"";
}

std::size_t utf8SequenceLength(char lead) {
    const auto byte = static_cast<unsigned char>(lead);
    return byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
}

// [rfc3629] 4. Syntax of UTF-8 Byte Sequences.
std::optional<std::size_t> firstInvalidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = lead >= 0xC2 && lead <= 0xF4 ? utf8SequenceLength(bytes[i]) : 0;
        if (length == 0 || i + length > bytes.size())
            return i;
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
        if (second < low || second > high)
            return i;
        for (std::size_t k = 2; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if (next < 0x80 || next > 0xBF)
                return i;
        }
        i += length;
    }
    return std::nullopt;
}

TextPositions::TextPositions(std::u16string_view text) : text_(text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n')
            lineStarts_.push_back(i + 1);
    }
}

std::pair<std::size_t, std::size_t> TextPositions::at(std::size_t index) const {
    index = std::min(index, text_.size());
    const auto next = std::ranges::upper_bound(lineStarts_, index);
    const std::size_t line = static_cast<std::size_t>(next - lineStarts_.begin());
    std::size_t column = 1;
    for (std::size_t i = lineStarts_[line - 1]; i < index; i += characterLength(text_, i))
        ++column;
    return {line, column};
}

} // namespace tarvenne::tools
