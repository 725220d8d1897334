#include "base/page_memory.h"

#include <cstdint>
#include <sys/mman.h>

namespace tarvenne {
namespace {

// The size of a huge page on the processors the launcher runs on; a block is aligned to it so
// that every one of its pages can be huge. Each page of memory that a process writes for the
// first time costs a fault, which is far dearer than writing the page; huge pages make 512
// times fewer faults.
constexpr std::size_t hugePageSize = 2 * 1024 * 1024;

std::size_t roundedUp(std::size_t size, std::size_t unit) {
    return (size + unit - 1) / unit * unit;
}

} // namespace

char* mapPages(std::size_t size, std::size_t& mappedSize) {
    mappedSize = roundedUp(size, hugePageSize);
    const std::size_t spanSize = mappedSize + hugePageSize;
    void* const span =
        ::mmap(nullptr, spanSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (span == MAP_FAILED)
        return nullptr;
    const auto start = reinterpret_cast<std::uintptr_t>(span);
    const std::uintptr_t aligned = roundedUp(start, hugePageSize);
    if (aligned > start)
        ::munmap(span, aligned - start);
    if (const std::size_t tail = start + spanSize - (aligned + mappedSize); tail > 0)
        ::munmap(reinterpret_cast<void*>(aligned + mappedSize), tail);
    char* const block = reinterpret_cast<char*>(aligned);
#ifdef MADV_HUGEPAGE
    // Only advice: without huge pages the block is the same, in ordinary pages.
    ::madvise(block, mappedSize, MADV_HUGEPAGE);
#endif
    return block;
}

void unmapPages(char* block, std::size_t mappedSize) {
    ::munmap(block, mappedSize);
}

} // namespace tarvenne
