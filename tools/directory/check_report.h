#pragma once

#include "lookup.h"
#include "problems.h"
#include "text/code_page.h"

#include <string>

namespace tarvenne::tools {

// What was checked: the source, the charset its reply declares and the ANSI code page used.
struct CheckedDocument {
    DocumentSource source;
    std::string charset;
    text::CodePage ansiCodePage = 1252;
};

// The problems one a line, those of the reply or file as a whole first ("reply: error: ...",
// "line 3, column 14, record 2: error: ..."), what the launcher makes of the document, and the
// count, for a person to read.
std::string plainCheckReport(const CheckedDocument& document, const CheckResult& result);

// One JSON object on one line: the source, "problems" (each with "severity", "line",
// "column", "record" and "message"; the problems of the reply or file as a whole have null in
// the first three), the counts and the launcher's outcome under "launcher".
std::string jsonCheckReport(const CheckedDocument& document, const CheckResult& result);

// 0 without problems, 1 with errors, 4 with warnings only.
int checkExitStatus(const CheckResult& result);

} // namespace tarvenne::tools
