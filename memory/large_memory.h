#pragma once

#include <cstddef>

namespace memory {

/// Blocks of at least this size are mapped on their own, 2 MiB aligned, and offered huge pages.
inline constexpr std::size_t LargeBlockBytes = std::size_t(4) << 20;

/// A fresh anonymous mapping of at least bytes, aligned to 2 MiB and advised to use transparent huge pages; nullptr
/// when the address space is short. On this kind of machine a first write to a 4 KiB page costs a fault of several
/// microseconds: 0.8 s for the 300 MB of a 100-megapixel map's coefficients (measured), against tens of
/// milliseconds with 2 MiB pages. The kernel falls back to small pages where it has no huge page at hand.
void* mapLarge(std::size_t bytes);

/// Gives back a block of mapLarge, with the same size asked for.
void unmapLarge(void* block, std::size_t bytes);

/// The length mapLarge maps for bytes: whole 2 MiB pages.
std::size_t largeLength(std::size_t bytes);

/// Offers huge pages for the whole 2 MiB pages inside a block taken from elsewhere (a large file read into a
/// QByteArray): its first writes then fault in 2 MiB at a time.
void adviseHugePages(void* block, std::size_t bytes);

/// Makes the C library map every block of LargeBlockBytes or more on its own and give it back to the system when it
/// is freed. By default glibc raises that limit to the largest block freed so far (up to 32 MiB), after which the
/// bytes of map files read ahead stay in the heap, resident, after the viewer that read them has closed (42 MiB more
/// after twenty openings of 21 MB maps, measured with bench/run). Called once at start, before any thread.
void returnLargeBlocksWhenFreed();

/// Makes the pages of part of a block of mapLarge present for writing without changing its contents (another thread
/// may be writing into the block meanwhile). False when the system cannot: the first writes then fault the pages in.
bool makePresent(void* part, std::size_t bytes);

/// Gives the free memory at the top of the C library's heap back to the system.
void returnFreeHeapMemory();

} // namespace memory
