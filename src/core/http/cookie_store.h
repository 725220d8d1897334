#pragma once

#include "http/reply_head.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
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
        std::string text; // the name followed by the value
        std::size_t nameLength;
        std::size_t origin; // in origins_
        std::string_view name() const { return std::string_view(text).substr(0, nameLength); }
        std::string_view value() const { return std::string_view(text).substr(nameLength); }
    };

    // A place in cookies_ with the hash of its cookie's name and origin.
    struct Slot {
        std::uint32_t hash;
        std::uint32_t place;
    };
    static constexpr std::uint32_t freePlace = UINT32_MAX;

    std::size_t originNumber(std::string_view origin);
    void store(std::string_view name, std::string_view value, std::size_t origin);
    // The slot of the cookie of that name and origin, or the free slot where it belongs.
    Slot& slotOf(std::string_view name, std::size_t origin, std::uint32_t hash);
    void growSlots(std::size_t count);

    std::vector<std::string> origins_;
    std::deque<StoredCookie> cookies_;
    // A hash table of the cookies, open addressing with linear probing; at most half full.
    std::vector<Slot> slots_;
};

} // namespace tarvenne::http
