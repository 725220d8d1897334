#include "text/locale_code_page.h"

#include <algorithm>
#include <array>

namespace tarvenne::text {
namespace {

struct LanguageCodePage {
    std::string_view language;
    CodePage codePage;
};

// The ANSI code page that Windows gives each language; a language not listed writes in
// Windows Latin 1 (1252). Chinese depends on the region and is decided separately.
constexpr std::array languageCodePages{
    LanguageCodePage{"ja", 932},
    LanguageCodePage{"ko", 949},
    // Cyrillic
    LanguageCodePage{"ru", 1251},
    LanguageCodePage{"uk", 1251},
    LanguageCodePage{"be", 1251},
    LanguageCodePage{"bg", 1251},
    LanguageCodePage{"mk", 1251},
    LanguageCodePage{"sr", 1251},
    LanguageCodePage{"kk", 1251},
    LanguageCodePage{"ky", 1251},
    LanguageCodePage{"tt", 1251},
    LanguageCodePage{"ba", 1251},
    LanguageCodePage{"mn", 1251},
    LanguageCodePage{"tg", 1251},
    LanguageCodePage{"sah", 1251},
    // Central European
    LanguageCodePage{"cs", 1250},
    LanguageCodePage{"sk", 1250},
    LanguageCodePage{"pl", 1250},
    LanguageCodePage{"hu", 1250},
    LanguageCodePage{"sl", 1250},
    LanguageCodePage{"hr", 1250},
    LanguageCodePage{"bs", 1250},
    LanguageCodePage{"ro", 1250},
    LanguageCodePage{"sq", 1250},
    LanguageCodePage{"tk", 1250},
    LanguageCodePage{"el", 1253},
    // Turkish and the Turkic languages written in Latin letters
    LanguageCodePage{"tr", 1254},
    LanguageCodePage{"az", 1254},
    LanguageCodePage{"uz", 1254},
    LanguageCodePage{"he", 1255},
    // Arabic script
    LanguageCodePage{"ar", 1256},
    LanguageCodePage{"fa", 1256},
    LanguageCodePage{"ur", 1256},
    LanguageCodePage{"ps", 1256},
    LanguageCodePage{"sd", 1256},
    LanguageCodePage{"ug", 1256},
    LanguageCodePage{"ckb", 1256},
    // Baltic
    LanguageCodePage{"lt", 1257},
    LanguageCodePage{"lv", 1257},
    LanguageCodePage{"et", 1257},
    LanguageCodePage{"vi", 1258},
    LanguageCodePage{"th", 874},
};

constexpr CodePage westernEuropean = 1252;

// A POSIX locale name: language[_territory][.codeset][@modifier]; a hyphen may stand for the
// underscore.
struct LocaleParts {
    std::string_view language;
    std::string_view territory;
    std::string_view modifier;
};

LocaleParts splitLocaleName(std::string_view name) {
    LocaleParts parts;
    if (const auto at = name.find('@'); at != std::string_view::npos) {
        parts.modifier = name.substr(at + 1);
        name = name.substr(0, at);
    }
    name = name.substr(0, name.find('.'));
    const auto underscore = name.find_first_of("_-");
    parts.language = name.substr(0, underscore);
    if (underscore != std::string_view::npos)
        parts.territory = name.substr(underscore + 1);
    return parts;
}

// Serbian, Uzbek and Azerbaijani are written in either alphabet; the modifier names the script.
CodePage scriptVariant(const LocaleParts& parts, CodePage codePage) {
    if (parts.modifier == "latin")
        return parts.language == "sr" ? 1250 : codePage;
    if (parts.modifier == "cyrillic")
        return 1251;
    return codePage;
}

} // namespace

CodePage ansiCodePageForLocale(std::string_view localeName) {
    const LocaleParts parts = splitLocaleName(localeName);
    if (parts.language == "zh") {
        const bool traditional =
            parts.territory == "TW" || parts.territory == "HK" || parts.territory == "MO";
        return traditional ? 950 : 936;
    }
    const auto* found =
        std::ranges::find(languageCodePages, parts.language, &LanguageCodePage::language);
    if (found == languageCodePages.end())
        return westernEuropean;
    return scriptVariant(parts, found->codePage);
}

} // namespace tarvenne::text
