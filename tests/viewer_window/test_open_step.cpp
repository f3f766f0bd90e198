// The open step: step tables, texts of the control bar, step buttons at the ends of the list, progress, failed
// loads, the decoder's memory budget and the release of closed viewers.
#include <QProgressBar>
#include <QScopeGuard>
#include <QTemporaryDir>

#include "controls/picture_control.h"
#include "controls/text_label.h"
#include "desktop/save_dialog.h"
#include "loading/kept_reads.h"
#include "picture/picture_buffers.h"
#include "support/jpeg_fixtures.h"
#include "support/resident_memory.h"
#include "viewer_fixture.h"
#include "viewer_window/detail_tiles.h"
#include "viewer_window/scroll_box.h"

using namespace testsupport;

class OpenStep : public ViewerTest
{
};

TEST_F(OpenStep, ComputesTheStepTablesOfTheLoadedMap)
{
    struct Case
    {
        QSize size;
        viewer::StepTable widths, heights;
        QSize picture; // the overview's of a map above the full-decode limit; empty: the map decoded whole
    };
    const Case cases[] = {
        {{3000, 2000},
         {0, 3000, 2700, 2160, 1512, 907, 453, 181, 63, 18, 4},
         {0, 2000, 1800, 1440, 1008, 604, 302, 120, 42, 12, 3},
         {}},
        {{1000, 800},
         {0, 1000, 900, 720, 504, 302, 151, 60, 21, 6, 1},
         {0, 800, 720, 576, 403, 241, 120, 48, 16, 4, 1},
         {}},
        // Drawn as large as the map, with the map's texts and steps.
        {{3000, 2000},
         {0, 3000, 2700, 2160, 1512, 907, 453, 181, 63, 18, 4},
         {0, 2000, 1800, 1440, 1008, 604, 302, 120, 42, 12, 3},
         {375, 250}},
    };
    openCatalogue(3);
    const auto restoreLimit = qScopeGuard([] { viewer::MapDocument::setFullDecodeLimit(picture::DefaultMaxPixels); });
    for (const Case& c : cases) {
        viewer::MapDocument::setFullDecodeLimit(c.picture.isEmpty() ? picture::DefaultMaxPixels : 1000 * 1000);
        const QByteArray bytes = collection.writeJpeg(mapPath(2), c.size);
        TForm2& viewer = openMap(2);
        EXPECT_EQ(viewer.mapPicture->picture().size(), c.picture.isEmpty() ? c.size : c.picture);
        EXPECT_EQ(state().ZoomIndex, 1);
        EXPECT_EQ(state().StepWidths, c.widths);
        EXPECT_EQ(state().StepHeights, c.heights);
        EXPECT_EQ(viewer.mapPicture->size(), c.size);
        EXPECT_EQ(viewer.dimensionsLabel->caption(),
                  QStringLiteral("%1 x %2").arg(c.size.width()).arg(c.size.height()));
        EXPECT_EQ(savedBytes(viewer), bytes); // the file's bytes as loaded
        viewer.close();
    }
}

TEST_F(OpenStep, OpensFramelessMaximisedAndModalWithTheCatalogueTexts)
{
    openCatalogue(3);
    TForm2& viewer = openMap(2);
    EXPECT_TRUE(viewer.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(viewer.isMaximized());
    EXPECT_EQ(viewer.windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(viewer.fileSizeLabel->caption(), w().fileSizeLabel->caption());
    EXPECT_EQ(viewer.titleAndYearLabel->caption(), QStringLiteral("Город 002  1702"));
    EXPECT_EQ(viewer.dimensionsLabel->caption(), QStringLiteral("62 x 42"));
    // A small map is centred in the view.
    EXPECT_EQ(viewer.mapPicture->x(), (viewer.mapView->width() - 62) / 2);
    EXPECT_EQ(viewer.mapPicture->y(), (viewer.mapView->height() - 42) / 2);
    EXPECT_TRUE(viewer.progressBar->isHidden());
    EXPECT_TRUE(QGuiApplication::overrideCursor() == nullptr);
    EXPECT_EQ(viewer.cursor().shape(), Qt::ArrowCursor); // the hourglass of creation is gone
    EXPECT_EQ(viewer.closeButton->x(), viewer.titleStrip->width() - 20);
    EXPECT_EQ(viewer.minimiseButton->x(), viewer.titleStrip->width() - 41);
}

TEST_F(OpenStep, PlaceAndYearJoinWithExactlyTwoSpaces)
{
    struct Case
    {
        QString title, year, expected;
    };
    const Case cases[] = {
        {QStringLiteral("Москва"), QStringLiteral("1812"), QStringLiteral("Москва  1812")},
        {QStringLiteral("Тверь "), QString(), QStringLiteral("Тверь   ")},
    };
    for (const Case& c : cases) {
        std::vector<Entry> list = cities(1);
        list[0].title = c.title;
        list[0].year = c.year;
        collection.writeComplete(list);
        openWritten();
        w().setViewerOpener(installViewer(*entry, programLoader, w()));
        EXPECT_EQ(openMap(1).titleAndYearLabel->caption(), c.expected);
        Form2->close();
    }
}

TEST_F(OpenStep, StepButtonsAreHiddenAtTheEndsOfTheList)
{
    struct Case
    {
        int row;
        bool prevShown, nextShown;
    };
    const Case cases[] = {{1, false, true}, {3, true, true}, {5, true, false}};
    openCatalogue(5);
    for (const Case& c : cases) {
        TForm2& viewer = openMap(c.row);
        EXPECT_EQ(!viewer.previousButton->isHidden(), c.prevShown) << c.row;
        EXPECT_EQ(!viewer.nextButton->isHidden(), c.nextShown) << c.row;
        EXPECT_TRUE(viewer.previousHover->isHidden() && viewer.nextHover->isHidden()) << "hover images start hidden";
        viewer.close();
    }
    // The arrow keys do nothing while the matching button is hidden: in a list of one map, no step shows the other
    // button.
    openCatalogue(1);
    TForm2& only = openMap(1);
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right}) {
        QTest::keyClick(&only, key);
        EXPECT_EQ(currentRow(), 1);
        EXPECT_TRUE(only.previousButton->isHidden() && only.nextButton->isHidden()) << key;
    }
    EXPECT_TRUE(MessageRecorder::messages().isEmpty()) << MessageRecorder::last().toStdString();
}

// The read fills the first half of the bar and the decode the rest, the reports adding up without going back; the end
// hides the bar.
TEST_F(OpenStep, ProgressReportsAddUpAndTheEndHidesTheBar)
{
    openCatalogue(2);
    // Read in many pieces, decoded in many reports.
    collection.writeBytes(mapPath(2), TestCollection::jpegBytes(QSize(2000, 1500)) + QByteArray(1'000'000, '\0'));
    TForm2& viewer = startOpening(2);
    QProgressBar* bar = viewer.progressBar;
    QList<int> values;
    QObject::connect(bar, &QProgressBar::valueChanged, [&](int value) { values << value; });
    waitForOpening(viewer);
    ASSERT_FALSE(values.isEmpty());
    EXPECT_TRUE(std::is_sorted(values.begin(), values.end())) << "the bar went back";
    const auto shows = [&](int above, int below) {
        return std::any_of(values.begin(), values.end(), [&](int v) { return v > above && v < below; });
    };
    EXPECT_TRUE(shows(0, 50)) << "the read";
    EXPECT_TRUE(shows(50, 100)) << "the decode";
    EXPECT_EQ(values.back(), 100);
    EXPECT_TRUE(bar->isHidden());
    EXPECT_EQ(bar->height(), 25);
    EXPECT_LE(bar->width(), 1024);
    EXPECT_EQ(bar->width(), std::min(1024, viewer.mapView->viewport()->width()));
}

TEST_F(OpenStep, AFailedLoadNamesTheFileRestoresTheCursorsAndTheViewerStillCloses)
{
    JpegFixture progressive16;
    progressive16.size = {16, 16};
    progressive16.progressive = true;
    struct Case
    {
        QByteArray bytes;
        const char* what;
    };
    const Case cases[] = {
        {QByteArray("this is no picture"), "not a JPEG"},
        // A progressive file declaring 60000 x 60000 pixels, too many to decode whole, with no overview to give:
        // refused before any pixel buffer exists.
        {withDeclaredSize(makeJpeg(progressive16), 60000, 60000), "over the memory budget"},
    };
    openCatalogue(3);
    for (const Case& c : cases) {
        collection.writeBytes(mapPath(3), c.bytes);
        MessageRecorder::clear();
        TForm2& viewer = openMap(3);
        ASSERT_EQ(MessageRecorder::messages().size(), 1) << c.what;
        EXPECT_TRUE(MessageRecorder::last().contains(shownPath(3))) << MessageRecorder::last().toStdString();
        EXPECT_GT(MessageRecorder::last().size(), mapPath(3).size() + 30) << "the reason is named";
        EXPECT_TRUE(QGuiApplication::overrideCursor() == nullptr) << c.what;
        EXPECT_EQ(viewer.cursor().shape(), Qt::ArrowCursor) << c.what;
        EXPECT_FALSE(viewer.mapPicture->hasPicture()) << c.what;
        QTest::keyClick(&viewer, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(Form2.isNull()) << c.what;
    }
}

TEST_F(OpenStep, ClosedViewersAreReleasedAndTheirPictureMemoryGoesBackToTheSystem)
{
    openCatalogue(2);
    // Large enough for the pool of picture memory, which keeps a closed viewer's picture for a reopening a while.
    const QSize size(2600, 1800);
    collection.writeJpeg(mapPath(1), size);
    picture::setSpareBufferLifetimeMs(100);
    const auto usualLifetime = qScopeGuard([] { picture::setSpareBufferLifetimeMs(10000); });
    const auto liveViewers = [] {
        int n = 0;
        for (QWidget* top : QApplication::topLevelWidgets())
            n += qobject_cast<TForm2*>(top) ? 1 : 0;
        return n;
    };
    const int before = liveViewers(); // the hidden start-up viewer
    for (int i = 0; i < 3; ++i) {
        TForm2& viewer = openMap(1);
        QImage picture = viewer.mapPicture->picture();
        ASSERT_EQ(picture.size(), size);
        EXPECT_FALSE(picture.isDetached()) << "shared with the open viewer";
        QPointer<controls::PictureControl> image = viewer.mapPicture;
        viewer.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(image.isNull());
        EXPECT_TRUE(picture.isDetached()) << "nothing else holds the decoded picture";
        EXPECT_EQ(liveViewers(), before);
        picture = QImage();
        const qint64 closed = testsupport::residentBytes();
        const qint64 pictureBytes = qint64(size.width()) * size.height() * 4 * 9 / 10;
        for (int wait = 0; wait < 200 && closed - testsupport::residentBytes() < pictureBytes; ++wait)
            QTest::qWait(10);
        EXPECT_GE(closed - testsupport::residentBytes(), pictureBytes) << "given back after its time";
    }
}

// Over a map shown as its overview the part in view comes at full detail: at actual size the pixels on screen are the
// map's own, at fit to screen its tiles are decoded at the DCT scale the drawn size needs. So too for a file larger
// than is held in memory, which comes from the disc in pieces into its decode, its tiles and its save read from the
// file, and for a map its EXIF orientation turns, tile by tile.
TEST_F(OpenStep, AMapShownAsItsOverviewShowsThePartInViewAtFullDetail)
{
    viewer::MapDocument::setFullDecodeLimit(1000 * 1000);
    const auto restoreLimits = qScopeGuard([] {
        viewer::MapDocument::setFullDecodeLimit(picture::DefaultMaxPixels);
        loading::KeptReads::setLargestHeldFile(loading::KeptReads::DefaultLargestHeldFile);
        desktop::setSaveDialogHook({});
    });
    JpegFixture fixture;
    fixture.size = {3000, 2000};
    fixture.quality = 90;
    fixture.pixel = [](int x, int y) {
        return std::array<unsigned char, 4>{static_cast<unsigned char>((x * 7) ^ (y * 3)),
                                            static_cast<unsigned char>(x + y), static_cast<unsigned char>(x * y), 0};
    };
    openCatalogue(3);
    struct Case
    {
        const char* what;
        bool streamed;
        int orientation;
    };
    for (const Case& c : {Case{"held in memory", false, 1}, Case{"streamed from the disc", true, 1},
                          Case{"turned clockwise", false, 6}}) {
        SCOPED_TRACE(c.what);
        const bool streamed = c.streamed;
        fixture.exif = c.orientation == 1 ? QByteArray() : exifWithOrientation(c.orientation);
        const QByteArray bytes = makeJpeg(fixture);
        const QImage map = picture::decodeJpeg(bytes).value();
        collection.writeBytes(mapPath(2), bytes);
        loading::KeptReads::setLargestHeldFile(streamed ? bytes.size() / 4
                                                        : loading::KeptReads::DefaultLargestHeldFile);
        TForm2& viewer = openMap(2);
        ASSERT_EQ(viewer.mapPicture->picture().width(), map.width() / 8);
        EXPECT_EQ(viewer.mapDocument().shown().source.bytes.isEmpty(), streamed);
        const auto tilesCome = [&viewer] {
            return QTest::qWaitFor(
                [&viewer] {
                    QCoreApplication::processEvents();
                    return viewer.mapDetail->tilesPending() == 0 && viewer.mapDetail->scale() > 0;
                },
                20000); // a slow machine, a sanitizer build
        };

        viewer.showActualSize();
        viewer.grab(); // paints, and so asks for the tiles in view
        ASSERT_TRUE(tilesCome());
        EXPECT_EQ(viewer.mapDetail->scale(), 1);
        const QImage shot = viewer.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QPoint origin = viewer.mapPicture->mapTo(&viewer, QPoint(0, 0));
        int wrong = 0;
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 600; ++x)
                wrong += shot.pixel(origin + QPoint(x, y)) != map.pixel(x, y);
        EXPECT_EQ(wrong, 0);

        viewer.fitToScreen();
        viewer.grab();
        ASSERT_TRUE(tilesCome());
        EXPECT_EQ(viewer.mapDetail->scale(), viewer.mapPicture->drawnRect().width() * 4 <= map.width() ? 4 : 2);

        QTemporaryDir out;
        const QString saved = out.filePath(QStringLiteral("karta.jpg"));
        desktop::setSaveDialogHook([&](const QString&) { return std::optional<QString>(saved); });
        viewer.saveMapAction->trigger();
        QFile written(saved);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_EQ(written.readAll(), bytes);
        EXPECT_TRUE(MessageRecorder::messages().isEmpty()) << MessageRecorder::last().toStdString();

        // The next map, decoded whole, is drawn at its own size again, with no layer over it.
        click(viewer, viewer.nextButton);
        viewer.showActualSize();
        EXPECT_EQ(viewer.mapPicture->size(), QSize(63, 43));
        EXPECT_EQ(viewer.dimensionsLabel->caption(), QStringLiteral("63 x 43"));
        EXPECT_TRUE(viewer.mapDetail->isHidden());
        viewer.close();
    }
}
