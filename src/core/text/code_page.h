#pragma once

#include "base/byte_buffer.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tarvenne::text {

// Windows code page numbers (37, 437, 936, 1252, 65001, ...).
using CodePage = int;

// A charset name that a reply may carry and the code page it selects.
struct CharsetName {
    std::string_view name;
    CodePage codePage;
};

// Every charset name that selects a code page; any other name is read as ISO-8859-1.
std::span<const CharsetName> knownCharsetNames();

// The code page that a charset name selects, compared without regard to case, or nothing
// for a name the launcher does not know.
std::optional<CodePage> codePageForCharset(std::string_view charsetName);

// Whether this platform can decode bytes in the code page.
bool canDecode(CodePage codePage);

// Whether the page reads each byte on its own as one character, as a page that cannot be
// decoded here does (ISO-8859-1).
bool readsByteForByte(CodePage codePage);

// Bytes in a code page to text; bytes that form no character are replaced, never rejected.
// A code page that cannot be decoded here is read as ISO-8859-1.
std::u16string decode(std::string_view bytes, CodePage codePage);

// decode(bytes, codePage) handed to `take` piece after piece, in order, so that the whole text is
// never held at once; stops early when `take` returns false. A piece may end between the two
// halves of a surrogate pair.
void decodeInPieces(std::string_view bytes, CodePage codePage,
                    const std::function<bool(std::u16string_view)>& take);

// Text to bytes of a code page: a character the page cannot hold becomes its nearest
// equivalent where the page has one, else the page's default character ("?"). Never fails.
// A code page that cannot be written here is written as ISO-8859-1.
std::string encode(std::u16string_view text, CodePage codePage);

// encode(decode(bytes, from), to), without holding the whole text in between.
ByteBuffer transcode(std::string_view bytes, CodePage from, CodePage to);

// A reply body to text: the code page its charset selects when known and decodable,
// ISO-8859-1 otherwise. A byte-order mark is kept.
std::u16string decodeBody(std::string_view bytes, std::string_view charset);

// encode(decodeBody(bytes, charset), codePage), without holding the whole text in between.
// The bytes are taken over: where each byte of the body's page becomes one byte of
// `codePage`, they are converted where they are.
ByteBuffer encodeBody(ByteBuffer bytes, std::string_view charset, CodePage codePage);

// The ANSI code page for a locale name such as "zh_CN.UTF-8", "ru_RU", "C" or "POSIX",
// derived from its language and region.
CodePage ansiCodePageForLocale(std::string_view localeName);

// The ANSI code page of the user running the launcher.
CodePage systemAnsiCodePage();

} // namespace tarvenne::text
