#pragma once

// A region of a sequential JPEG file decoded at a DCT scale from the resume points of its index. The region's MCUs,
// with one MCU of margin where the picture goes on, are entropy-decoded from their nearest points and coded anew as
// a small JPEG file, which libjpeg decodes as it would the whole file: the same inverse DCT, upsampling (the margin
// gives the smoothing of subsampled colour its neighbours) and colour conversion, so the pixels equal those of a
// whole decode at the same scale.
#include <QByteArray>
#include <QImage>
#include <QRect>
#include <functional>

#include "failure/result.h"
#include "picture/jpeg_scanner.h"

namespace picture {

/// Reads up to length bytes of the file from offset (fewer at its end).
using ReadFileBytes = std::function<failure::Result<QByteArray>(quint64 offset, qint64 length)>;

/// The reader of a file held whole in memory (bytes is shared, not copied).
ReadFileBytes readerOfBytes(QByteArray bytes);

/// The pixels in region (of the picture at 1/scale: scale 1, 2, 4 or 8, clipped to it) as Format_RGB32. The
/// embedded colour profile and the EXIF orientation are the caller's to apply.
failure::Result<QImage> decodeJpegRegion(const scan::ScanIndex& index, const ReadFileBytes& read, QRect region,
                                         int scale);

} // namespace picture
