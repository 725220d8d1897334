#pragma once

#include "base/byte_buffer.h"
#include "http/buffered_reader.h"
#include "http/reply_head.h"

#include <string>

namespace tarvenne::http {

// The body of a successful reply with the charset that its Content-Type names.
struct ReplyBody {
    ByteBuffer bytes;
    std::string charset; // empty when there is none

    // The body as text, through the code page that the charset selects.
    std::u16string text() const;
};

// Judges the reply whose head has been read and reads its body. Returns the body for a
// success; throws HttpReplyError, carrying the status code and the body as text, for a reply
// judged a failure.
ReplyBody takeReplyBody(BufferedReader& reader, const ReplyHead& head);

} // namespace tarvenne::http
