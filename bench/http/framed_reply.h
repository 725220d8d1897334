#pragma once

#include <string>
#include <string_view>

namespace tarvenne::bench {

enum class Framing { ContentLength, Chunked, UntilClose };

inline constexpr Framing framings[] = {Framing::ContentLength, Framing::Chunked,
                                       Framing::UntilClose};

std::string_view nameOf(Framing framing);

// A whole 200 reply carrying `body` in `framing`; an until-close reply ends when the server
// closes the connection after it.
std::string framedReply(Framing framing, std::string_view body);

} // namespace tarvenne::bench
