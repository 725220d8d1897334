#include "text/unicode_code_pages.h"

namespace tarvenne::text {
namespace {

constexpr CodePage utf16LittleEndian = 1200;
constexpr CodePage utf32LittleEndian = 12000;
constexpr CodePage utf32BigEndian = 12001;
constexpr char32_t replacementCharacter = 0xFFFD;

bool isHighSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(char32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

char32_t unit(std::string_view bytes, std::size_t at, std::size_t width, bool bigEndian) {
    char32_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[at + (bigEndian ? i : width - 1 - i)]);
        value = (value << 8) | byte;
    }
    return value;
}

void appendUnit(std::string& out, char32_t value, std::size_t width, bool bigEndian) {
    for (std::size_t i = 0; i < width; ++i) {
        const std::size_t shift = 8 * (bigEndian ? width - 1 - i : i);
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
    }
}

void appendCharacter(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out.push_back(static_cast<char16_t>(c));
        return;
    }
    c -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
}

// [rfc2781] 2.2. Decoding UTF-16
std::u16string decodeUtf16(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size() / 2 + 1);
    const std::size_t units = bytes.size() / 2;
    for (std::size_t i = 0; i < units; ++i) {
        const char32_t c = unit(bytes, 2 * i, 2, false);
        if (isHighSurrogate(c) && i + 1 < units &&
            isLowSurrogate(unit(bytes, 2 * i + 2, 2, false))) {
            text.push_back(static_cast<char16_t>(c));
            text.push_back(static_cast<char16_t>(unit(bytes, 2 * ++i, 2, false)));
        } else {
            text.push_back(isHighSurrogate(c) || isLowSurrogate(c) ? replacementCharacter
                                                                   : static_cast<char16_t>(c));
        }
    }
    if (bytes.size() % 2 != 0)
        text.push_back(replacementCharacter);
    return text;
}

std::u16string decodeUtf32(std::string_view bytes, bool bigEndian) {
    std::u16string text;
    text.reserve(bytes.size() / 4 + 1);
    for (std::size_t at = 0; at + 4 <= bytes.size(); at += 4) {
        const char32_t c = unit(bytes, at, 4, bigEndian);
        const bool isCharacter = c <= 0x10FFFF && !isHighSurrogate(c) && !isLowSurrogate(c);
        appendCharacter(text, isCharacter ? c : replacementCharacter);
    }
    if (bytes.size() % 4 != 0)
        text.push_back(replacementCharacter);
    return text;
}

// Each character of the text, pairs of surrogates joined, unpaired ones replaced.
template <typename Visit> void forEachCharacter(std::u16string_view text, Visit visit) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        if (isHighSurrogate(c) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            visit(0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00));
        } else {
            visit(isHighSurrogate(c) || isLowSurrogate(c) ? replacementCharacter : c);
        }
    }
}

} // namespace

bool isUnicodeCodePage(CodePage codePage) {
    return codePage == utf16LittleEndian || codePage == utf32LittleEndian ||
           codePage == utf32BigEndian;
}

std::u16string decodeUnicode(std::string_view bytes, CodePage codePage) {
    if (codePage == utf16LittleEndian)
        return decodeUtf16(bytes);
    return decodeUtf32(bytes, codePage == utf32BigEndian);
}

std::string encodeUnicode(std::u16string_view text, CodePage codePage) {
    std::string bytes;
    if (codePage == utf16LittleEndian) {
        bytes.reserve(2 * text.size());
        forEachCharacter(text, [&bytes](char32_t c) {
            if (c < 0x10000) {
                appendUnit(bytes, c, 2, false);
                return;
            }
            appendUnit(bytes, 0xD800 + ((c - 0x10000) >> 10), 2, false);
            appendUnit(bytes, 0xDC00 + ((c - 0x10000) & 0x3FF), 2, false);
        });
        return bytes;
    }
    const bool bigEndian = codePage == utf32BigEndian;
    bytes.reserve(4 * text.size());
    forEachCharacter(text, [&bytes, bigEndian](char32_t c) { appendUnit(bytes, c, 4, bigEndian); });
    return bytes;
}

} // namespace tarvenne::text
