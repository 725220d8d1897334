#pragma once

#include "base/byte_buffer.h"
#include "text/code_page.h"

#include <string>
#include <string_view>

namespace tarvenne::text {

// A reply body to text: the code page its charset selects when known and decodable,
// ISO-8859-1 otherwise. A byte-order mark is kept.
std::u16string decodeBody(std::string_view bytes, std::string_view charset);

// encode(decodeBody(bytes, charset), codePage), without holding the whole text in between.
// The bytes are taken over: where each byte of the body's page becomes one byte of
// `codePage`, they are converted where they are.
ByteBuffer encodeBody(ByteBuffer bytes, std::string_view charset, CodePage codePage);

} // namespace tarvenne::text
