#include "address_check.h"

#include "base/ascii.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace tarvenne::tools {
// The address is taken apart as the client takes it (a backslash counts as "/").
std::optional<std::string> refusalOf(std::string_view address) {
    std::string rest(address);
    std::ranges::replace(rest, '\\', '/');
    const auto schemeEnd = rest.find("://");
    if (schemeEnd == std::string::npos)
        return "the address has no scheme: write it as http://HOST[:PORT]/PATH";
    const std::string_view scheme = std::string_view(rest).substr(0, schemeEnd);
    if (!equalsIgnoringCase(scheme, "http")) {
        return "the scheme \"" + std::string(scheme) +
               ":\" is not supported: the launcher fetches its update document over plain "
               "HTTP only (http://)";
    }
    const std::string_view afterScheme = std::string_view(rest).substr(schemeEnd + 3);
    const std::string_view authority = afterScheme.substr(0, afterScheme.find('/'));
    if (authority.starts_with('['))
        return "IPv6 addresses are not supported: the launcher connects over IPv4 only";
    const auto portStart = authority.find(':');
    const std::string_view host = authority.substr(0, portStart);
    if (host.empty())
        return "the address names no host";
    if (portStart == std::string_view::npos)
        return std::nullopt;
    const std::string_view port = authority.substr(portStart + 1);
    if (port.empty())
        return std::nullopt;
    if (!std::ranges::all_of(port, [](char c) { return c >= '0' && c <= '9'; }))
        return "the port \"" + std::string(port) + "\" is not a number";
    unsigned long value = 0;
    const auto [end, failure] = std::from_chars(port.data(), port.data() + port.size(), value);
    if (failure != std::errc() || value < 1 || value > 65535)
        return "the port " + std::string(port) + " is out of range (1 to 65535)";
    return std::nullopt;
}

} // namespace tarvenne::tools
