#include "base/utf.h"
#include "platform_expectations.h"
#include "text/body_text.h"
#include "text/charset_names.h"
#include "text/conversion.h"

#include <gtest/gtest.h>

namespace tarvenne::text {
namespace {

using namespace std::string_view_literals;

TEST(CharsetNames, SelectTheirCodePageWithoutRegardToCase) {
    struct Case {
        std::string_view name;
        std::optional<CodePage> codePage;
    };
    const Case cases[] = {
        {"gbk", 936},
        {"GB2312", 936},
        {"shift_jis", 932},
        {"EUC-KR", 949},
        {"big5", 950},
        {"US-ASCII", 1252},
        {"us", 1252},
        {"ISO-8859-9", 1254},
        {"iso-8859-1", 28591},
        {"Latin1", 28591},
        {"UTF-16", 1200},
        {"UTF-32", 12000},
        {"csISO2022JP", 50221},
        {"utf-8", 65001},
        {"GB18030", std::nullopt},
        {"CP936", std::nullopt},
        {"UTF-16BE", std::nullopt},
        {"ISO-8859-15", std::nullopt},
        {"KOI8-U", std::nullopt},
        {"UTF-8 ", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(codePageForCharset(c.name), c.codePage);
    }
}

// One byte sequence per code page whose character tells the page apart from its neighbours;
// a page this platform cannot decode reads as ISO-8859-1.
TEST(Decode, EachListedCodePageReadsItsOwnCharacters) {
    struct Case {
        CodePage codePage;
        std::string_view bytes;
        std::u16string_view text;
    };
    const Case cases[] = {
        {37, "\xC8\x85\x93\x93\x96\x4A", u"Hello\u00A2"},
        {500, "\x4A", u"["},
        {708, "\xC7", u"\u0627"},
        {437, "\x9B", u"\u00A2"},
        {775, "\x80", u"\u0106"},
        {850, "\x9B", u"\u00F8"},
        {852, "\x85", u"\u016F"},
        {855, "\x80", u"\u0452"},
        {857, "\x8D", u"\u0131"},
        {858, "\xD5", u"\u20AC"},
        {860, "\x84", u"\u00E3"},
        {861, "\x8B", u"\u00D0"},
        {863, "\x84", u"\u00C2"},
        {864, "\x80", u"\u00B0"},
        {865, "\xAF", u"\u00A4"},
        {866, "\x80", u"\u0410"},
        {869, "\x86", u"\u0386"},
        {870, "\x44", u"\u0163"},
        {874, "\xA1", u"\u0E01"},
        {932, "\x82\xA0", u"\u3042"},
        {936, "\xC4\xE3", u"\u4F60"},
        {949, "\xB0\xA1", u"\uAC00"},
        {950, "\xA4\x40", u"\u4E00"},
        {1026, "\x4A", u"\u00C7"},
        {1140, "\x9F", u"\u20AC"},
        {1141, "\x4A", u"\u00C4"},
        {1142, "\x5A", u"\u20AC"},
        {1143, "\x5B", u"\u00C5"},
        {1144, "\x9F", u"\u20AC"},
        {1145, "\x9F", u"\u20AC"},
        {1146, "\x9F", u"\u20AC"},
        {1147, "\x9F", u"\u20AC"},
        {1148, "\x9F", u"\u20AC"},
        {1149, "\x9F", u"\u20AC"},
        {1200, "A\0\x3D\xD8\x00\xDE"sv, u"A\U0001F600"},
        {1250, "\x8A", u"\u0160"},
        {1251, "\xC0", u"\u0410"},
        {1252, "\x80\x81", u"\u20AC\u0081"},
        {1253, "\xC1", u"\u0391"},
        {1254, "\xD0", u"\u011E"},
        {1255, "\xE0", u"\u05D0"},
        {1256, "\xC7", u"\u0627"},
        {1257, "\xC0", u"\u0104"},
        {1258, "\xD2", u"\u0309"},
        {10000, "\x80", u"\u00C4"},
        {12000, "\x00\xF6\x01\x00"sv, u"\U0001F600"},
        {12001, "\x00\x01\xF6\x00"sv, u"\U0001F600"},
        {20866, "\xE1", u"\u0410"},
        {28591, "\x80\xFF", u"\u0080\u00FF"},
        {28592, "\xA1", u"\u0104"},
        {28593, "\xA1", u"\u0126"},
        {28594, "\xA2", u"\u0138"},
        {28595, "\xB0", u"\u0410"},
        {28596, "\xC7", u"\u0627"},
        {28597, "\xC1", u"\u0391"},
        {28598, "\xE0", u"\u05D0"},
        {38598, "\xE0", u"\u05D0"},
        {50220, "\x1B$B$\"\x1B(B", u"\u3042"},
        {50221, "\x1B(I1\x1B(B", u"\uFF71"},
        {50225, "\x1B$)C\x0E\x30\x21\x0F", u"\uAC00"},
        {51932, "\xA4\xA2", u"\u3042"},
        {52936, "~{Dc~}", u"\u4F60"},
        {65000, "A+ImIDkQ.", u"A\u2262\u0391."},
        {65001, "\xE4\xBD\xA0", u"\u4F60"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.codePage);
        const bool decodable = platform::decodes(c.codePage);
        EXPECT_EQ(canDecode(c.codePage), decodable);
        EXPECT_EQ(decode(c.bytes, c.codePage),
                  decodable ? std::u16string(c.text) : fromLatin1(c.bytes));
    }
}

TEST(Decode, InvalidBytesAreReplacedAndUnknownPagesReadAsLatin1) {
    EXPECT_EQ(decode("a\xC4", 936), u"a" + std::u16string(platform::cutOffDoubleByteCharacter));
    EXPECT_EQ(decode("\xC0z", 65001), u"\uFFFDz");
    EXPECT_EQ(decode("", 936), u"");
    EXPECT_FALSE(canDecode(54936));
    EXPECT_EQ(decode("\xC4\xE3", 54936), u"\u00C4\u00E3");
}

TEST(Decode, LongInputIsConvertedWhole) {
    const std::string bytes = std::string(100'000, 'a') + "\xC4\xE3" + std::string(100'000, 'z');
    const std::u16string text = decode(bytes, 936);
    ASSERT_EQ(text.size(), 200'001u);
    EXPECT_EQ(text[100'000], u'\u4F60');
    EXPECT_EQ(text.back(), u'z');
}

TEST(DecodeBody, CharsetChoosesTheCodePage) {
    struct Case {
        std::string_view name;
        std::string_view bytes;
        std::string_view charset;
        std::u16string_view text;
    };
    const Case cases[] = {
        {"no charset", "\xC4\xE3", "", u"\u00C4\u00E3"},
        {"gbk", "\xC4\xE3", "gbk", u"\u4F60"},
        {"GB18030 is not listed", "\xC4\xE3", "GB18030", u"\u00C4\u00E3"},
        {"unknown name", "\xC4\xE3", "x-unknown", u"\u00C4\u00E3"},
        {"US-ASCII reads Windows Latin 1", "\x80", "US-ASCII", u"\u20AC"},
        {"ISO-8859-1", "\x80", "ISO-8859-1", u"\u0080"},
        {"taken from a quoted value", "\xE4\xBD\xA0", "UTF-8", u"\u4F60"},
        {"UTF-8 keeps its byte-order mark", "\xEF\xBB\xBFok", "UTF-8", u"\uFEFFok"},
        {"byte-order mark without charset", "\xEF\xBB\xBFok", "", u"\u00EF\u00BB\u00BFok"},
        {"UTF-16 keeps its byte-order mark", "\xFF\xFEo\0"sv, "UTF-16", u"\uFEFFo"},
        {"UTF-32 keeps its byte-order mark", "\xFF\xFE\0\0o\0\0\0"sv, "utf-32", u"\uFEFFo"},
        {"empty body", "", "gbk", u""},
        {"zero bytes are characters", "a\0b"sv, "", u"a\0b"sv},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(decodeBody(c.bytes, c.charset), c.text);
    }
}

// What a page cannot hold becomes the nearest equivalent where the page's table names one, or
// a question mark.
TEST(Encode, ReplacesWhatThePageCannotHold) {
    struct Case {
        std::string_view name;
        std::u16string_view text;
        CodePage codePage;
        std::string_view bytes;
    };
    const Case cases[] = {
        {"Latin 1 letters and the euro", u"A\u00E9\u20AC", 1252, "A\xE9\x80"},
        {"CJK in 1252", u"a\u4F60b", 1252, "a?b"},
        {"character outside the BMP in 1252", u"\U0001F600", 1252,
         platform::outsideTheBmpInSingleBytePage},
        {"full-width letters in 1252", u"\uFF34\uFF41\uFF52", 1252, "Tar"},
        {"CJK in 936", u"\u4F60", 936, "\xC4\xE3"},
        {"euro in 936", u"\u20AC", 936, "\x80"},
        {"Thai in 936", u"\u0E01", 936, "?"},
        {"superscript two in 936", u"\u00B2", 936, "2"},
        {"Thai in 932", u"\u0E01", 932, "?"},
        {"accented capital in 949", u"\u00C0", 949, "A"},
        {"CJK in 1251", u"\u4F60", 1251, "?"},
        {"unknown page writes Latin 1", u"\u00C4\u4F60", 54936, "\xC4?"},
        {"empty text", u"", 936, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(encode(c.text, c.codePage), c.bytes);
    }
}

TEST(Encode, RoundTripsTheAnsiPagesTexts) {
    const std::u16string chinese = u"\u4F60\u597D Tarvenne \u670D\u52A1\u5668";
    EXPECT_EQ(decode(encode(chinese, 936), 936), chinese);
    const std::u16string longText(300'000, u'\u4F60');
    EXPECT_EQ(encode(longText, 936).size(), 600'000u);
}

// Characters cut by the boundaries of the pieces in which long inputs are converted: a UTF-8
// sequence and a double-byte character at every offset, and pairs of surrogates.
TEST(Transcode, GivesWhatDecodingThenEncodingGives) {
    std::string utf8, gbk;
    for (int i = 0; i < 70'000; ++i) {
        utf8 += i % 5 == 0 ? "\xE4\xBD\xA0" : i % 7 == 0 ? "\xF0\x9F\x98\x80" : "a";
        gbk += i % 3 == 0 ? "\xC4\xE3" : "z";
    }
    struct Case {
        std::string_view name;
        std::string_view bytes;
        CodePage from;
        CodePage to;
    };
    const Case cases[] = {
        {"UTF-8 to 936", utf8, 65001, 936},
        {"UTF-8 to 1252", utf8, 65001, 1252},
        {"UTF-8 to UTF-8", utf8, 65001, 65001},
        {"936 to 936", gbk, 936, 936},
        {"936 to UTF-8", gbk, 936, 65001},
        {"unknown page to 936", gbk, 54936, 936},
        {"cut-off character at the end", "a\xE4\xBD", 65001, 1252},
        {"empty", "", 936, 1252},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(transcode(c.bytes, c.from, c.to).view(), encode(decode(c.bytes, c.from), c.to));
    }
    EXPECT_EQ(encodeBody(ByteBuffer("\xC4\xE3"), "", 65001).view(), "\xC3\x84\xC3\xA3");
    EXPECT_EQ(encodeBody(ByteBuffer("\xE4\xBD\xA0"), "utf-8", 936).view(), "\xC4\xE3");
}

// Bodies of single-byte pages, converted byte for byte where every character becomes one byte.
TEST(EncodeBody, GivesWhatDecodingThenEncodingGives) {
    std::string everyByte;
    for (int byte = 0; byte < 256; ++byte)
        everyByte += static_cast<char>(byte);
    struct Case {
        std::string_view charset;
        CodePage codePage;
    };
    const Case cases[] = {
        {"", 1252},        {"windows-1251", 1252},  {"windows-1252", 1251}, {"koi8-r", 1251},
        {"", 936},         {"windows-1252", 65001}, {"iso-8859-1", 1252},   {"IBM037", 1252},
        {"x-unknown", 874}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.charset) + " to " + std::to_string(c.codePage));
        EXPECT_EQ(encodeBody(ByteBuffer(everyByte), c.charset, c.codePage).view(),
                  encode(decodeBody(everyByte, c.charset), c.codePage));
    }
}

TEST(DecodeInPieces, PiecesJoinToTheWholeTextAndStopWhenAsked) {
    std::string bytes;
    for (int i = 0; i < 100'000; ++i)
        bytes += i % 2 == 0 ? "\xC4\xE3" : "z";
    std::u16string joined;
    decodeInPieces(bytes, 936, [&](std::u16string_view piece) {
        joined += piece;
        return true;
    });
    EXPECT_EQ(joined, decode(bytes, 936));
    int taken = 0;
    decodeInPieces(bytes, 936, [&](std::u16string_view) { return ++taken < 1; });
    EXPECT_EQ(taken, 1);
}

} // namespace
} // namespace tarvenne::text
