#include "http/reply_rules.h"

#include "base/ascii.h"

#include <algorithm>

namespace tarvenne::http {
namespace {

// [rfc2045] 5.1. tspecials, and the space, end an unquoted value.
constexpr std::string_view valueDelimiters = " ()<>@,;:\\\"/[]?=";

// [rfc7230] 3.2.6. quoted-string: `text` starts after the opening quote; returns the value
// and leaves `text` after the closing quote.
std::string unquoted(std::string_view& text) {
    std::string value;
    while (!text.empty()) {
        const char c = text.front();
        text.remove_prefix(1);
        if (c == '"')
            break;
        if (c == '\\' && !text.empty()) {
            value += text.front();
            text.remove_prefix(1);
            continue;
        }
        value += c;
    }
    return value;
}

} // namespace

// [rfc7231] 3.1.1.1. Media Type: type "/" subtype *( OWS ";" OWS parameter )
std::string charsetOf(std::string_view contentType) {
    const auto firstSemicolon = contentType.find(';');
    if (firstSemicolon == std::string_view::npos)
        return {};
    std::string_view rest = contentType.substr(firstSemicolon + 1);
    while (!rest.empty()) {
        const auto nameEnd = rest.find_first_of("=;");
        const std::string_view name = trimmed(rest.substr(0, nameEnd));
        if (nameEnd == std::string_view::npos)
            break;
        const bool hasValue = rest[nameEnd] == '=';
        rest.remove_prefix(nameEnd + 1);
        if (!hasValue)
            continue;
        rest = rest.substr(std::min(rest.find_first_not_of(" \t"), rest.size()));
        std::string value;
        if (!rest.empty() && rest.front() == '"') {
            rest.remove_prefix(1);
            value = unquoted(rest);
        } else {
            value = std::string(rest.substr(0, rest.find_first_of(valueDelimiters)));
        }
        if (equalsIgnoringCase(name, "charset"))
            return value;
        const auto next = rest.find(';');
        if (next == std::string_view::npos)
            break;
        rest.remove_prefix(next + 1);
    }
    return {};
}

Verdict judge(int statusCode, const HeaderList& headers) {
    const auto location = headers.value("Location");
    if ((statusCode >= 300 && statusCode <= 399 && statusCode != 304) ||
        (statusCode != 201 && location && !location->empty()))
        return Verdict::Redirect;
    if (statusCode == 204)
        return Verdict::NoContent;
    if (statusCode >= 200 && statusCode <= 299)
        return Verdict::Success;
    if (statusCode == 401 || statusCode == 407)
        return Verdict::NoCredentials;
    if ((statusCode >= 101 && statusCode <= 199) || statusCode == 304)
        return Verdict::NoBodyExpected;
    return Verdict::Failure;
}

bool allowsKeepingOpen(const HeaderList& headers) {
    for (const char* name : {"Connection", "Proxy-Connection"}) {
        const auto value = headers.value(name);
        if (value && equalsIgnoringCase(*value, "close"))
            return false;
    }
    return true;
}

} // namespace tarvenne::http
