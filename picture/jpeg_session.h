#pragma once

// What the files of the JPEG decoder share: one decode's state and the steps that more than one of them takes.
#include <QImage>
#include <QString>
#include <algorithm>
#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE
#include <exception>
#include <memory>
#include <optional>

#include <jpeglib.h>

#include "picture/colour_profile.h"
#include "picture/jpeg_decoder.h"
#include "picture/jpeg_lower_band.h"
#include "picture/jpeg_rows.h"

namespace picture::decoding {

// Most scans a file may have; libjpeg-turbo's own decompressor uses the same limit.
constexpr int MaxScans = 500;
// A progressive file's input takes this share of the progress bar; its final output pass the rest.
constexpr int InputPercent = 60;

// Everything one decode needs lives here, outside the frame that calls setjmp, so a longjmp out of libjpeg skips no
// destructor. libjpeg's callbacks find it through client_data.
struct Session
{
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr errorManager{};
    jpeg_progress_mgr progressManager{};
    std::jmp_buf jump{};

    const JpegDecodeOptions* options = nullptr;
    QImage image;
    // The picture's rows are written through these, never through the QImage: the caller may hold copies of it
    // while it fills, and writing through a shared QImage would copy it.
    uchar* firstLine = nullptr;
    qsizetype bytesPerLine = 0;
    // A turned picture's rows are decoded into this band of RowsPerBatch stored rows, then turned into their place.
    std::unique_ptr<uchar[]> band;
    int rowsShown = 0;                      // stored rows 0 to rowsShown - 1 are in the picture
    bool ownProgress = false;               // buffered-image mode: progress is counted here, not from libjpeg's passes
    std::optional<failure::Failure> failed; // set by our own checks and by a failing progress callback
    char libjpegMessage[JMSG_LENGTH_MAX]{};
    int libjpegCode = 0;
    bool cmyk = false;
    bool adobeInverted = false;
    bool started = false;     // Starting was reported
    bool allRowsRead = false; // the picture is complete; only the trailer was left to read
    int reportedPercent = 0;
    // The embedded profile's colours into sRGB; null: none or sRGB. The lower band converts with it too.
    std::unique_ptr<ColourConversion> colour;
    std::unique_ptr<uchar[]> lowerBandRows;   // the lower band's own band of a turned picture; outlives lowerBand
    std::unique_ptr<JpegLowerBand> lowerBand; // the rows below the calling thread's band, decoded meanwhile
    int lowerBandFirstRow = 0;
    // The EXIF orientation: other than 1, the picture is allocated as displayed and each band of stored rows is
    // turned into it as it is decoded; the caller sees only the picture as displayed.
    int orientation = 1;
    // Too large to decode whole, the file is to be decoded as its overview.
    bool overview = false;
    // The data is the head of a file whose rest is still to come: a picture decoded whole needs it all first.
    bool headOnly = false;
    bool needsWhole = false;
};

inline Session* sessionOf(j_common_ptr cinfo)
{
    return static_cast<Session*>(cinfo->client_data);
}

// Runs a caller's callback; an exception from it is kept as the decode's error, never let through libjpeg's C
// frames.
template <typename Call> void callBack(Session& session, Call&& call) noexcept
{
    try {
        call();
    } catch (const std::exception& e) {
        if (!session.failed)
            session.failed = failure::Failure{failure::What::DecodeInterrupted, {}, e.what(), {}};
    } catch (...) {
        if (!session.failed)
            session.failed = failure::Failure{failure::What::DecodeInterrupted, {}, {}, {}};
    }
}

// Rows the picture has: all of the output, or the head asked for.
inline int pictureRows(const Session& session)
{
    const int height = static_cast<int>(session.cinfo.output_height);
    return session.options->headRows > 0 ? std::min(height, session.options->headRows) : height;
}

inline JSAMPROW lineOf(const Session& session, JDIMENSION row)
{
    return session.firstLine + static_cast<qsizetype>(row) * session.bytesPerLine;
}

// The picture as the file stores it: what libjpeg puts out, before any turn.
inline QSize storedSize(const Session& session)
{
    return QSize(static_cast<int>(session.cinfo.output_width), pictureRows(session));
}

// Where the decoding thread's rows go: the picture's lines, the session's band for a turned picture.
inline RowDestination rowDestination(const Session& session)
{
    RowDestination destination;
    destination.firstLine = session.firstLine;
    destination.bytesPerLine = session.bytesPerLine;
    destination.orientation = session.orientation;
    destination.stored = storedSize(session);
    destination.band = session.band.get();
    destination.cmyk = session.cmyk;
    destination.adobeInverted = session.adobeInverted;
    destination.colour = session.colour.get();
    return destination;
}

void report(Session& session, ProgressStage stage, int percent) noexcept;
/// Hands stored rows first to end - 1 to the caller (stored rows 0 to end - 1 hold the picture's pixels), as the part
/// of the displayed picture they fill.
void showRows(Session& session, int first, int end) noexcept;
void advanceTo(Session& session, int percent) noexcept;
/// True once the caller has asked the decode to stop or a callback failed; the decode then ends before its next piece.
bool stopped(Session& session) noexcept;
/// Reads rows until output_scanline reaches end; false when libjpeg stalls or the caller cancels.
bool readRows(Session& session, JDIMENSION end, bool finalRows);

// The header's facts, read before any pixel (jpeg_header.cpp).
void readOrientation(Session& session);
void chooseOutput(Session& session);
void readColourProfile(Session& session);
/// Refuses a picture whose decoded size exceeds the budget or what QImage can hold.
bool sizeAccepted(Session& session);
/// The picture's memory, the rows known before shown; false with the reason in the session.
bool allocateImage(Session& session);

/// A progressive file in buffered-image mode, early passes and all (jpeg_progressive.cpp).
bool readProgressive(Session& session, unsigned long size);

} // namespace picture::decoding
