#pragma once

#include "directory/server_entry.h"

#include <exception>
#include <optional>
#include <string>

namespace tarvenne::tools {

// Where the document came from: the address fetched or the file read.
struct DocumentSource {
    enum class Kind { Address, File };
    Kind kind = Kind::Address;
    std::string name;
};

// How a lookup ended: the chosen record (or none), or the message the error box would show.
struct Outcome {
    std::optional<directory::ServerEntry> entry;
    std::optional<std::u16string> error;
    bool operator==(const Outcome&) const = default;
};

// How a lookup that failed ends: with the text of the error box that the launcher shows.
Outcome failureOutcome(const std::exception& failure);

// "address: URL" or "file: PATH", for a person to read.
std::string sourceLine(const DocumentSource& source);

// The record's fields or the message, for a person to read, in UTF-8.
std::string plainReport(const Outcome& outcome);

// One JSON object on one line, in UTF-8: the source ("address" or "file") and the record or
// the error.
std::string jsonReport(const DocumentSource& source, const Outcome& outcome);

} // namespace tarvenne::tools
