#include "http/cookie_store.h"

#include "http/ascii.h"

#include <algorithm>
#include <optional>

namespace tarvenne::http {
namespace {

// [rfc6265] 5.2. The name-value pair before the first ";"; nothing without "=" or a name.
std::optional<Cookie> cookieOf(std::string_view setting, std::string_view origin) {
    const std::string_view pair = setting.substr(0, setting.find(';'));
    const auto equals = pair.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    const std::string_view name = trimmed(pair.substr(0, equals));
    if (name.empty())
        return std::nullopt;
    return Cookie{std::string(name), std::string(trimmed(pair.substr(equals + 1))),
                  std::string(origin)};
}

// [rfc2965] 3.2.2. A Set-Cookie2 value lists cookies separated by commas outside quotes.
std::vector<std::string_view> settingsOfSetCookie2(std::string_view value) {
    std::vector<std::string_view> settings;
    bool quoted = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '"')
            quoted = !quoted;
        else if (value[i] == ',' && !quoted) {
            settings.push_back(value.substr(start, i - start));
            start = i + 1;
        }
    }
    settings.push_back(value.substr(start));
    return settings;
}

} // namespace

void CookieStore::takeFrom(const HeaderList& head, std::string_view origin) {
    std::vector<Cookie> version2;
    for (const std::string_view value : head.values("Set-cookie2"))
        for (const std::string_view setting : settingsOfSetCookie2(value))
            if (auto cookie = cookieOf(setting, origin))
                version2.push_back(std::move(*cookie));

    for (const std::string_view value : head.values("Set-cookie")) {
        auto cookie = cookieOf(value, origin);
        const auto alsoVersion2 = [&](const Cookie& other) { return other.name == cookie->name; };
        if (cookie && std::ranges::none_of(version2, alsoVersion2))
            store(std::move(*cookie));
    }
    for (Cookie& cookie : version2)
        store(std::move(cookie));
}

void CookieStore::store(Cookie cookie) {
    const auto same = std::ranges::find_if(cookies_, [&](const Cookie& stored) {
        return stored.name == cookie.name && stored.origin == cookie.origin;
    });
    if (same != cookies_.end())
        *same = std::move(cookie);
    else
        cookies_.push_back(std::move(cookie));
}

} // namespace tarvenne::http
