#pragma once

#include <string>
#include <string_view>

namespace tarvenne::directory {

// The record name this launcher selects.
inline constexpr std::u16string_view gameName = u"Tarvenne";

// One record of the update document after decoding.
struct GameRecord {
    std::u16string name;
    std::u16string siteAddress; // the start of the login page's address
    std::u16string loginPage;   // the rest of the login page's address
    std::u16string title;
    bool operator==(const GameRecord&) const = default;
};

} // namespace tarvenne::directory
