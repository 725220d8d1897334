#pragma once

#include "check_context.h"
#include "url_decoding_check.h"

#include <cstddef>

namespace tarvenne::tools {

// Checks the login page's address that a record's site address and login page join to: white
// space in it, a scheme other than the web's, no host, no scheme, plain http:// for the record
// that the launcher uses (`used`), and a login page that runs into the host name. Problems of
// the record the launcher uses are errors, those of other records warnings.
void checkLoginAddress(const DecodedField& siteAddress, const DecodedField& loginPage, bool used,
                       std::size_t record, const DecodedDocument& document, Findings& findings);

} // namespace tarvenne::tools
