#include "base/error.h"
#include "header_lines.h"
#include "http/reply_body.h"
#include "http/reply_reader.h"
#include "scripted_source.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

namespace tarvenne::http {
namespace {

using Kind = BodyFraming::Kind;

TEST(BodyFraming, ChunkedThenContentLengthThenUntilClose) {
    struct Case {
        std::initializer_list<const char*> headers;
        BodyFraming framing;
    };
    const Case cases[] = {
        {{"Transfer-Encoding: chunked"}, {Kind::Chunked}},
        {{"Transfer-Encoding: gzip, CHUNKED", "Content-Length: 5"}, {Kind::Chunked}},
        {{"Transfer-Encoding: identity", "Content-Length: 5"}, {Kind::Length, 5}},
        {{"Content-Length:  12 "}, {Kind::Length, 12}},
        {{"Content-Length: 0"}, {Kind::Length, 0}},
        {{"Content-Length: 7", "Content-Length: 9"}, {Kind::Length, 7}},
        {{"Content-Length: -5"}, {Kind::UntilClose}},
        {{"Content-Length: 5x"}, {Kind::UntilClose}},
        {{"Content-Length:"}, {Kind::UntilClose}},
        {{"Content-Length: 99999999999999999999999"}, {Kind::UntilClose}},
        {{}, {Kind::UntilClose}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.headers.size() ? *c.headers.begin() : "no headers");
        EXPECT_EQ(bodyFramingOf(headersOf(c.headers)), c.framing);
    }
}

TEST(ChunkSize, HexadecimalTextBeforeTheFirstSpaceOrExtension) {
    struct Case {
        const char* line;
        std::uint64_t size;
    };
    const Case cases[] = {
        {"1a", 26},
        {"1A", 26},
        {"1a;x=y", 26},
        {"1a ;x=y", 26},
        {"1a trailing", 26},
        {"0000000001a", 26},
        {"4000000", maxBodySize},
        {"0", 0},
        {"", 0},
        {"g", 0},
        {"1g", 0},
        {" 1a", 0},
        {"0x1a", 0},
        {"-1", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(chunkSizeOf(c.line), c.size);
    }
    for (const char* tooLarge : {"4000001", "ffffffffffffffffffffffff"}) {
        SCOPED_TRACE(tooLarge);
        EXPECT_THROW(chunkSizeOf(tooLarge), Error);
    }
}

// The body, or the failure message, read with `framing` from `pieces`.
std::string bodyOf(const BodyFraming& framing, const std::vector<std::string>& pieces,
                   ScriptedSource::Feed feed) {
    ScriptedSource source(pieces, feed);
    BufferedReader reader(source);
    try {
        return std::string(readBody(reader, framing, true).view());
    } catch (const Error& error) {
        return std::string("failure: ") + error.what();
    }
}

TEST(ReadBody, EachFramingWholeAndByteByByte) {
    const std::string chunk1a(26, 'z');
    const std::string overLongLine(maxLineLength + 1, '1');
    struct Case {
        const char* name;
        BodyFraming framing;
        std::vector<std::string> pieces;
        std::string body;
    };
    const Case cases[] = {
        {"chunks", {Kind::Chunked}, {"5\r\nhello\r\n6\r\n world\r\n0\r\n\r\n"}, "hello world"},
        {"chunks in pieces", {Kind::Chunked}, {"5\r\nhe", "llo\r", "\n0\r\n", "\r\n"}, "hello"},
        {"upper-case size", {Kind::Chunked}, {"A\r\n0123456789\r\n0\r\n\r\n"}, "0123456789"},
        {"extension ignored",
         {Kind::Chunked},
         {"5\r\nhello\r\n1a;x=y\r\n" + chunk1a + "\r\n0\r\n\r\n"},
         "hello" + chunk1a},
        {"size that is not hexadecimal ends",
         {Kind::Chunked},
         {"5\r\nhello\r\nzz\r\n\r\nrest"},
         "hello"},
        {"line after the data is dropped whatever it holds",
         {Kind::Chunked},
         {"2\r\nab\r\n2\r\ncdjunk\r\n0\r\n\r\n"},
         "abcd"},
        {"close inside chunk data",
         {Kind::Chunked},
         {"5\r\nhel"},
         "failure: Connection Closed Gracefully."},
        {"close before a size line",
         {Kind::Chunked},
         {"5\r\nhello\r\n"},
         "failure: Connection Closed Gracefully."},
        {"close before the line after the last chunk",
         {Kind::Chunked},
         {"5\r\nhello\r\n0\r\n"},
         "failure: Connection Closed Gracefully."},
        {"size line too long",
         {Kind::Chunked},
         {overLongLine + "\r\n"},
         "failure: Max line length exceeded."},
        {"size that overflows",
         {Kind::Chunked},
         {"1ffffffffffffffffff\r\n"},
         "failure: Response body too large."},
        {"exact length", {Kind::Length, 5}, {"hello world"}, "hello"},
        {"length cut short by the close", {Kind::Length, 10}, {"ab", "cd"}, "abcd"},
        {"length 0", {Kind::Length, 0}, {"ignored"}, ""},
        {"until close", {Kind::UntilClose}, {"abc", "", "def"}, "abcdef"},
        {"until close, nothing", {Kind::UntilClose}, {}, ""},
    };
    for (const auto& c : cases) {
        for (const auto feed : bothFeeds) {
            SCOPED_TRACE(c.name);
            EXPECT_EQ(bodyOf(c.framing, c.pieces, feed), c.body);
        }
    }
}

TEST(ReadBody, TrailerAfterTheLineAfterTheLastChunkIsLeftUnread) {
    ScriptedSource source({"1\r\na\r\n0\r\nTrailer: x\r\nMore: y\r\n"},
                          ScriptedSource::Feed::Whole);
    BufferedReader reader(source);
    EXPECT_EQ(readBody(reader, {Kind::Chunked}, true).view(), "a");
    EXPECT_EQ(reader.readLine(), "More: y");
}

// `prefix`, then `fill` bytes "x" (without end when `fill` is the largest count), then `suffix`.
class GeneratedSource : public ByteSource {
public:
    GeneratedSource(std::string prefix, std::uint64_t fill, std::string suffix)
        : prefix_(std::move(prefix)), fill_(fill), suffix_(std::move(suffix)) {}

    std::size_t read(char* buffer, std::size_t size) override {
        if (!prefix_.empty())
            return take(prefix_, buffer, size);
        if (fill_ > 0) {
            const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(size, fill_));
            std::fill_n(buffer, count, 'x');
            if (fill_ != endless)
                fill_ -= count;
            return count;
        }
        return take(suffix_, buffer, size);
    }
    bool poll(std::chrono::milliseconds) override { return true; }

    static constexpr auto endless = std::numeric_limits<std::uint64_t>::max();

private:
    static std::size_t take(std::string& from, char* buffer, std::size_t size) {
        const std::size_t count = std::min(size, from.size());
        std::memcpy(buffer, from.data(), count);
        from.erase(0, count);
        return count;
    }
    std::string prefix_;
    std::uint64_t fill_;
    std::string suffix_;
};

TEST(ReadBody, AnyBodyLongerThanTheLargestFailsAsSoonAsItPassesIt) {
    struct Case {
        const char* name;
        BodyFraming framing;
        std::string prefix;
        std::uint64_t fill;
        std::string suffix;
        bool tooLarge;
    };
    const Case cases[] = {
        {"until close, largest", {Kind::UntilClose}, "", maxBodySize, "", false},
        {"until close, endless", {Kind::UntilClose}, "", GeneratedSource::endless, "", true},
        {"length, largest", {Kind::Length, maxBodySize}, "", GeneratedSource::endless, "", false},
        {"length, one more",
         {Kind::Length, maxBodySize + 1},
         "",
         GeneratedSource::endless,
         "",
         true},
        {"chunks, largest", {Kind::Chunked}, "4000000\r\n", maxBodySize, "\r\n0\r\n\r\n", false},
        {"chunks, one more",
         {Kind::Chunked},
         "4000000\r\n",
         maxBodySize,
         "\r\n1\r\nx\r\n0\r\n\r\n",
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GeneratedSource source(c.prefix, c.fill, c.suffix);
        BufferedReader reader(source);
        if (c.tooLarge) {
            try {
                readBody(reader, c.framing, false);
                ADD_FAILURE() << "no failure";
            } catch (const Error& error) {
                EXPECT_STREQ(error.what(), "Response body too large.");
            }
        } else {
            EXPECT_NO_THROW(readBody(reader, c.framing, false));
        }
    }
}

} // namespace
} // namespace tarvenne::http
