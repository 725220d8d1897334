#pragma once

#include "http/header_list.h"

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
    // dropped. A cookie replaces a stored one of the same name and origin.
    void takeFrom(const HeaderList& head, std::string_view origin);

    const std::vector<Cookie>& cookies() const { return cookies_; }

private:
    void store(Cookie cookie);

    std::vector<Cookie> cookies_;
};

} // namespace tarvenne::http
