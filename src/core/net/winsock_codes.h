#pragma once

#include <string_view>

namespace tarvenne::net {

// Windows Sockets error codes that failures are reported with, whatever the platform.
namespace winsock {
inline constexpr int interrupted = 10004;       // WSAEINTR
inline constexpr int invalidArgument = 10022;   // WSAEINVAL
inline constexpr int noBufferSpace = 10055;     // WSAENOBUFS
inline constexpr int connectionReset = 10054;   // WSAECONNRESET
inline constexpr int timedOut = 10060;          // WSAETIMEDOUT
inline constexpr int connectionRefused = 10061; // WSAECONNREFUSED
inline constexpr int systemCallFailure = 10107; // WSASYSCALLFAILURE
inline constexpr int typeNotFound = 10109;      // WSATYPE_NOT_FOUND
inline constexpr int hostNotFound = 11001;      // WSAHOST_NOT_FOUND
inline constexpr int tryAgain = 11002;          // WSATRY_AGAIN
inline constexpr int noRecovery = 11003;        // WSANO_RECOVERY
} // namespace winsock

// The text shown after a Windows Sockets code; empty for a code without one.
std::u16string_view winsockErrorText(int code);

} // namespace tarvenne::net
