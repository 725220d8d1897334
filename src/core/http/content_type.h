#pragma once

#include <string>
#include <string_view>

namespace tarvenne::http {

// The "charset" parameter of a Content-Type value, empty when there is none. Parameters
// follow the first ";" and are separated by ";"; names are compared without regard to case;
// a quoted value has its backslash escapes resolved, an unquoted one ends at a space or a
// delimiter.
std::string charsetOf(std::string_view contentType);

} // namespace tarvenne::http
