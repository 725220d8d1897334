#pragma once

#include "directory/server_directory.h"

#include <optional>
#include <string>

namespace tarvenne::tools {

// How a check ended: the chosen record (or none), or the message the error box would show.
struct Outcome {
    std::optional<directory::ServerEntry> entry;
    std::optional<std::u16string> error;
};

// Lines for a person to read, in UTF-8.
std::string plainReport(const Outcome& outcome);

// One JSON object on one line, in UTF-8.
std::string jsonReport(const Outcome& outcome);

} // namespace tarvenne::tools
