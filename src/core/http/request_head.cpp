#include "http/request_head.h"

namespace tarvenne::http {

std::string requestHead(const Url& url) {
    std::string host = url.host;
    if (url.port != 80)
        host += ":" + std::to_string(url.port);
    return "GET " + requestTarget(url) + " HTTP/1.1\r\n" //
           + "Host: " + host + "\r\n"                    //
           + "Accept: text/html, */*\r\n"                //
           + "Accept-Encoding: identity\r\n"             //
           + "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n" + "\r\n";
}

} // namespace tarvenne::http
