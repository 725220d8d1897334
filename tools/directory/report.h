#pragma once

#include "lookup.h"

#include <string>

namespace tarvenne::tools {

// "address: URL" or "file: PATH", for a person to read.
std::string sourceLine(const DocumentSource& source);

// The record's fields or the message, for a person to read, in UTF-8.
std::string plainReport(const Outcome& outcome);

// One JSON object on one line, in UTF-8: the source ("address" or "file") and the record or
// the error.
std::string jsonReport(const DocumentSource& source, const Outcome& outcome);

} // namespace tarvenne::tools
