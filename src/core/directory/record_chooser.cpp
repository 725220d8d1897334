#include "directory/record_chooser.h"

#include "base/error.h"
#include "base/utf.h"
#include "directory/document_format.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace tarvenne::directory {
namespace {

constexpr char16_t separatorUnits[] = {recordSeparator, fieldSeparator};
constexpr std::u16string_view separators(separatorUnits, std::size(separatorUnits));

// A field of the chosen record longer than this gets its room for the rest of the document.
constexpr std::size_t minReservedField = 64 * 1024;

// White space and control characters: trimmed at the document's ends, kept everywhere else.
constexpr bool isBlank(char16_t c) {
    return c <= u' ';
}

// A blank in a first field settles that it is not gameName, unless the document's end trims it.
static_assert(std::ranges::none_of(gameName, isBlank));

// The position of the first `unit` in `text`, or npos; runs without it are passed over four
// units at a time.
std::size_t findUnit(std::u16string_view text, char16_t unit) {
    constexpr std::uint64_t ones = 0x0001000100010001;
    constexpr std::uint64_t highBits = 0x8000800080008000;
    const std::uint64_t pattern = ones * unit;
    std::size_t i = 0;
    for (; i + 4 <= text.size(); i += 4) {
        std::uint64_t units = 0;
        std::memcpy(&units, text.data() + i, sizeof units);
        const std::uint64_t matches = units ^ pattern;
        if (((matches - ones) & ~matches & highBits) != 0)
            break;
    }
    const std::size_t found = text.substr(i).find(unit);
    return found == std::u16string_view::npos ? found : i + found;
}

Error listIndexOutOfBounds(int index) {
    return Error(u"List index out of bounds (" + fromLatin1(std::to_string(index)) + u")");
}

} // namespace

bool RecordChooser::take(std::u16string_view piece) {
    taken_ += piece.size();
    if (!started_) {
        const auto first = std::ranges::find_if_not(piece, isBlank);
        if (first == piece.end())
            return true;
        piece.remove_prefix(static_cast<std::size_t>(first - piece.begin()));
        started_ = true;
    }
    std::size_t at = 0;
    while (at < piece.size() && phase_ != Phase::Chosen) {
        const std::u16string_view rest = piece.substr(at);
        switch (phase_) {
        case Phase::BeforeName:
            if (rest.front() == recordSeparator) {
                endRecordBeforeName();
                ++at;
            } else if (rest.front() == fieldSeparator) {
                recordHasFieldSeparator_ = true;
                ++at;
            } else {
                phase_ = Phase::InName;
                nameMatched_ = 0;
                trailingBlanks_ = 0;
            }
            break;
        case Phase::InName:
            at += takeInName(rest);
            break;
        case Phase::PassingOver: {
            const std::size_t end = findUnit(rest, recordSeparator);
            if (end == std::u16string_view::npos)
                return true;
            at += end + 1;
            phase_ = Phase::BeforeName;
            recordHasFieldSeparator_ = false;
            break;
        }
        case Phase::InChosen:
            at += takeInChosen(rest);
            break;
        case Phase::Chosen:
            break;
        }
    }
    return phase_ != Phase::Chosen;
}

std::optional<ServerEntry> RecordChooser::finish() {
    switch (phase_) {
    case Phase::BeforeName:
        endRecordBeforeName();
        return std::nullopt;
    case Phase::InName:
        // What follows the matched characters is blank and at the document's end: trimmed.
        if (nameMatched_ == 0) {
            endRecordBeforeName();
            return std::nullopt;
        }
        if (nameMatched_ == gameName.size())
            throw listIndexOutOfBounds(3);
        return std::nullopt;
    case Phase::PassingOver:
        return std::nullopt;
    case Phase::InChosen:
        field_.resize(field_.size() - trailingBlanks_);
        endChosenField();
        if (phase_ != Phase::Chosen)
            throw listIndexOutOfBounds(3);
        return takeChosenEntry();
    case Phase::Chosen:
        return takeChosenEntry();
    }
    return std::nullopt;
}

// Up to the end of the first field, or until it can no longer be gameName; returns the
// characters taken.
std::size_t RecordChooser::takeInName(std::u16string_view rest) {
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const char16_t c = rest[i];
        if (c == recordSeparator || c == fieldSeparator) {
            endNameAt(c);
            return i + 1;
        }
        if (isBlank(c)) {
            ++trailingBlanks_;
            continue;
        }
        if (trailingBlanks_ > 0 || nameMatched_ == gameName.size() || gameName[nameMatched_] != c) {
            phase_ = Phase::PassingOver;
            return i + 1;
        }
        ++nameMatched_;
    }
    return rest.size();
}

// Up to the end of the chosen record's current field; returns the characters taken.
std::size_t RecordChooser::takeInChosen(std::u16string_view rest) {
    const std::size_t end = std::min(rest.find_first_of(separators), rest.size());
    const std::u16string_view text = rest.substr(0, end);
    const auto lastKept = std::ranges::find_if_not(text.rbegin(), text.rend(), isBlank);
    const auto blanks = static_cast<std::size_t>(lastKept - text.rbegin());
    trailingBlanks_ = blanks == text.size() ? trailingBlanks_ + blanks : blanks;
    // Room that is reserved but never written takes no memory.
    const std::size_t needed = field_.size() + text.size();
    if (needed > field_.capacity() && needed > minReservedField)
        field_.reserve(field_.size() + rest.size() +
                       (lengthBound_ - std::min(lengthBound_, taken_)));
    field_ += text;
    if (end == rest.size())
        return end;
    endChosenField();
    if (rest[end] == recordSeparator && phase_ != Phase::Chosen)
        throw listIndexOutOfBounds(3);
    return end + 1;
}

void RecordChooser::endNameAt(char16_t separator) {
    const bool isGameName = trailingBlanks_ == 0 && nameMatched_ == gameName.size();
    if (!isGameName) {
        phase_ = separator == recordSeparator ? Phase::BeforeName : Phase::PassingOver;
        recordHasFieldSeparator_ = false;
        return;
    }
    // Reading the fourth field comes first: a chosen record without it fails here.
    if (separator == recordSeparator)
        throw listIndexOutOfBounds(3);
    phase_ = Phase::InChosen;
    fields_.assign(1, std::u16string(gameName));
    field_.clear();
    trailingBlanks_ = 0;
}

// A record that ends before any first field: empty, or field separators only, which fails.
void RecordChooser::endRecordBeforeName() {
    if (recordHasFieldSeparator_)
        throw listIndexOutOfBounds(0);
}

void RecordChooser::endChosenField() {
    if (!field_.empty())
        fields_.push_back(std::move(field_));
    field_.clear();
    trailingBlanks_ = 0;
    if (fields_.size() == 4)
        phase_ = Phase::Chosen;
}

ServerEntry RecordChooser::takeChosenEntry() {
    return ServerEntry{std::move(fields_[0]), std::move(fields_[1]), std::move(fields_[2]),
                       std::move(fields_[3])};
}

} // namespace tarvenne::directory
