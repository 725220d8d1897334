#pragma once

#include <algorithm>
#include <array>
#include <string_view>

// Every expectation of the core's tests that legitimately differs between the platforms.
//
// Code pages: on Linux ICU converts every listed page and renders what it cannot convert as
// U+FFFD. On Windows the platform's own tables convert, with the platform's own best-fit and
// default characters, and a page without a table there reads as ISO-8859-1.
//
// Sockets: Wine, which stands in for Windows in the automated runs, reports a connection that
// the peer resets to a receiving socket mostly as the peer's orderly close, now and then as the
// reset; Linux and Windows report Windows Sockets code 10054 (WSAECONNRESET). Sending on such a
// connection fails with 10054 everywhere.
//
// The ANSI code page: on Linux the locale of each process chooses it (LC_ALL, LC_CTYPE, LANG);
// on Windows it is the system's, the same for every process.
namespace tarvenne::platform {

#ifdef _WIN32

// Whether the tests run under Wine rather than on Windows itself.
bool isWine();

inline bool receiveReportsReset() {
    return !isWine();
}

inline bool localeChoosesAnsiCodePage() {
    return false;
}

// Whether a listed code page is decodable here; Wine's tables cover fewer pages. Windows
// converts EUC-JP (51932) only in its browser's character set library, not in the system's
// conversion functions.
inline bool decodes(int codePage) {
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

inline bool receiveReportsReset() {
    return true;
}

inline bool localeChoosesAnsiCodePage() {
    return true;
}

inline bool decodes(int) {
    return true;
}

inline constexpr std::u16string_view cutOffDoubleByteCharacter = u"\uFFFD";

inline constexpr std::string_view outsideTheBmpInSingleBytePage = "?";

#endif

inline constexpr std::string_view resetMessage =
    "Socket Error # 10054\r\nConnection reset by peer.";

// Whether `outcome` is what a connection that the server resets gives: the reset, or where a
// reset may read as an orderly close, `asOrderlyClose`.
inline bool givesTheReset(std::string_view outcome, std::string_view asOrderlyClose) {
    return outcome == resetMessage || (!receiveReportsReset() && outcome == asOrderlyClose);
}

} // namespace tarvenne::platform
