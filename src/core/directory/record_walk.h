#pragma once

#include <cstddef>
#include <string_view>

namespace tarvenne::directory {

// Where a field stands in the decoded update document.
struct FieldPlace {
    std::size_t record; // from 1, in the order of the records that the walk splits
    std::size_t field;  // from 1, within its record
    std::size_t start;  // the offset of its first character in the document
};

// Walks the decoded update document as the launcher splits it: the blanks at its ends trimmed
// away, the rest split at recordSeparator into records and each record at fieldSeparator into
// fields, empty records and fields dropped. It is fed the document piece by piece, so that no
// list of records or fields is built: it hands its reader each field's characters as they come
// and tells it where each field and record ends. The reader can pass over the rest of a record,
// which the walk then looks at only for its end, or stop the walk.
class RecordWalk {
public:
    enum class Next {
        Go,         // on with the record
        PassRecord, // on with the next record
        Stop,       // nothing more is needed
    };

    class Reader {
    public:
        using Next = RecordWalk::Next;

        virtual ~Reader() = default;

        // More characters of the field at `place`. Blanks among them may yet turn out to be the
        // document's end, which is trimmed away: fieldEnded says how long the field is. A field
        // whose characters are all blanks at the document's end is no field: it never ends.
        virtual Next fieldText(const FieldPlace& place, std::u16string_view text) = 0;

        // The field at `place` ends and has `length` characters: all its characters given but
        // the blanks at the document's end.
        virtual Next fieldEnded(const FieldPlace& place, std::size_t length) = 0;

        // Record `record`, whose first character (a field's or a field separator) is at offset
        // `start`, ends with `fieldCount` fields: none when it holds field separators only. Not
        // told for a record that the reader passed over.
        virtual void recordEnded(std::size_t record, std::size_t start, std::size_t fieldCount) = 0;
    };

    explicit RecordWalk(Reader& reader) : reader_(reader) {}

    // The next piece of the document; false once the reader has stopped the walk.
    bool take(std::u16string_view piece);

    // After the last piece: ends the last field and record.
    void finish();

    // Whether the walk is passing over the rest of a record, where it looks for nothing but the
    // next recordSeparator.
    bool passingOver() const { return passing_ && !stopped_; }

    // While passingOver(): the next `count` units of the document, which hold no
    // recordSeparator, are passed over without being handed in.
    void passOver(std::size_t count) { taken_ += count; }

private:
    void beginRecord(std::size_t start);
    void endField();
    void endRecord();
    void follow(Next next);

    Reader& reader_;
    std::size_t taken_ = 0; // units of the document before the current piece
    bool started_ = false;  // past the blanks at the document's start
    bool passing_ = false;  // passing over the rest of the current record
    bool stopped_ = false;

    bool inRecord_ = false;
    std::size_t record_ = 0; // the number of the current or last record
    std::size_t recordStart_ = 0;
    std::size_t fieldCount_ = 0; // the current record's fields that have ended
    bool recordHasFieldSeparator_ = false;

    bool inField_ = false;
    FieldPlace field_{};
    std::size_t fieldLength_ = 0;    // the current field's characters given so far
    std::size_t trailingBlanks_ = 0; // the blanks that end them
};

} // namespace tarvenne::directory
