#pragma once

#include "http/reply_reader.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvenne::http {

// The header lines of one reply head, in arrival order.
class HeaderList {
public:
    // Adds a "name: value" line; a line that begins with a space or a tab continues the
    // previous value, joined to it with one space.
    void addLine(std::string_view line);

    // The value of the first header of that name (compared without regard to case), without
    // white space and control characters at either end; nothing when there is none.
    std::optional<std::string_view> value(std::string_view name) const;

    // The values of every header of that name, in arrival order.
    std::vector<std::string_view> values(std::string_view name) const;

private:
    struct Field {
        std::string name;
        std::string value;
    };
    std::vector<Field> fields_;
};

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
