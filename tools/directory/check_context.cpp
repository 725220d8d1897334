#include "check_context.h"

#include "document_text.h"
#include "text/body_text.h"

#include <algorithm>

namespace tarvenne::tools {
namespace {

// The number, from 1, of the record that holds `textIndex`; none before the first record.
std::optional<std::size_t> recordAt(const std::vector<std::size_t>& recordStarts,
                                    std::size_t textIndex) {
    const auto after = std::ranges::upper_bound(recordStarts, textIndex);
    if (after == recordStarts.begin())
        return std::nullopt;
    return static_cast<std::size_t>(after - recordStarts.begin());
}

} // namespace

CheckedBody::CheckedBody(std::string_view bytes, std::string_view charset,
                         text::CodePage ansiCodePage)
    : bytes(bytes), charset(charset), ansiCodePage(ansiCodePage),
      text(text::decodeBody(bytes, charset)) {}

std::size_t CheckedBody::textIndexOfByte(std::size_t byteCount) const {
    return text::decodeBody(bytes.substr(0, byteCount), charset).size();
}

std::size_t Findings::add(Severity severity, std::size_t textIndex,
                          std::optional<std::size_t> record, std::string message) {
    found_.push_back({severity, textIndex, record, false, std::move(message)});
    return found_.size() - 1;
}

void Findings::addInRecordAtPlace(Severity severity, std::size_t textIndex, std::string message) {
    found_.push_back({severity, textIndex, std::nullopt, true, std::move(message)});
}

void Findings::setSeverity(std::size_t number, Severity severity) {
    found_[number].severity = severity;
}

std::vector<Problem> Findings::placed(std::u16string_view text,
                                      const std::vector<std::size_t>& recordStarts) const {
    const TextPositions positions(text);
    std::vector<Problem> problems;
    for (const Found& found : found_) {
        const auto [line, column] = positions.at(found.textIndex);
        problems.push_back(
            {found.severity, line, column,
             found.recordAtPlace ? recordAt(recordStarts, found.textIndex) : found.record,
             found.message});
    }
    sortByPlace(problems);
    return problems;
}

} // namespace tarvenne::tools
