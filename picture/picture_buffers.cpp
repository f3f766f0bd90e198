#include "picture/picture_buffers.h"

#include "memory/large_memory.h"
#include "work/work_pool.h"

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <stop_token>

namespace picture {
namespace {

// Smaller pictures come and go with the ordinary allocator; the pool is for maps.
constexpr qsizetype PooledBytes = qsizetype(16) << 20;

// A fresh picture's pages are made present ahead of the decoder (memory::makePresent, which leaves their contents
// alone), from the top down, on a core the decode leaves free. The mapping is offered huge pages (mapLarge), which cut
// the faults of a 400 MB picture from about a second to tens of milliseconds here. The mapping is shared by the
// picture (or the pool's spare) and the job that populates it, and unmapped when both have let it go: neither waits
// for the other.
struct Mapping
{
    void* base = nullptr;
    size_t length = 0;
    std::stop_source populateStop;

    ~Mapping() { memory::unmapLarge(base, length); }
};

void populateAhead(const std::shared_ptr<Mapping>& mapping, std::stop_token stop)
{
    // 4 MiB take about a millisecond: the job stops within that once the picture is released.
    constexpr size_t Chunk = size_t(4) << 20;
    auto* bytes = static_cast<char*>(mapping->base);
    for (size_t offset = 0; offset < mapping->length && !stop.stop_requested(); offset += Chunk) {
        if (!memory::makePresent(bytes + offset, std::min(Chunk, mapping->length - offset)))
            return; // a system that cannot: the decoder's own writes fault the pages in
    }
}

std::shared_ptr<Mapping> mapFresh(size_t bytes, work::WorkPool* pool)
{
    void* base = memory::mapLarge(bytes);
    if (!base)
        return nullptr;
    auto mapping = std::make_shared<Mapping>();
    mapping->base = base;
    mapping->length = memory::largeLength(bytes);
    // Without a pool the decoder's own writes fault the pages in.
    if (pool)
        pool->run(
            work::WorkPool::Lane::Compute, mapping->populateStop.get_token(),
            [mapping](std::stop_token stop) { populateAhead(mapping, stop); }, work::WorkPool::Urgency::Urgent);
    return mapping;
}

std::mutex poolMutex;
std::shared_ptr<Mapping> spare;
// Pictures on their way back (ReturningPicture), and their arrival.
int returning = 0;
std::condition_variable returned;
// Counts releases, so that a timer set for an earlier release leaves a later spare alone.
quint64 spareGeneration = 0;
std::atomic<int> lifetimeMs{10000};

// On the application's thread: gives the spare back once it has waited its lifetime unused, with the heap's free
// pages (the file's bytes and the decoder's smaller blocks come from malloc).
void trimLater(quint64 generation)
{
    QTimer::singleShot(lifetimeMs.load(), QCoreApplication::instance(), [generation] {
        std::shared_ptr<Mapping> unused;
        {
            std::lock_guard lock(poolMutex);
            if (generation != spareGeneration || !spare)
                return;
            unused = std::move(spare);
        }
        unused.reset();
        memory::returnFreeHeapMemory();
    });
}

// Called by QImage when the last copy of a pooled picture goes, on whatever thread that happens.
void releaseBuffer(void* info)
{
    std::unique_ptr<std::shared_ptr<Mapping>> mapping(static_cast<std::shared_ptr<Mapping>*>(info));
    (*mapping)->populateStop.request_stop();
    std::shared_ptr<Mapping> previous;
    quint64 generation = 0;
    {
        std::lock_guard lock(poolMutex);
        previous = std::move(spare);
        spare = std::move(*mapping);
        generation = ++spareGeneration;
    }
    previous.reset(); // unmapped outside the lock
    if (QCoreApplication* app = QCoreApplication::instance())
        work::postTo(app, [generation] { trimLater(generation); });
}

std::shared_ptr<Mapping> takeBuffer(size_t bytes, work::WorkPool* pool)
{
    std::shared_ptr<Mapping> previous;
    {
        std::unique_lock lock(poolMutex);
        returned.wait_for(lock, std::chrono::milliseconds(ReturningPicture::ReturnWaitMs),
                          [] { return returning == 0; });
        // A spare much larger than needed would hold memory the picture does not use.
        if (spare && spare->length >= bytes && spare->length <= bytes + bytes / 2) {
            ++spareGeneration;
            return std::move(spare);
        }
        previous = std::move(spare);
    }
    // Given back before the new buffer is mapped, so the two never add up (unless its populate job still holds it
    // for the moment it takes to stop).
    previous.reset();
    return mapFresh(bytes, pool);
}

} // namespace

QImage newPicture(int width, int height, work::WorkPool* pool)
{
    if (width <= 0 || height <= 0)
        return {};
    const qsizetype bytesPerLine = qsizetype(width) * 4;
    const qsizetype bytes = bytesPerLine * height;
    if (bytes < PooledBytes)
        return QImage(width, height, QImage::Format_RGB32);
    std::shared_ptr<Mapping> mapping = takeBuffer(static_cast<size_t>(bytes), pool);
    if (!mapping)
        return {};
    auto* base = static_cast<uchar*>(mapping->base);
    auto info = std::make_unique<std::shared_ptr<Mapping>>(std::move(mapping));
    QImage picture(base, width, height, bytesPerLine, QImage::Format_RGB32, releaseBuffer, info.get());
    if (!picture.isNull())
        info.release();
    return picture;
}

ReturningPicture::ReturningPicture()
{
    std::lock_guard lock(poolMutex);
    ++returning;
}

ReturningPicture::~ReturningPicture()
{
    std::lock_guard lock(poolMutex);
    --returning;
    returned.notify_all();
}

void setSpareBufferLifetimeMs(int milliseconds)
{
    lifetimeMs.store(milliseconds);
}

int spareBufferLifetimeMs()
{
    return lifetimeMs.load();
}

} // namespace picture
