#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace tarvenne::http {

// Where the bytes of a reply come from: a connection, or a script in tests.
class ByteSource {
public:
    virtual ~ByteSource() = default;

    // Up to `size` bytes into `buffer`, waiting for at least one; 0 once the peer has closed.
    virtual std::size_t read(char* buffer, std::size_t size) = 0;

    // Whether a read would return at once (bytes or the close), after waiting at most `wait`.
    virtual bool poll(std::chrono::milliseconds wait) = 0;
};

// Bytes asked of the source in one read.
inline constexpr std::size_t readSize = 64 * 1024;

// Longest status, header or chunk-size line, in bytes before its line feed.
inline constexpr std::size_t maxLineLength = 16384;

// Most lines in the heads of one reply, interim heads and status lines included.
inline constexpr int maxHeadLines = 255;

// Largest body, kept or discarded.
inline constexpr std::uint64_t maxBodySize = 64 * 1024 * 1024;

// How long a reply that normally has no body (1xx, 204, 304) is given to start one anyway.
inline constexpr std::chrono::milliseconds unexpectedBodyWait{100};

// Reads lines and raw bytes of a reply from a byte source.
class BufferedReader {
public:
    explicit BufferedReader(ByteSource& source) : source_(source) {}

    // The next line without its line feed and a carriage return right before it, or nothing
    // when the source closes before the line feed (the unfinished line is dropped). Throws
    // "Max line length exceeded." once more than maxLineLength bytes precede the line feed,
    // whether it has arrived or not.
    std::optional<std::string> readLine();

    // The next line as readLine takes it; throws "Connection Closed Gracefully." when the
    // source closes before its line feed.
    std::string readLineBeforeClose();

    // Up to `size` bytes into `buffer`, waiting for at least one; 0 once the source has closed.
    std::size_t read(char* buffer, std::size_t size);

    // Whether bytes are at hand, after waiting at most `wait` for them.
    bool waitForBytes(std::chrono::milliseconds wait);

private:
    std::size_t buffered() const { return end_ - start_; }
    // One more read from the source into the buffer; false once the source has closed.
    bool fill();

    ByteSource& source_;
    std::string buffer_;      // room for reads: bytes [start_, end_) are buffered
    std::size_t start_ = 0;   // first byte not yet taken
    std::size_t end_ = 0;     // end of the bytes read
    std::size_t scanned_ = 0; // bytes from start_ known to hold no line feed
    bool closed_ = false;
};

} // namespace tarvenne::http
