#pragma once

#include "check_context.h"
#include "url_decoding_check.h"

#include <cstddef>
#include <vector>

namespace tarvenne::tools {

// Checks the records as the launcher splits the decoded document: the game's record missing or
// repeated, names that miss it by letter case, white space or an invisible character, records
// of too few fields, control characters in fields and each record's login address. Returns the
// place in the body's text of each record's start.
std::vector<std::size_t> checkRecords(const CheckedBody& body, const DecodedDocument& document,
                                      Findings& findings);

} // namespace tarvenne::tools
