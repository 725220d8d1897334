#pragma once

#include "http/reply_head.h"

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tarvenne::http {

struct Cookie {
    std::string name;
    std::string value;
    std::string origin; // the address whose reply set it

    bool operator==(const Cookie&) const = default;
};

// The client's cookies, in memory only: never sent, never written anywhere.
class CookieStore {
public:
    // Takes the cookies of one reply head from its "Set-cookie" and "Set-cookie2" lines. A
    // "Set-cookie" cookie whose name a "Set-cookie2" line of the same head also sets is
    // dropped. A cookie replaces a stored one of the same name and origin. Linear in the head.
    void takeFrom(const HeaderList& head, std::string_view origin);

    // The stored cookies, in the order in which each name and origin was first stored.
    std::vector<Cookie> cookies() const;

private:
    struct StoredCookie {
        std::string name;
        std::string value;
        std::size_t origin; // in origins_
    };

    void store(std::string_view name, std::string_view value, std::size_t origin);

    std::vector<std::string> origins_;
    std::deque<StoredCookie> cookies_; // which keeps each where it is while it grows
    // For each origin, the place in cookies_ of each name, viewed in its cookie.
    std::vector<std::unordered_map<std::string_view, std::size_t>> places_;
};

} // namespace tarvenne::http
