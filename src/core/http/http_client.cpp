#include "http/http_client.h"

#include "http/cookie_store.h"
#include "http/errors.h"
#include "http/reply_head.h"
#include "http/reply_reader.h"
#include "http/reply_rules.h"
#include "http/request_head.h"
#include "http/url.h"
#include "net/resolver.h"
#include "net/socket.h"
#include "net/socket_error.h"

#include <algorithm>
#include <chrono>
#include <optional>

namespace tarvenne::http {
namespace {

// The bytes of a connection, each wait bounded: a read waits at most the idle time-out for its
// first byte and never past the deadline that the total time-out set; either bound throws its
// own TimeoutError.
class SocketSource : public ByteSource {
public:
    using Clock = std::chrono::steady_clock;

    SocketSource(net::Socket& socket, const Timeouts& timeouts, Clock::time_point deadline)
        : socket_(socket), timeouts_(timeouts), deadline_(deadline) {}

    std::size_t read(char* buffer, std::size_t size) override;
    bool poll(std::chrono::milliseconds wait) override;

private:
    // `wait`, shortened to what is left before the deadline.
    std::chrono::milliseconds bounded(std::chrono::milliseconds wait) const;

    net::Socket& socket_;
    Timeouts timeouts_;
    Clock::time_point deadline_;
};

std::size_t SocketSource::read(char* buffer, std::size_t size) {
    const auto wait = bounded(timeouts_.idle);
    // Where the deadline comes before the idle time-out, the deadline is the bound that runs out.
    if (wait <= std::chrono::milliseconds::zero() ||
        (wait < timeouts_.idle && !socket_.waitReadable(wait)))
        throw net::TimeoutError(net::TimeoutError::Wait::Total, timeouts_.total);
    return socket_.receive(buffer, size, wait);
}

bool SocketSource::poll(std::chrono::milliseconds wait) {
    return socket_.waitReadable(std::max(bounded(wait), std::chrono::milliseconds::zero()));
}

std::chrono::milliseconds SocketSource::bounded(std::chrono::milliseconds wait) const {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline_ - Clock::now());
    return std::min(wait, left);
}

} // namespace

struct HttpClient::State {
    Timeouts timeouts;
    CookieStore cookies;
    std::optional<net::Socket> openConnection; // left open by the last reply
    std::optional<ReplyHead> lastReplyHead;
};

HttpClient::HttpClient(Timeouts timeouts) : state_(std::make_unique<State>()) {
    state_->timeouts = timeouts;
}

HttpClient::~HttpClient() = default;

std::u16string HttpClient::getText(std::string_view address) {
    return getBody(address).text();
}

ReplyBody HttpClient::getBody(std::string_view address) {
    state_->openConnection.reset();
    state_->lastReplyHead.reset();
    const Timeouts& timeouts = state_->timeouts;

    const Url url = parseUrl(address);
    const net::Endpoint endpoint{net::resolveIpv4(url.host), url.port};
    const auto deadline = SocketSource::Clock::now() + timeouts.total;
    net::Socket connection = net::Socket::connect(endpoint, timeouts.connect);
    SocketSource source(connection, timeouts, deadline);
    BufferedReader reader(source);

    connection.send(requestHead(url));
    // Kept for lastReplyHead() in its place rather than copied: a head may hold 4 MiB.
    const ReplyHead& head = state_->lastReplyHead.emplace(readReplyHead(
        reader, [&](const HeaderList& headers) { state_->cookies.takeFrom(headers, address); }));

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

const std::optional<ReplyHead>& HttpClient::lastReplyHead() const {
    return state_->lastReplyHead;
}

} // namespace tarvenne::http
