#include "base/error.h"
#include "base/error_text.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace tarvenne {
namespace {

TEST(ErrorBoxText, FullStopIsAddedAfterCharactersAboveTheFullStop) {
    struct Case {
        std::u16string in;
        std::u16string out;
    };
    const Case cases[] = {
        {u"Host not found", u"Host not found."},
        {u"at position 7", u"at position 7."},
        {u"http://host/", u"http://host/."},
        {u"key:", u"key:."},
        {u"Connection refused.", u"Connection refused."},
        {u"Stop!", u"Stop!"},
        {u"List index out of bounds (3)", u"List index out of bounds (3)"},
        {u"a,", u"a,"},
        {u"trailing ", u"trailing "},
        {u"", u""},
        {u"\u00e9", u"\u00e9."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(withFullStop(c.in), c.out);
}

TEST(ErrorBoxText, InnermostNonEmptyMessageIsShown) {
    try {
        try {
            throw Error(u"inner failure");
        } catch (...) {
            std::throw_with_nested(Error(u"outer failure"));
        }
    } catch (const std::exception& failure) {
        EXPECT_EQ(errorBoxText(failure), u"inner failure.");
    }
    try {
        try {
            throw Error(u"");
        } catch (...) {
            std::throw_with_nested(Error(u"outer failure"));
        }
    } catch (const std::exception& failure) {
        EXPECT_EQ(errorBoxText(failure), u"outer failure.");
    }
}

TEST(ErrorBoxText, AbortIsSilentAndForeignFailuresShowTheirText) {
    EXPECT_EQ(errorBoxText(Abort()), std::nullopt);
    EXPECT_EQ(errorBoxText(std::runtime_error("out of memory")), u"out of memory.");
}

} // namespace
} // namespace tarvenne
