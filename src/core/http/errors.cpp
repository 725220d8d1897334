#include "http/errors.h"

namespace tarvenne::http {

ProtocolError ProtocolError::closedGracefully() {
    return ProtocolError(u"Connection Closed Gracefully.");
}

ProtocolError ProtocolError::lineTooLong() {
    return ProtocolError(u"Max line length exceeded.");
}

ProtocolError ProtocolError::tooManyHeadLines() {
    return ProtocolError(u"Too many header lines.");
}

ProtocolError ProtocolError::bodyTooLarge() {
    return ProtocolError(u"Response body too large.");
}

HttpReplyError::HttpReplyError(std::u16string statusLine, int statusCode, std::u16string body)
    : Error(std::move(statusLine)), statusCode_(statusCode), body_(std::move(body)) {}

} // namespace tarvenne::http
