#pragma once

#include "lookup.h"

#include <nlohmann/json.hpp>

namespace tarvenne::tools {

// {"address": URL} or {"file": PATH}.
nlohmann::ordered_json sourceFields(const DocumentSource& source);

// Adds "record" (the chosen record's fields, or null) or "error" (the error box's message).
void addOutcomeFields(nlohmann::ordered_json& report, const Outcome& outcome);

} // namespace tarvenne::tools
