#pragma once

#include "lookup.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// What a check of an update document finds.
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

// Puts the problems in the order of their places in the document; problems at one place keep
// their order.
inline void sortByPlace(std::vector<Problem>& problems) {
    std::ranges::stable_sort(problems, [](const Problem& a, const Problem& b) {
        return std::pair(a.line, a.column) < std::pair(b.line, b.column);
    });
}

} // namespace tarvenne::tools
