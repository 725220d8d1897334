#pragma once

#include "http/reply_head.h"
#include "problems.h"

#include <exception>
#include <optional>
#include <string_view>

// The check's look at the exchange as a whole: what a failing fetch comes from, and a body
// that is not an update document at all. Each message names the cause and the fix.
namespace tarvenne::tools {

// The cause of a fetch that failed, with the head of the reply if one was read.
ReplyProblem fetchFailureProblem(const std::exception& failure,
                                 const std::optional<http::ReplyHead>& head);

// Whether the body as a whole is something other than an update document: compressed data
// (by its Content-Encoding, when the reply's headers are known, or by its first bytes), or an
// HTML page in which the launcher finds no record. `fromFile` words the message for a file.
std::optional<ReplyProblem> bodyKindProblem(std::string_view body, const http::HeaderList* headers,
                                            const Outcome& launcher, bool fromFile);

} // namespace tarvenne::tools
