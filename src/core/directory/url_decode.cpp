#include "directory/url_decode.h"

#include "base/error.h"
#include "base/utf.h"
#include "directory/document_format.h"

#include <algorithm>
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

} // namespace

// Decodes in place: the output never overtakes the input it is made from, and runs without an
// escape are moved only once an escape has shortened the text.
ByteBuffer urlDecode(ByteBuffer decoded, text::CodePage codePage) {
    const std::string_view whole = decoded.view();
    const std::string_view bytes = whole.substr(0, whole.find('\0'));
    char* const start = decoded.data();
    char* out = start;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto next =
            std::find_if(bytes.begin() + static_cast<std::ptrdiff_t>(i), bytes.end(), startsEscape);
        const auto special = static_cast<std::size_t>(next - bytes.begin());
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
