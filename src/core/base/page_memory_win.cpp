#include "base/page_memory.h"

#include <windows.h>

namespace tarvenne {

// Committed pages take memory only once they are written.
char* mapPages(std::size_t size, std::size_t& mappedSize) {
    mappedSize = size;
    return static_cast<char*>(
        ::VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
}

void unmapPages(char* block, std::size_t) {
    ::VirtualFree(block, 0, MEM_RELEASE);
}

} // namespace tarvenne
