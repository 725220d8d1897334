#pragma once

#include "text/code_page.h"

#include <algorithm>
#include <array>
#include <string_view>

#ifdef _WIN32
#include <windows.h>
#endif

// Where the code page conversions legitimately differ between the platforms. On Linux ICU
// converts every listed page and renders what it cannot convert as U+FFFD. On Windows the
// platform's own tables convert, with the platform's own best-fit and default characters, and
// a page without a table there reads as ISO-8859-1.
namespace tarvenne::text::platform {

#ifdef _WIN32

// Wine stands in for Windows in the automated runs; its tables cover fewer pages.
inline bool isWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Whether a listed code page is decodable here. Windows converts EUC-JP (51932) only in its
// browser's character set library, not in the system's conversion functions.
inline bool decodes(CodePage codePage) {
    constexpr std::array missingInWine{858,  870,  1140, 1141,  1142,  1143,  1144,  1145, 1146,
                                       1147, 1148, 1149, 38598, 50220, 50221, 50225, 52936};
    if (codePage == 51932)
        return false;
    return !isWine() || std::ranges::find(missingInWine, codePage) == missingInWine.end();
}

// A double-byte lead byte cut off at the end becomes the page's default character.
inline constexpr std::u16string_view cutOffDoubleByteCharacter = u"?";

// Each half of a surrogate pair is replaced on its own in a single-byte page.
inline constexpr std::string_view outsideTheBmpInSingleBytePage = "??";

#else

inline bool decodes(CodePage) {
    return true;
}

inline constexpr std::u16string_view cutOffDoubleByteCharacter = u"\uFFFD";

inline constexpr std::string_view outsideTheBmpInSingleBytePage = "?";

#endif

} // namespace tarvenne::text::platform
