#include "text/locale_code_page.h"

#include <gtest/gtest.h>

namespace tarvenne::text {
namespace {

TEST(AnsiCodePageForLocale, FollowsLanguageAndRegion) {
    struct Case {
        std::string_view locale;
        CodePage codePage;
    };
    const Case cases[] = {
        {"zh_CN.UTF-8", 936},  {"zh_SG", 936},        {"zh", 936},
        {"zh_TW.UTF-8", 950},  {"zh_HK.UTF-8", 950},  {"zh-TW", 950},
        {"ja_JP.UTF-8", 932},  {"ko_KR.EUC-KR", 949}, {"ru_RU.UTF-8", 1251},
        {"uk_UA", 1251},       {"bg_BG", 1251},       {"sr_RS", 1251},
        {"sr_RS@latin", 1250}, {"uz_UZ", 1254},       {"uz_UZ@cyrillic", 1251},
        {"pl_PL.UTF-8", 1250}, {"cs_CZ", 1250},       {"hu_HU", 1250},
        {"el_GR.UTF-8", 1253}, {"tr_TR.UTF-8", 1254}, {"he_IL.UTF-8", 1255},
        {"ar_EG.UTF-8", 1256}, {"fa_IR", 1256},       {"ur_PK", 1256},
        {"lt_LT.UTF-8", 1257}, {"lv_LV", 1257},       {"et_EE", 1257},
        {"vi_VN", 1258},       {"th_TH.UTF-8", 874},  {"en_US.UTF-8", 1252},
        {"de_DE@euro", 1252},  {"fr_FR", 1252},       {"C", 1252},
        {"C.UTF-8", 1252},     {"POSIX", 1252},       {"", 1252},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale);
        EXPECT_EQ(ansiCodePageForLocale(c.locale), c.codePage);
    }
}

} // namespace
} // namespace tarvenne::text
