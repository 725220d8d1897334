#include "http/url.h"

#include "net/socket_error.h"
#include "net/winsock_codes.h"

#include <algorithm>
#include <charconv>

namespace tarvenne::http {
namespace {

std::uint16_t portOf(std::string_view text) {
    if (text.empty())
        return 80;
    std::uint16_t port = 0;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (failure != std::errc() || end != text.data() + text.size())
        throw net::SocketError(net::winsock::invalidArgument);
    return port;
}

// Splits `text` at the first `mark`: the part before stays, the part after is returned.
std::string cutAt(std::string& text, char mark) {
    const auto at = text.find(mark);
    if (at == std::string::npos)
        return {};
    std::string after = text.substr(at + 1);
    text.erase(at);
    return after;
}

} // namespace

Url parseUrl(std::string_view address) {
    std::string rest(address);
    std::ranges::replace(rest, '\\', '/');

    Url url;
    if (const auto schemeEnd = rest.find("://"); schemeEnd != std::string::npos) {
        url.scheme = rest.substr(0, schemeEnd);
        rest.erase(0, schemeEnd + 3);
    }

    const auto authorityEnd = std::min(rest.find('/'), rest.size());
    std::string authority = rest.substr(0, authorityEnd);
    rest.erase(0, authorityEnd);
    const auto hostEnd = authority.find(':');
    url.host = authority.substr(0, hostEnd);
    url.port =
        hostEnd == std::string::npos ? 80 : portOf(std::string_view(authority).substr(hostEnd + 1));

    url.fragment = cutAt(rest, '#');
    url.query = cutAt(rest, '?');
    // [rfc7230] 5.3.1. An empty path is sent as "/".
    if (rest.empty())
        rest.push_back('/');
    const auto lastSlash = rest.rfind('/');
    url.path = rest.substr(0, lastSlash + 1);
    url.document = rest.substr(lastSlash + 1);
    return url;
}

std::string requestTarget(const Url& url) {
    std::string target = url.path + url.document;
    if (!url.query.empty())
        target += "?" + url.query;
    return target;
}

} // namespace tarvenne::http
