#include "directory/record_walk.h"

#include "directory/document_format.h"

#include <algorithm>
#include <iterator>

namespace tarvenne::directory {
namespace {

constexpr char16_t separatorUnits[] = {recordSeparator, fieldSeparator};
constexpr std::u16string_view separators(separatorUnits, std::size(separatorUnits));

} // namespace

bool RecordWalk::take(std::u16string_view piece) {
    const std::size_t pieceStart = taken_;
    taken_ += piece.size();
    std::size_t at = 0;
    if (!started_) {
        const auto first = std::ranges::find_if_not(piece, isBlank);
        if (first == piece.end())
            return true;
        at = static_cast<std::size_t>(first - piece.begin());
        started_ = true;
    }
    while (at < piece.size() && !stopped_) {
        if (passing_) {
            const std::size_t end = piece.substr(at).find(recordSeparator);
            if (end == std::u16string_view::npos)
                break;
            at += end + 1;
            endRecord();
            continue;
        }
        const char16_t c = piece[at];
        if (c == recordSeparator) {
            endField();
            if (!stopped_)
                endRecord();
            ++at;
        } else if (c == fieldSeparator) {
            beginRecord(pieceStart + at);
            recordHasFieldSeparator_ = true;
            endField();
            ++at;
        } else {
            const std::size_t end = std::min(piece.find_first_of(separators, at), piece.size());
            const std::u16string_view text = piece.substr(at, end - at);
            beginRecord(pieceStart + at);
            if (!inField_) {
                inField_ = true;
                field_ = {record_, fieldCount_ + 1, pieceStart + at};
                fieldLength_ = 0;
                trailingBlanks_ = 0;
            }
            fieldLength_ += text.size();
            const auto lastKept = std::ranges::find_if_not(text.rbegin(), text.rend(), isBlank);
            const auto blanks = static_cast<std::size_t>(lastKept - text.rbegin());
            trailingBlanks_ = blanks == text.size() ? trailingBlanks_ + blanks : blanks;
            follow(reader_.fieldText(field_, text));
            at = end;
        }
    }
    return !stopped_;
}

// Only here are the blanks that end the last field known to be the document's end.
void RecordWalk::finish() {
    if (stopped_ || passing_)
        return;
    if (inField_) {
        inField_ = false;
        if (fieldLength_ > trailingBlanks_) {
            ++fieldCount_;
            follow(reader_.fieldEnded(field_, fieldLength_ - trailingBlanks_));
            if (stopped_ || passing_)
                return;
        }
    }
    // A record begun by blanks at the document's end only is no record.
    if (inRecord_ && (fieldCount_ > 0 || recordHasFieldSeparator_))
        reader_.recordEnded(record_, recordStart_, fieldCount_);
}

void RecordWalk::beginRecord(std::size_t start) {
    if (inRecord_)
        return;
    inRecord_ = true;
    ++record_;
    recordStart_ = start;
    fieldCount_ = 0;
    recordHasFieldSeparator_ = false;
}

void RecordWalk::endField() {
    if (!inField_)
        return;
    inField_ = false;
    ++fieldCount_;
    follow(reader_.fieldEnded(field_, fieldLength_));
}

void RecordWalk::endRecord() {
    if (inRecord_ && !passing_)
        reader_.recordEnded(record_, recordStart_, fieldCount_);
    inRecord_ = false;
    passing_ = false;
}

void RecordWalk::follow(Next next) {
    switch (next) {
    case Next::Go:
        break;
    case Next::PassRecord:
        passing_ = true;
        inField_ = false;
        break;
    case Next::Stop:
        stopped_ = true;
        break;
    }
}

} // namespace tarvenne::directory
