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

TEST(ApplicationTitle, FileNameCutAtFirstFullStopAndLowerCasedAfterTheFirstCharacter) {
    EXPECT_EQ(applicationTitle(u"C:\\Games\\GAMELAUNCHER.NEW.EXE"), u"Gamelauncher");
    EXPECT_EQ(applicationTitle(u"/usr/bin/tarvenne"), u"tarvenne");
    EXPECT_EQ(applicationTitle(u"./TarVenne"), u"Tarvenne");
    EXPECT_EQ(applicationTitle(u".hidden"), u"");
    EXPECT_EQ(applicationTitle(u"C:\\Spiele\\\u00DCBERSPIEL.EXE"), u"\u00DCberspiel");
    EXPECT_EQ(applicationTitle(u"/opt/\u0394\u0399\u0391\u03a3\u03a4\u0397\u039c\u0391"),
              u"\u0394\u03b9\u03b1\u03c3\u03c4\u03b7\u03bc\u03b1");
}

} // namespace
} // namespace tarvenne
