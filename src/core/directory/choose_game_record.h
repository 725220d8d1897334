#pragma once

#include "base/byte_buffer.h"
#include "directory/game_record.h"
#include "text/code_page.h"

#include <optional>
#include <string>
#include <string_view>

namespace tarvenne::directory {

// Decodes the update document's text through the ANSI code page and returns the first
// record named gameName, or nothing when there is none. The document is taken over so that
// its text can be released as soon as its bytes are made. Throws Error for the failures of
// decoding and for records without the needed fields.
std::optional<GameRecord> chooseGameRecord(std::u16string document, text::CodePage ansiCodePage);

// The same for the document as a reply body and the charset of its Content-Type: the result of
// chooseGameRecord(text::decodeBody(body, charset), ansiCodePage), made without the whole text.
std::optional<GameRecord> chooseGameRecordFromBody(ByteBuffer body, std::string_view charset,
                                                   text::CodePage ansiCodePage);

} // namespace tarvenne::directory
