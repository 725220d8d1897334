#include "text/icu_converter_names.h"

#include <algorithm>
#include <array>

namespace tarvenne::text {
namespace {

struct ConverterName {
    CodePage codePage;
    const char* icuName;
};

// Each name is one ICU knows in its alias table; "windows-" + number is not one for the EBCDIC
// pages, several DOS pages, ASMO 708, UTF-32 and the ISO 2022 family.
constexpr std::array converterNames{
    ConverterName{37, "ibm-37"},
    ConverterName{437, "ibm-437"},
    ConverterName{500, "ibm-500"},
    ConverterName{708, "ASMO-708"},
    ConverterName{775, "ibm-775"},
    ConverterName{850, "ibm-850"},
    ConverterName{852, "ibm-852"},
    ConverterName{855, "ibm-855"},
    ConverterName{857, "ibm-857"},
    ConverterName{858, "ibm-858"},
    ConverterName{860, "ibm-860"},
    ConverterName{861, "ibm-861"},
    ConverterName{863, "ibm-863"},
    ConverterName{864, "ibm-864"},
    ConverterName{865, "ibm-865"},
    ConverterName{866, "ibm-866"},
    ConverterName{869, "ibm-869"},
    ConverterName{870, "ibm-870"},
    ConverterName{874, "windows-874"},
    ConverterName{932, "windows-932"},
    ConverterName{936, "windows-936"},
    ConverterName{949, "windows-949"},
    ConverterName{950, "windows-950"},
    ConverterName{1026, "ibm-1026"},
    ConverterName{1140, "ibm-1140"},
    ConverterName{1141, "ibm-1141"},
    ConverterName{1142, "ibm-1142"},
    ConverterName{1143, "ibm-1143"},
    ConverterName{1144, "ibm-1144"},
    ConverterName{1145, "ibm-1145"},
    ConverterName{1146, "ibm-1146"},
    ConverterName{1147, "ibm-1147"},
    ConverterName{1148, "ibm-1148"},
    ConverterName{1149, "ibm-1149"},
    ConverterName{1200, "UTF-16LE"},
    ConverterName{1250, "windows-1250"},
    ConverterName{1251, "windows-1251"},
    ConverterName{1252, "windows-1252"},
    ConverterName{1253, "windows-1253"},
    ConverterName{1254, "windows-1254"},
    ConverterName{1255, "windows-1255"},
    ConverterName{1256, "windows-1256"},
    ConverterName{1257, "windows-1257"},
    ConverterName{1258, "windows-1258"},
    ConverterName{10000, "macintosh"},
    ConverterName{12000, "UTF-32LE"},
    ConverterName{12001, "UTF-32BE"},
    ConverterName{20866, "KOI8-R"},
    ConverterName{28591, "ISO-8859-1"},
    ConverterName{28592, "ISO-8859-2"},
    ConverterName{28593, "ISO-8859-3"},
    ConverterName{28594, "ISO-8859-4"},
    ConverterName{28595, "ISO-8859-5"},
    ConverterName{28596, "ISO-8859-6"},
    ConverterName{28597, "ISO-8859-7"},
    ConverterName{28598, "ISO-8859-8"},
    ConverterName{38598, "ISO-8859-8-I"},
    ConverterName{50220, "ISO-2022-JP"},
    ConverterName{50221, "x-windows-50221"},
    ConverterName{50225, "ISO-2022-KR"},
    ConverterName{51932, "EUC-JP"},
    ConverterName{52936, "HZ-GB-2312"},
    ConverterName{65000, "UTF-7"},
    ConverterName{65001, "UTF-8"},
};

} // namespace

const char* icuConverterName(CodePage codePage) {
    const auto* found = std::ranges::find(converterNames, codePage, &ConverterName::codePage);
    return found == converterNames.end() ? nullptr : found->icuName;
}

} // namespace tarvenne::text
