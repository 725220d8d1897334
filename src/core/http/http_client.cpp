#include "http/http_client.h"

#include "http/buffered_reader.h"
#include "http/connection_rule.h"
#include "http/cookie_store.h"
#include "http/http_reply_error.h"
#include "http/reply_head.h"
#include "http/request_head.h"
#include "http/socket_source.h"
#include "http/url.h"
#include "net/socket.h"

#include <optional>

namespace tarvenne::http {

struct HttpClient::State {
    Timeouts timeouts;
    CookieStore cookies;
    std::optional<net::Socket> openConnection; // left open by the last reply
};

HttpClient::HttpClient(Timeouts timeouts) : state_(std::make_unique<State>()) {
    state_->timeouts = timeouts;
}

HttpClient::~HttpClient() = default;

std::u16string HttpClient::Get(std::string_view address) {
    return getBody(address).text();
}

ReplyBody HttpClient::getBody(std::string_view address) {
    state_->openConnection.reset();
    const Timeouts& timeouts = state_->timeouts;

    const Url url = parseUrl(address);
    const net::Endpoint endpoint{net::resolveIpv4(url.host), url.port};
    const auto deadline = SocketSource::Clock::now() + timeouts.total;
    net::Socket connection = net::Socket::connect(endpoint, timeouts.connect);
    SocketSource source(connection, timeouts.idle, deadline);
    BufferedReader reader(source);

    connection.send(requestHead(url));
    const ReplyHead head = readReplyHead(
        reader, [&](const HeaderList& headers) { state_->cookies.takeFrom(headers, address); });

    // A connection whose reply was read to its end stays open unless either side closes it;
    // one given up halfway is closed with `connection`.
    const auto keepOrClose = [&] {
        if (allowsKeepingOpen(head.headers) && connection.isOpen())
            state_->openConnection = std::move(connection);
    };
    try {
        ReplyBody body = takeReplyBody(reader, head);
        keepOrClose();
        return body;
    } catch (const HttpReplyError&) {
        keepOrClose();
        throw;
    }
}

const CookieStore& HttpClient::cookies() const {
    return state_->cookies;
}

bool HttpClient::holdsOpenConnection() const {
    return state_->openConnection.has_value();
}

} // namespace tarvenne::http
