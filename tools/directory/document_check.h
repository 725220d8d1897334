#pragma once

#include "report.h"
#include "text/code_page.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvenne::tools {

enum class Severity {
    Warning, // the launcher works, but not as the operator probably meant
    Error,   // the launcher fails or does not find the game's login page
};

// One problem of an update document, placed where the operator wrote it.
struct Problem {
    Severity severity = Severity::Error;
    std::size_t line = 1;              // from 1
    std::size_t column = 1;            // from 1, in characters of the line as the launcher reads it
    std::optional<std::size_t> record; // from 1, counted as the launcher splits the document
    std::string message;               // UTF-8
};

// A problem of the reply or of the body as a whole rather than of a place in the document.
struct ReplyProblem {
    Severity severity = Severity::Error;
    std::string message; // UTF-8
};

struct CheckResult {
    std::vector<Problem> problems; // in the order of their places in the document
    Outcome launcher;              // what the launcher makes of the same document
    std::vector<ReplyProblem> replyProblems;
};

// Checks the whole of an update document: its body's bytes and the charset that its reply
// declares (empty for none), read through `ansiCodePage` as the launcher reads it. Every
// problem is listed, not just the first one that stops the launcher.
CheckResult checkDocument(std::string_view body, std::string_view charset,
                          text::CodePage ansiCodePage);

// Puts the problems in the order of their places in the document; problems at one place keep
// their order.
void sortByPlace(std::vector<Problem>& problems);

} // namespace tarvenne::tools
