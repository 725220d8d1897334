#pragma once

#include "base/byte_buffer.h"
#include "text/code_page.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tarvenne::text {

// Whether this platform can decode bytes in the code page.
bool canDecode(CodePage codePage);

// Whether the page reads each byte on its own as one character, as a page that cannot be
// decoded here does (ISO-8859-1).
bool readsByteForByte(CodePage codePage);

// The UTF-16 unit that each byte of a code page reads as.
using CharacterTable = std::array<char16_t, 256>;

// For a page that reads each byte on its own as one UTF-16 unit: the unit of each byte, as
// decode() reads it; nothing for every other page.
const std::optional<CharacterTable>& characterTable(CodePage codePage);

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

} // namespace tarvenne::text
