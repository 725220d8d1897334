#include "report.h"

#include "base/utf.h"

#include <nlohmann/json.hpp>

namespace tarvenne::tools {

std::string plainReport(const Outcome& outcome) {
    if (outcome.error)
        return toUtf8(*outcome.error) + "\n";
    if (!outcome.entry)
        return "No record is named " + toUtf8(directory::GameName) + ".\n";
    const directory::ServerEntry& entry = *outcome.entry;
    return "dns: " + toUtf8(entry.dns) + "\nloginp: " + toUtf8(entry.loginp) +
           "\ncaption1: " + toUtf8(entry.caption1) + "\n";
}

std::string jsonReport(const Outcome& outcome) {
    nlohmann::ordered_json report;
    if (outcome.error) {
        report["error"] = toUtf8(*outcome.error);
    } else if (!outcome.entry) {
        report["record"] = nullptr;
    } else {
        report["record"] = {{"dns", toUtf8(outcome.entry->dns)},
                            {"loginp", toUtf8(outcome.entry->loginp)},
                            {"caption1", toUtf8(outcome.entry->caption1)}};
    }
    return report.dump() + "\n";
}

} // namespace tarvenne::tools
