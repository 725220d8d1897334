#pragma once

#include <cstdint>

namespace tarvenne::testing {

// A socket of the platform: a descriptor on POSIX, a SOCKET handle on Windows.
#ifdef _WIN32
using SocketHandle = std::uintptr_t;
#else
using SocketHandle = int;
#endif
inline constexpr SocketHandle noSocket = static_cast<SocketHandle>(-1);

} // namespace tarvenne::testing
