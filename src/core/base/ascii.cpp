#include "base/ascii.h"

#include <algorithm>

namespace tarvenne {
namespace {

bool isSpaceOrControl(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code <= 0x20 || code == 0x7F;
}

template <typename Char> Char lower(Char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<Char>(c - 'A' + 'a') : c;
}

template <typename Char>
bool equalsIgnoringCaseOf(std::basic_string_view<Char> a, std::basic_string_view<Char> b) {
    return std::ranges::equal(a, b, [](Char x, Char y) { return lower(x) == lower(y); });
}

} // namespace

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isSpaceOrControl(text.front()))
        text.remove_prefix(1);
    return trimmedEnd(text);
}

std::string_view trimmedEnd(std::string_view text) {
    while (!text.empty() && isSpaceOrControl(text.back()))
        text.remove_suffix(1);
    return text;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return equalsIgnoringCaseOf(a, b);
}

bool equalsIgnoringCase(std::u16string_view a, std::u16string_view b) {
    return equalsIgnoringCaseOf(a, b);
}

std::string lowerCased(std::string_view text) {
    std::string out(text);
    std::ranges::transform(out, out.begin(), lower<char>);
    return out;
}

std::u16string asciiText(std::string_view bytes) {
    std::u16string text(bytes.size(), u'?');
    std::ranges::transform(bytes, text.begin(), [](char c) {
        const auto code = static_cast<unsigned char>(c);
        return code < 0x80 ? static_cast<char16_t>(code) : u'?';
    });
    return text;
}

} // namespace tarvenne
