#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>
#include <memory>
#include <stop_token>

#include "failure/result.h"

namespace work {
class WorkPool;
}

namespace picture {

enum class ProgressStage { Starting, Running, Ending };

struct OverviewDetail;

/// Pixels a decoded picture may have unless the caller says otherwise: 600 million, about 2.3 GiB as RGB32. Large
/// enough for the biggest scans of the collection (400 megapixels and more), small enough to refuse a header that
/// declares 65500 x 65500 before memory is spent on it.
inline constexpr qint64 DefaultMaxPixels = 600'000'000;

/// The memory a larger map's overview may take: a 65,500 x 65,500 map's is made at 1/16 within it.
inline constexpr qint64 DefaultOverviewBytes = qint64(192) << 20;

/// Two-band decoding costs about a quarter more work in all: it pays only while another core is idle.
enum class BandDecoding { Never, WhenCoreIdle, Always };

struct JpegDecodeOptions
{
    /// Most DCT reduction (1/1, 1/2, 1/4, 1/8) whose result still covers this box in both dimensions; empty: full
    /// size.
    QSize fitBox;
    /// Progress reports: Starting with 0, then Running with the percent done since the previous report (the Running
    /// reports of a decode that succeeds add up to exactly 100), then Ending with 100. Ending follows Starting on every
    /// path, failures included, so a progress bar shown at Starting is always hidden again. An exception thrown by the
    /// callback cancels the decode as the failure DecodeInterrupted, with the exception's text as its detail.
    std::function<void(ProgressStage stage, int percent)> progress;
    /// Largest picture accepted, in pixels of the decoded result; checked before any pixel buffer exists.
    qint64 maxPixels = DefaultMaxPixels;
    /// Above maxPixels, a sequential Huffman-coded file gives its overview instead of being refused: the picture at
    /// 1/8 each way (1/16, 1/32, ... where that takes more than overviewBytes), made while the data is scanned, with
    /// the same progress reports, picture callbacks, colour profile and orientation. 0: such a file is refused.
    qint64 overviewBytes = 0;
    /// Called before pictureStarted when the picture is an overview: the map's size as displayed, and the map pixels
    /// an overview pixel stands for each way (8, 16, ...).
    std::function<void(QSize map, int reduction)> overviewStarted;
    /// Called once an overview's scan has ended, before the decode returns: what the parts of the map are decoded
    /// from at full detail (jpeg_overview_decode.h).
    std::function<void(std::shared_ptr<const OverviewDetail> detail)> overviewScanned;
    /// Whether a large sequential picture is decoded in two bands on two threads (the same pixels, sooner while a
    /// second core is free); progress is still reported on the calling thread.
    BandDecoding bands = BandDecoding::WhenCoreIdle;
    /// Called once the header is accepted, before the picture's memory is taken: a caller may release a picture it
    /// no longer needs here, so that its memory serves the new one.
    std::function<void()> beforePicture;
    /// Called with the picture as soon as its memory exists, before any row is written: its pixels are undefined
    /// until partReady says otherwise. The same picture is the result of a decode that succeeds.
    std::function<void(const QImage& picture)> pictureStarted;
    /// Called on the calling thread as the picture is written: written was just written (final, or a coarse early
    /// pass of a progressive file), and ready holds this picture's pixels. Ready grows from one edge: the top, or for
    /// a picture its EXIF orientation turns the bottom (3, 4), the left (5, 8) or the right (6, 7).
    std::function<void(const QRect& written, const QRect& ready)> partReady;
    /// Rows from the top a progressive file's early scans are put out for, coarse to fine, before the final pass;
    /// 0 puts out the final pass only. A turned file puts them out for as many columns from the left (orientations 5
    /// and 8) or only its final pass where its first rows are not on top or on the left (3, 4, 6, 7).
    int previewRows = 0;
    /// Decodes only the top headRows rows of a sequential file, into a picture that high (or the whole picture when
    /// it is lower); a progressive file is refused, since its first rows need the whole file. 0: the whole picture.
    int headRows = 0;
    /// The top rows of this same data decoded before (a headRows result): copied into the picture and shown at once.
    QImage knownHead;
    /// A stop request ends the decode within a progress report, as the failure DecodeStopped.
    std::stop_token stop;
    /// Runs the lower band and makes the picture's pages present; without one the calling thread decodes
    /// every row and the pages come as the rows are written.
    work::WorkPool* pool = nullptr;
};

/// Decodes JPEG data with the libjpeg API straight into a Format_RGB32 picture, or fails (the Failure names no file:
/// the caller adds it); data that is no JPEG by looksLikeJpeg fails as NotJpeg (PictureEmpty when there is none).
/// Grayscale, CMYK and YCCK files are converted; a truncated file gives what could be decoded (the rest grey). Never
/// exits, never throws.
failure::Result<QImage> decodeJpeg(const QByteArray& data, const JpegDecodeOptions& options = {});

/// A file's data as it comes from its medium, piece after piece in order: an empty piece at its end; a failure (of
/// the read, or stop requested while it waits) ends it.
using DataPieces = std::function<failure::Result<QByteArray>(std::stop_token stop)>;

/// decodeJpeg of a file of size bytes whose data comes in pieces, held whole only where that is needed: a file made
/// into its overview (see overviewBytes) is scanned as its pieces come, a piece at a time in memory; a file refused
/// by its header is refused after its head; any other is gathered whole and decoded as decodeJpeg decodes it.
failure::Result<QImage> decodeJpegPieces(qint64 size, const DataPieces& next, const JpegDecodeOptions& options);

/// The DCT scale denominator (1, 2, 4 or 8) decodeJpeg uses for a picture of the given size and a fit box.
int dctScaleDenominator(QSize picture, QSize box);

/// The one rule for what a JPEG file is: data that starts with the start-of-image marker FF D8, as libjpeg requires.
/// What follows is libjpeg's to judge (a damaged marker after it is skipped, as every viewer does), so decodeJpeg
/// refuses as NotJpeg exactly the data this is false for.
bool looksLikeJpeg(const QByteArray& data);

} // namespace picture
