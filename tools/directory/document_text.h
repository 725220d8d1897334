#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Helpers of the document check for the text of an update document and its messages.
namespace tarvenne::tools {

// The length in UTF-16 units of the character that starts at `index`.
std::size_t characterLength(std::u16string_view text, std::size_t index);

// The C0 and C1 controls and DEL.
bool isControl(char16_t c);
// Blanks and the spaces that look like them.
bool isWhiteSpace(char16_t c);
// `text` without white space (isWhiteSpace) at either end.
std::u16string_view withoutWhiteSpaceAround(std::u16string_view text);

// Characters that show nothing, or nothing that tells them apart: the default-ignorable ones
// (U+00AD, U+200B to U+200F, U+2060, U+FEFF, ...), the spaces other than U+0020 and the line
// and paragraph separators.
bool isInvisible(char16_t c);

// "a zero-width space", "a byte-order mark", ... for an invisible character that has a
// common name; empty for any other.
std::string invisibleCharacterName(char16_t c);

// "U+000A".
std::string codePointName(char16_t c);

// Text for a message, in UTF-8 between double quotes: line breaks and tabs are shown as
// \n, \r and \t, other control characters, invisible characters and lone surrogates by their
// code point, as <U+FEFF>.
std::string quoted(std::u16string_view text);

// The length of the UTF-8 sequence that `lead` starts, 1 for a byte that starts none.
std::size_t utf8SequenceLength(char lead);

// The offset of the first byte that is not part of well-formed UTF-8, if any.
std::optional<std::size_t> firstInvalidUtf8(std::string_view bytes);

// Line and column, both from 1, of each place in a text; columns count characters.
class TextPositions {
public:
    explicit TextPositions(std::u16string_view text);

    std::pair<std::size_t, std::size_t> at(std::size_t index) const;

private:
    std::u16string_view text_;
    std::vector<std::size_t> lineStarts_{0};
};

} // namespace tarvenne::tools
