#include "http/reply_head.h"

#include "base/ascii.h"
#include "http/errors.h"
#include "http/limits.h"

#include <charconv>

namespace tarvenne::http {
namespace {

constexpr int interimStatus = 100;

class LineCounter {
public:
    void count() {
        if (++lines_ > maxHeadLines)
            throw ProtocolError::tooManyHeadLines();
    }

private:
    int lines_ = 0;
};

std::string lineBeforeClose(BufferedReader& reader) {
    auto line = reader.readLine();
    if (!line)
        throw ProtocolError::closedGracefully();
    return std::move(*line);
}

ReplyHead readOneHead(BufferedReader& reader, LineCounter& counter) {
    ReplyHead head;
    head.statusLine = lineBeforeClose(reader);
    head.statusCode = statusCodeOf(head.statusLine);
    counter.count();
    std::optional<std::string> line = lineBeforeClose(reader);
    while (line && !line->empty()) {
        counter.count();
        head.headers.addLine(*line);
        line = reader.readLine();
    }
    return head;
}

} // namespace

int statusCodeOf(std::string_view statusLine) {
    const auto space = statusLine.find(' ');
    if (space == std::string_view::npos)
        return -1;
    std::string_view code = trimmed(statusLine.substr(space + 1));
    code = code.substr(0, code.find(' '));
    int value = 0;
    const auto [end, failure] = std::from_chars(code.data(), code.data() + code.size(), value);
    if (code.empty() || failure != std::errc() || end != code.data() + code.size())
        return -1;
    return value;
}

ReplyHead readReplyHead(BufferedReader& reader,
                        const std::function<void(const HeaderList&)>& onHead) {
    LineCounter counter;
    for (;;) {
        ReplyHead head = readOneHead(reader, counter);
        onHead(head.headers);
        if (head.statusCode != interimStatus)
            return head;
    }
}

} // namespace tarvenne::http
