#include "text/conversion.h"

#include <gtest/gtest.h>

namespace tarvenne::text {
namespace {

using namespace std::string_view_literals;

// UTF-16LE (1200), UTF-32LE (12000) and UTF-32BE (12001) give the same text on every platform,
// also for units that are no character.
TEST(UnicodeCodePages, DecodeReplacesUnitsThatAreNoCharacter) {
    struct Case {
        std::string_view name;
        CodePage codePage;
        std::string_view bytes;
        std::u16string_view text;
    };
    const Case cases[] = {
        {"high surrogate without its pair", 1200, "\x00\xD8\x41\x00"sv, u"\uFFFDA"},
        {"low surrogate alone", 1200, "\x00\xDC"sv, u"\uFFFD"},
        {"odd byte at the end", 1200, "A\0B"sv, u"A\uFFFD"},
        {"above U+10FFFF", 12000, "\x00\x00\x11\x00"sv, u"\uFFFD"},
        {"surrogate value", 12000, "\x00\xD8\x00\x00"sv, u"\uFFFD"},
        {"unit cut off at the end", 12001, "\x00\x00\x00\x41\x00\x00"sv, u"A\uFFFD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(decode(c.bytes, c.codePage), c.text);
    }
}

TEST(UnicodeCodePages, EncodeWritesEveryCharacter) {
    const std::u16string_view text = u"A\U0001F600";
    EXPECT_EQ(encode(text, 1200), "A\0\x3D\xD8\x00\xDE"sv);
    EXPECT_EQ(encode(text, 12000), "A\0\0\0\x00\xF6\x01\x00"sv);
    EXPECT_EQ(encode(text, 12001), "\0\0\0A\x00\x01\xF6\x00"sv);
    EXPECT_EQ(encode(std::u16string(1, u'\xD800'), 1200), "\xFD\xFF"sv);
}

} // namespace
} // namespace tarvenne::text
