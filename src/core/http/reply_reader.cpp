#include "http/reply_reader.h"

#include "http/errors.h"

#include <algorithm>
#include <cstring>

namespace tarvenne::http {

std::optional<std::string> BufferedReader::readLine() {
    for (;;) {
        const std::string_view unscanned(buffer_.data() + start_ + scanned_, buffered() - scanned_);
        const auto found = unscanned.find('\n');
        if (found != std::string_view::npos) {
            const std::size_t length = scanned_ + found;
            if (length > maxLineLength)
                throw ProtocolError::lineTooLong();
            std::string line = buffer_.substr(start_, length);
            const std::size_t feed = start_ + length;
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
            start_ = end_;
            scanned_ = 0;
            return std::nullopt;
        }
    }
}

std::string BufferedReader::readLineBeforeClose() {
    auto line = readLine();
    if (!line)
        throw ProtocolError::closedGracefully();
    return std::move(*line);
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

// The buffer is written only by reads: its room is made once, and the bytes still buffered are
// moved to its front only when fewer than those already taken, so that every step is paid for
// by bytes received.
bool BufferedReader::fill() {
    if (closed_)
        return false;
    if (buffer_.size() - end_ < readSize && start_ >= buffered()) {
        std::memmove(buffer_.data(), buffer_.data() + start_, buffered());
        end_ -= start_;
        start_ = 0;
    }
    if (buffer_.size() - end_ < readSize)
        buffer_.resize(std::max(buffer_.size() * 2, end_ + readSize));
    const std::size_t received = source_.read(buffer_.data() + end_, readSize);
    end_ += received;
    closed_ = received == 0;
    return !closed_;
}

} // namespace tarvenne::http
