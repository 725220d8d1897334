#pragma once

#include "directory/server_entry.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvenne::directory {

// Chooses the game's record from the decoded update document, which it is fed piece by piece.
// The document is trimmed of characters up to U+0020 at both ends and split at "^" into
// records, each record at "|" into fields, empty ones dropped; the first record whose first
// field is gameName is chosen. No list of records or fields is built: a record that is not
// chosen is looked at up to its first field, then passed over, and of the chosen record only
// its first four fields are kept. Throws "List index out of bounds (0)" for a record of field
// separators only that is examined, "List index out of bounds (3)" for a chosen record with
// fewer than four fields.
class RecordChooser {
public:
    // `lengthBound`: at most how many UTF-16 units the document has, so that a field of the
    // chosen record that outgrows one piece is given its room once rather than moved as it grows.
    explicit RecordChooser(std::size_t lengthBound) : lengthBound_(lengthBound) {}

    // The next piece of the document; false once the choice is made and no more is needed.
    bool take(std::u16string_view piece);

    // After the last piece: the chosen record, or nothing when no record is named gameName.
    std::optional<ServerEntry> finish();

private:
    enum class Phase {
        BeforeName,  // at the start of a record, or after its leading field separators
        InName,      // in the first field, which so far may still be gameName
        PassingOver, // in a record whose first field is not gameName
        InChosen,    // in a field of the chosen record
        Chosen,      // the chosen record's four fields are complete
    };

    std::size_t takeInName(std::u16string_view rest);
    std::size_t takeInChosen(std::u16string_view rest);
    void endNameAt(char16_t separator);
    void endRecordBeforeName();
    void endChosenField();
    ServerEntry takeChosenEntry();

    std::size_t lengthBound_;
    std::size_t taken_ = 0; // units of the document taken, the current piece included
    bool started_ = false;  // past the white space at the document's start
    Phase phase_ = Phase::BeforeName;
    bool recordHasFieldSeparator_ = false;
    std::size_t nameMatched_ = 0;        // characters of gameName that the first field has matched
    std::size_t trailingBlanks_ = 0;     // characters up to U+0020 ending the field read so far
    std::vector<std::u16string> fields_; // the chosen record's complete fields
    std::u16string field_;               // the chosen record's field being read
};

} // namespace tarvenne::directory
