#include "directory/choose_server_entry.h"

#include "directory/record_chooser.h"
#include "directory/url_decode.h"
#include "text/body_text.h"
#include "text/conversion.h"

#include <string>

namespace tarvenne::directory {
namespace {

// The document's bytes in the ANSI code page are URL-decoded in place, and the decoded text is
// made and looked at piece by piece, so that memory holds little more than the bytes.
std::optional<ServerEntry> chooseFromAnsiBytes(ByteBuffer bytes, text::CodePage ansiCodePage) {
    bytes = urlDecode(std::move(bytes), ansiCodePage);
    // A code page gives at most one UTF-16 unit for each of its bytes.
    RecordChooser chooser(bytes.size());
    text::decodeInPieces(bytes.view(), ansiCodePage,
                         [&chooser](std::u16string_view piece) { return chooser.take(piece); });
    return chooser.finish();
}

} // namespace

// The document passes through the ANSI code page around its URL decoding, so that an escape
// stands for a byte of that page and positions count its bytes.
std::optional<ServerEntry> chooseServerEntry(std::u16string document, text::CodePage ansiCodePage) {
    std::string encoded = text::encode(document, ansiCodePage);
    std::u16string().swap(document);
    ByteBuffer bytes(encoded);
    std::string().swap(encoded);
    return chooseFromAnsiBytes(std::move(bytes), ansiCodePage);
}

std::optional<ServerEntry> chooseServerEntryFromBody(ByteBuffer body, std::string_view charset,
                                                     text::CodePage ansiCodePage) {
    return chooseFromAnsiBytes(text::encodeBody(std::move(body), charset, ansiCodePage),
                               ansiCodePage);
}

} // namespace tarvenne::directory
