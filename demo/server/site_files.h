#pragma once

#include <optional>
#include <string_view>

namespace tarvenne::demo {

// The contents of the file `name` of the bundled site (demo/site), built into the program.
std::optional<std::string_view> siteFile(std::string_view name);

} // namespace tarvenne::demo
