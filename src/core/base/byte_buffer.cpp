#include "base/byte_buffer.h"

#include "base/page_memory.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace tarvenne {

ByteBuffer::ByteBuffer(std::string_view bytes) {
    append(bytes);
}

ByteBuffer::~ByteBuffer() {
    release();
}

ByteBuffer::ByteBuffer(ByteBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)),
      capacity_(std::exchange(other.capacity_, 0)) {}

ByteBuffer& ByteBuffer::operator=(ByteBuffer&& other) noexcept {
    if (this != &other) {
        release();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
    }
    return *this;
}

void ByteBuffer::reserve(std::size_t count) {
    if (count <= capacity_)
        return;
    if (count < largeBlockSize) {
        // A small block grows where it is when it can.
        auto* const grown = static_cast<char*>(std::realloc(data_, count));
        if (grown == nullptr)
            throw std::bad_alloc();
        data_ = grown;
        capacity_ = count;
        return;
    }
    std::size_t mappedSize = 0;
    char* const block = mapPages(count, mappedSize);
    if (block == nullptr)
        throw std::bad_alloc();
    if (size_ > 0)
        std::memcpy(block, data_, size_);
    release();
    data_ = block;
    capacity_ = mappedSize;
}

void ByteBuffer::reserveSpare(std::size_t count, std::size_t expectedSize) {
    if (spareSize() >= count)
        return;
    const std::size_t needed = size_ + count;
    const std::size_t doubled = std::max(needed, 2 * capacity_);
    reserve(doubled < largeBlockSize ? doubled : std::max(doubled, expectedSize));
}

void ByteBuffer::append(std::string_view bytes) {
    reserveSpare(bytes.size(), 0);
    if (!bytes.empty())
        std::memcpy(spare(), bytes.data(), bytes.size());
    commit(bytes.size());
}

void ByteBuffer::release() {
    if (capacity_ >= largeBlockSize)
        unmapPages(data_, capacity_);
    else
        std::free(data_);
}

} // namespace tarvenne
