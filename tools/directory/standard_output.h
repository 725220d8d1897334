#pragma once

#include <string_view>

namespace tarvenne::tools {

// Writes bytes to standard output exactly as they are, with no line ends translated; false
// when they could not all be written.
bool writeBytesToStandardOutput(std::string_view bytes);

} // namespace tarvenne::tools
