#pragma once

#include <exception>
#include <optional>
#include <string>
#include <string_view>

namespace tarvenne {

// The text the error box shows for a failure that is being propagated, or nothing for a
// failure of the abort kind. The innermost nested failure's message is taken unless it is
// empty, then the full-stop rule is applied.
std::optional<std::u16string> errorBoxText(const std::exception& failure);

// Appends "." when the text is not empty and its last character's code is above U+002E.
std::u16string withFullStop(std::u16string text);

} // namespace tarvenne
