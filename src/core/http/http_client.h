#pragma once

#include "http/reply_body.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tarvenne::http {

struct Timeouts {
    std::chrono::milliseconds connect{15'000}; // "Connect timed out."
    std::chrono::milliseconds idle{30'000};    // longest wait for a reply byte: "Read timed out."
    std::chrono::milliseconds total{120'000};  // connect to end of body: "Read timed out."
};

class CookieStore;

// The update document's HTTP/1.1 client: one GET, never redirected, no credentials, no proxy.
// Holds its cookie store and a kept-alive connection until it is destroyed.
class HttpClient {
public:
    explicit HttpClient(Timeouts timeouts = {});
    ~HttpClient();
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    // The reply body as text; throws Error (SocketError, HttpReplyError, ...) on failure.
    std::u16string getText(std::string_view address);
    // The same exchange, returning the body before it becomes text.
    ReplyBody getBody(std::string_view address);

    const CookieStore& cookies() const;
    bool holdsOpenConnection() const;
    // The head of the last reply whose head was read, whether its exchange then succeeded or
    // failed; nothing before that.
    const std::optional<ReplyHead>& lastReplyHead() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace tarvenne::http
