#pragma once

#include "http/buffered_reader.h"
#include "http/reply_head.h"

#include <string>

namespace tarvenne::http {

// Judges the reply whose head has been read and reads its body. Returns the body as text
// for a success; throws HttpReplyError, carrying the status code and the body as text, for
// a reply judged a failure.
std::u16string takeReplyBody(BufferedReader& reader, const ReplyHead& head);

// Body bytes to text through the code page that the Content-Type's charset selects.
std::u16string bodyText(std::string_view bytes, const HeaderList& headers);

} // namespace tarvenne::http
