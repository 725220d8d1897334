#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvenne::directory {

// The login page's address as the launcher opens it: the chosen record's site address followed
// directly by its login page, read as a browser's address bar reads what is typed into it.
struct LoginAddress {
    std::u16string address; // what is opened
    std::size_t added = 0;  // how many characters at its start the reading added ("http://")
    bool web = false;       // its scheme is http or https
    bool plainHttp = false; // its scheme is http
    // Where the authority (user, host and port) runs, and whether it names a host. Without
    // "//" after the scheme an address has no authority.
    std::size_t authorityStart = 0;
    std::size_t authorityEnd = 0;
    bool namesHost = false;
};

// An address that starts with no scheme, or whose first ":" is followed by a port rather than
// ending a scheme ("localhost:8889/login.php"), is an http:// address; any other is read as it
// is written. Scheme names are compared without regard to case.
LoginAddress readLoginAddress(std::u16string_view written);

// The error box's text for a written address that cannot be made into a web address: a web
// address that names no host.
std::u16string notWebAddressMessage(std::u16string_view written);

} // namespace tarvenne::directory
