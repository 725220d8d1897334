#include "framed_reply.h"

#include <algorithm>
#include <cstdio>

namespace tarvenne::bench {

std::string_view nameOf(Framing framing) {
    switch (framing) {
    case Framing::ContentLength:
        return "content-length";
    case Framing::Chunked:
        return "chunked";
    case Framing::UntilClose:
        return "until-close";
    }
    return {};
}

std::string framedReply(Framing framing, std::string_view body) {
    std::string reply = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n";
    switch (framing) {
    case Framing::ContentLength:
        return reply + "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" +
               std::string(body);
    case Framing::Chunked: {
        reply += "Transfer-Encoding: chunked\r\n\r\n";
        constexpr std::size_t chunkSize = 64 * 1024;
        for (std::size_t at = 0; at < body.size(); at += chunkSize) {
            const std::string_view chunk = body.substr(at, chunkSize);
            char sizeLine[32];
            std::snprintf(sizeLine, sizeof sizeLine, "%zx\r\n", chunk.size());
            reply += sizeLine;
            reply += chunk;
            reply += "\r\n";
        }
        return reply + "0\r\n\r\n";
    }
    case Framing::UntilClose:
        return reply + "\r\n" + std::string(body);
    }
    return reply;
}

} // namespace tarvenne::bench
