#include "json_fields.h"

#include "base/utf.h"

namespace tarvenne::tools {

nlohmann::ordered_json sourceFields(const DocumentSource& source) {
    return {{source.kind == DocumentSource::Kind::File ? "file" : "address", source.name}};
}

void addOutcomeFields(nlohmann::ordered_json& report, const Outcome& outcome) {
    if (outcome.error) {
        report["error"] = toUtf8(*outcome.error);
    } else if (!outcome.entry) {
        report["record"] = nullptr;
    } else {
        report["record"] = {{"dns", toUtf8(outcome.entry->siteAddress)},
                            {"loginp", toUtf8(outcome.entry->loginPage)},
                            {"caption1", toUtf8(outcome.entry->title)}};
    }
}

} // namespace tarvenne::tools
