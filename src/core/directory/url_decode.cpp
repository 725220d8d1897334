#include "directory/url_decode.h"

#include "base/ascii.h"
#include "base/error.h"
#include "base/utf.h"
#include "directory/document_format.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace tarvenne::directory {
namespace {

std::u16string positionText(std::size_t index) {
    return fromLatin1(std::to_string(index + 1));
}

Error cutOffEscape(std::size_t index) {
    return Error(u"Error decoding URL style (%XX) encoded string at position " +
                 positionText(index));
}

Error invalidEscape(std::string_view escape, std::size_t index, text::CodePage codePage) {
    return Error(u"Invalid URL encoded character (" + text::decode(escape, codePage) +
                 u") at position " + positionText(index));
}

// The position of the first "+" or "%" from `from` on, or the end.
std::size_t nextPlusOrPercent(std::string_view bytes, std::size_t from) {
    std::size_t i = from;
    for (; i + 8 <= bytes.size(); i += 8) {
        const std::uint64_t word = eightBytesAt(bytes.data() + i);
        if (holdsByte(word, '+') || holdsByte(word, '%'))
            break;
    }
    while (i < bytes.size() && bytes[i] != '+' && bytes[i] != '%')
        ++i;
    return i;
}

} // namespace

// Decodes in place: the output never overtakes the input it is made from, and runs without an
// escape are found eight bytes at a time and moved only once an escape has shortened the text.
ByteBuffer urlDecode(ByteBuffer decoded, text::CodePage codePage) {
    const std::string_view whole = decoded.view();
    const std::string_view bytes = whole.substr(0, whole.find('\0'));
    char* const start = decoded.data();
    char* out = start;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t special = nextPlusOrPercent(bytes, i);
        if (out != start + i)
            std::memmove(out, start + i, special - i);
        out += special - i;
        i = special;
        if (i == bytes.size())
            break;
        const EscapeReading escape = readEscape(bytes.substr(i));
        switch (escape.kind) {
        case EscapeReading::Kind::Byte:
            *out++ = escape.byte;
            i += escape.length;
            break;
        case EscapeReading::Kind::CutOff:
            throw cutOffEscape(i);
        case EscapeReading::Kind::Invalid:
            throw invalidEscape(bytes.substr(i, 3), i, codePage);
        }
    }
    decoded.truncate(static_cast<std::size_t>(out - start));
    return decoded;
}

} // namespace tarvenne::directory
