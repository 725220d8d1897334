#include "http/cookie_store.h"

#include "base/ascii.h"

#include <algorithm>
#include <functional>
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

std::uint32_t hashOf(std::string_view name, std::size_t origin) {
    const std::size_t hash = std::hash<std::string_view>()(name) ^ (origin * 0x9E3779B97F4A7C15u);
    return static_cast<std::uint32_t>(hash ^ (hash >> 32));
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
    // At most one cookie more than each value has commas: the table grows once.
    std::size_t incoming = version1.size();
    for (const std::string_view value : version2)
        incoming += static_cast<std::size_t>(std::ranges::count(value, ',')) + 1;
    growSlots(cookies_.size() + incoming);

    const std::size_t number = originNumber(origin);
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
        all.push_back(
            {std::string(cookie.name()), std::string(cookie.value()), origins_[cookie.origin]});
    return all;
}

// Each origin is kept once; a client sees one or two.
std::size_t CookieStore::originNumber(std::string_view origin) {
    const auto found = std::ranges::find(origins_, origin);
    if (found != origins_.end())
        return static_cast<std::size_t>(found - origins_.begin());
    origins_.emplace_back(origin);
    return origins_.size() - 1;
}

// A new name and origin goes to the end; a known one takes the new value in its place.
void CookieStore::store(std::string_view name, std::string_view value, std::size_t origin) {
    growSlots(cookies_.size() + 1);
    const std::uint32_t hash = hashOf(name, origin);
    Slot& slot = slotOf(name, origin, hash);
    if (slot.place != freePlace) {
        StoredCookie& stored = cookies_[slot.place];
        stored.text.replace(stored.nameLength, std::string::npos, value);
        return;
    }
    slot = {hash, static_cast<std::uint32_t>(cookies_.size())};
    cookies_.push_back({std::string(name).append(value), name.size(), origin});
}

CookieStore::Slot& CookieStore::slotOf(std::string_view name, std::size_t origin,
                                       std::uint32_t hash) {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        Slot& slot = slots_[i];
        if (slot.place == freePlace)
            return slot;
        const StoredCookie& stored = cookies_[slot.place];
        if (slot.hash == hash && stored.origin == origin && stored.name() == name)
            return slot;
    }
}

// Room for `count` cookies at most half full, or as it is. The stored hashes place every cookie
// anew without looking at it.
void CookieStore::growSlots(std::size_t count) {
    if (count * 2 <= slots_.size())
        return;
    std::size_t size = std::max<std::size_t>(16, slots_.size() * 2);
    while (size < count * 2)
        size *= 2;
    std::vector<Slot> old(size, Slot{0, freePlace});
    old.swap(slots_);
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.place == freePlace)
            continue;
        std::size_t i = slot.hash & mask;
        while (slots_[i].place != freePlace)
            i = (i + 1) & mask;
        slots_[i] = slot;
    }
}

} // namespace tarvenne::http
