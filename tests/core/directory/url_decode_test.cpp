#include "base/error.h"
#include "directory/url_decode.h"

#include <gtest/gtest.h>

namespace tarvenne::directory {
namespace {

using namespace std::string_view_literals;

TEST(UrlDecode, DecodesPlusPercentAndEscapesOnce) {
    struct Case {
        std::string_view in;
        std::string_view out;
    };
    const Case cases[] = {
        {"", ""},
        {"plain text", "plain text"},
        {"a+b", "a b"},
        {"%%", "%"},
        {"%%41", "%41"},
        {"%2B", "+"},
        {"%2b%aF%Af", "+\xAF\xAF"},
        {"%25%32%42", "%2B"},
        {"%00x", "\0x"sv},
        {"\xC4\xE3", "\xC4\xE3"},
        {"ab\0%G1"sv, "ab"},
        {"\0abc"sv, ""},
        {"01234567+9abcdef%41%42ghijklmnopqrs+", "01234567 9abcdefABghijklmnopqrs "},
        {"0123456789abcdefghij%%klmnopqrstuvwxyz", "0123456789abcdefghij%klmnopqrstuvwxyz"},
        {"0123456789abcdef\0+%G"sv, "0123456789abcdef"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(urlDecode(ByteBuffer(c.in), 1252).view(), c.out);
    }
}

TEST(UrlDecode, FaultyEscapesNameTheirPosition) {
    struct Case {
        std::string_view in;
        std::u16string_view message;
    };
    const Case cases[] = {
        {"%", u"Error decoding URL style (%XX) encoded string at position 1"},
        {"abc%4", u"Error decoding URL style (%XX) encoded string at position 4"},
        {"a%\0"
         "41"sv,
         u"Error decoding URL style (%XX) encoded string at position 2"},
        {"a%4\0"
         "1"sv,
         u"Error decoding URL style (%XX) encoded string at position 2"},
        {"%%%", u"Error decoding URL style (%XX) encoded string at position 3"},
        {"x%G1", u"Invalid URL encoded character (%G1) at position 2"},
        {"%4g", u"Invalid URL encoded character (%4g) at position 1"},
        {"%+1", u"Invalid URL encoded character (%+1) at position 1"},
        {"%\xE9z", u"Invalid URL encoded character (%\u00E9z) at position 1"},
        {"0123456789+abcdefgh%41ijklmnopq%4",
         u"Error decoding URL style (%XX) encoded string at position 32"},
        {"0123456789abcdefghij%4x", u"Invalid URL encoded character (%4x) at position 21"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        try {
            urlDecode(ByteBuffer(c.in), 1252);
            ADD_FAILURE() << "no failure";
        } catch (const Error& failure) {
            EXPECT_EQ(failure.message(), c.message);
        }
    }
}

} // namespace
} // namespace tarvenne::directory
