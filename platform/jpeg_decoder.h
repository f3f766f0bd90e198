#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <functional>

namespace platform {

enum class ProgressStage { Starting, Running, Ending };

struct JpegDecodeOptions
{
    /// Smallest DCT scale (1/1, 1/2, 1/4, 1/8) whose result is not smaller than this box; empty: full size.
    QSize fitBox;
    /// Progress reports: Starting with 0, Running with the percent done since the last report, Ending with 100.
    std::function<void(ProgressStage stage, int percent)> progress;
    /// Largest picture accepted, in pixels of the decoded result; checked before any pixel buffer exists.
    qint64 maxPixels = qint64(1) << 30;
};

struct JpegDecodeResult
{
    QImage image;  ///< Format_RGB32; null on failure
    QString error; ///< empty on success; a clear text otherwise
    bool ok() const { return error.isEmpty(); }
};

/// Decodes JPEG data with the libjpeg API straight into a Format_RGB32 picture. Grayscale, CMYK and YCCK files are
/// converted; a truncated file gives what could be decoded. Never exits, never throws.
JpegDecodeResult decodeJpeg(const QByteArray& data, const JpegDecodeOptions& options = {});

/// True when data starts with the JPEG start-of-image marker.
bool looksLikeJpeg(const QByteArray& data);

} // namespace platform
