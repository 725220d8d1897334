#include "code_page.h"

#include <algorithm>
#include <array>

namespace tarvenne::text {
namespace {

struct CharsetName {
    std::string_view name;
    CodePage codePage;
};

// The charset names a reply may carry and the code page each selects. Every name not here is
// read as ISO-8859-1; the US-ASCII names select Windows Latin 1, not ASCII.
constexpr std::array charsetNames{
    CharsetName{"IBM037", 37},
    CharsetName{"IBM437", 437},
    CharsetName{"IBM500", 500},
    CharsetName{"ASMO-708", 708},
    CharsetName{"IBM775", 775},
    CharsetName{"IBM850", 850},
    CharsetName{"IBM852", 852},
    CharsetName{"cp852", 852},
    CharsetName{"IBM855", 855},
    CharsetName{"IBM857", 857},
    CharsetName{"IBM00858", 858},
    CharsetName{"IBM860", 860},
    CharsetName{"IBM861", 861},
    CharsetName{"IBM863", 863},
    CharsetName{"IBM864", 864},
    CharsetName{"IBM865", 865},
    CharsetName{"IBM866", 866},
    CharsetName{"cp866", 866},
    CharsetName{"IBM869", 869},
    CharsetName{"IBM870", 870},
    CharsetName{"csShiftJIS", 932},
    CharsetName{"Shift_JIS", 932},
    CharsetName{"MS_Kanji", 932},
    CharsetName{"csWindows31J", 932},
    CharsetName{"GB_2312-80", 936},
    CharsetName{"iso-ir-58", 936},
    CharsetName{"chinese", 936},
    CharsetName{"csISO58GB231280", 936},
    CharsetName{"GBK", 936},
    CharsetName{"csGB2312", 936},
    CharsetName{"GB2312", 936},
    CharsetName{"KS_C_5601-1987", 949},
    CharsetName{"iso-ir-149", 949},
    CharsetName{"KS_C_5601-1989", 949},
    CharsetName{"KSC_5601", 949},
    CharsetName{"korean", 949},
    CharsetName{"csKSC56011987", 949},
    CharsetName{"csEUCKR", 949},
    CharsetName{"EUC-KR", 949},
    CharsetName{"csBig5", 950},
    CharsetName{"Big5", 950},
    CharsetName{"IBM1026", 1026},
    CharsetName{"IBM01140", 1140},
    CharsetName{"IBM01141", 1141},
    CharsetName{"IBM01142", 1142},
    CharsetName{"IBM01143", 1143},
    CharsetName{"IBM01144", 1144},
    CharsetName{"IBM01145", 1145},
    CharsetName{"IBM01146", 1146},
    CharsetName{"IBM01147", 1147},
    CharsetName{"IBM01148", 1148},
    CharsetName{"IBM01149", 1149},
    CharsetName{"UTF-16LE", 1200},
    CharsetName{"UTF-16", 1200},
    CharsetName{"windows-1250", 1250},
    CharsetName{"windows-1251", 1251},
    CharsetName{"US-ASCII", 1252},
    CharsetName{"ANSI_X3.4-1968", 1252},
    CharsetName{"iso-ir-6", 1252},
    CharsetName{"ANSI_X3.4-1986", 1252},
    CharsetName{"ISO_646.irv:1991", 1252},
    CharsetName{"ASCII", 1252},
    CharsetName{"ISO646-US", 1252},
    CharsetName{"us", 1252},
    CharsetName{"IBM367", 1252},
    CharsetName{"cp367", 1252},
    CharsetName{"csASCII", 1252},
    CharsetName{"windows-1252", 1252},
    CharsetName{"windows-1253", 1253},
    CharsetName{"ISO-8859-9", 1254},
    CharsetName{"ISO_8859-9:1989", 1254},
    CharsetName{"iso-ir-148", 1254},
    CharsetName{"ISO_8859-9", 1254},
    CharsetName{"latin5", 1254},
    CharsetName{"l5", 1254},
    CharsetName{"csISOLatin5", 1254},
    CharsetName{"windows-1254", 1254},
    CharsetName{"windows-1255", 1255},
    CharsetName{"windows-1256", 1256},
    CharsetName{"windows-1257", 1257},
    CharsetName{"windows-1258", 1258},
    CharsetName{"macintosh", 10000},
    CharsetName{"UTF-32", 12000},
    CharsetName{"UTF-32LE", 12000},
    CharsetName{"UTF-32BE", 12001},
    CharsetName{"csKOI8R", 20866},
    CharsetName{"KOI8-R", 20866},
    CharsetName{"ISO-8859-1", 28591},
    CharsetName{"ISO_8859-1:1987", 28591},
    CharsetName{"iso-ir-100", 28591},
    CharsetName{"ISO_8859-1", 28591},
    CharsetName{"latin1", 28591},
    CharsetName{"l1", 28591},
    CharsetName{"IBM819", 28591},
    CharsetName{"CP819", 28591},
    CharsetName{"csISOLatin1", 28591},
    CharsetName{"ISO-8859-2", 28592},
    CharsetName{"ISO_8859-2:1987", 28592},
    CharsetName{"iso-ir-101", 28592},
    CharsetName{"ISO_8859-2", 28592},
    CharsetName{"latin2", 28592},
    CharsetName{"l2", 28592},
    CharsetName{"csISOLatin2", 28592},
    CharsetName{"ISO-8859-3", 28593},
    CharsetName{"ISO-8859-4", 28594},
    CharsetName{"ISO_8859-4:1988", 28594},
    CharsetName{"iso-ir-110", 28594},
    CharsetName{"ISO_8859-4", 28594},
    CharsetName{"latin4", 28594},
    CharsetName{"l4", 28594},
    CharsetName{"csISOLatin4", 28594},
    CharsetName{"iso-ir-111", 28594},
    CharsetName{"ISO-8859-5", 28595},
    CharsetName{"ISO_8859-5:1988", 28595},
    CharsetName{"iso-ir-144", 28595},
    CharsetName{"ISO_8859-5", 28595},
    CharsetName{"cyrillic", 28595},
    CharsetName{"csISOLatinCyrillic", 28595},
    CharsetName{"ISO-8859-6", 28596},
    CharsetName{"ISO_8859-6:1987", 28596},
    CharsetName{"iso-ir-127", 28596},
    CharsetName{"ISO_8859-6", 28596},
    CharsetName{"ECMA-114", 28596},
    CharsetName{"arabic", 28596},
    CharsetName{"csISOLatinArabic", 28596},
    CharsetName{"ISO-8859-7", 28597},
    CharsetName{"ISO_8859-7:1987", 28597},
    CharsetName{"iso-ir-126", 28597},
    CharsetName{"ISO_8859-7", 28597},
    CharsetName{"ELOT_928", 28597},
    CharsetName{"ECMA-118", 28597},
    CharsetName{"greek", 28597},
    CharsetName{"greek8", 28597},
    CharsetName{"csISOLatinGreek", 28597},
    CharsetName{"ISO-8859-8", 28598},
    CharsetName{"ISO_8859-8:1988", 28598},
    CharsetName{"iso-ir-138", 28598},
    CharsetName{"ISO_8859-8", 28598},
    CharsetName{"hebrew", 28598},
    CharsetName{"csISOLatinHebrew", 28598},
    CharsetName{"ISO-8859-8-I", 38598},
    CharsetName{"ISO-2022-JP", 50220},
    CharsetName{"csISO2022JP", 50221},
    CharsetName{"csISO2022KR", 50225},
    CharsetName{"ISO-2022-KR", 50225},
    CharsetName{"EUC-JP", 51932},
    CharsetName{"Extended_UNIX_Code_Packed_Format_for_Japanese", 51932},
    CharsetName{"csEUCPkdFmtJapanese", 51932},
    CharsetName{"HZ-GB-2312", 52936},
    CharsetName{"UTF-7", 65000},
    CharsetName{"UNICODE-1-1-UTF-7", 65000},
    CharsetName{"csUnicode11UTF7", 65000},
    CharsetName{"UTF-8", 65001},
};

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

} // namespace

std::optional<CodePage> codePageForCharset(std::string_view charsetName) {
    const auto* found = std::ranges::find_if(charsetNames, [&](const CharsetName& entry) {
        return equalIgnoringCase(entry.name, charsetName);
    });
    if (found == charsetNames.end())
        return std::nullopt;
    return found->codePage;
}

} // namespace tarvenne::text
