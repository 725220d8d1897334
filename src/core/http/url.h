#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvenne::http {

// An address taken apart the way the client sends it.
struct Url {
    std::string scheme;
    std::string host;
    std::uint16_t port = 80;
    std::string path;     // up to and including the last "/"
    std::string document; // after the last "/"
    std::string query;    // after "?"
    std::string fragment; // after "#"; never sent

    bool operator==(const Url&) const = default;
};

// The scheme is the text before "://"; the authority runs to the next "/", its host to the
// first ":" and its port after it (80 when missing); a "#" starts the fragment and a "?" the
// query. A backslash counts as "/". Throws SocketError 10022 for a port that is not a number
// up to 65535.
Url parseUrl(std::string_view address);

// Path, document and, when the query is not empty, "?" and the query, exactly as written.
std::string requestTarget(const Url& url);

} // namespace tarvenne::http
