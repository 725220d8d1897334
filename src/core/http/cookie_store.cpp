#include "http/cookie_store.h"

#include "base/ascii.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

namespace tarvenne::http {
namespace {

struct NameAndValue {
    std::string_view name;
    std::string_view value;
};

// [rfc6265] 5.2. The name-value pair before the first ";"; nothing without "=" or a name.
std::optional<NameAndValue> cookieOf(std::string_view setting) {
    const std::string_view pair = setting.substr(0, setting.find(';'));
    const auto equals = pair.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    const std::string_view name = trimmed(pair.substr(0, equals));
    if (name.empty())
        return std::nullopt;
    return NameAndValue{name, trimmed(pair.substr(equals + 1))};
}

// [rfc2965] 3.2.2. A Set-Cookie2 value lists cookies separated by commas outside quotes.
template <typename Visit> void forEachCookieOfSetCookie2(std::string_view value, Visit visit) {
    bool quoted = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= value.size(); ++i) {
        if (i < value.size() && value[i] == '"') {
            quoted = !quoted;
        } else if (i == value.size() || (value[i] == ',' && !quoted)) {
            if (const auto cookie = cookieOf(value.substr(start, i - start)))
                visit(*cookie);
            start = i + 1;
        }
    }
}

} // namespace

// A "Set-cookie" line holds one cookie, so a head has few of them: their names are looked up
// while the "Set-cookie2" cookies are read, once before those are stored and once to store them.
void CookieStore::takeFrom(const HeaderList& head, std::string_view origin) {
    const std::vector<std::string_view> version2 = head.values("Set-cookie2");
    std::vector<NameAndValue> version1;
    for (const std::string_view value : head.values("Set-cookie"))
        if (const auto cookie = cookieOf(value))
            version1.push_back(*cookie);
    if (version1.empty() && version2.empty())
        return;

    std::unordered_map<std::string_view, bool> alsoInVersion2;
    for (const NameAndValue& cookie : version1)
        alsoInVersion2.emplace(cookie.name, false);
    if (!alsoInVersion2.empty()) {
        for (const std::string_view value : version2)
            forEachCookieOfSetCookie2(value, [&](const NameAndValue& cookie) {
                if (const auto found = alsoInVersion2.find(cookie.name);
                    found != alsoInVersion2.end())
                    found->second = true;
            });
    }
    const auto known = std::ranges::find(origins_, origin);
    const auto number = static_cast<std::size_t>(known - origins_.begin());
    if (known == origins_.end()) {
        origins_.emplace_back(origin);
        places_.emplace_back();
    }
    // At most one cookie more than each value has commas: the table grows once.
    std::size_t incoming = version1.size();
    for (const std::string_view value : version2)
        incoming += static_cast<std::size_t>(std::ranges::count(value, ',')) + 1;
    places_[number].reserve(places_[number].size() + incoming);
    for (const NameAndValue& cookie : version1)
        if (!alsoInVersion2.at(cookie.name))
            store(cookie.name, cookie.value, number);
    for (const std::string_view value : version2)
        forEachCookieOfSetCookie2(
            value, [&](const NameAndValue& cookie) { store(cookie.name, cookie.value, number); });
}

std::vector<Cookie> CookieStore::cookies() const {
    std::vector<Cookie> all;
    all.reserve(cookies_.size());
    for (const StoredCookie& cookie : cookies_)
        all.push_back({cookie.name, cookie.value, origins_[cookie.origin]});
    return all;
}

// A new name and origin goes to the end; a known one takes the new value in its place.
void CookieStore::store(std::string_view name, std::string_view value, std::size_t origin) {
    auto& places = places_[origin];
    if (const auto known = places.find(name); known != places.end()) {
        cookies_[known->second].value = value;
        return;
    }
    cookies_.push_back({std::string(name), std::string(value), origin});
    places.emplace(cookies_.back().name, cookies_.size() - 1);
}

} // namespace tarvenne::http
