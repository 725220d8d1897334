#include "net/resolver.h"

#include "net/resolver_platform.h"
#include "net/socket_error.h"

#include <memory>
#include <string>

namespace tarvenne::net {

Ipv4Address resolveIpv4(std::string_view host) {
    readySocketLibrary();
    const std::string name(host);
    in_addr literal{};
    if (::inet_pton(AF_INET, name.c_str(), &literal) == 1)
        return ntohl(literal.s_addr);

    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const int failure = ::getaddrinfo(name.c_str(), nullptr, &hints, &found);
    if (failure != 0)
        throw SocketError(winsockCodeOfResolverFailure(failure));
    const std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> owner(found, &::freeaddrinfo);
    const auto* first = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
    return ntohl(first->sin_addr.s_addr);
}

} // namespace tarvenne::net
