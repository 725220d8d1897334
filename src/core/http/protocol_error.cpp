#include "http/protocol_error.h"

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

} // namespace tarvenne::http
