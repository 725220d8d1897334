#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvenne::tools {

// Why the launcher's client cannot fetch `address`, or nothing when it can: the client speaks
// plain HTTP over IPv4 only, so it needs the scheme "http://", a host name or IPv4 address,
// and a port from 1 to 65535 when one is written.
std::optional<std::string> refusalOf(std::string_view address);

} // namespace tarvenne::tools
