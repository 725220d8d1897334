#include "base/byte_buffer.h"

#include <gtest/gtest.h>
#include <string>

namespace tarvenne {
namespace {

// Distinct bytes, so that a piece moved to the wrong place shows.
std::string piece(int number) {
    std::string bytes(1000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>((number * 7 + static_cast<int>(i)) % 251);
    return bytes;
}

TEST(ByteBuffer, KeepsItsBytesWhileGrowingFromSmallToLargeBlocks) {
    ByteBuffer buffer;
    std::string expected;
    for (int number = 0; expected.size() < 3 * ByteBuffer::largeBlockSize; ++number) {
        buffer.append(piece(number));
        expected += piece(number);
        ASSERT_EQ(buffer.view(), expected);
    }
    buffer.truncate(5);
    EXPECT_EQ(buffer.view(), expected.substr(0, 5));

    ByteBuffer moved = std::move(buffer);
    EXPECT_EQ(moved.view(), expected.substr(0, 5));
    EXPECT_TRUE(buffer.empty());
}

// Reads into a buffer of unknown final size: once it is large it takes its room up to the
// expected size at once, so that it never moves (nor holds two copies) while it fills.
TEST(ByteBuffer, ALargeBlockTakesItsExpectedRoomAtOnce) {
    constexpr std::size_t expectedSize = 8 * ByteBuffer::largeBlockSize;
    ByteBuffer buffer;
    std::string expected;
    const char* block = nullptr;
    for (int number = 0; expected.size() + 1000 <= expectedSize; ++number) {
        buffer.reserveSpare(1000, expectedSize);
        if (buffer.capacity() >= ByteBuffer::largeBlockSize) {
            block = block == nullptr ? buffer.data() : block;
            EXPECT_EQ(buffer.data(), block);
            EXPECT_GE(buffer.capacity(), expectedSize);
        }
        const std::string bytes = piece(number);
        bytes.copy(buffer.spare(), bytes.size());
        buffer.commit(bytes.size());
        expected += bytes;
    }
    EXPECT_EQ(buffer.view(), expected);
}

} // namespace
} // namespace tarvenne
