#include "picture/jpeg_decoder.h"

#include <QFile>
#include <algorithm>
#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE
#include <cstdlib>
#include <exception>
#include <limits>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <thread>

#include <jerror.h>

#include "picture/exif_orientation.h"
#include "picture/jpeg_lower_band.h"
#include "picture/jpeg_overview_decode.h"
#include "picture/jpeg_session.h"

namespace picture {
namespace decoding {

// A sequential picture of at least this many pixels is decoded in two bands on two threads. Below it a second thread
// gains less than it costs.
constexpr qint64 BandedPixels = 4'000'000;
// The share of the rows the calling thread decodes. The lower band's thread first entropy-decodes the rows above its
// band without producing them, which costs about 40 % of decoding them; 60 % evens the two threads' work.
constexpr int UpperBandPercent = 60;

[[noreturn]] void failDecode(j_common_ptr cinfo)
{
    Session* session = sessionOf(cinfo);
    (*cinfo->err->format_message)(cinfo, session->libjpegMessage);
    session->libjpegCode = cinfo->err->msg_code;
    std::longjmp(session->jump, 1);
}

// Warnings (corrupt or missing data) must not fail a decode: a truncated file still gives a picture. Nothing is
// printed; libjpeg's default would write to stderr.
void countWarning(j_common_ptr cinfo, int level)
{
    if (level < 0)
        ++cinfo->err->num_warnings;
}

void printNothing(j_common_ptr) {}

// Calls the caller's progress function through callBack.
void report(Session& session, ProgressStage stage, int percent) noexcept
{
    if (session.options->progress)
        callBack(session, [&] { session.options->progress(stage, percent); });
}

void showRows(Session& session, int first, int end) noexcept
{
    if (end <= first || !session.options->partReady)
        return;
    session.rowsShown = std::max(session.rowsShown, end);
    const QSize stored = storedSize(session);
    const QRect written = displayedPart(QRect(0, first, stored.width(), end - first), stored, session.orientation);
    const QRect ready = displayedPart(QRect(0, 0, stored.width(), session.rowsShown), stored, session.orientation);
    callBack(session, [&] { session.options->partReady(written, ready); });
}

void advanceTo(Session& session, int percent) noexcept
{
    if (percent <= session.reportedPercent)
        return;
    const int delta = percent - session.reportedPercent;
    session.reportedPercent = percent;
    report(session, ProgressStage::Running, delta);
}

// True once the caller has asked the decode to stop (or a callback failed): the decode then ends before its next
// piece of work, and takes no more memory.
bool stopped(Session& session) noexcept
{
    if (session.options->stop.stop_requested() && !session.failed)
        session.failed = failure::Failure{failure::What::DecodeStopped, {}, {}, {}};
    return session.failed.has_value();
}

// With two bands the rows written by both threads tell how far the decode is.
void advanceBanded(Session& session) noexcept
{
    const qint64 height = session.cinfo.output_height;
    const qint64 rows = static_cast<qint64>(session.cinfo.output_scanline) + session.lowerBand->rowsDone();
    advanceTo(session, static_cast<int>(std::clamp<qint64>(rows * 100 / height, 0, 99)));
}

// libjpeg's pass counters become one percentage over all passes. A progressive file's input passes run inside
// jpeg_start_decompress, and libjpeg raises its estimate of their length as it goes, so the value is held monotonic;
// it stays below 100 until the decode is finished. Whole percents only: at most 100 reports a file.
void onProgress(j_common_ptr cinfo)
{
    Session* session = sessionOf(cinfo);
    stopped(*session);
    // A progressive file may repeat scans without end, and each one walks the whole picture again: a small file could
    // keep the decoder busy for hours. No encoder writes anywhere near this many.
    if (cinfo->is_decompressor && reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > MaxScans) {
        if (!session->failed)
            session->failed = failure::Failure{failure::What::TooManyScans, {}, {}, {MaxScans}};
        std::longjmp(session->jump, 1);
    }
    if (session->ownProgress) {
        if (session->failed)
            std::longjmp(session->jump, 1);
        return;
    }
    if (session->lowerBand) {
        advanceBanded(*session);
        if (session->failed)
            std::longjmp(session->jump, 1);
        return;
    }
    const jpeg_progress_mgr* progress = cinfo->progress;
    if (progress->total_passes <= 0 || progress->pass_limit <= 0)
        return;
    const long counter = std::clamp(progress->pass_counter, 0L, progress->pass_limit);
    const long percent =
        (progress->completed_passes * 100L + counter * 100L / progress->pass_limit) / progress->total_passes;
    advanceTo(*session, static_cast<int>(std::clamp(percent, 0L, 99L)));
    if (session->failed)
        std::longjmp(session->jump, 1);
}

void setStalled(Session& session)
{
    session.failed = failure::Failure{failure::What::RowsStopped, {}, {}, {}};
}

// True when fewer threads are runnable right now than there are cores, counting this one: the lower band would get
// a core of its own. On a busy machine the two bands share one core and the lower band's skipping is pure loss
// (measured here: 0.44 s against 0.32 s for a 100-megapixel map).
bool otherCoreIdle()
{
    const unsigned cores = std::thread::hardware_concurrency();
    if (cores < 2)
        return false;
    QFile loadAverage(QStringLiteral("/proc/loadavg"));
    if (!loadAverage.open(QIODevice::ReadOnly))
        return true;
    // "0.52 0.58 0.59 2/345 12345": the fourth field counts the runnable threads, this one included.
    const QList<QByteArray> fields = loadAverage.readAll().split(' ');
    if (fields.size() < 4)
        return true;
    bool ok = false;
    const int runnable = fields[3].split('/').value(0).toInt(&ok);
    return !ok || runnable < static_cast<int>(cores);
}

// Starts the lower band on a second thread for a large sequential full-size picture; false leaves the whole picture
// to the calling thread. The split falls on an iMCU row, so each band starts on whole blocks.
bool startLowerBand(Session& session, const unsigned char* data, unsigned long size)
{
    const jpeg_decompress_struct& cinfo = session.cinfo;
    const qint64 pixels = static_cast<qint64>(cinfo.output_width) * cinfo.output_height;
    const BandDecoding bands = session.options->bands;
    if (bands == BandDecoding::Never || session.options->headRows > 0 || cinfo.progressive_mode ||
        cinfo.buffered_image || cinfo.scale_denom != 1 || pixels < BandedPixels || (session.cmyk && session.colour) ||
        (bands == BandDecoding::WhenCoreIdle && !otherCoreIdle()))
        return false;
    const int blockRows = cinfo.max_v_samp_factor * DCTSIZE;
    const int split = static_cast<int>(cinfo.output_height) * UpperBandPercent / 100 / blockRows * blockRows;
    if (split < blockRows || split >= static_cast<int>(cinfo.output_height))
        return false;
    LowerBandTarget target;
    target.data = data;
    target.size = size;
    target.firstRow = split;
    target.outColorSpace = cinfo.out_color_space;
    target.rows = rowDestination(session);
    target.rows.band = nullptr;
    if (session.orientation != 1) {
        // The lower band turns its rows through a band of its own; without memory for it there is no lower band.
        const std::size_t bandBytes = std::size_t(RowsPerBatch) * 4 * cinfo.output_width;
        session.lowerBandRows.reset(new (std::nothrow) uchar[bandBytes]);
        if (!session.lowerBandRows)
            return false;
        target.rows.band = session.lowerBandRows.get();
    }
    session.lowerBand = std::make_unique<JpegLowerBand>(target, session.options->pool);
    if (!session.lowerBand->running()) {
        session.lowerBand.reset();
        return false; // no thread to be had: the calling thread decodes everything
    }
    session.lowerBandFirstRow = split;
    return true;
}

// Waits for the lower band, reporting progress meanwhile. A failure of the lower band fails the decode as a single
// decode would have failed on the same rows.
bool finishLowerBand(Session& session)
{
    while (!session.lowerBand->waitFor(10)) {
        advanceBanded(session);
        if (stopped(session))
            return false;
    }
    if (session.lowerBand->failed()) {
        qstrncpy(session.libjpegMessage, session.lowerBand->failure().toLocal8Bit().constData(), JMSG_LENGTH_MAX);
        return false;
    }
    session.allRowsRead = true;
    const int height = static_cast<int>(session.cinfo.output_height);
    showRows(session, session.lowerBandFirstRow, height);
    return true;
}

// Reads rows until output_scanline reaches end; false when libjpeg stalls or the caller cancels. Final rows (not
// those of a progressive file's early pass) are shown as they arrive and counted in the progress. Upright rows go
// straight into the picture; a turned picture's fill the band first, which is then turned into the picture.
bool readRows(Session& session, JDIMENSION end, bool finalRows)
{
    jpeg_decompress_struct* cinfo = &session.cinfo;
    const RowDestination destination = rowDestination(session);
    while (cinfo->output_scanline < end) {
        const JDIMENSION first = cinfo->output_scanline;
        if (readRowBatch(cinfo, end, destination) == 0) {
            setStalled(session);
            return false;
        }
        // Shown once converted and in place.
        if (finalRows)
            showRows(session, static_cast<int>(first), static_cast<int>(cinfo->output_scanline));
        if (finalRows && session.ownProgress)
            advanceTo(session, InputPercent + static_cast<int>(qint64(cinfo->output_scanline) * (99 - InputPercent) /
                                                               cinfo->output_height));
        if (session.failed)
            return false;
    }
    return true;
}

bool decodeSteps(Session* session, const unsigned char* data, unsigned long size);

// The only frame that calls setjmp: its locals and arguments are plain pointers and integers. Returns false with the
// reason in the session; the caller destroys the decompressor on every path. No exception crosses it: a shortage of
// memory in the steps (the picture, a band, the lower band's state) fails the decode.
bool runDecoder(Session* session, const unsigned char* data, unsigned long size)
{
    if (setjmp(session->jump))
        return false;
    try {
        return decodeSteps(session, data, size);
    } catch (const std::bad_alloc&) {
        session->failed = failure::Failure{failure::What::NoMemory, {}, {}, {}};
        return false;
    }
}

// The decode's steps, left by libjpeg's failures through longjmp: a frame with no locals that need destroying.
bool decodeSteps(Session* session, const unsigned char* data, unsigned long size)
{
    jpeg_decompress_struct* cinfo = &session->cinfo;

    // Creation fails only for want of memory, reported through error_exit like everything else.
    jpeg_create_decompress(cinfo);
    jpeg_mem_src(cinfo, data, size);
    jpeg_save_markers(cinfo, JPEG_APP0 + 1, 0xFFFF);
    jpeg_save_markers(cinfo, JPEG_APP0 + 2, 0xFFFF);
    jpeg_read_header(cinfo, TRUE);
    if (cinfo->data_precision != 8) {
        session->libjpegCode = JERR_BAD_PRECISION;
        return false;
    }
    readOrientation(*session);
    if (session->options->headRows > 0 && session->orientation != 1) {
        session->failed = failure::Failure{failure::What::NoHeadOfTurned, {}, {}, {}};
        return false;
    }
    chooseOutput(*session);
    readColourProfile(*session);
    jpeg_calc_output_dimensions(cinfo);
    const bool accepted = sizeAccepted(*session);
    if (accepted && session->headOnly) {
        session->needsWhole = true;
        return false;
    }
    if (!accepted) {
        session->overview = session->failed && session->failed->what == failure::What::PictureTooLarge &&
                            session->options->overviewBytes > 0 && session->options->headRows == 0 &&
                            !cinfo->progressive_mode && !cinfo->arith_code;
        return false;
    }
    if (session->options->beforePicture)
        callBack(*session, [&] { session->options->beforePicture(); });
    // beforePicture returns early when the decode is stopped while it waits: no picture is taken then.
    if (stopped(*session) || !allocateImage(*session))
        return false;

    session->progressManager.progress_monitor = onProgress;
    cinfo->progress = &session->progressManager;
    session->started = true;
    report(*session, ProgressStage::Starting, 0);
    if (session->failed)
        return false;

    if (session->options->headRows > 0) {
        if (cinfo->progressive_mode) {
            session->failed = failure::Failure{failure::What::NoHeadOfProgressive, {}, {}, {}};
            return false;
        }
        jpeg_start_decompress(cinfo);
        if (!readRows(*session, static_cast<JDIMENSION>(pictureRows(*session)), true))
            return false;
        session->allRowsRead = true;
        return true;
    }
    // Starting takes the coefficients' memory in buffered-image mode, and starts the lower band: not once stopped.
    if (stopped(*session))
        return false;
    if (cinfo->progressive_mode && session->options->previewRows > 0) {
        cinfo->buffered_image = TRUE;
        session->ownProgress = true;
        jpeg_start_decompress(cinfo);
        return readProgressive(*session, size);
    }
    jpeg_start_decompress(cinfo);
    JDIMENSION height = cinfo->output_height;
    if (!stopped(*session) && startLowerBand(*session, data, size))
        height = static_cast<JDIMENSION>(session->lowerBandFirstRow);
    if (!readRows(*session, height, true))
        return false;
    if (session->lowerBand)
        return finishLowerBand(*session);
    session->allRowsRead = true;
    jpeg_finish_decompress(cinfo);
    return true;
}

// libjpeg's failure as a kind the user's text is chosen by; its own English message stays the detail.
failure::Failure libjpegFailure(const Session& session)
{
    using failure::What;
    std::string message = QString::fromLocal8Bit(session.libjpegMessage).toStdString();
    switch (session.libjpegCode) {
    case JERR_BAD_PRECISION:
        return {What::JpegPrecision, {}, std::move(message), {session.cinfo.data_precision}};
    case JERR_NO_SOI:
        return {What::NotJpeg, {}, std::move(message), {}};
    case JERR_OUT_OF_MEMORY:
        return {What::NoMemory, {}, std::move(message), {}};
    case JERR_NOT_COMPILED:
    case JERR_NOTIMPL:
    case JERR_CCIR601_NOTIMPL:
    case JERR_CONVERSION_NOTIMPL:
    case JERR_BAD_J_COLORSPACE:
    case JERR_BAD_SCAN_SCRIPT:
        return {What::UnsupportedJpeg, {}, std::move(message), {}};
    default:
        return {What::DamagedJpeg, {}, std::move(message), {}};
    }
}

} // namespace decoding

using namespace decoding;

int dctScaleDenominator(QSize picture, QSize box)
{
    if (box.isEmpty() || picture.isEmpty())
        return 1;
    // libjpeg rounds scaled sizes up.
    const auto scaled = [](int length, int denom) { return (length + denom - 1) / denom; };
    for (int denom : {8, 4, 2}) {
        if (scaled(picture.width(), denom) >= box.width() && scaled(picture.height(), denom) >= box.height())
            return denom;
    }
    return 1;
}

bool looksLikeJpeg(const QByteArray& data)
{
    return data.size() >= 2 && static_cast<uchar>(data[0]) == 0xFF && static_cast<uchar>(data[1]) == 0xD8;
}

namespace {

// The length of the file's header in data, up to the end of its first scan's header, where it is all there; 0 while
// more is needed. The segments are walked as libjpeg reads them: bytes between them that are no marker are passed
// over; at an end of image before any scan, all of data (libjpeg refuses it).
qsizetype headerLength(const QByteArray& data)
{
    const auto* bytes = reinterpret_cast<const uchar*>(data.constData());
    const qsizetype size = data.size();
    for (qsizetype at = 2; at + 4 <= size;) {
        const uchar marker = bytes[at + 1];
        if (bytes[at] != 0xFF || marker == 0xFF) { // no marker yet, or a fill byte before one
            ++at;
            continue;
        }
        if (marker == 0xD9)
            return size;
        if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) { // no marker, or no length
            at += 2;
            continue;
        }
        at += 2 + ((qsizetype(bytes[at + 2]) << 8) | bytes[at + 3]);
        if (marker == 0xDA)
            return at <= size ? at : 0;
    }
    return 0;
}

// data, the whole file or (rest set) its head; the overview is scanned from data and then rest.
failure::Result<QImage> decodeData(const QByteArray& data, const DataPieces* rest, qint64 size,
                                   const JpegDecodeOptions& options)
{
    if (data.isEmpty())
        return failure::Failure{failure::What::PictureEmpty, {}, {}, {}};
    if (static_cast<quint64>(data.size()) > std::numeric_limits<unsigned long>::max())
        return failure::Failure{failure::What::PictureDataTooLarge, {}, {}, {}};
    if (!looksLikeJpeg(data))
        return failure::Failure{failure::What::NotJpeg, {}, {}, {}};

    auto session = std::make_unique<Session>();
    session->options = &options;
    session->headOnly = rest != nullptr;
    session->cinfo.err = jpeg_std_error(&session->errorManager);
    session->errorManager.error_exit = failDecode;
    session->errorManager.emit_message = countWarning;
    session->errorManager.output_message = printNothing;
    session->cinfo.client_data = session.get();

    const bool decoded = runDecoder(session.get(), reinterpret_cast<const unsigned char*>(data.constData()),
                                    static_cast<unsigned long>(data.size()));
    // The lower band's thread writes into the picture: it has ended (or is stopped) before anything else happens.
    session->lowerBand.reset();
    // Safe also when creation failed: libjpeg clears the memory manager first.
    jpeg_destroy_decompress(&session->cinfo);
    if (session->overview) {
        // The overview's own scan converts RGB colours; a CMYK file's profile takes ink, which the overview has
        // already turned into RGB.
        std::shared_ptr<const ColourConversion> colour;
        if (!session->cmyk)
            colour = std::move(session->colour);
        return decodeOverview({data, rest, size}, options, std::move(colour), session->orientation, *session->failed);
    }
    if (rest && (session->needsWhole || session->libjpegCode == JERR_NO_IMAGE)) {
        // To be decoded whole, or a header longer than the head: the rest of the file is needed.
        QByteArray whole = data;
        whole.reserve(qsizetype(std::max<qint64>(size, data.size())));
        for (;;) {
            failure::Result<QByteArray> piece = (*rest)(options.stop);
            if (!piece)
                return piece.error();
            if (piece->isEmpty())
                break;
            whole += *piece;
        }
        return decodeData(whole, nullptr, whole.size(), options);
    }

    // A fault in the trailer after the last row leaves a complete picture.
    const bool whole = !session->failed && (decoded || session->allRowsRead);
    if (whole)
        advanceTo(*session, 100);
    // Ending follows Starting on every path; a failure of its callback no longer changes the result.
    failure::Result<QImage> result =
        whole ? failure::Result<QImage>(std::move(session->image))
              : failure::Result<QImage>(session->failed ? *session->failed : libjpegFailure(*session));
    if (session->started)
        report(*session, ProgressStage::Ending, 100);
    return result;
}

} // namespace

failure::Result<QImage> decodeJpeg(const QByteArray& data, const JpegDecodeOptions& options)
{
    return decodeData(data, nullptr, data.size(), options);
}

failure::Result<QImage> decodeJpegPieces(qint64 size, const DataPieces& next, const JpegDecodeOptions& options)
{
    // The head: the pieces that hold the header.
    QByteArray head;
    while (head.size() < 2 || (looksLikeJpeg(head) && headerLength(head) == 0)) {
        failure::Result<QByteArray> piece = next(options.stop);
        if (!piece)
            return piece.error();
        if (piece->isEmpty())
            return decodeData(head, nullptr, head.size(), options); // the whole file
        head += *piece;
    }
    return decodeData(head, &next, size, options);
}

} // namespace picture
