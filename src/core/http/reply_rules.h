#pragma once

#include "http/reply_head.h"

#include <string>
#include <string_view>

namespace tarvenne::http {

// What a reply's status and head make of the exchange; the first rule that applies decides.
enum class Verdict {
    Redirect,       // 300-399 but 304, or any code but 201 with a non-empty Location: fails
    Success,        // 200-299: the body is the result
    NoContent,      // 204: succeeds with empty text; a body that starts soon is discarded
    NoCredentials,  // 401, 407: fails
    NoBodyExpected, // 101-199, 304: fails; a body that starts soon is discarded
    Failure,        // every other code, -1 included: fails
};

Verdict judge(int statusCode, const HeaderList& headers);

// Whether the last reply lets its connection stay open: neither its Connection nor its
// Proxy-Connection header, trimmed, is "close" (compared without regard to case). The
// protocol version the reply names plays no part.
bool allowsKeepingOpen(const HeaderList& headers);

// The "charset" parameter of a Content-Type value, empty when there is none. Parameters
// follow the first ";" and are separated by ";"; names are compared without regard to case;
// a quoted value has its backslash escapes resolved, an unquoted one ends at a space or a
// delimiter.
std::string charsetOf(std::string_view contentType);

} // namespace tarvenne::http
