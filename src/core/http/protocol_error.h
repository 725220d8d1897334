#pragma once

#include "base/error.h"

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

} // namespace tarvenne::http
