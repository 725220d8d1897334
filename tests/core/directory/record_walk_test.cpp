#include "base/utf.h"
#include "directory/record_walk.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tarvenne::directory {
namespace {

// Every record the walk tells of, as "start:" and its fields as "start=text", in one line.
class WalkTranscript final : public RecordWalk::Reader {
public:
    std::string lines;

private:
    Next fieldText(const FieldPlace& place, std::u16string_view text) override {
        if (place.field != expectedField_)
            lines += "field " + std::to_string(place.field) + " out of order ";
        field_ += text;
        return Next::Go;
    }

    Next fieldEnded(const FieldPlace& place, std::size_t length) override {
        if (length > field_.size())
            lines += "field longer than its text ";
        record_ += " " + std::to_string(place.start) + "=" + toUtf8(field_.substr(0, length));
        field_.clear();
        ++expectedField_;
        return Next::Go;
    }

    void recordEnded(std::size_t record, std::size_t start, std::size_t fieldCount) override {
        lines += std::to_string(record) + "@" + std::to_string(start) + ":" + record_ + " (" +
                 std::to_string(fieldCount) + ")\n";
        record_.clear();
        field_.clear();
        expectedField_ = 1;
    }

    std::u16string field_;
    std::string record_;
    std::size_t expectedField_ = 1;
};

std::string walked(std::u16string_view document, std::size_t pieceSize) {
    WalkTranscript transcript;
    RecordWalk walk(transcript);
    for (std::size_t at = 0; at < document.size(); at += pieceSize)
        walk.take(document.substr(at, pieceSize));
    walk.finish();
    return transcript.lines;
}

// Places are offsets in the untrimmed document; the blanks at its end are cut from the last
// field, or take away the field and record that they alone make.
TEST(RecordWalk, SplitsRecordsAndFieldsWithTheirPlaces) {
    struct Case {
        std::u16string_view document;
        std::string records;
    };
    const Case cases[] = {
        {u"", ""},
        {u" \r\n", ""},
        {u"a|b^c", "1@0: 0=a 2=b (2)\n2@4: 4=c (1)\n"},
        {u"  a||b|^^|c| ", "1@2: 2=a 5=b (2)\n2@9: 10=c (1)\n"},
        {u"a^||^b", "1@0: 0=a (1)\n2@2: (0)\n3@5: 5=b (1)\n"},
        {u"a| b \t|c \r\n", "1@0: 0=a 2= b \t 7=c (3)\n"},
        {u"a|b \r\n^c", "1@0: 0=a 2=b \r\n (2)\n2@7: 7=c (1)\n"},
        {u"a^ \r\n", "1@0: 0=a (1)\n"},
        {u"a^| \r\n", "1@0: 0=a (1)\n2@2: (0)\n"},
        {u"a|  \r\n", "1@0: 0=a (1)\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(toUtf8(c.document));
        EXPECT_EQ(walked(c.document, c.document.size() + 1), c.records);
        EXPECT_EQ(walked(c.document, 1), c.records);
    }
}

} // namespace
} // namespace tarvenne::directory
