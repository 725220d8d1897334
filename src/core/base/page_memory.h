#pragma once

#include <cstddef>

namespace tarvenne {

// Large blocks of memory straight from the system. A block's pages take memory only once they
// are written; where the system offers huge pages, the block is placed and marked for them.

// At least `size` bytes, or nullptr when the system has none; `mappedSize` is set to the size
// of the block, which the block is released with.
char* mapPages(std::size_t size, std::size_t& mappedSize);
void unmapPages(char* block, std::size_t mappedSize);

} // namespace tarvenne
