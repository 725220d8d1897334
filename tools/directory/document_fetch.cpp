#include "document_fetch.h"

#include "http/body_framing.h"
#include "http/buffered_reader.h"
#include "http/content_type.h"
#include "http/http_client.h"
#include "http/judging.h"
#include "http/reply_body.h"
#include "http/reply_head.h"
#include "http/request_head.h"
#include "http/socket_source.h"
#include "http/url.h"
#include "net/socket.h"

namespace tarvenne::tools {

// The same steps as the launcher's client: one request, the head read past interim replies,
// the reply judged. A successful body is kept as bytes; any other reply fails as it does in
// the launcher.
FetchedDocument fetchDocument(std::string_view address) {
    const http::Timeouts timeouts;
    const http::Url url = http::parseUrl(address);
    const net::Endpoint endpoint{net::resolveIpv4(url.host), url.port};
    const auto deadline = http::SocketSource::Clock::now() + timeouts.total;
    net::Socket connection = net::Socket::connect(endpoint, timeouts.connect);
    http::SocketSource source(connection, timeouts.idle, deadline);
    http::BufferedReader reader(source);

    connection.send(http::requestHead(url));
    const http::ReplyHead head = http::readReplyHead(reader, [](const http::HeaderList&) {});
    FetchedDocument document;
    if (const auto contentType = head.headers.value("Content-Type"))
        document.charset = http::charsetOf(*contentType);
    if (http::judge(head.statusCode, head.headers) == http::Verdict::Success)
        document.body = http::readBody(reader, http::bodyFramingOf(head.headers), true);
    else
        http::takeReplyBody(reader, head);
    return document;
}

} // namespace tarvenne::tools
