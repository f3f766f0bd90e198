#include "platform/picture_buffers.h"

#include "platform/large_memory.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <mutex>
#include <sys/mman.h>
#include <thread>

namespace platform {
namespace {

// Smaller pictures come and go with the ordinary allocator; the pool is for maps.
constexpr qsizetype PooledBytes = qsizetype(16) << 20;

// A fresh picture's pages are made present by a thread of its own (MADV_POPULATE_WRITE, which leaves their contents
// alone) from the top down, ahead of the decoder, on the core the decode leaves free. The mapping is offered huge
// pages (mapLarge), which cut the faults of a 400 MB picture from about a second to tens of milliseconds here.
struct Mapping
{
    void* base = nullptr;
    size_t length = 0;
    std::thread populate;
};

void populateAhead(void* base, size_t length)
{
    constexpr size_t Chunk = size_t(4) << 20;
    auto* bytes = static_cast<char*>(base);
    for (size_t offset = 0; offset < length; offset += Chunk) {
        if (madvise(bytes + offset, std::min(Chunk, length - offset), MADV_POPULATE_WRITE) != 0)
            return; // an older kernel: the decoder's own writes fault the pages in
    }
}

std::unique_ptr<Mapping> mapFresh(size_t bytes)
{
    const size_t length = largeLength(bytes);
    void* base = mapLarge(bytes);
    if (!base)
        return nullptr;
    auto mapping = std::make_unique<Mapping>();
    mapping->base = base;
    mapping->length = length;
    try {
        mapping->populate = std::thread(populateAhead, base, length);
    } catch (const std::exception&) {
        // No thread to be had: the decoder's own writes fault the pages in.
    }
    return mapping;
}

std::mutex poolMutex;
std::unique_ptr<Mapping> spare;

void unmap(std::unique_ptr<Mapping>& mapping)
{
    if (!mapping)
        return;
    if (mapping->populate.joinable())
        mapping->populate.join();
    unmapLarge(mapping->base, mapping->length);
    mapping.reset();
}

// Called by QImage when the last copy of a pooled picture goes, on whatever thread that happens.
void releaseBuffer(void* info)
{
    std::unique_ptr<Mapping> mapping(static_cast<Mapping*>(info));
    if (mapping->populate.joinable())
        mapping->populate.join();
    std::lock_guard lock(poolMutex);
    unmap(spare);
    spare = std::move(mapping);
}

std::unique_ptr<Mapping> takeBuffer(size_t bytes)
{
    std::lock_guard lock(poolMutex);
    // A spare much larger than needed would hold memory the picture does not use.
    if (spare && spare->length >= bytes && spare->length <= bytes + bytes / 2)
        return std::move(spare);
    // Given back before the new buffer is mapped, so the two never add up.
    unmap(spare);
    return mapFresh(bytes);
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
    std::unique_ptr<Mapping> mapping = takeBuffer(static_cast<size_t>(bytes));
    if (!mapping)
        return {};
    auto* base = static_cast<uchar*>(mapping->base);
    return QImage(base, width, height, bytesPerLine, QImage::Format_RGB32, releaseBuffer, mapping.release());
}

qsizetype spareBufferBytes()
{
    std::lock_guard lock(poolMutex);
    return spare ? static_cast<qsizetype>(spare->length) : 0;
}

} // namespace platform
