#pragma once

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>

// Every expectation of the core's tests that legitimately differs between the platforms.
//
// Code pages: on Linux ICU converts every listed page and renders what it cannot convert as
// U+FFFD; writing an ANSI code page, it takes Windows' best-fit table and default character,
// and differs from Windows only where the pages' own tables do (windowsEncodingDifference).
// On Windows the platform's own tables convert, with the platform's own best-fit and default
// characters, and a page without a table there reads as ISO-8859-1.
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

// The Windows conversion is the reference of the encoding tables: no difference.
inline std::optional<std::string> windowsEncodingDifference(int, char16_t) {
    return std::nullopt;
}

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

// Where ICU's mapping tables of an ANSI code page differ from Windows' in characters that the
// page holds, in both directions, so that writing them as Windows does would break the round
// trip through the page here. Shift_JIS (932): ICU swaps U+001A, U+001C and U+007F as IBM's
// pages do, maps U+F86F to 87 82, and leaves the bytes 80, A0 and FD to FF undefined, which
// Windows reads as U+0080 and the private-use characters U+F8F0 to U+F8F3. Greek (1253): ICU
// reads AA as U+00AA, Windows as U+F8F9; the undefined D2 and FF are U+F8FA and U+F8FB there.
// Hebrew (1255): Windows reads CA as U+05BA and the undefined D9 to DF, FB, FC and FF as U+F88D
// to U+F896. Baltic (1257): Windows reads the undefined A1 and A5 as U+F8FC and U+F8FD.
inline std::optional<std::string> windowsEncodingDifference(int codePage, char16_t unit) {
    struct Difference {
        int codePage;
        char16_t unit;
        std::string_view bytes; // what ICU writes
    };
    static constexpr Difference differences[] = {
        {932, 0x001A, "\x7F"},  {932, 0x001C, "\x1A"},     {932, 0x007F, "\x1C"},
        {932, 0x0080, "?"},     {932, 0xF86F, "\x87\x82"}, {932, 0xF8F0, "?"},
        {932, 0xF8F1, "?"},     {932, 0xF8F2, "?"},        {932, 0xF8F3, "?"},
        {1253, 0x00AA, "\xAA"}, {1253, 0xF8F9, "?"},       {1253, 0xF8FA, "?"},
        {1253, 0xF8FB, "?"},    {1255, 0x05BA, "?"},       {1257, 0xF8FC, "?"},
        {1257, 0xF8FD, "?"},
    };
    if (codePage == 1255 && unit >= 0xF88D && unit <= 0xF896)
        return "?";
    const auto* found = std::ranges::find_if(
        differences, [&](const Difference& d) { return d.codePage == codePage && d.unit == unit; });
    return found == std::end(differences) ? std::nullopt : std::optional<std::string>(found->bytes);
}

#endif

inline constexpr std::string_view resetMessage =
    "Socket Error # 10054\r\nConnection reset by peer.";

// Whether `outcome` is what a connection that the server resets gives: the reset, or where a
// reset may read as an orderly close, `asOrderlyClose`.
inline bool givesTheReset(std::string_view outcome, std::string_view asOrderlyClose) {
    return outcome == resetMessage || (!receiveReportsReset() && outcome == asOrderlyClose);
}

} // namespace tarvenne::platform
