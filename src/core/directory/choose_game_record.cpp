#include "directory/choose_game_record.h"

#include "directory/document_format.h"
#include "directory/record_chooser.h"
#include "directory/url_decode.h"
#include "text/body_text.h"
#include "text/conversion.h"

#include <algorithm>
#include <optional>
#include <string>

namespace tarvenne::directory {
namespace {

// The one byte of the page that reads as `unit`, if only one does.
std::optional<char> onlyByteReadAs(const text::CharacterTable& table, char16_t unit) {
    std::optional<char> found;
    for (std::size_t byte = 0; byte < table.size(); ++byte) {
        if (table[byte] != unit)
            continue;
        if (found)
            return std::nullopt;
        found = static_cast<char>(byte);
    }
    return found;
}

// Widening the bytes of a page that reads byte for byte: a piece starts small, so that little
// is decoded past the point where the chooser passes over the rest of a record, and grows
// while the chooser goes on reading.
constexpr std::size_t firstPieceSize = 8;
constexpr std::size_t largestPieceSize = 16 * 1024;

// Hands `bytes` read through `table` to the chooser; the rest of a record that it passes over
// is found in the bytes, as far as `separator`, the one byte that reads as recordSeparator, and
// is not decoded at all.
void chooseThroughTable(std::string_view bytes, const text::CharacterTable& table, char separator,
                        RecordChooser& chooser) {
    std::u16string piece(std::min(largestPieceSize, bytes.size()), u'\0');
    std::size_t pieceSize = firstPieceSize;
    std::size_t at = 0;
    while (at < bytes.size()) {
        if (chooser.passingOver()) {
            const std::size_t end = std::min(bytes.find(separator, at), bytes.size());
            chooser.passOver(end - at);
            at = end;
            pieceSize = firstPieceSize;
            if (at == bytes.size())
                break;
        }
        const std::string_view part = bytes.substr(at, pieceSize);
        for (std::size_t i = 0; i < part.size(); ++i)
            piece[i] = table[static_cast<unsigned char>(part[i])];
        at += part.size();
        if (!chooser.take(std::u16string_view(piece).substr(0, part.size())))
            return;
        pieceSize = std::min(2 * pieceSize, largestPieceSize);
    }
}

// The document's bytes in the ANSI code page are URL-decoded in place, and the decoded text is
// made and looked at piece by piece, so that memory holds little more than the bytes.
std::optional<GameRecord> chooseFromAnsiBytes(ByteBuffer bytes, text::CodePage ansiCodePage) {
    bytes = urlDecode(std::move(bytes), ansiCodePage);
    // A code page gives at most one UTF-16 unit for each of its bytes.
    RecordChooser chooser(bytes.size());
    const std::optional<text::CharacterTable>& table = text::characterTable(ansiCodePage);
    const std::optional<char> separator =
        table ? onlyByteReadAs(*table, recordSeparator) : std::nullopt;
    if (separator) {
        chooseThroughTable(bytes.view(), *table, *separator, chooser);
    } else {
        text::decodeInPieces(bytes.view(), ansiCodePage,
                             [&chooser](std::u16string_view piece) { return chooser.take(piece); });
    }
    return chooser.finish();
}

} // namespace

// The document passes through the ANSI code page around its URL decoding, so that an escape
// stands for a byte of that page and positions count its bytes.
std::optional<GameRecord> chooseGameRecord(std::u16string document, text::CodePage ansiCodePage) {
    std::string encoded = text::encode(document, ansiCodePage);
    std::u16string().swap(document);
    ByteBuffer bytes(encoded);
    std::string().swap(encoded);
    return chooseFromAnsiBytes(std::move(bytes), ansiCodePage);
}

std::optional<GameRecord> chooseGameRecordFromBody(ByteBuffer body, std::string_view charset,
                                                   text::CodePage ansiCodePage) {
    return chooseFromAnsiBytes(text::encodeBody(std::move(body), charset, ansiCodePage),
                               ansiCodePage);
}

} // namespace tarvenne::directory
