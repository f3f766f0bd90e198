#include "platform/picture_buffers.h"

#include <mutex>
#include <sys/mman.h>

namespace platform {
namespace {

// Smaller pictures come and go with the ordinary allocator; the pool is for maps.
constexpr qsizetype PooledBytes = qsizetype(16) << 20;
constexpr size_t PageBytes = 4096;

struct Mapping
{
    void* base = nullptr;
    size_t length = 0;
};

std::mutex poolMutex;
Mapping spare;

void unmap(Mapping& mapping)
{
    if (mapping.base)
        munmap(mapping.base, mapping.length);
    mapping = {};
}

// Anonymous memory with every page already present: the kernel fills the page tables in one call, which costs less
// than a fault for each 4 KiB page as the decoder first writes it. Huge pages would cost fewer faults still, but on
// this kind of virtual machine their first use waits for the host (about 1 s for 400 MB, measured), so they are not
// asked for.
Mapping mapPopulated(size_t bytes)
{
    const size_t length = (bytes + PageBytes - 1) / PageBytes * PageBytes;
    void* base = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (base == MAP_FAILED)
        return {};
    return {base, length};
}

// Called by QImage when the last copy of a pooled picture goes, on whatever thread that happens.
void releaseBuffer(void* info)
{
    auto* mapping = static_cast<Mapping*>(info);
    std::lock_guard lock(poolMutex);
    unmap(spare);
    spare = *mapping;
    delete mapping;
}

Mapping takeBuffer(size_t bytes)
{
    std::lock_guard lock(poolMutex);
    // A spare much larger than needed would hold memory the picture does not use.
    if (spare.base && spare.length >= bytes && spare.length <= bytes + bytes / 2) {
        const Mapping taken = spare;
        spare = {};
        return taken;
    }
    // Given back before the new buffer is mapped, so the two never add up.
    unmap(spare);
    return mapPopulated(bytes);
}

} // namespace

QImage newPicture(int width, int height)
{
    if (width <= 0 || height <= 0)
        return {};
    const qsizetype bytesPerLine = qsizetype(width) * 4;
    const qsizetype bytes = bytesPerLine * height;
    if (bytes < PooledBytes)
        return QImage(width, height, QImage::Format_RGB32);
    const Mapping mapping = takeBuffer(static_cast<size_t>(bytes));
    if (!mapping.base)
        return {};
    return QImage(static_cast<uchar*>(mapping.base), width, height, bytesPerLine, QImage::Format_RGB32, releaseBuffer,
                  new Mapping(mapping));
}

qsizetype spareBufferBytes()
{
    std::lock_guard lock(poolMutex);
    return static_cast<qsizetype>(spare.length);
}

} // namespace platform
