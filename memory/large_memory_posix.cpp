#include "memory/large_memory.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <malloc.h>
#include <sys/mman.h>

namespace memory {
namespace {

constexpr std::size_t HugePageBytes = std::size_t(2) << 20;

std::uintptr_t roundUpToHugePage(std::uintptr_t value)
{
    return (value + HugePageBytes - 1) / HugePageBytes * HugePageBytes;
}

} // namespace

void returnLargeBlocksWhenFreed()
{
    // Setting the limit also fixes it: glibc no longer moves it as blocks are freed.
    mallopt(M_MMAP_THRESHOLD, static_cast<int>(LargeBlockBytes));
}

std::size_t largeLength(std::size_t bytes)
{
    return roundUpToHugePage(bytes);
}

void* mapLarge(std::size_t bytes)
{
    if (bytes == 0 || bytes > SIZE_MAX - 2 * HugePageBytes)
        return nullptr;
    const std::size_t length = largeLength(bytes);
    // Mapped one huge page longer, then trimmed to a 2 MiB boundary at both ends: only whole, aligned 2 MiB ranges
    // can be backed by huge pages.
    void* raw = mmap(nullptr, length + HugePageBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        return nullptr;
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = roundUpToHugePage(start);
    if (aligned > start)
        munmap(raw, aligned - start);
    const std::size_t tail = HugePageBytes - (aligned - start);
    if (tail > 0)
        munmap(reinterpret_cast<void*>(aligned + length), tail);
    void* block = reinterpret_cast<void*>(aligned);
    // Advice only: a kernel without transparent huge pages, or with them switched off, maps small pages.
    madvise(block, length, MADV_HUGEPAGE);
    return block;
}

void unmapLarge(void* block, std::size_t bytes)
{
    if (block)
        munmap(block, largeLength(bytes));
}

void adviseHugePages(void* block, std::size_t bytes)
{
    const auto start = reinterpret_cast<std::uintptr_t>(block);
    if (bytes < HugePageBytes || start > UINTPTR_MAX - bytes)
        return;
    const std::uintptr_t first = roundUpToHugePage(start);
    const std::uintptr_t end = (start + bytes) / HugePageBytes * HugePageBytes;
    if (end > first)
        madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
}

bool makePresent(void* part, std::size_t bytes)
{
    // False on a kernel older than 5.14.
    return madvise(part, bytes, MADV_POPULATE_WRITE) == 0;
}

void returnFreeHeapMemory()
{
    malloc_trim(0);
}

} // namespace memory
