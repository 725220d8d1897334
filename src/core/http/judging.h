#pragma once

#include "http/header_list.h"

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

} // namespace tarvenne::http
