#include "check_report.h"

#include "base/utf.h"
#include "json_fields.h"

#include <algorithm>

namespace tarvenne::tools {
namespace {

std::size_t countOf(const CheckResult& result, Severity severity) {
    return static_cast<std::size_t>(
        std::ranges::count(result.problems, severity, &Problem::severity) +
        std::ranges::count(result.replyProblems, severity, &ReplyProblem::severity));
}

std::string counted(std::size_t count, const std::string& what) {
    return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

std::string severityName(Severity severity) {
    return severity == Severity::Error ? "error" : "warning";
}

std::string launcherLine(const Outcome& launcher) {
    if (launcher.error)
        return "The launcher fails with: " + toUtf8(*launcher.error) + "\n";
    if (!launcher.entry)
        return "The launcher finds no record of " + toUtf8(directory::gameName) + ".\n";
    return "The launcher takes dns \"" + toUtf8(launcher.entry->siteAddress) + "\", loginp \"" +
           toUtf8(launcher.entry->loginPage) + "\", caption1 \"" + toUtf8(launcher.entry->title) +
           "\".\n";
}

} // namespace

std::string plainCheckReport(const CheckedDocument& document, const CheckResult& result) {
    std::string report =
        "Checked " + document.source.name + " (" +
        (document.charset.empty() ? "no charset" : "charset \"" + document.charset + "\"") +
        ", ANSI code page " + std::to_string(document.ansiCodePage) + ")\n";
    const std::string whole = document.source.kind == DocumentSource::Kind::File ? "file" : "reply";
    for (const ReplyProblem& problem : result.replyProblems)
        report += whole + ": " + severityName(problem.severity) + ": " + problem.message + "\n";
    for (const Problem& problem : result.problems) {
        report +=
            "line " + std::to_string(problem.line) + ", column " + std::to_string(problem.column);
        if (problem.record)
            report += ", record " + std::to_string(*problem.record);
        report += ": " + severityName(problem.severity) + ": " + problem.message + "\n";
    }
    report += launcherLine(result.launcher);
    const std::size_t errors = countOf(result, Severity::Error);
    const std::size_t warnings = countOf(result, Severity::Warning);
    report += errors + warnings == 0
                  ? std::string("No problems.\n")
                  : counted(errors, "error") + ", " + counted(warnings, "warning") + ".\n";
    return report;
}

std::string jsonCheckReport(const CheckedDocument& document, const CheckResult& result) {
    nlohmann::ordered_json report = sourceFields(document.source);
    report["charset"] = document.charset;
    report["ansiCodePage"] = document.ansiCodePage;
    nlohmann::ordered_json problems = nlohmann::ordered_json::array();
    for (const ReplyProblem& problem : result.replyProblems) {
        problems.push_back({{"severity", severityName(problem.severity)},
                            {"line", nullptr},
                            {"column", nullptr},
                            {"record", nullptr},
                            {"message", problem.message}});
    }
    for (const Problem& problem : result.problems) {
        problems.push_back({{"severity", severityName(problem.severity)},
                            {"line", problem.line},
                            {"column", problem.column},
                            {"record", problem.record ? nlohmann::ordered_json(*problem.record)
                                                      : nlohmann::ordered_json(nullptr)},
                            {"message", problem.message}});
    }
    report["problems"] = std::move(problems);
    report["errors"] = countOf(result, Severity::Error);
    report["warnings"] = countOf(result, Severity::Warning);
    nlohmann::ordered_json launcher = nlohmann::ordered_json::object();
    addOutcomeFields(launcher, result.launcher);
    report["launcher"] = std::move(launcher);
    return report.dump() + "\n";
}

int checkExitStatus(const CheckResult& result) {
    if (countOf(result, Severity::Error) > 0)
        return 1;
    return countOf(result, Severity::Warning) == 0 ? 0 : 4;
}

} // namespace tarvenne::tools
