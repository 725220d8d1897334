#pragma once

#include "problems.h"
#include "text/code_page.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the checks of one update document read, and where they report.
namespace tarvenne::tools {

// The body as the checks read it: its bytes, the charset its reply declares, the ANSI code
// page that the launcher reads it through, and its text as the launcher's client makes it.
struct CheckedBody {
    CheckedBody(std::string_view bytes, std::string_view charset, text::CodePage ansiCodePage);

    // The index in the text of the character that the first `byteCount` bytes end before.
    std::size_t textIndexOfByte(std::size_t byteCount) const;

    std::string_view bytes;
    std::string_view charset; // empty for none
    text::CodePage ansiCodePage;
    std::u16string text;
};

// The one list of problems that the checks of a document report into, each placed by an index
// in the body's text.
class Findings {
public:
    // Reports a problem of the given record, or of none; returns its number in the list.
    std::size_t add(Severity severity, std::size_t textIndex, std::optional<std::size_t> record,
                    std::string message);
    // Reports a problem found before the document is split into records: its record is the
    // one that holds its place.
    void addInRecordAtPlace(Severity severity, std::size_t textIndex, std::string message);
    // For a problem whose weight shows only once the whole document has been read.
    void setSeverity(std::size_t number, Severity severity);

    // The problems in the order of their places, with their lines and columns in `text`;
    // `recordStarts` holds the place of each record's start.
    std::vector<Problem> placed(std::u16string_view text,
                                const std::vector<std::size_t>& recordStarts) const;

private:
    struct Found {
        Severity severity;
        std::size_t textIndex;
        std::optional<std::size_t> record;
        bool recordAtPlace;
        std::string message;
    };

    std::vector<Found> found_;
};

} // namespace tarvenne::tools
