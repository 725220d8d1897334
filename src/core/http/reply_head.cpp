#include "http/reply_head.h"

#include "base/ascii.h"
#include "http/errors.h"

#include <charconv>

namespace tarvenne::http {

// [rfc7230] 3.2. Header Fields; 3.2.4. obs-fold continues a value on the next line.
void HeaderList::addLine(std::string_view line) {
    const bool continues = !line.empty() && (line.front() == ' ' || line.front() == '\t');
    if (continues && !fields_.empty()) {
        std::string& value = fields_.back().value;
        value.resize(trimmedEnd(value).size());
        value += ' ';
        value += trimmed(line);
        return;
    }
    const auto colon = line.find(':');
    if (colon == std::string_view::npos) {
        fields_.push_back({std::string(line), {}});
        return;
    }
    fields_.push_back({std::string(line.substr(0, colon)), std::string(line.substr(colon + 1))});
}

std::optional<std::string_view> HeaderList::value(std::string_view name) const {
    for (const Field& field : fields_)
        if (equalsIgnoringCase(field.name, name))
            return trimmed(field.value);
    return std::nullopt;
}

std::vector<std::string_view> HeaderList::values(std::string_view name) const {
    std::vector<std::string_view> found;
    for (const Field& field : fields_)
        if (equalsIgnoringCase(field.name, name))
            found.push_back(trimmed(field.value));
    return found;
}

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

ReplyHead readOneHead(BufferedReader& reader, LineCounter& counter) {
    ReplyHead head;
    head.statusLine = reader.readLineBeforeClose();
    head.statusCode = statusCodeOf(head.statusLine);
    counter.count();
    std::optional<std::string> line = reader.readLineBeforeClose();
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
