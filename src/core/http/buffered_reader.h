#pragma once

#include "http/byte_source.h"

#include <chrono>
#include <optional>
#include <string>

namespace tarvenne::http {

// Reads lines and raw bytes of a reply from a byte source.
class BufferedReader {
public:
    explicit BufferedReader(ByteSource& source) : source_(source) {}

    // The next line without its line feed and a carriage return right before it, or nothing
    // when the source closes before the line feed (the unfinished line is dropped). Throws
    // "Max line length exceeded." once more than maxLineLength bytes precede the line feed,
    // whether it has arrived or not.
    std::optional<std::string> readLine();

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
