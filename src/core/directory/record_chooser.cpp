#include "directory/record_chooser.h"

#include "base/error.h"
#include "base/utf.h"
#include "directory/document_format.h"

#include <algorithm>

namespace tarvenne::directory {
namespace {

// A field of the chosen record longer than this gets its room for the rest of the document.
constexpr std::size_t minReservedField = 64 * 1024;

// A first field with a blank before more characters is not gameName.
static_assert(std::ranges::none_of(gameName, isBlank));

Error listIndexOutOfBounds(int index) {
    return Error(u"List index out of bounds (" + fromLatin1(std::to_string(index)) + u")");
}

} // namespace

std::optional<GameRecord> RecordChooser::finish() {
    walk_.finish();
    if (!chosen_)
        return std::nullopt;
    return GameRecord{std::move(fields_[0]), std::move(fields_[1]), std::move(fields_[2]),
                      std::move(fields_[3])};
}

// Records that are not chosen are passed over after their first field, so the text of a record
// that is not chosen is its first field's.
RecordWalk::Next RecordChooser::fieldText(const FieldPlace& place, std::u16string_view text) {
    if (chosen_) {
        // Room that is reserved but never written takes no memory.
        const std::size_t needed = field_.size() + text.size();
        if (needed > field_.capacity() && needed > minReservedField)
            field_.reserve(lengthBound_ - std::min(lengthBound_, place.start));
        field_ += text;
        return Next::Go;
    }
    if (place.record != nameRecord_) {
        nameRecord_ = place.record;
        nameSeen_ = 0;
        nameMatched_ = 0;
    }
    for (const char16_t c : text) {
        if (nameMatched_ == nameSeen_ && nameSeen_ < gameName.size() && c == gameName[nameSeen_])
            ++nameMatched_;
        else if (!isBlank(c)) // no longer a blank that the document's end may trim away
            return Next::PassRecord;
        ++nameSeen_;
    }
    return Next::Go;
}

RecordWalk::Next RecordChooser::fieldEnded(const FieldPlace&, std::size_t length) {
    if (chosen_) {
        field_.resize(length);
        fields_.push_back(std::move(field_));
        field_.clear();
        return fields_.size() == entryFieldCount ? Next::Stop : Next::Go;
    }
    const bool isGameName = length == gameName.size() && nameMatched_ == length;
    if (!isGameName)
        return Next::PassRecord;
    chosen_ = true;
    fields_.assign(1, std::u16string(gameName));
    return Next::Go;
}

// Reading the fourth field comes first: a chosen record without it fails as it ends.
void RecordChooser::recordEnded(std::size_t, std::size_t, std::size_t fieldCount) {
    if (fieldCount == 0)
        throw listIndexOutOfBounds(0);
    if (chosen_)
        throw listIndexOutOfBounds(3);
}

} // namespace tarvenne::directory
