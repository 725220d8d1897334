#include "signature/base64url.h"

#include <gtest/gtest.h>

namespace tarvenne::signature {
namespace {

using namespace std::string_view_literals;

// [RFC 4648] 10, in the URL alphabet and without padding, and the two letters of that alphabet.
TEST(Base64Url, EncodesAndDecodesTheStandardsVectors) {
    const std::pair<std::string_view, std::string_view> vectors[] = {
        {"", ""},
        {"f", "Zg"},
        {"fo", "Zm8"},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg"},
        {"fooba", "Zm9vYmE"},
        {"foobar", "Zm9vYmFy"},
        {"\xFB\xFF\xBF"sv, "-_-_"},
        {"\0\0"sv, "AAA"},
    };
    for (const auto& [bytes, text] : vectors) {
        SCOPED_TRACE(text);
        EXPECT_EQ(base64UrlEncode(bytes), text);
        EXPECT_EQ(base64UrlDecode(text), std::string(bytes));
    }
}

TEST(Base64Url, RefusesTextThatNoBytesEncodeTo) {
    for (const std::string_view text :
         {"Zg==", "Zg=", "Zm9v+/8", "Zm 9v", "Zm9v\n", "Z", "Zm9vY", "Zh", "Zm9"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(base64UrlDecode(text), std::nullopt);
    }
}

} // namespace
} // namespace tarvenne::signature
