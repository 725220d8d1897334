#pragma once

#include <cstdint>
#include <string_view>

namespace tarvenne::net {

// An IPv4 address in host byte order, 127.0.0.1 being 0x7F000001.
using Ipv4Address = std::uint32_t;

// A host written as an IPv4 address is used as it is; any other name is resolved, asking
// for IPv4 stream addresses only, and the first address returned is taken. Throws
// SocketError (11001 "Host not found." for a name without an IPv4 address).
Ipv4Address resolveIpv4(std::string_view host);

} // namespace tarvenne::net
