#pragma once

#include <string>
#include <string_view>

namespace tarvenne {

// The application title from the launcher's file path: the file name without its directory,
// cut before its first full stop, every character after the first lower-cased.
std::u16string applicationTitle(std::u16string_view executablePath);

} // namespace tarvenne
