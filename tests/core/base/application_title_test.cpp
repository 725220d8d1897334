#include "base/application_title.h"

#include <gtest/gtest.h>

namespace tarvenne {
namespace {

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
