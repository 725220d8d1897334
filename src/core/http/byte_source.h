#pragma once

#include <chrono>
#include <cstddef>

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

} // namespace tarvenne::http
