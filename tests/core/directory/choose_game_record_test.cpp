#include "base/error.h"
#include "base/utf.h"
#include "directory/choose_game_record.h"
#include "directory/record_chooser.h"

#include <gtest/gtest.h>
#include <ostream>

namespace tarvenne::directory {

void PrintTo(const GameRecord& entry, std::ostream* out) {
    *out << '{' << toUtf8(entry.name) << ", " << toUtf8(entry.siteAddress) << ", "
         << toUtf8(entry.loginPage) << ", " << toUtf8(entry.title) << '}';
}

namespace {

using namespace std::string_view_literals;

GameRecord chosen(std::u16string siteAddress, std::u16string loginPage, std::u16string title) {
    return GameRecord{std::u16string(gameName), std::move(siteAddress), std::move(loginPage),
                      std::move(title)};
}

struct Case {
    std::string_view name;
    std::u16string_view document;
    std::optional<GameRecord> entry;
    std::u16string_view failure = {};
    text::CodePage ansiCodePage = 1252;
};

constexpr std::u16string_view outOfBounds0 = u"List index out of bounds (0)";
constexpr std::u16string_view outOfBounds3 = u"List index out of bounds (3)";

const Case cases[] = {
    {"empty body", u"", std::nullopt},
    {"white space only", u" \t\r\n ", std::nullopt},
    {"one record", u"Tarvenne|http://a/|login.php|Title",
     chosen(u"http://a/", u"login.php", u"Title")},
    {"no record named Tarvenne", u"Other|d|l|c^More|d|l|c", std::nullopt},
    {"the first of two is chosen", u"Tarvenne|d1|l1|c1^Tarvenne|d2|l2|c2",
     chosen(u"d1", u"l1", u"c1")},
    {"letter case counts", u"tarvenne|d|l|c^TARVENNE|d|l|c", std::nullopt},
    {"leading space in a later name", u"Other|d|l|c^ Tarvenne|d|l|c", std::nullopt},
    {"trailing space in the name", u"Tarvenne |d|l|c", std::nullopt},
    {"white space at the document's start is trimmed", u"\r\n Tarvenne|d|l|c",
     chosen(u"d", u"l", u"c")},
    {"line break before a record joins its name", u"Other|d|l|c^\r\nTarvenne|d|l|c", std::nullopt},
    {"line break after the last record is trimmed", u"Tarvenne|d|l|c\r\n",
     chosen(u"d", u"l", u"c")},
    {"line break before the next record ends the title", u"Tarvenne|d|l|c\r\n^Other|d|l|c",
     chosen(u"d", u"l", u"c\r\n")},
    {"empty second field of five", u"Tarvenne||d|l|c", chosen(u"d", u"l", u"c")},
    {"empty field of four", u"Tarvenne|d||l", std::nullopt, outOfBounds3},
    {"six fields", u"Tarvenne|d|l|c|x|y", chosen(u"d", u"l", u"c")},
    {"separators at the ends", u"^^Tarvenne|d|l|c|^^", chosen(u"d", u"l", u"c")},
    {"separator before the name", u"|Tarvenne|d|l|c", chosen(u"d", u"l", u"c")},
    {"plus is a space", u"Tarvenne|d|l|Big+Game", chosen(u"d", u"l", u"Big Game")},
    {"escaped plus stays", u"Tarvenne|d|l|A%2BB", chosen(u"d", u"l", u"A+B")},
    {"percent signs", u"Tarvenne|d|l|100%%41%25", chosen(u"d", u"l", u"100%41%")},
    {"escaped separators split", u"Other|d|l|c%5ETarvenne%7Cd%7cl%7Cc", chosen(u"d", u"l", u"c")},
    {"escape cut off at the end", u"Tarvenne|d|l|c%4", std::nullopt,
     u"Error decoding URL style (%XX) encoded string at position 15"},
    {"invalid escape", u"Tarvenne|d|l|%G1", std::nullopt,
     u"Invalid URL encoded character (%G1) at position 14"},
    {"positions count from the untrimmed start", u"  \r\n%ZZ", std::nullopt,
     u"Invalid URL encoded character (%ZZ) at position 5"},
    {"the whole document is decoded before a record is chosen", u"Tarvenne|d|l|c^%G1", std::nullopt,
     u"Invalid URL encoded character (%G1) at position 16"},
    {"zero character ends the document", u"Other|d|l|c\0^Tarvenne|d|l|c"sv, std::nullopt},
    {"nothing after a zero character is decoded", u"Tarvenne|d|l|c\0%G1"sv,
     chosen(u"d", u"l", u"c")},
    {"bars only before the chosen record", u"Other|d|l|c^|||^Tarvenne|d|l|c", std::nullopt,
     outOfBounds0},
    {"bars only when none is chosen", u"Other|d|l|c^|", std::nullopt, outOfBounds0},
    {"bars only after the chosen record", u"Tarvenne|d|l|c^|||", chosen(u"d", u"l", u"c")},
    {"too few fields in the chosen record", u"Tarvenne|d|l", std::nullopt, outOfBounds3},
    {"only the name", u"Other|^Tarvenne", std::nullopt, outOfBounds3},
    {"only the name before the next record", u"Tarvenne^Other|d|l|c", std::nullopt, outOfBounds3},
    {"white space after the last separator is trimmed", u"Tarvenne|d|l|\r\n", std::nullopt,
     outOfBounds3},
    {"white space ending the name is trimmed", u"Other|d|l|c^Tarvenne \r\n", std::nullopt,
     outOfBounds3},
    {"white space in a name that ends the document", u"Other|d|l|c^Tar venne", std::nullopt},
    {"bars and white space only at the end", u"Other|d|l|c^|| \r\n", std::nullopt, outOfBounds0},
    {"white space only after the last record", u"Other|d|l|c^ \t ", std::nullopt},
    {"white space kept inside fields", u"Tarvenne| d |\tl| c \r\n", chosen(u" d ", u"\tl", u" c")},
    {"prefix of the name", u"Tarv|d|l|c^Tarvennes|d|l|c", std::nullopt},
    {"escapes are bytes of code page 936",
     u"Tarvenne|d|l|%C4%E3",
     chosen(u"d", u"l", u"\u4F60"),
     {},
     936},
    {"escapes are bytes of code page 1252", u"Tarvenne|d|l|%C4%E3",
     chosen(u"d", u"l", u"\u00C4\u00E3")},
    {"plain CJK kept by 936",
     u"Tarvenne|d|l|\u4F60\u597D",
     chosen(u"d", u"l", u"\u4F60\u597D"),
     {},
     936},
    {"plain CJK replaced by 1252", u"Tarvenne|d|l|\u4F60\u597D", chosen(u"d", u"l", u"??")},
    {"nearest equivalent in 1252", u"Tarvenne|d|l|\uFF34", chosen(u"d", u"l", u"T")},
    {"byte-order mark before the name", u"\uFEFFTarvenne|d|l|c", std::nullopt},
    {"byte-order mark before the name in 936", u"\uFEFFTarvenne|d|l|c", std::nullopt, {}, 936},
    {"zero-width space in the name", u"Tar\u200Bvenne|d|l|c", std::nullopt},
    {"invisible characters in the title", u"Tarvenne|d|l|\u2060T\u00ADt\u200F",
     chosen(u"d", u"l", u"?T\u00ADt?")},
    {"positions count bytes of 936", u"\u4F60|%ZZ", std::nullopt,
     u"Invalid URL encoded character (%ZZ) at position 4", 936},
    {"positions count bytes of 1252", u"\u4F60|%ZZ", std::nullopt,
     u"Invalid URL encoded character (%ZZ) at position 3"},
    {"invalid escape shown in 936", u"%\u4F60", std::nullopt,
     u"Invalid URL encoded character (%\u4F60) at position 1", 936},
    {"the same escape cut off in 1252", u"%\u4F60", std::nullopt,
     u"Error decoding URL style (%XX) encoded string at position 1"},
};

// The record, or the failure's message in place of the record's name.
using Outcome = std::optional<GameRecord>;

template <typename Choice> Outcome outcomeOf(Choice choice) {
    try {
        return choice();
    } catch (const Error& failure) {
        return GameRecord{failure.message(), {}, {}, {}};
    }
}

Outcome expectedOutcome(const Case& c) {
    return c.failure.empty() ? c.entry : GameRecord{std::u16string(c.failure), {}, {}, {}};
}

TEST(ChooseGameRecord, DocumentsGiveTheirRecordOrTheirFailure) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(
            outcomeOf([&] { return chooseGameRecord(std::u16string(c.document), c.ansiCodePage); }),
            expectedOutcome(c));
    }
}

TEST(ChooseGameRecord, ReplyBodiesGiveWhatTheirTextGives) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(outcomeOf([&] {
                      return chooseGameRecordFromBody(ByteBuffer(toUtf8(c.document)), "utf-8",
                                                      c.ansiCodePage);
                  }),
                  expectedOutcome(c));
    }
    EXPECT_EQ(chooseGameRecordFromBody(ByteBuffer("Tarvenne|d|l|\xC4\xE3"), "", 1252),
              chosen(u"d", u"l", u"\u00C4\u00E3"));
}

// The decoded text arrives in pieces that may cut a record, a name or a field anywhere.
TEST(RecordChooser, ChoosesTheSameFromOneCharacterAtATime) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome whole = outcomeOf([&] {
            RecordChooser chooser(c.document.size());
            chooser.take(c.document);
            return chooser.finish();
        });
        const Outcome trickled = outcomeOf([&] {
            RecordChooser chooser(c.document.size());
            for (std::size_t i = 0; i < c.document.size() && chooser.take(c.document.substr(i, 1));
                 ++i) {
            }
            return chooser.finish();
        });
        EXPECT_EQ(trickled, whole);
    }
}

TEST(ChooseGameRecord, RecordsAndFieldsLongerThanTheDecodingPieces) {
    const std::string title(200'000, 'c');
    const std::string document = std::string(65'530, 'x') + "^Tarvenne|d|" +
                                 std::string(70'000, 'l') + "|" + title + "\r\n \t";
    const GameRecord expected =
        chosen(u"d", std::u16string(70'000, u'l'), std::u16string(title.begin(), title.end()));
    EXPECT_EQ(chooseGameRecordFromBody(ByteBuffer(document), "", 1252), expected);
    const std::string barsFirst = std::string(100'000, '|') + "^Tarvenne|d|l|c";
    const Outcome failure = GameRecord{std::u16string(outOfBounds0), {}, {}, {}};
    EXPECT_EQ(outcomeOf([&] { return chooseGameRecordFromBody(ByteBuffer(barsFirst), "", 1252); }),
              failure);
}

// Records passed over are looked for in the bytes, between pieces that grow while a record is
// read: records of every length around the pieces' sizes, and one that ends the document.
TEST(ChooseGameRecord, RecordsPassedOverBetweenPiecesOfEveryLength) {
    std::string document;
    for (std::size_t length = 1; length < 300; ++length)
        document += "Tarvennf" + std::string(length, length % 7 == 0 ? '|' : 'x') + "^";
    const std::string chosenLast = document + "Tarvenne|d|l|c^Other|" + std::string(5000, 'x');
    EXPECT_EQ(chooseGameRecordFromBody(ByteBuffer(chosenLast), "", 1252), chosen(u"d", u"l", u"c"));
    const std::string noneChosen = document + "Tarvenn";
    EXPECT_EQ(chooseGameRecordFromBody(ByteBuffer(noneChosen), "", 1252), std::nullopt);
}

} // namespace
} // namespace tarvenne::directory
