#include "memory/large_memory.h"

#include <cstdint>
#include <malloc.h>
#include <windows.h>

// Windows has no transparent huge pages: its large pages (MEM_LARGE_PAGES) need the "Lock pages in memory" privilege,
// which a user's program does not hold, and are never swapped out. Blocks are committed in small pages; the 2 MiB
// rounding of the length stays, so that a spare block fits the next picture of a similar size as on Linux.
namespace memory {
namespace {

constexpr std::size_t HugePageBytes = std::size_t(2) << 20;
constexpr std::size_t PageBytes = 4096;

} // namespace

void returnLargeBlocksWhenFreed()
{
    // Nothing to set: the C runtime's heap takes blocks of more than about 1 MiB straight from VirtualAlloc and gives
    // them back to the system when they are freed.
}

std::size_t largeLength(std::size_t bytes)
{
    return (bytes + HugePageBytes - 1) / HugePageBytes * HugePageBytes;
}

void* mapLarge(std::size_t bytes)
{
    if (bytes == 0 || bytes > SIZE_MAX - 2 * HugePageBytes)
        return nullptr;
    // Zero-filled on first touch, as an anonymous mapping; nullptr when the commit limit is reached.
    return VirtualAlloc(nullptr, largeLength(bytes), MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void unmapLarge(void* block, std::size_t)
{
    if (block)
        VirtualFree(block, 0, MEM_RELEASE);
}

void adviseHugePages(void*, std::size_t) {}

bool makePresent(void* part, std::size_t bytes)
{
    // A read of a page of fresh committed memory makes it present (zero-filled, writable: Windows maps no shared zero
    // page), and reading leaves what another thread has written there alone. PrefetchVirtualMemory brings in only
    // pages that have contents somewhere (a file, the page file), not fresh ones.
    // The parts asked for start on a page boundary.
    const auto* bytesOfPart = static_cast<const volatile char*>(part);
    for (std::size_t offset = 0; offset < bytes; offset += PageBytes)
        static_cast<void>(bytesOfPart[offset]);
    return true;
}

void returnFreeHeapMemory()
{
    _heapmin();
}

} // namespace memory
