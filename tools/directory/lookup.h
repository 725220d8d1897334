#pragma once

#include "directory/game_record.h"
#include "text/code_page.h"

#include <exception>
#include <optional>
#include <string>

// What the launcher's lookup of the update document reads, and how it ends.
namespace tarvenne::tools {

// Where the document came from: the address fetched or the file read.
struct DocumentSource {
    enum class Kind { Address, File };
    Kind kind = Kind::Address;
    std::string name;
};

// How a lookup ended: the chosen record (or none), or the message the error box would show.
struct Outcome {
    std::optional<directory::GameRecord> entry;
    std::optional<std::u16string> error;
    bool operator==(const Outcome&) const = default;
};

// How a lookup that failed ends: with the text of the error box that the launcher shows.
Outcome failureOutcome(const std::exception& failure);

// What the launcher makes of the document's text, read through `ansiCodePage`.
Outcome launcherOutcome(std::u16string document, text::CodePage ansiCodePage);

} // namespace tarvenne::tools
