#include "http/socket_source.h"

#include "net/socket_error.h"

#include <algorithm>

namespace tarvenne::http {

std::size_t SocketSource::read(char* buffer, std::size_t size) {
    const auto wait = bounded(idle_);
    if (wait <= std::chrono::milliseconds::zero())
        throw net::TimeoutError::read();
    return socket_.receive(buffer, size, wait);
}

bool SocketSource::poll(std::chrono::milliseconds wait) {
    return socket_.waitReadable(std::max(bounded(wait), std::chrono::milliseconds::zero()));
}

std::chrono::milliseconds SocketSource::bounded(std::chrono::milliseconds wait) const {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline_ - Clock::now());
    return std::min(wait, left);
}

} // namespace tarvenne::http
