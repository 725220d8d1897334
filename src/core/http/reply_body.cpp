#include "http/reply_body.h"

#include "base/ascii.h"
#include "http/errors.h"
#include "http/reply_rules.h"
#include "text/body_text.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace tarvenne::http {
namespace {

constexpr auto unbounded = std::numeric_limits<std::uint64_t>::max();

// One byte past the bound is enough to know it has been passed.
constexpr std::uint64_t mostKept = maxBodySize + 1;

// Gathers body bytes (or only counts them) and enforces the size bound.
class BodyCollector {
public:
    explicit BodyCollector(bool keep) : keep_(keep) {}

    // Up to `wanted` bytes from the reader; 0 once it has closed.
    std::size_t readFrom(BufferedReader& reader, std::uint64_t wanted) {
        const auto size = static_cast<std::size_t>(
            std::min({wanted, mostKept - total_, std::uint64_t{readSize}}));
        std::size_t received = 0;
        if (keep_) {
            // Straight into the body's room, which a body of unknown size takes up to the bound.
            bytes_.reserveSpare(size, mostKept);
            received = reader.read(bytes_.spare(), size);
            bytes_.commit(received);
        } else {
            scratch_.resize(readSize);
            received = reader.read(scratch_.data(), size);
        }
        total_ += received;
        if (total_ > maxBodySize)
            throw ProtocolError::bodyTooLarge();
        return received;
    }

    // Reads `count` bytes, fewer only when the reader closes first; returns how many.
    std::uint64_t readUpTo(BufferedReader& reader, std::uint64_t count) {
        std::uint64_t done = 0;
        while (done < count) {
            const std::size_t received = readFrom(reader, count - done);
            if (received == 0)
                break;
            done += received;
        }
        return done;
    }

    void reserve(std::uint64_t size) {
        if (keep_)
            bytes_.reserve(static_cast<std::size_t>(std::min(size, mostKept)));
    }

    ByteBuffer take() { return std::move(bytes_); }

private:
    bool keep_;
    std::uint64_t total_ = 0;
    std::string scratch_; // for bytes that are not kept
    ByteBuffer bytes_;
};

// [rfc7230] 4.1. Chunked Transfer Coding
void readChunked(BufferedReader& reader, BodyCollector& body) {
    for (;;) {
        const std::uint64_t size = chunkSizeOf(reader.readLineBeforeClose());
        if (size == 0)
            break;
        if (body.readUpTo(reader, size) < size)
            throw ProtocolError::closedGracefully();
        reader.readLineBeforeClose();
    }
    // The line after the last chunk; a trailer of more lines is left unread.
    reader.readLineBeforeClose();
}

std::optional<std::uint64_t> contentLengthOf(const HeaderList& headers) {
    const auto text = headers.value("Content-Length");
    if (!text || text->empty())
        return std::nullopt;
    std::uint64_t length = 0;
    const auto [end, failure] = std::from_chars(text->data(), text->data() + text->size(), length);
    if (failure != std::errc() || end != text->data() + text->size())
        return std::nullopt;
    return length;
}

// For replies that normally have no body: one is read only when it starts soon.
ByteBuffer bodyIfItStarts(BufferedReader& reader, const ReplyHead& head, bool keep) {
    if (!reader.waitForBytes(unexpectedBodyWait))
        return {};
    return readBody(reader, bodyFramingOf(head.headers), keep);
}

} // namespace

BodyFraming bodyFramingOf(const HeaderList& headers) {
    const auto coding = headers.value("Transfer-Encoding");
    if (coding && lowerCased(*coding).find("chunked") != std::string::npos)
        return {BodyFraming::Kind::Chunked};
    if (const auto length = contentLengthOf(headers))
        return {BodyFraming::Kind::Length, *length};
    return {BodyFraming::Kind::UntilClose};
}

std::uint64_t chunkSizeOf(std::string_view line) {
    const std::string_view text = line.substr(0, line.find_first_of(" ;"));
    if (!std::ranges::all_of(text, [](char c) { return hexDigitValue(c) >= 0; }))
        return 0;
    std::uint64_t size = 0;
    for (const char c : text) {
        size = size * 16 + static_cast<std::uint64_t>(hexDigitValue(c));
        if (size > maxBodySize)
            throw ProtocolError::bodyTooLarge();
    }
    return size;
}

ByteBuffer readBody(BufferedReader& reader, const BodyFraming& framing, bool keep) {
    BodyCollector body(keep);
    switch (framing.kind) {
    case BodyFraming::Kind::Chunked:
        readChunked(reader, body);
        break;
    case BodyFraming::Kind::Length:
        body.reserve(framing.length);
        body.readUpTo(reader, framing.length);
        break;
    case BodyFraming::Kind::UntilClose:
        body.readUpTo(reader, unbounded);
        break;
    }
    return body.take();
}

std::u16string ReplyBody::text() const {
    return text::decodeBody(bytes.view(), charset);
}

ReplyBody takeReplyBody(BufferedReader& reader, const ReplyHead& head) {
    const auto contentType = head.headers.value("Content-Type");
    std::string charset = contentType ? charsetOf(*contentType) : std::string();
    ByteBuffer body;
    switch (judge(head.statusCode, head.headers)) {
    case Verdict::Success:
        return {readBody(reader, bodyFramingOf(head.headers), true), std::move(charset)};
    case Verdict::NoContent:
        bodyIfItStarts(reader, head, false);
        return {};
    case Verdict::NoBodyExpected:
        body = bodyIfItStarts(reader, head, true);
        break;
    case Verdict::Redirect:
    case Verdict::NoCredentials:
    case Verdict::Failure:
        body = readBody(reader, bodyFramingOf(head.headers), true);
        break;
    }
    throw HttpReplyError(asciiText(head.statusLine), head.statusCode,
                         ReplyBody{std::move(body), std::move(charset)}.text());
}

} // namespace tarvenne::http
