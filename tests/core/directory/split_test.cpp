#include "directory/server_directory.h"

#include <gtest/gtest.h>

namespace tarvenne::directory {
namespace {

TEST(Split, KeepsTheNonEmptyPiecesInOrder) {
    struct Case {
        std::u16string_view text;
        std::u16string_view separator;
        std::vector<std::u16string_view> pieces;
    };
    const Case cases[] = {
        {u"", u"^", {}},
        {u"^", u"^", {}},
        {u"^^^", u"^", {}},
        {u"abc", u"^", {u"abc"}},
        {u"a^b^c", u"^", {u"a", u"b", u"c"}},
        {u"^a^^b^", u"^", {u"a", u"b"}},
        {u" ^ ", u"^", {u" ", u" "}},
        {u"a::b:::c", u"::", {u"a", u"b", u":c"}},
        {u"a|b", u"", {u"a|b"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
        EXPECT_EQ(Split(c.text, c.separator), c.pieces);
    }
}

TEST(Split, PiecesViewTheGivenText) {
    const std::u16string text = u"Tarvenne|dns";
    const auto pieces = Split(text, u"|");
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[1].data(), text.data() + 9);
}

} // namespace
} // namespace tarvenne::directory
