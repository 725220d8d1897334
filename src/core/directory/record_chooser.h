#pragma once

#include "directory/game_record.h"
#include "directory/record_walk.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvenne::directory {

// Chooses the game's record from the decoded update document, which it is fed piece by piece:
// the first record, in the order of the RecordWalk, whose first field is gameName. A record
// that is not chosen is looked at up to its first field, then passed over, and of the chosen
// record only its first four fields are kept. Throws "List index out of bounds (0)" for a
// record of field separators only that is examined, "List index out of bounds (3)" for a
// chosen record with fewer than four fields.
class RecordChooser final : private RecordWalk::Reader {
public:
    // `lengthBound`: at most how many UTF-16 units the document has, so that a field of the
    // chosen record that outgrows one piece is given its room once rather than moved as it grows.
    explicit RecordChooser(std::size_t lengthBound) : lengthBound_(lengthBound) {}
    RecordChooser(const RecordChooser&) = delete;
    RecordChooser& operator=(const RecordChooser&) = delete;

    // The next piece of the document; false once the choice is made and no more is needed.
    bool take(std::u16string_view piece) { return walk_.take(piece); }

    // After the last piece: the chosen record, or nothing when no record is named gameName.
    std::optional<GameRecord> finish();

    // As RecordWalk::passingOver and RecordWalk::passOver: the rest of a record that is not
    // chosen need not be decoded.
    bool passingOver() const { return walk_.passingOver(); }
    void passOver(std::size_t count) { walk_.passOver(count); }

private:
    Next fieldText(const FieldPlace& place, std::u16string_view text) override;
    Next fieldEnded(const FieldPlace& place, std::size_t length) override;
    void recordEnded(std::size_t record, std::size_t start, std::size_t fieldCount) override;

    std::size_t lengthBound_;
    RecordWalk walk_{*this};
    bool chosen_ = false;                // the current record is named gameName
    std::size_t nameRecord_ = 0;         // the record whose first field is being read
    std::size_t nameSeen_ = 0;           // characters of that field given so far
    std::size_t nameMatched_ = 0;        // how many of them, from the first, are those of gameName
    std::vector<std::u16string> fields_; // the chosen record's fields that have ended
    std::u16string field_;               // the chosen record's field being read
};

} // namespace tarvenne::directory
