#include "base/utf.h"

#include <gtest/gtest.h>

namespace tarvenne {
namespace {

TEST(Utf, RoundTripsEveryPlane) {
    const std::u16string text = u"A\u00e9\u4f60\U0001F600";
    EXPECT_EQ(toUtf8(text), "A\xC3\xA9\xE4\xBD\xA0\xF0\x9F\x98\x80");
    EXPECT_EQ(fromUtf8(toUtf8(text)), text);
}

TEST(Utf, IllFormedInputIsReplaced) {
    EXPECT_EQ(fromUtf8("a\xC0\xAF"
                       "b"),
              u"a\uFFFDb");
    EXPECT_EQ(fromUtf8("\xE4\xBD"), u"\uFFFD");
    EXPECT_EQ(fromUtf8("\xED\xA0\x80"), u"\uFFFD");
    EXPECT_EQ(toUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
}

TEST(Utf, Latin1MapsEachByteToItsCode) {
    EXPECT_EQ(fromLatin1(std::string_view("\xC4\xE3\0z", 4)),
              (std::u16string{u'\u00C4', u'\u00E3', u'\0', u'z'}));
}

} // namespace
} // namespace tarvenne
