#include "base/lower_case.h"

#include <cstdint>
#include <unicode/uchar.h>
#include <unicode/utf16.h>

namespace tarvenne {

// Simple (one-to-one) case mapping of each code point; a lone surrogate stays as it is.
std::u16string toLowerCase(std::u16string_view text) {
    std::u16string lower(text.size(), u'\0');
    const auto length = static_cast<std::int32_t>(text.size());
    std::int32_t in = 0;
    std::int32_t out = 0;
    while (in < length) {
        UChar32 c;
        U16_NEXT(text.data(), in, length, c);
        U16_APPEND_UNSAFE(lower.data(), out, u_tolower(c));
    }
    lower.resize(static_cast<std::size_t>(out));
    return lower;
}

} // namespace tarvenne
