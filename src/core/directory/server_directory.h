#pragma once

#include "base/byte_buffer.h"
#include "text/code_page.h"

#include <optional>
#include <string>
#include <string_view>

namespace tarvenne::directory {

// The record name this launcher selects.
inline constexpr std::u16string_view GameName = u"Tarvenne";

// The update document is records joined by RecordSeparator, each its fields joined by
// FieldSeparator.
inline constexpr char16_t RecordSeparator = u'^';
inline constexpr char16_t FieldSeparator = u'|';

// One record of the update document after decoding.
struct ServerEntry {
    std::u16string name;
    std::u16string siteAddress; // the start of the login page's address
    std::u16string loginPage;   // the rest of the login page's address
    std::u16string title;
    bool operator==(const ServerEntry&) const = default;
};

// URL decoding of the update document's bytes: "+" is a space, "%%" a percent sign,
// "%XY" the byte 0xXY; a zero byte ends the input. Throws Error with the position of a
// faulty escape; the escape's bytes are shown as characters of `codePage`.
ByteBuffer urlDecode(ByteBuffer bytes, text::CodePage codePage);

// Decodes the update document's text through the ANSI code page and returns the first
// record named GameName, or nothing when there is none. The document is taken over so that
// its text can be released as soon as its bytes are made. Throws Error for the failures of
// decoding and for records without the needed fields.
std::optional<ServerEntry> chooseServerEntry(std::u16string document, text::CodePage ansiCodePage);

// The same for the document as a reply body and the charset of its Content-Type: the result of
// chooseServerEntry(text::decodeBody(body, charset), ansiCodePage), made without the whole text.
std::optional<ServerEntry> chooseServerEntryFromBody(ByteBuffer body, std::string_view charset,
                                                     text::CodePage ansiCodePage);

} // namespace tarvenne::directory
