#include "charset_advice.h"

#include "base/utf.h"
#include "text/charset_names.h"
#include "text/conversion.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace tarvenne::tools {
namespace {

struct PreferredName {
    text::CodePage codePage;
    std::string_view name;
};

// The name that servers and editors use for each page where the launcher's list holds several.
constexpr std::array preferredNames{
    PreferredName{932, "Shift_JIS"}, PreferredName{936, "GBK"},
    PreferredName{949, "EUC-KR"},    PreferredName{950, "Big5"},
    PreferredName{1200, "UTF-16LE"}, PreferredName{12000, "UTF-32LE"},
    PreferredName{20866, "KOI8-R"},  PreferredName{28591, "ISO-8859-1"},
    PreferredName{65000, "UTF-7"},   PreferredName{65001, "UTF-8"},
};

// Lower case, letters and digits only: "UTF_8", "utf8" and "Utf-8" are the same name here.
std::string folded(std::string_view name) {
    std::string out;
    for (const char c : name) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

// "cp1252", "x-cp1252", "win1252", "windows1252", "ms1252", "ibm866" and the like: the number.
std::optional<text::CodePage> numberedPage(std::string_view foldedName) {
    for (const std::string_view prefix : {"xcp", "cp", "windows", "win", "ms", "ibm"}) {
        if (!foldedName.starts_with(prefix))
            continue;
        const std::string_view digits = foldedName.substr(prefix.size());
        if (digits.empty() || digits.size() > 5 ||
            !std::ranges::all_of(digits, [](char c) { return c >= '0' && c <= '9'; }))
            return std::nullopt;
        return std::stoi(std::string(digits));
    }
    return std::nullopt;
}

bool prints(char16_t c) {
    const bool control = c < 0x20 || (c >= 0x7F && c <= 0x9F);
    return (c == u'\t' || c == u'\n' || c == u'\r' || !control) && c != 0xFFFD &&
           !(c >= 0xE000 && c <= 0xF8FF);
}

} // namespace

std::optional<std::string> nameToDeclare(text::CodePage codePage) {
    const auto* preferred = std::ranges::find(preferredNames, codePage, &PreferredName::codePage);
    if (preferred != preferredNames.end())
        return std::string(preferred->name);
    if (codePage >= 1250 && codePage <= 1258)
        return "windows-" + std::to_string(codePage);
    const auto names = text::knownCharsetNames();
    const auto found = std::ranges::find_if(names, [&](const text::CharsetName& entry) {
        return entry.codePage == codePage && !entry.name.starts_with("cs");
    });
    if (found == names.end())
        return std::nullopt;
    return std::string(found->name);
}

std::optional<CharsetAdvice> knownNameFor(std::string_view declaredName) {
    const std::string name = folded(declaredName);
    if (name.empty())
        return std::nullopt;
    for (const text::CharsetName& entry : text::knownCharsetNames()) {
        if (folded(entry.name) == name)
            return CharsetAdvice{*nameToDeclare(entry.codePage), ""};
    }
    // Latin 9 differs from Windows Latin 1 in eight places (the euro sign, Š, š, Ž, ž, Œ, œ,
    // Ÿ); GB18030 holds GBK as its one- and two-byte part.
    if (name == "latin9" || name == "iso885915" || name == "l9") {
        return CharsetAdvice{"windows-1252",
                             toUtf8(u"after saving the document in windows-1252 if it holds "
                                    u"\u20AC, \u0160, \u0161, \u017D, \u017E, \u0152, \u0153 "
                                    u"or \u0178")};
    }
    if (name == "gb18030")
        return CharsetAdvice{"GBK", "if the document holds no character outside GBK"};
    if (const std::optional<text::CodePage> page = numberedPage(name)) {
        if (const std::optional<std::string> known = nameToDeclare(*page))
            return CharsetAdvice{*known, ""};
    }
    return std::nullopt;
}

std::optional<text::CodePage> fittingSingleBytePage(std::string_view body,
                                                    text::CodePage preferred) {
    std::array<bool, 256> present{};
    for (const char byte : body)
        present[static_cast<unsigned char>(byte)] = true;
    const auto fits = [&](text::CodePage codePage) {
        if (!nameToDeclare(codePage) || !text::canDecode(codePage) ||
            !text::readsByteForByte(codePage))
            return false;
        for (int byte = 0x80; byte < 0x100; ++byte) {
            if (!present[static_cast<std::size_t>(byte)])
                continue;
            const std::u16string character =
                text::decode(std::string(1, static_cast<char>(byte)), codePage);
            if (character.size() != 1 || !prints(character.front()))
                return false;
        }
        return true;
    };
    for (const text::CodePage codePage :
         {preferred, 1252, 1250, 1251, 1253, 1254, 1255, 1256, 1257, 1258, 20866}) {
        if (fits(codePage))
            return codePage;
    }
    return std::nullopt;
}

} // namespace tarvenne::tools
