#include "base/utf.h"
#include "text/conversion.h"
#include "text/unicode_code_pages.h"

#include <climits>
#include <stdexcept>
#include <unordered_map>
#include <windows.h>

namespace tarvenne::text {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows text is UTF-16");

// The platform counts in int; the launcher's texts stay far below that.
int platformLength(std::size_t size) {
    if (size > INT_MAX)
        throw std::length_error("text too long for a code page conversion");
    return static_cast<int>(size);
}

// The numbered pages the platform converts with its own tables. The numbers below 4 are not
// pages but stand for the system's current ones.
bool isPlatformCodePage(CodePage codePage) {
    return codePage > 3 && IsValidCodePage(static_cast<UINT>(codePage));
}

} // namespace

bool canDecode(CodePage codePage) {
    return isUnicodeCodePage(codePage) || isPlatformCodePage(codePage);
}

bool readsByteForByte(CodePage codePage) {
    if (isUnicodeCodePage(codePage))
        return false;
    CPINFO info{};
    return !isPlatformCodePage(codePage) ||
           (GetCPInfo(static_cast<UINT>(codePage), &info) && info.MaxCharSize == 1);
}

const std::optional<CharacterTable>& characterTable(CodePage codePage) {
    thread_local std::unordered_map<CodePage, std::optional<CharacterTable>> tables;
    auto [entry, made] = tables.try_emplace(codePage);
    if (!made || !readsByteForByte(codePage))
        return entry->second;
    CharacterTable table{};
    for (int byte = 0; byte < 256; ++byte) {
        const std::u16string character = decode(std::string(1, static_cast<char>(byte)), codePage);
        if (character.size() != 1)
            return entry->second;
        table[static_cast<std::size_t>(byte)] = character.front();
    }
    entry->second = table;
    return entry->second;
}

// Bytes that form no character become the page's default character, as the platform renders
// them (U+FFFD for UTF-8).
std::u16string decode(std::string_view bytes, CodePage codePage) {
    if (isUnicodeCodePage(codePage))
        return decodeUnicode(bytes, codePage);
    if (!isPlatformCodePage(codePage))
        return fromLatin1(bytes);
    if (bytes.empty())
        return {};
    const auto page = static_cast<UINT>(codePage);
    const int size = platformLength(bytes.size());
    const int length = MultiByteToWideChar(page, 0, bytes.data(), size, nullptr, 0);
    if (length <= 0)
        return fromLatin1(bytes);
    std::u16string text(static_cast<std::size_t>(length), u'\0');
    MultiByteToWideChar(page, 0, bytes.data(), size, reinterpret_cast<wchar_t*>(text.data()),
                        length);
    return text;
}

// Without WC_NO_BEST_FIT_CHARS the platform writes its best-fit equivalent where the page's
// table names one, else the page's default character.
std::string encode(std::u16string_view text, CodePage codePage) {
    if (isUnicodeCodePage(codePage))
        return encodeUnicode(text, codePage);
    if (!isPlatformCodePage(codePage))
        return toLatin1(text);
    if (text.empty())
        return {};
    const auto page = static_cast<UINT>(codePage);
    const auto* source = reinterpret_cast<const wchar_t*>(text.data());
    const int size = platformLength(text.size());
    const int length = WideCharToMultiByte(page, 0, source, size, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return toLatin1(text);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(page, 0, source, size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

// A page that reads byte for byte may be cut anywhere; in any other page a cut could fall
// inside a character or a shift state, so its text is made at once and handed over whole.
void decodeInPieces(std::string_view bytes, CodePage codePage,
                    const std::function<bool(std::u16string_view)>& take) {
    if (!readsByteForByte(codePage)) {
        take(decode(bytes, codePage));
        return;
    }
    constexpr std::size_t pieceSize = 64 * 1024;
    for (std::size_t at = 0; at < bytes.size(); at += pieceSize)
        if (!take(decode(bytes.substr(at, pieceSize), codePage)))
            return;
}

ByteBuffer transcode(std::string_view bytes, CodePage from, CodePage to) {
    return ByteBuffer(encode(decode(bytes, from), to));
}

} // namespace tarvenne::text
