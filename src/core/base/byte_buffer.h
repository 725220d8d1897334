#pragma once

#include <cstddef>
#include <string_view>

namespace tarvenne {

// Bytes in one block that grows without zero-filling: room is reserved, written through
// spare() and counted with commit(). A block of largeBlockSize bytes or more comes straight
// from the system, in huge pages where it offers them, and room in it that is reserved but
// never written takes no memory.
class ByteBuffer {
public:
    static constexpr std::size_t largeBlockSize = 256 * 1024;

    ByteBuffer() = default;
    explicit ByteBuffer(std::string_view bytes);
    ~ByteBuffer();
    ByteBuffer(ByteBuffer&& other) noexcept;
    ByteBuffer& operator=(ByteBuffer&& other) noexcept;
    ByteBuffer(const ByteBuffer&) = delete;
    ByteBuffer& operator=(const ByteBuffer&) = delete;

    char* data() { return data_; }
    const char* data() const { return data_; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    std::size_t capacity() const { return capacity_; }
    std::string_view view() const { return {data_, size_}; }

    // Room for at least `count` bytes in all; the bytes are kept.
    void reserve(std::size_t count);
    // Room for at least `count` bytes after the bytes, growing by doubling; a block that becomes
    // large grows at once to `expectedSize` when that is more, since unwritten room is free.
    void reserveSpare(std::size_t count, std::size_t expectedSize);

    // The reserved room after the bytes, and its size.
    char* spare() { return data_ + size_; }
    std::size_t spareSize() const { return capacity_ - size_; }
    // The first `count` bytes of the spare room have been written and belong to the bytes.
    void commit(std::size_t count) { size_ += count; }

    void append(std::string_view bytes);
    // Keeps the first `count` bytes, `count` being at most size().
    void truncate(std::size_t count) { size_ = count; }

private:
    void release();

    char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0; // at least largeBlockSize for a block from the system
};

} // namespace tarvenne
