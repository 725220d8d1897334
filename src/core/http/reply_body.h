#pragma once

#include "base/byte_buffer.h"
#include "http/reply_head.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvenne::http {

struct BodyFraming {
    enum class Kind { Chunked, Length, UntilClose };
    Kind kind = Kind::UntilClose;
    std::uint64_t length = 0; // for Kind::Length

    bool operator==(const BodyFraming&) const = default;
};

// Chunked when Transfer-Encoding, lower-cased, contains "chunked"; else the Content-Length
// when it is a non-negative integer; else until the connection closes.
BodyFraming bodyFramingOf(const HeaderList& headers);

// The size of a chunk-size line: its text before the first space or ";" (a chunk extension)
// in hexadecimal; 0, which ends the body, when that is not a hexadecimal number. Throws
// "Response body too large." for a size above maxBodySize.
std::uint64_t chunkSizeOf(std::string_view line);

// Reads a body framed as `framing`, returning its bytes when `keep` and nothing otherwise.
// A Content-Length body cut short by the close ends there; a chunked body cut short throws
// "Connection Closed Gracefully.". Throws "Response body too large." once more than
// maxBodySize bytes have arrived.
ByteBuffer readBody(BufferedReader& reader, const BodyFraming& framing, bool keep);

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
