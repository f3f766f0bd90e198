#include "picture/jpeg_overview_decode.h"

#include <algorithm>
#include <optional>

#include "picture/colour_profile.h"
#include "picture/exif_orientation.h"
#include "picture/jpeg_overview.h"
#include "picture/jpeg_scanner.h"

namespace picture::decoding {
namespace {

// The data is scanned in pieces of this size: the stop and the progress are looked at between them.
constexpr qsizetype PieceBytes = qsizetype(1) << 20;
// Resume points every so many MCUs of a row.
constexpr int McusPerPoint = 32;

class OverviewRun
{
public:
    OverviewRun(const JpegDecodeOptions& options, std::shared_ptr<const ColourConversion> colour, int orientation)
        : m_options(options), m_colour(std::move(colour)), m_orientation(orientation),
          m_overview(options.overviewBytes), m_scanner(McusPerPoint, &m_overview)
    {
        m_overview.rowsFilled = [this](int first, int end) { rowsFilled(first, end); };
    }

    failure::Result<QImage> run(const OverviewData& data, const failure::Failure& refusal)
    {
        if (m_options.beforePicture)
            call([&] { m_options.beforePicture(); });
        report(ProgressStage::Starting, 0);
        scanAll(data);
        if (!m_failed && m_orientation != 1)
            turn();
        if (!m_failed && !m_started)
            start(m_turned.isNull() ? m_overview.image() : m_turned);
        else if (!m_failed)
            showNewRows();
        std::optional<failure::Failure> failed = m_failed;
        if (failed && failed->what == failure::What::UnsupportedJpeg && !m_started)
            failed = refusal;
        if (!failed)
            report(ProgressStage::Running, 100 - m_percent);
        if (!failed && m_options.overviewScanned) {
            auto detail = std::make_shared<OverviewDetail>(OverviewDetail{m_scanner.index(), m_colour, m_orientation});
            call([&] { m_options.overviewScanned(std::move(detail)); });
        }
        failure::Result<QImage> result =
            failed ? failure::Result<QImage>(*failed)
                   : failure::Result<QImage>(m_turned.isNull() ? m_overview.image() : m_turned);
        report(ProgressStage::Ending, 100);
        return result;
    }

private:
    template <typename Call> void call(Call&& callback) noexcept
    {
        try {
            callback();
        } catch (const std::exception& e) {
            fail({failure::What::DecodeInterrupted, {}, e.what(), {}});
        } catch (...) {
            fail({failure::What::DecodeInterrupted, {}, {}, {}});
        }
    }

    void fail(failure::Failure failure)
    {
        if (!m_failed)
            m_failed = std::move(failure);
    }

    void report(ProgressStage stage, int percent)
    {
        if (m_options.progress)
            call([&] { m_options.progress(stage, percent); });
    }

    void scanAll(const OverviewData& data)
    {
        m_size = std::max<qint64>(data.size, 1);
        scanPiece(data.head);
        while (data.rest && !m_failed && !m_scanner.done()) {
            failure::Result<QByteArray> piece = (*data.rest)(m_options.stop);
            if (!piece)
                return fail(piece.error().what == failure::What::ReadStopped
                                ? failure::Failure{failure::What::DecodeStopped, {}, {}, {}}
                                : piece.error());
            if (piece->isEmpty())
                break;
            scanPiece(*piece);
        }
        if (m_failed)
            return;
        if (const failure::Result<void> finished = m_scanner.finish(); !finished)
            fail(finished.error());
    }

    void scanPiece(const QByteArray& data)
    {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.constData());
        for (qsizetype at = 0; at < data.size() && !m_failed && !m_scanner.done();) {
            if (m_options.stop.stop_requested())
                return fail({failure::What::DecodeStopped, {}, {}, {}});
            const qsizetype piece = std::min(PieceBytes, data.size() - at);
            if (const failure::Result<void> fed = m_scanner.feed(bytes + at, std::size_t(piece)); !fed)
                return fail(fed.error());
            at += piece;
            m_scanned += piece;
            // The overview is shown from its first rows on, where its height is known and it needs no turning.
            if (!m_started && m_orientation == 1 && !m_overview.image().isNull() && m_scanner.index().frame.height > 0)
                start(m_overview.image());
            else if (m_started)
                showNewRows();
            const int percent =
                int(std::min(m_scanned, m_size) * 99 / m_size); // the last percent once the scan has ended
            if (percent > m_percent) {
                report(ProgressStage::Running, percent - m_percent);
                m_percent = percent;
            }
        }
    }

    void rowsFilled(int first, int end)
    {
        if (m_colour)
            m_colour->convertRows(m_overview.line(first), m_overview.image().bytesPerLine(), m_overview.image().width(),
                                  end - first);
    }

    // The rows filled since the last report, once a piece of the data is scanned.
    void showNewRows()
    {
        const int ready = m_overview.rowsReady(), width = m_overview.image().width();
        if (ready > m_rowsShown && m_options.partReady)
            call([&] {
                m_options.partReady(QRect(0, m_rowsShown, width, ready - m_rowsShown), QRect(0, 0, width, ready));
            });
        m_rowsShown = std::max(m_rowsShown, ready);
    }

    // The picture is on show from here on: what is there of it already too.
    void start(const QImage& picture)
    {
        m_started = true;
        const scan::Frame& frame = m_scanner.index().frame;
        const QSize map = displayedSize(QSize(frame.width, frame.height), m_orientation);
        if (m_options.overviewStarted)
            call([&] { m_options.overviewStarted(map, m_overview.reduction()); });
        if (m_options.pictureStarted)
            call([&] { m_options.pictureStarted(picture); });
        m_rowsShown = m_turned.isNull() ? m_overview.rowsReady() : picture.height();
        if (m_rowsShown > 0 && m_options.partReady)
            call([&] {
                m_options.partReady(QRect(0, 0, picture.width(), m_rowsShown),
                                    QRect(0, 0, picture.width(), m_rowsShown));
            });
    }

    void turn()
    {
        const QImage& stored = m_overview.image();
        m_turned = QImage(displayedSize(stored.size(), m_orientation), QImage::Format_RGB32);
        if (m_turned.isNull())
            return fail({failure::What::NoMemoryForPicture, {}, {}, {stored.width(), stored.height()}});
        turnRows(stored.constBits(), stored.bytesPerLine(), 0, stored.height(), stored.size(), m_orientation,
                 m_turned.bits(), m_turned.bytesPerLine());
    }

    const JpegDecodeOptions& m_options;
    std::shared_ptr<const ColourConversion> m_colour;
    int m_orientation;
    JpegOverview m_overview;
    scan::JpegScanner m_scanner;
    QImage m_turned;
    std::optional<failure::Failure> m_failed;
    bool m_started = false;
    int m_rowsShown = 0;
    int m_percent = 0;
    qint64 m_scanned = 0;
    qint64 m_size = 1;
};

} // namespace

failure::Result<QImage> decodeOverview(const OverviewData& data, const JpegDecodeOptions& options,
                                       std::shared_ptr<const ColourConversion> colour, int orientation,
                                       const failure::Failure& refusal)
{
    OverviewRun run(options, std::move(colour), orientation);
    return run.run(data, refusal);
}

} // namespace picture::decoding

namespace picture {

failure::Result<QImage> decodeOverviewPart(const OverviewDetail& detail, const ReadFileBytes& read, QRect region,
                                           int scale)
{
    const scan::Frame& frame = detail.index.frame;
    const QSize stored((frame.width + scale - 1) / scale, (frame.height + scale - 1) / scale);
    const QRect shown = region & QRect(QPoint(0, 0), displayedSize(stored, detail.orientation));
    failure::Result<QImage> part =
        decodeJpegRegion(detail.index, read, storedPart(shown, stored, detail.orientation), scale);
    if (part && detail.colour)
        detail.colour->convertRows(part->bits(), part->bytesPerLine(), part->width(), part->height());
    if (!part || detail.orientation == 1)
        return part;
    QImage turned(displayedSize(part->size(), detail.orientation), QImage::Format_RGB32);
    if (turned.isNull())
        return failure::Failure{failure::What::NoMemoryForPicture, {}, {}, {turned.width(), turned.height()}};
    turnRows(part->constBits(), part->bytesPerLine(), 0, part->height(), part->size(), detail.orientation,
             turned.bits(), turned.bytesPerLine());
    return turned;
}

} // namespace picture
