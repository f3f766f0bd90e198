#pragma once

#include <QImage>

namespace work {
class WorkPool;
}

namespace picture {

/// A new Format_RGB32 picture with undefined pixels; null when memory is short. A large picture takes its memory
/// from a process-wide pool: the buffer of the last large picture released is kept for a while (spareBufferLifetimeMs)
/// and handed to the next one of a similar size (the viewer deletes its window, and so its picture, on close, and a
/// step releases the map on show before the next is decoded), so a further opening costs no page faults; after that
/// while it goes back to the system. The pages of a fresh buffer are made present ahead of the decoder by a job of
/// pool (by the decoder's own writes without one), which stops when the picture is released.
QImage newPicture(int width, int height, work::WorkPool* pool = nullptr);

/// A large picture's memory on its way back to the pool: a job that still reads a picture its owner has let go of
/// holds one of these from then until it lets go of the picture too (within a moment: a job looks at its stop request
/// often). While one lives, newPicture waits for that memory (on the thread that asks for the new picture, at most
/// ReturnWaitMs) rather than take fresh memory beside it, so the owner never waits for the job.
class ReturningPicture
{
public:
    static constexpr int ReturnWaitMs = 200;
    ReturningPicture();
    ~ReturningPicture();
    ReturningPicture(const ReturningPicture&) = delete;
    ReturningPicture& operator=(const ReturningPicture&) = delete;
};

/// How long a spare buffer is kept before it is given back to the system; 10 s unless a test says otherwise. Giving it
/// back runs on the application's thread, from its event loop; without an application the spare is kept.
void setSpareBufferLifetimeMs(int milliseconds);
int spareBufferLifetimeMs();

} // namespace picture
