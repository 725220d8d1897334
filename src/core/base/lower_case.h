#pragma once

#include <string>
#include <string_view>

namespace tarvenne {

// Each character in lower case, one for one, as the platform maps letters of every script.
std::u16string toLowerCase(std::u16string_view text);

} // namespace tarvenne
