#pragma once

#include <string>
#include <string_view>

namespace tarvenne::http {

// Text rules of the protocol's ASCII lines.

// Without white space and control characters at either end.
std::string_view trimmed(std::string_view text);
std::string_view trimmedEnd(std::string_view text);

bool equalsIgnoringCase(std::string_view a, std::string_view b);

std::string lowerCased(std::string_view text);

// Line bytes as US-ASCII text: a byte above 0x7F becomes "?".
std::u16string asciiText(std::string_view bytes);

} // namespace tarvenne::http
