#include "report.h"

#include "base/utf.h"
#include "json_fields.h"

namespace tarvenne::tools {

std::string sourceLine(const DocumentSource& source) {
    return (source.kind == DocumentSource::Kind::File ? "file: " : "address: ") + source.name +
           "\n";
}

std::string plainReport(const Outcome& outcome) {
    if (outcome.error)
        return toUtf8(*outcome.error) + "\n";
    if (!outcome.entry)
        return "No record is named " + toUtf8(directory::gameName) + ".\n";
    const directory::GameRecord& entry = *outcome.entry;
    return "dns: " + toUtf8(entry.siteAddress) + "\nloginp: " + toUtf8(entry.loginPage) +
           "\ncaption1: " + toUtf8(entry.title) + "\n";
}

std::string jsonReport(const DocumentSource& source, const Outcome& outcome) {
    nlohmann::ordered_json report = sourceFields(source);
    addOutcomeFields(report, outcome);
    return report.dump() + "\n";
}

} // namespace tarvenne::tools
