#include "directory/url_decode.h"

#include "base/error.h"
#include "base/utf.h"
#include "directory/document_format.h"
#include "text/conversion.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace tarvenne::directory {
namespace {

// The offset of the first `byte` in `bytes` from `from` on (found by memchr), or their size.
std::size_t nextOf(std::string_view bytes, char byte, std::size_t from) {
    return std::min(bytes.find(byte, from), bytes.size());
}

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
// escape are moved only once an escape has shortened the text. The next "+" and the next "%"
// are each looked for again only once an escape has taken them.
ByteBuffer urlDecode(ByteBuffer decoded, text::CodePage codePage) {
    const std::string_view whole = decoded.view();
    const std::string_view bytes = whole.substr(0, whole.find('\0'));
    char* const start = decoded.data();
    char* out = start;
    std::size_t i = 0;
    std::size_t nextPlus = nextOf(bytes, '+', 0);
    std::size_t nextPercent = nextOf(bytes, '%', 0);
    while (i < bytes.size()) {
        const std::size_t special = std::min(nextPlus, nextPercent);
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
            if (nextPlus < i)
                nextPlus = nextOf(bytes, '+', i);
            if (nextPercent < i)
                nextPercent = nextOf(bytes, '%', i);
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
