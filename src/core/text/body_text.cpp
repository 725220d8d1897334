#include "text/body_text.h"

#include "text/charset_names.h"
#include "text/conversion.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <map>
#include <span>
#include <utility>

namespace tarvenne::text {
namespace {

// No code page: decoding reads the bytes as ISO-8859-1.
constexpr CodePage noCodePage = 0;

// The page the charset selects when this platform can decode it.
CodePage bodyCodePage(std::string_view charset) {
    const std::optional<CodePage> codePage = codePageForCharset(charset);
    return codePage && canDecode(*codePage) ? *codePage : noCodePage;
}

using ByteTable = std::array<char, 256>;

// For a page `from` that reads byte for byte, where every character it reads is one byte of
// `to`: that byte for each byte of `from`. A character is written the same wherever it stands
// in pages that write one byte for it, so the table gives what whole conversions give.
std::optional<ByteTable> byteForByteTable(CodePage from, CodePage to) {
    if (!readsByteForByte(from))
        return std::nullopt;
    ByteTable table{};
    for (int byte = 0; byte < 256; ++byte) {
        const std::u16string character = decode(std::string(1, static_cast<char>(byte)), from);
        const std::string written = character.size() == 1 ? encode(character, to) : std::string();
        if (written.size() != 1)
            return std::nullopt;
        table[static_cast<std::size_t>(byte)] = written.front();
    }
    return table;
}

// Whether the table gives every ASCII byte as itself, as every ANSI page does.
bool keepsAscii(const ByteTable& table) {
    for (unsigned char byte = 0; byte < 0x80; ++byte)
        if (table[byte] != static_cast<char>(byte))
            return false;
    return true;
}

// Bytes passed over at a time where they are all ASCII.
constexpr std::size_t asciiBlockSize = 32;

bool isAsciiOnly(const char* block) {
    std::uint64_t words[4];
    static_assert(sizeof words == asciiBlockSize);
    std::memcpy(words, block, sizeof words);
    return ((words[0] | words[1] | words[2] | words[3]) & 0x8080808080808080) == 0;
}

// Bytes through the table; where it keeps ASCII as it is, runs of ASCII are passed over 32
// bytes at a time (a byte at a time, decoding a long document takes a third longer).
void convertInPlace(std::span<char> bytes, const ByteTable& table) {
    const auto convert = [&table](char& byte) { byte = table[static_cast<unsigned char>(byte)]; };
    std::size_t i = 0;
    if (keepsAscii(table)) {
        for (; i + asciiBlockSize <= bytes.size(); i += asciiBlockSize)
            if (!isAsciiOnly(bytes.data() + i))
                std::ranges::for_each(bytes.subspan(i, asciiBlockSize), convert);
    }
    std::ranges::for_each(bytes.subspan(i), convert);
}

const std::optional<ByteTable>& cachedByteForByteTable(CodePage from, CodePage to) {
    thread_local std::map<std::pair<CodePage, CodePage>, std::optional<ByteTable>> tables;
    const auto key = std::make_pair(from, to);
    auto found = tables.find(key);
    if (found == tables.end())
        found = tables.emplace(key, byteForByteTable(from, to)).first;
    return found->second;
}

} // namespace

std::u16string decodeBody(std::string_view bytes, std::string_view charset) {
    return decode(bytes, bodyCodePage(charset));
}

ByteBuffer encodeBody(ByteBuffer bytes, std::string_view charset, CodePage codePage) {
    const CodePage source = bodyCodePage(charset);
    if (const auto& table = cachedByteForByteTable(source, codePage)) {
        convertInPlace(std::span(bytes.data(), bytes.size()), *table);
        return bytes;
    }
    return transcode(bytes.view(), source, codePage);
}

} // namespace tarvenne::text
