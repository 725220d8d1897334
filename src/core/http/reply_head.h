#pragma once

#include "http/buffered_reader.h"
#include "http/header_list.h"

#include <functional>
#include <string>
#include <string_view>

namespace tarvenne::http {

struct ReplyHead {
    std::string statusLine; // without its line ending
    int statusCode = -1;
    HeaderList headers;
};

// The text after the first space, trimmed, up to the next space, as an integer; -1 when the
// line has no space or that text is not an integer.
int statusCodeOf(std::string_view statusLine);

// Reads the head of the reply to a request, reading past interim heads (status 100). Each
// head, interim ones included, is handed to `onHead` once its header lines are complete.
// Throws "Connection Closed Gracefully." when the source closes before the status line and
// the line after it are complete (a later close ends the head), and "Too many header lines."
// once the heads hold more than maxHeadLines lines.
ReplyHead readReplyHead(BufferedReader& reader,
                        const std::function<void(const HeaderList&)>& onHead);

} // namespace tarvenne::http
