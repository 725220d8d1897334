#include "base/ascii.h"
#include "base/error.h"
#include "base/utf.h"
#include "directory/server_directory.h"

#include <algorithm>
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

// Decodes in place: the output never overtakes the input it is made from.
std::string urlDecode(std::string decoded, text::CodePage codePage) {
    const std::string_view bytes(decoded.data(), std::min(decoded.size(), decoded.find('\0')));
    char* out = decoded.data();
    std::size_t i = 0;
    while (i < bytes.size()) {
        const char c = bytes[i];
        if (c == '+') {
            *out++ = ' ';
            ++i;
        } else if (c != '%') {
            *out++ = c;
            ++i;
        } else if (i + 1 < bytes.size() && bytes[i + 1] == '%') {
            *out++ = '%';
            i += 2;
        } else if (i + 2 >= bytes.size()) {
            throw cutOffEscape(i);
        } else if (const int high = hexDigitValue(bytes[i + 1]), low = hexDigitValue(bytes[i + 2]);
                   high >= 0 && low >= 0) {
            *out++ = static_cast<char>(high * 16 + low);
            i += 3;
        } else {
            throw invalidEscape(bytes.substr(i, 3), i, codePage);
        }
    }
    decoded.resize(static_cast<std::size_t>(out - decoded.data()));
    return decoded;
}

} // namespace tarvenne::directory
