// Progressive files in buffered-image mode: the scans absorbed one by one, early passes for the rows in view.
#include <algorithm>
#include <chrono>

#include "picture/jpeg_session.h"

namespace picture::decoding {
namespace {

// Least time between two early passes of a progressive file: each costs about a tenth of a full pass, so a few of
// them keep the final picture in time.
constexpr std::chrono::milliseconds EarlyPassInterval{450};
// No early pass once this share of the file is read: the final picture is near.
constexpr int LastEarlyPassPercent = 80;

} // namespace

// A progressive file in buffered-image mode: the scans are absorbed one by one, and now and then the picture as far
// as it has arrived is put out for the rows the caller asked for, then the final pass puts out every row. libjpeg lets
// input go on while an output pass is open and lets a pass end early, so an early pass stays open until the next one
// (neither jpeg_crop_scanline nor jpeg_skip_scanlines may be used in this mode). The first one starts with the first
// scan: libjpeg reads only as much of that scan as the rows asked for need, so the first picture waits neither for
// the whole scan nor for the whole coefficient buffer it fills (300 MB of fresh memory for 100 megapixels).
bool readProgressive(Session& session, unsigned long size)
{
    jpeg_decompress_struct* cinfo = &session.cinfo;
    // Early passes put out the first rows as stored: worth it only where they are displayed on top or on the left.
    const bool firstRowsInView =
        session.orientation == 1 || session.orientation == 2 || session.orientation == 5 || session.orientation == 8;
    const JDIMENSION earlyRows =
        firstRowsInView ? std::min<JDIMENSION>(session.options->previewRows, cinfo->output_height) : 0;
    auto lastPass = std::chrono::steady_clock::time_point{};
    bool passOpen = false;
    const auto startPass = [&] {
        if (passOpen)
            jpeg_finish_output(cinfo);
        jpeg_start_output(cinfo, cinfo->input_scan_number);
        passOpen = true;
    };
    const auto earlyPass = [&] {
        startPass();
        if (!readRows(session, earlyRows, false))
            return false;
        showRows(session, 0, static_cast<int>(earlyRows));
        lastPass = std::chrono::steady_clock::now();
        return true;
    };
    if (earlyRows > 0 && !earlyPass())
        return false;
    for (;;) {
        int state = JPEG_SUSPENDED;
        do {
            state = jpeg_consume_input(cinfo);
            const unsigned long left = static_cast<unsigned long>(cinfo->src->bytes_in_buffer);
            advanceTo(session, static_cast<int>(qint64(size - std::min(left, size)) * InputPercent / size));
            // libjpeg calls no progress monitor while it absorbs input: the stop is looked at here, after each row
            // of blocks, or the decode would read on (and keep its coefficients, 3 bytes a pixel) to the end.
            if (stopped(session))
                return false;
            if (cinfo->input_scan_number > MaxScans) {
                session.failed = failure::Failure{failure::What::TooManyScans, {}, {}, {MaxScans}};
                return false;
            }
        } while (state == JPEG_ROW_COMPLETED || state == JPEG_REACHED_SOS);
        if (state != JPEG_SCAN_COMPLETED)
            break; // the end of the file, a real one or the one a truncated file is given
        const auto now = std::chrono::steady_clock::now();
        const bool nearEnd = session.reportedPercent * 100 >= LastEarlyPassPercent * InputPercent;
        if (earlyRows == 0 || now - lastPass < EarlyPassInterval || nearEnd)
            continue;
        if (!earlyPass())
            return false;
    }
    startPass();
    if (!readRows(session, cinfo->output_height, true))
        return false;
    session.allRowsRead = true;
    jpeg_finish_output(cinfo);
    jpeg_finish_decompress(cinfo);
    return true;
}

} // namespace picture::decoding
