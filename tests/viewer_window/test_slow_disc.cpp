// The viewer on a slow medium: closing and stepping never wait for reads the user no longer wants, whatever the
// opening is doing; a step reads its own map first; a failed step leaves nothing of the previous map behind.
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProgressBar>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSignalSpy>
#include <chrono>
#include <mutex>
#include <thread>

#include "controls/picture_control.h"
#include "controls/text_label.h"
#include "files/data_files.h"
#include "loading/kept_reads.h"
#include "support/jpeg_fixtures.h"
#include "viewer_fixture.h"
#include "viewer_window/scroll_box.h"
#include "work/work_pool.h"

using namespace testsupport;

namespace {

// A medium that gives 1 MB/s, counting the bytes read of each file. What the hook counts into is shared with it: a
// reading thread may still be inside the hook when the test has let go of the disc.
class SlowDisc
{
public:
    SlowDisc()
    {
        files::setReadPaceForTests([read = m_read](const QString& path, qint64, qint64 length) {
            std::this_thread::sleep_for(std::chrono::microseconds(length));
            std::lock_guard lock(read->mutex);
            read->bytes[QFileInfo(path).fileName()] += length;
        });
    }
    ~SlowDisc() { files::setReadPaceForTests({}); }
    qint64 bytesRead(const QString& file) const
    {
        std::lock_guard lock(m_read->mutex);
        return m_read->bytes.value(file);
    }

private:
    struct Read
    {
        std::mutex mutex;
        QHash<QString, qint64> bytes;
    };
    std::shared_ptr<Read> m_read = std::make_shared<Read>();
};

// Three seconds of reading at 1 MB/s after the picture: a decoder stops at the end of the picture's data.
constexpr int Padding = 3'000'000;

// The same picture with its quantisation tables taken out: the header is accepted, the decode then fails.
QByteArray withoutQuantisationTables(QByteArray jpeg)
{
    for (qsizetype at = 2; at + 4 <= jpeg.size();) {
        const auto marker = uchar(jpeg[at + 1]);
        const int length = (uchar(jpeg[at + 2]) << 8) | uchar(jpeg[at + 3]);
        if (marker == 0xDA)
            break;
        if (marker == 0xDB)
            jpeg.remove(at, 2 + length);
        else
            at += 2 + length;
    }
    return jpeg;
}

// The picture on show is one whose rows are still being decoded.
bool rowsAppearing(TForm2& viewer)
{
    return viewer.mapPicture->hasPicture() && viewer.mapPicture->shownPart() != viewer.mapPicture->picture().rect();
}

QStringList barTexts(TForm2& viewer)
{
    return {viewer.titleAndYearLabel->caption(), viewer.fileSizeLabel->caption(), viewer.dimensionsLabel->caption()};
}

// Calls seen before each paint of a widget.
class PaintWatch : public QObject
{
public:
    PaintWatch(QWidget* widget, std::function<void()> seen) : m_seen(std::move(seen))
    {
        widget->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            m_seen();
        return false;
    }

private:
    std::function<void()> m_seen;
};

} // namespace

class ViewerSlowDisc : public ViewerTest
{
protected:
    // Maps 1 to n, each padded to three seconds of reading.
    void openSlowCatalogue(int n, QSize size = QSize(400, 300))
    {
        openCatalogue(n);
        for (int i = 1; i <= n; ++i)
            collection.writeBytes(mapPath(i), TestCollection::jpegBytes(size) + QByteArray(Padding, '\0'));
    }
    std::unique_ptr<SlowDisc> disc;
    static QString fileOf(int i) { return QFileInfo(mapPath(i)).fileName(); }

    // Closes the viewer as Esc does, letting it go as the event loop would; returns how long that took.
    static qint64 closeAndRelease(TForm2& viewer)
    {
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(&viewer, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return timer.elapsed();
    }
};

TEST_F(ViewerSlowDisc, ClosingInEveryPhaseOfAnOpeningReturnsAtOnce)
{
    openSlowCatalogue(3, QSize(6000, 6000));
    const QByteArray padded = TestCollection::jpegBytes(QSize(6000, 6000)) + QByteArray(Padding, '\0');
    // Its first rows shown, a progressive map's decode reads its scans for a second or more.
    JpegFixture progressive;
    progressive.size = QSize(5000, 5000);
    progressive.progressive = true;
    progressive.pixel = [](int x, int y) { return std::array<unsigned char, 4>{uchar(x * 7 ^ y * 3), uchar(y), 90}; };
    struct Case
    {
        const char* phase;
        std::function<bool(TForm2&)> reached;
        QByteArray map;
    };
    const Case cases[] = {
        {"reading the map", [](TForm2& v) { return v.isOpening() && !v.mapPicture->hasPicture(); }, padded},
        {"decoding the map", [](TForm2& v) { return rowsAppearing(v) && !v.mapPicture->shownPart().isEmpty(); },
         makeJpeg(progressive)},
        {"reading ahead", [this](TForm2& v) { return !v.isOpening() && disc->bytesRead(fileOf(3)) > 0; }, padded},
    };
    // The map on show reads fast in the decoding case, so that its decode, not its read, is under way.
    for (const Case& c : cases) {
        collection.writeBytes(mapPath(2), c.map);
        disc = std::make_unique<SlowDisc>();
        if (std::string(c.phase) == "decoding the map")
            disc.reset();
        TForm2& viewer = startOpening(2);
        // Room to reach the phase on a slow machine: under Wine with other work beside it the decode alone has taken
        // several seconds. Only the close below is timed.
        ASSERT_TRUE(QTest::qWaitFor([&] { return c.reached(viewer); }, 30000)) << c.phase;
        // The opening's hourglass stays whatever the pointer does meanwhile.
        hover(viewer.controlBarBackground);
        hover(viewer.titleBackground);
        QTest::mousePress(viewer.mapPicture, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseRelease(viewer.mapPicture, Qt::LeftButton, {}, QPoint(10, 10));
        const QCursor* screen = QGuiApplication::overrideCursor();
        EXPECT_EQ(screen && screen->shape() == Qt::WaitCursor, viewer.isOpening()) << c.phase;
        // Each read would take three seconds more, the decode a second or more.
        EXPECT_LT(closeAndRelease(viewer), 300) << c.phase;
        EXPECT_TRUE(Form2.isNull()) << c.phase;
        // The closed viewer's jobs end: each stops within a piece of work, and the program's threads are idle.
        EXPECT_TRUE(programLoader.pool().waitForJobs(300)) << c.phase;
        QTest::qWait(100); // nothing posted by its work arrives afterwards
        EXPECT_TRUE(MessageRecorder::messages().isEmpty()) << c.phase << MessageRecorder::last().toStdString();
        EXPECT_TRUE(QGuiApplication::overrideCursor() == nullptr) << c.phase;
        disc.reset();
    }
}

// Opening the map before while the next one is read ahead: the key returns at once, the bar shows the read of the map
// stepped to, which is not queued behind the three seconds of the other one. Meanwhile the texts and Copy are those of
// the map still on show.
TEST_F(ViewerSlowDisc, AStepToTheOtherNeighbourIsReadBeforeTheOneReadAhead)
{
    openSlowCatalogue(3);
    disc = std::make_unique<SlowDisc>();
    TForm2& viewer = openMap(2);
    const QStringList textsOfMap2 = barTexts(viewer);
    ASSERT_TRUE(QTest::qWaitFor([&] { return disc->bytesRead(fileOf(3)) > 0; }, 5000));
    QElapsedTimer timer;
    timer.start();
    QTest::keyClick(&viewer, Qt::Key_Left);
    EXPECT_LT(timer.elapsed(), 1500) << "the key returns before the read would finish";
    EXPECT_TRUE(viewer.isOpening());
    EXPECT_TRUE(QTest::qWaitFor([&] { return viewer.progressBar->value() > 0; }, 1500)) << "its read shows at once";
    ASSERT_TRUE(viewer.isOpening());
    EXPECT_EQ(barTexts(viewer), textsOfMap2);
    EXPECT_EQ(viewer.windowTitle(), QStringLiteral("Город 002  1702"));
    EXPECT_EQ(copiedFile(viewer), fileOf(2));
    waitForOpening(viewer);
    EXPECT_LT(disc->bytesRead(fileOf(3)), qint64(Padding)) << "the map stepped to came before the one read ahead";
    EXPECT_EQ(barTexts(viewer)[0], QStringLiteral("Город 001  1701"));
    EXPECT_EQ(viewer.dimensionsLabel->caption(), QStringLiteral("400 x 300"));
    EXPECT_EQ(copiedFile(viewer), fileOf(1));
    EXPECT_TRUE(MessageRecorder::messages().isEmpty()) << MessageRecorder::last().toStdString();
}

// The top of the next map is decoded ahead; a step to the other neighbour, as wide, must never show it. The map
// stepped to fails after its header, so no row of its own covers what its first rows showed.
TEST_F(ViewerSlowDisc, TheTopDecodedAheadOfAnotherMapIsNeverShown)
{
    openCatalogue(3);
    collection.writeBytes(mapPath(1), withoutQuantisationTables(TestCollection::jpegBytes(QSize(800, 600), Qt::red)));
    collection.writeJpeg(mapPath(3), QSize(800, 600), Qt::blue);
    TForm2& viewer = openMap(2);
    QSignalSpy headDecoded(&viewer.loader(), &loading::MapLoader::headDecoded);
    ASSERT_TRUE(headDecoded.wait(5000));
    EXPECT_EQ(headDecoded.at(0).at(0).toString(), mapPath(3));
    ASSERT_TRUE(viewer.windowHandle()->isExposed()) << "rows are painted as they come";
    // The top-left pixel of every picture painted with rows on show.
    QList<QColor> painted;
    PaintWatch watch(viewer.mapPicture, [&] {
        if (!viewer.mapPicture->shownPart().isEmpty())
            painted << viewer.mapPicture->picture().pixelColor(0, 0);
    });
    press(viewer, Qt::Key_Left);
    ASSERT_EQ(MessageRecorder::messages().size(), 1);
    for (const QColor& colour : painted)
        EXPECT_FALSE(colour.blue() > 200 && colour.red() < 60) << "the top of map 3 shown as map 1";
}

// A step onto a map that fails. The map on show stays whole, with its own texts and its bytes to save, when nothing
// of it was let go: its file could not be read, its header was refused. Otherwise (it gave its memory to the failed
// map, or was itself being decoded when the step came) no map is whole: the view is empty, with no scroll range and
// nothing to zoom or save, and names the failed map.
TEST_F(ViewerSlowDisc, AFailedStepKeepsTheMapBeforeWholeOrLeavesAnEmptyViewNamingTheFailedMap)
{
    struct Case
    {
        const char* what;
        QByteArray bytes;
        qint64 failsAt; // offset of a read fault (EIO), or -1
        bool midDecode; // the step comes while the map after the one on show is being decoded
        bool keepsMap;
        bool inPieces = false; // the maps come from the disc in pieces into their decode
    };
    const QByteArray jpeg = TestCollection::jpegBytes(QSize(800, 600));
    const Case cases[] = {
        {"EIO at offset 0", jpeg, 0, false, true},
        {"header refused", QByteArray("this is no picture"), -1, false, true},
        {"failure after the header", withoutQuantisationTables(jpeg), -1, false, false},
        {"EIO on a step taken mid-decode", jpeg, 0, true, false},
        {"EIO part way through a map read in pieces", jpeg, jpeg.size() / 2, false, true, true},
    };
    for (const Case& c : cases) {
        loading::KeptReads::setLargestHeldFile(c.inPieces ? 1000 : loading::KeptReads::DefaultLargestHeldFile);
        const auto heldAgain =
            qScopeGuard([] { loading::KeptReads::setLargestHeldFile(loading::KeptReads::DefaultLargestHeldFile); });
        openCatalogue(3);
        const QByteArray before = collection.writeJpeg(mapPath(1), QSize(3000, 2000));
        collection.writeJpeg(mapPath(2), QSize(6000, 6000));
        const int failing = c.midDecode ? 3 : 2;
        collection.writeBytes(mapPath(failing), c.bytes);
        files::setReadFaultForTests(
            [&](const QString& path) { return path.endsWith(mapPath(failing)) ? c.failsAt : qint64(-1); });
        const auto soundDisc = qScopeGuard([] { files::setReadFaultForTests({}); });
        TForm2& viewer = openMap(1);
        const QStringList textsBefore = barTexts(viewer);
        wheel(viewer.mapPicture, -120);
        if (c.midDecode) {
            QTest::keyClick(&viewer, Qt::Key_Right);
            ASSERT_TRUE(QTest::qWaitFor([&] { return rowsAppearing(viewer); }, 10000)) << c.what;
        }
        MessageRecorder::clear();
        press(viewer, Qt::Key_Right);
        ASSERT_EQ(MessageRecorder::messages().size(), 1) << c.what;
        EXPECT_TRUE(MessageRecorder::last().contains(shownPath(failing))) << MessageRecorder::last().toStdString();
        EXPECT_EQ(copiedFile(viewer), fileOf(c.keepsMap ? 1 : failing)) << c.what;
        if (c.keepsMap) {
            EXPECT_EQ(barTexts(viewer), textsBefore) << c.what;
            EXPECT_EQ(viewer.mapPicture->size(), QSize(3000, 2000)) << c.what << ": actual size";
            EXPECT_EQ(viewer.mapPicture->shownPart(), QRect(0, 0, 3000, 2000)) << c.what;
            EXPECT_TRUE(savedBytes(viewer) == before) << c.what;
        } else {
            const QString title = QStringLiteral("Город 00%1  170%1").arg(failing);
            // The size is the read's: none for a file that could not be read.
            const QString size = c.failsAt < 0 ? sizeTextOf(failing) : QString();
            EXPECT_EQ(barTexts(viewer), (QStringList{title, size, QString()})) << c.what;
            EXPECT_FALSE(viewer.mapPicture->hasPicture()) << c.what;
            const auto nothingToScroll = [&] {
                return viewer.mapPicture->size().isEmpty() && viewer.mapView->horizontalScrollBar()->maximum() == 0 &&
                       viewer.mapView->verticalScrollBar()->maximum() == 0;
            };
            EXPECT_TRUE(nothingToScroll()) << c.what;
            for (void (TForm2::*zoom)() :
                 {&TForm2::zoomOut, &TForm2::zoomIn, &TForm2::fitToScreen, &TForm2::showActualSize}) {
                (viewer.*zoom)();
                EXPECT_TRUE(nothingToScroll()) << c.what;
            }
            EXPECT_TRUE(savedBytes(viewer).isEmpty()) << c.what;
            EXPECT_TRUE(MessageRecorder::last().contains(shownPath(failing))) << "nothing of it to save";
        }
        viewer.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// Rows passed on a slow disc: the preview of a row left is stopped within a piece (the one the disc was reading) or
// never read (those queued behind it), the failure of one left says nothing, and the row reached shows its own.
TEST_F(ViewerSlowDisc, PreviewsOfRowsPassedAreNotReadAndTheirFailuresAreSilent)
{
    openCatalogue(5);
    const auto previewPath = [](int i) { return QStringLiteral("Goroda/previews/") + fileOf(i); };
    const QByteArray padded = TestCollection::jpegBytes(QSize(200, 150)) + QByteArray(300'000, '\0');
    for (int i = 2; i <= 5; ++i)
        collection.writeBytes(previewPath(i), padded);
    files::setReadFaultForTests(
        [&](const QString& path) { return path.endsWith(previewPath(2)) ? qint64(0) : qint64(-1); });
    const auto soundDisc = qScopeGuard([] { files::setReadFaultForTests({}); });
    disc = std::make_unique<SlowDisc>();
    clickRow(2);
    // Its read fails meanwhile (a piece's time), and the failure waits in the queue while the user moves on.
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    for (int row = 3; row <= 5; ++row)
        clickRow(row);
    waitForPreview();
    for (int i = 2; i <= 4; ++i)
        EXPECT_LE(disc->bytesRead(fileOf(i)), 16 * 1024) << i; // a piece of a file read
    EXPECT_EQ(w().previewBytes, padded);
    EXPECT_TRUE(MessageRecorder::messages().isEmpty()) << MessageRecorder::last().toStdString();
}

// Esc and the map opened again, in a new window: what was read is not read again.
TEST_F(ViewerSlowDisc, ReopeningAClosedMapReadsNothingAgain)
{
    openCatalogue(3);
    collection.writeBytes(mapPath(2), TestCollection::jpegBytes(QSize(400, 300)) + QByteArray(300'000, '\0'));
    disc = std::make_unique<SlowDisc>();
    closeAndRelease(openMap(2));
    waitForPreview();
    const qint64 read = disc->bytesRead(fileOf(2));
    EXPECT_GT(read, 300'000);
    TForm2& again = openMap(2);
    waitForPreview();
    EXPECT_EQ(disc->bytesRead(fileOf(2)), read);
    EXPECT_EQ(again.dimensionsLabel->caption(), QStringLiteral("400 x 300"));
}
