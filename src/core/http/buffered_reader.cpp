#include "http/buffered_reader.h"

#include "http/limits.h"
#include "http/protocol_error.h"

#include <algorithm>
#include <cstring>

namespace tarvenne::http {
namespace {

constexpr std::size_t readSize = 64 * 1024;

} // namespace

std::optional<std::string> BufferedReader::readLine() {
    for (;;) {
        const auto feed = buffer_.find('\n', start_ + scanned_);
        if (feed != std::string::npos) {
            const std::size_t length = feed - start_;
            if (length > maxLineLength)
                throw ProtocolError::lineTooLong();
            std::string line = buffer_.substr(start_, length);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            start_ = feed + 1;
            scanned_ = 0;
            return line;
        }
        scanned_ = buffered();
        if (scanned_ > maxLineLength)
            throw ProtocolError::lineTooLong();
        if (!fill()) {
            start_ = buffer_.size();
            scanned_ = 0;
            return std::nullopt;
        }
    }
}

std::size_t BufferedReader::read(char* buffer, std::size_t size) {
    if (buffered() > 0) {
        const std::size_t taken = std::min(size, buffered());
        std::memcpy(buffer, buffer_.data() + start_, taken);
        start_ += taken;
        scanned_ = 0;
        return taken;
    }
    if (closed_ || size == 0)
        return 0;
    const std::size_t received = source_.read(buffer, size);
    closed_ = received == 0;
    return received;
}

bool BufferedReader::waitForBytes(std::chrono::milliseconds wait) {
    if (buffered() > 0)
        return true;
    if (closed_ || !source_.poll(wait))
        return false;
    fill();
    return buffered() > 0;
}

bool BufferedReader::fill() {
    if (closed_)
        return false;
    if (start_ == buffer_.size() || start_ > buffer_.size() / 2) {
        buffer_.erase(0, start_);
        start_ = 0;
    }
    const std::size_t old = buffer_.size();
    buffer_.resize(old + readSize);
    const std::size_t received = source_.read(buffer_.data() + old, readSize);
    buffer_.resize(old + received);
    closed_ = received == 0;
    return !closed_;
}

} // namespace tarvenne::http
