#pragma once

#include <QImage>

namespace platform {

/// A new Format_RGB32 picture with undefined pixels; null when memory is short. A large picture takes its memory
/// from a process-wide pool: the buffer of the last large picture released is kept and handed to the next one of a
/// similar size (the viewer deletes its window, and so its picture, on close), so a further opening costs no page
/// faults; the pages of a fresh buffer are made present by a thread of its own, ahead of the decoder.
QImage newPicture(int width, int height);

/// Bytes held by the pool for the next large picture (0 when none).
qsizetype spareBufferBytes();

} // namespace platform
