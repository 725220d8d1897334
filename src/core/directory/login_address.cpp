#include "directory/login_address.h"

#include "base/ascii.h"

#include <algorithm>

namespace tarvenne::directory {
namespace {

bool isAsciiLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// A port: decimal digits up to 65535.
bool isPort(std::u16string_view text) {
    if (text.empty() || text.size() > 5 || !std::ranges::all_of(text, isDigit))
        return false;
    unsigned value = 0;
    for (const char16_t c : text)
        value = value * 10 + static_cast<unsigned>(c - u'0');
    return value <= 65535;
}

// [rfc3986] 3.1. Scheme: a letter, then letters, digits, "+", "-" and ".", up to the ":".
// Empty when the address has none, or when a port follows its ":".
std::u16string_view schemeOf(std::u16string_view address) {
    const std::size_t colon = address.find(u':');
    if (colon == std::u16string_view::npos || colon == 0 || !isAsciiLetter(address[0]))
        return {};
    const std::u16string_view scheme = address.substr(0, colon);
    if (!std::ranges::all_of(scheme, [](char16_t c) {
            return isAsciiLetter(c) || isDigit(c) || c == u'+' || c == u'-' || c == u'.';
        }))
        return {};
    const std::u16string_view rest = address.substr(colon + 1);
    return isPort(rest.substr(0, rest.find_first_of(u"/?#"))) ? std::u16string_view() : scheme;
}

} // namespace

LoginAddress readLoginAddress(std::u16string_view written) {
    LoginAddress read;
    std::u16string_view scheme = schemeOf(written);
    if (scheme.empty()) {
        read.address = u"http://" + std::u16string(written);
        read.added = read.address.size() - written.size();
        scheme = u"http";
    } else {
        read.address = written;
    }
    read.plainHttp = equalsIgnoringCase(scheme, u"http");
    read.web = read.plainHttp || equalsIgnoringCase(scheme, u"https");
    // [rfc3986] 3.2. Authority: after "//", up to the next "/", "?" or "#".
    const std::u16string_view address = read.address;
    const std::size_t afterScheme = scheme.size() + 1;
    if (address.substr(afterScheme, 2) != u"//") {
        read.authorityStart = read.authorityEnd = afterScheme;
        return read;
    }
    read.authorityStart = afterScheme + 2;
    read.authorityEnd =
        std::min(address.find_first_of(u"/?#", read.authorityStart), address.size());
    std::u16string_view host =
        address.substr(read.authorityStart, read.authorityEnd - read.authorityStart);
    if (const std::size_t at = host.rfind(u'@'); at != std::u16string_view::npos)
        host.remove_prefix(at + 1);
    read.namesHost = !host.substr(0, host.find(u':')).empty();
    return read;
}

std::u16string notWebAddressMessage(std::u16string_view written) {
    return u"The login page's address \"" + std::u16string(written) + u"\" is not a web address";
}

} // namespace tarvenne::directory
