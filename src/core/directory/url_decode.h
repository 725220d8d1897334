#pragma once

#include "base/byte_buffer.h"
#include "text/code_page.h"

namespace tarvenne::directory {

// URL decoding of the update document's bytes: "+" is a space, "%%" a percent sign,
// "%XY" the byte 0xXY; a zero byte ends the input. Throws Error with the position of a
// faulty escape; the escape's bytes are shown as characters of `codePage`.
ByteBuffer urlDecode(ByteBuffer bytes, text::CodePage codePage);

} // namespace tarvenne::directory
