#pragma once

#include "base/error.h"

#include <string>

namespace tarvenne::http {

// A reply that could not be read to its end.
class ProtocolError : public Error {
public:
    using Error::Error;
    static ProtocolError closedGracefully(); // "Connection Closed Gracefully."
    static ProtocolError lineTooLong();      // "Max line length exceeded."
    static ProtocolError tooManyHeadLines(); // "Too many header lines."
    static ProtocolError bodyTooLarge();     // "Response body too large."
};

// A reply judged a failure. The message is its status line exactly as read.
class HttpReplyError : public Error {
public:
    HttpReplyError(std::u16string statusLine, int statusCode, std::u16string body);

    int statusCode() const noexcept { return statusCode_; }
    // The reply's body as text, decoded like the body of a successful reply.
    const std::u16string& body() const noexcept { return body_; }

private:
    int statusCode_;
    std::u16string body_;
};

} // namespace tarvenne::http
