// Stepping through the catalogue list from the viewer, and the picture's context menu: save, copy, close.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProgressBar>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <chrono>
#include <mutex>
#include <thread>

#include "controls/picture_control.h"
#include "controls/string_grid.h"
#include "controls/text_label.h"
#include "desktop/save_dialog.h"
#include "files/data_files.h"
#include "support/system_clipboard.h"
#include "viewer_fixture.h"

using namespace testsupport;

class ViewerStepping : public ViewerTest
{
protected:
    void TearDown() override
    {
        desktop::setSaveDialogHook({});
        ViewerTest::TearDown();
    }
};

TEST_F(ViewerStepping, ArrowKeysStepToTheEndOfTheListAndBack)
{
    openCatalogue(5);
    // Large enough to zoom out.
    mapBytes[4] = collection.writeJpeg(mapPath(5), QSize(800, 600));
    TForm2& viewer = openMap(4);
    // At each move of the bar every text describes the picture on show: map 4 while map 5 is read, map 5 from when it
    // takes map 4's place (its picture just begun, or its rows appearing).
    const auto story = [&] {
        const QSize shown = viewer.mapPicture->picture().size();
        return QStringList{viewer.windowTitle(), viewer.titleAndYearLabel->caption(), viewer.dimensionsLabel->caption(),
                           shown.isEmpty() ? QString()
                                           : QStringLiteral("%1 x %2").arg(shown.width()).arg(shown.height())}
            .join(QLatin1Char('|'));
    };
    const QStringList stories = {QStringLiteral("Город 004  1704|Город 004  1704|64 x 44|64 x 44"),
                                 QStringLiteral("Город 005  1705|Город 005  1705||"),
                                 QStringLiteral("Город 005  1705|Город 005  1705|800 x 600|800 x 600")};
    QStringList told;
    QObject::connect(viewer.progressBar, &QProgressBar::valueChanged, [&] { told << story(); });
    press(viewer, Qt::Key_Right);
    ASSERT_FALSE(told.isEmpty());
    EXPECT_EQ(told.first(), stories.first()) << "the read of map 5";
    for (const QString& moment : told)
        EXPECT_TRUE(stories.contains(moment)) << moment.toStdString();
    EXPECT_EQ(story(), stories.last());
    EXPECT_EQ(currentRow(), 5);
    EXPECT_EQ(w().listGrid->row(), 4);
    EXPECT_EQ(entry->mapPath(), mapPath(5));
    EXPECT_EQ(viewer.titleAndYearLabel->caption(), QStringLiteral("Город 005  1705"));
    EXPECT_EQ(viewer.dimensionsLabel->caption(), QStringLiteral("800 x 600"));
    EXPECT_EQ(savedBytes(viewer), mapBytes[4]);
    EXPECT_TRUE(viewer.nextButton->isHidden());
    EXPECT_TRUE(viewer.nextHover->isHidden());
    EXPECT_FALSE(viewer.previousButton->isHidden());

    press(viewer, Qt::Key_Right); // nothing past the last map
    EXPECT_EQ(currentRow(), 5);

    // A step from a zoomed-out map shows the next at actual size.
    wheel(viewer.mapPicture, -120);
    ASSERT_EQ(state().ZoomIndex, 2);
    ASSERT_EQ(viewer.mapPicture->size(), QSize(720, 540));
    press(viewer, Qt::Key_Left);
    EXPECT_EQ(currentRow(), 4);
    EXPECT_EQ(viewer.titleAndYearLabel->caption(), QStringLiteral("Город 004  1704"));
    EXPECT_FALSE(viewer.nextButton->isHidden());
    EXPECT_EQ(state().ZoomIndex, 1);
    EXPECT_EQ(viewer.mapPicture->size(), QSize(64, 44));
    EXPECT_TRUE(MessageRecorder::messages().isEmpty()) << MessageRecorder::last().toStdString();
}

TEST_F(ViewerStepping, ButtonsStepAndHideAtTheFirstMap)
{
    openCatalogue(5);
    TForm2& viewer = openMap(2);
    click(viewer, viewer.previousButton);
    EXPECT_EQ(currentRow(), 1);
    EXPECT_TRUE(viewer.previousButton->isHidden());
    EXPECT_TRUE(viewer.previousHover->isHidden());
    click(viewer, viewer.nextButton);
    EXPECT_EQ(currentRow(), 2);
    EXPECT_FALSE(viewer.previousButton->isHidden());
}

TEST_F(ViewerStepping, AMissingMapIsNamedAndThePictureOnShowStays)
{
    openCatalogue(5);
    QFile::remove(collection.file(mapPath(3)));
    TForm2& viewer = openMap(2);
    press(viewer, Qt::Key_Right);

    EXPECT_EQ(
        MessageRecorder::messages(),
        QStringList{
            QStringLiteral("Файл %1 не найден!").arg(QDir::toNativeSeparators(QStringLiteral("Goroda/gorod003.jpg")))});
    EXPECT_EQ(currentRow(), 3);
    EXPECT_EQ(w().listGrid->row(), 2);
    EXPECT_EQ(entry->mapPath(), mapPath(3));
    EXPECT_EQ(viewer.titleAndYearLabel->caption(), QStringLiteral("Город 002  1702"));
    EXPECT_EQ(viewer.dimensionsLabel->caption(), QStringLiteral("62 x 42"));
    EXPECT_EQ(viewer.mapPicture->size(), QSize(62, 42)); // actual size of the picture still on show
    EXPECT_EQ(savedBytes(viewer), mapBytes[1]);

    // Copy acts on the map on show, as Save does, not on the missing one stepped over.
    EXPECT_EQ(copiedFile(viewer), QStringLiteral("gorod002.jpg"));

    // A further step goes on from the new row.
    press(viewer, Qt::Key_Right);
    EXPECT_EQ(currentRow(), 4);
    EXPECT_EQ(viewer.titleAndYearLabel->caption(), QStringLiteral("Город 004  1704"));
    EXPECT_EQ(MessageRecorder::messages().size(), 1);
}

// A step onto a missing map while the map before it is still being opened: that map, once shown, is named as itself,
// not as the missing one the list moved on to.
TEST_F(ViewerStepping, AStepOntoAMissingMapMidOpeningLeavesTheMapOnShowNamedAsItself)
{
    openCatalogue(5);
    QFile::remove(collection.file(mapPath(4)));
    TForm2& viewer = openMap(2);
    QTest::keyClick(&viewer, Qt::Key_Right);
    ASSERT_TRUE(viewer.isOpening());
    const QString sizeOfMap3 = sizeTextOf(3);
    press(viewer, Qt::Key_Right);
    EXPECT_EQ(
        MessageRecorder::messages(),
        QStringList{
            QStringLiteral("Файл %1 не найден!").arg(QDir::toNativeSeparators(QStringLiteral("Goroda/gorod004.jpg")))});
    EXPECT_EQ(currentRow(), 4);
    EXPECT_EQ(viewer.mapPicture->picture().size(), QSize(63, 43));
    EXPECT_EQ(viewer.dimensionsLabel->caption(), QStringLiteral("63 x 43"));
    EXPECT_EQ(viewer.titleAndYearLabel->caption(), QStringLiteral("Город 003  1703"));
    EXPECT_EQ(viewer.fileSizeLabel->caption(), sizeOfMap3);
    EXPECT_EQ(copiedFile(viewer), QStringLiteral("gorod003.jpg"));
}

TEST_F(ViewerStepping, ADamagedPreviewOrMapDoesNotCutTheStepShort)
{
    openCatalogue(3);
    const QByteArray damaged = QByteArray("\xFF\xD8\xFF\xE0", 4) + QByteArray(64, 'z');
    collection.writeBytes(QStringLiteral("Goroda/previews/gorod002.jpg"), damaged);
    collection.writeBytes(mapPath(3), damaged);
    TForm2& viewer = openMap(1);
    MessageRecorder::clear();

    // The catalogue cannot show map 2's preview; the viewer still shows map 2.
    press(viewer, Qt::Key_Right);
    EXPECT_EQ(savedBytes(viewer), mapBytes[1]);
    EXPECT_EQ(viewer.titleAndYearLabel->caption(), QStringLiteral("Город 002  1702"));
    ASSERT_EQ(MessageRecorder::messages().size(), 1);
    EXPECT_TRUE(MessageRecorder::last().contains(QStringLiteral("gorod002.jpg")));

    // Map 3 itself cannot be loaded: named, and the step still ends on the last map.
    MessageRecorder::clear();
    press(viewer, Qt::Key_Right);
    EXPECT_EQ(currentRow(), 3);
    EXPECT_TRUE(viewer.nextButton->isHidden());
    ASSERT_EQ(MessageRecorder::messages().size(), 1);
    EXPECT_TRUE(MessageRecorder::last().contains(QStringLiteral("gorod003.jpg")));
}

TEST_F(ViewerStepping, ClosingAfterThreeStepsLeavesTheCatalogueOnTheThirdNextRow)
{
    openCatalogue(8);
    TForm2& viewer = openMap(1);
    // Each step shows the new entry's preview in the catalogue once.
    QStringList previewsRead;
    files::setReadFaultForTests([&](const QString& path) {
        if (path.contains(QLatin1String("/previews/")))
            previewsRead << QFileInfo(path).fileName();
        return qint64(-1);
    });
    for (int i = 0; i < 3; ++i)
        press(viewer, Qt::Key_Right);
    files::setReadFaultForTests({});
    EXPECT_EQ(previewsRead, (QStringList{QStringLiteral("gorod002.jpg"), QStringLiteral("gorod003.jpg"),
                                         QStringLiteral("gorod004.jpg")}));
    QTest::keyClick(&viewer, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(Form2.isNull());
    EXPECT_EQ(w().listGrid->row(), 3);
    EXPECT_EQ(currentRow(), 4);
    EXPECT_EQ(entry->mapPath(), mapPath(4));
    EXPECT_EQ(highlightedSlot(), 4);
    EXPECT_TRUE(QGuiApplication::overrideCursor() == nullptr);
}

TEST_F(ViewerStepping, SaveWritesTheMapFileAsLoaded)
{
    openCatalogue(3);
    TForm2& viewer = openMap(2);
    QTemporaryDir out;
    struct Case
    {
        QString chosen, written;
    };
    const Case cases[] = {
        {out.filePath(QStringLiteral("karta")), out.filePath(QStringLiteral("karta.jpg"))},
        {out.filePath(QStringLiteral("named.jpg")), out.filePath(QStringLiteral("named.jpg"))},
    };
    for (const Case& c : cases) {
        desktop::setSaveDialogHook([&](const QString&) { return std::optional<QString>(c.chosen); });
        viewer.saveMapAction->trigger();
        QFile written(c.written);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly)) << c.written.toStdString();
        EXPECT_EQ(written.readAll(), mapBytes[1]);
    }
    EXPECT_TRUE(MessageRecorder::messages().isEmpty()) << MessageRecorder::last().toStdString();

    // A cancelled dialog writes nothing.
    desktop::setSaveDialogHook([](const QString&) { return std::optional<QString>(); });
    viewer.saveMapAction->trigger();
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files).size(), 2);
}

// The save dialog runs its own event loop, in which the opening of the next map (a step taken just before) goes on
// and ends: what is written is the map on show when the user chose to save it.
TEST_F(ViewerStepping, SaveWritesTheMapOnShowWhenChosenWhateverOpensWhileTheDialogIsUp)
{
    openCatalogue(3);
    TForm2& viewer = openMap(1);
    QTest::keyClick(&viewer, Qt::Key_Right);
    ASSERT_TRUE(viewer.isOpening());
    QTemporaryDir out;
    const QString chosen = out.filePath(QStringLiteral("karta.jpg"));
    desktop::setSaveDialogHook([&](const QString&) {
        waitForOpening(viewer);
        return std::optional<QString>(chosen);
    });
    viewer.saveMapAction->trigger();
    EXPECT_EQ(savedBytes(viewer), mapBytes[1]) << "map 2 was opened meanwhile";
    QFile written(chosen);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll() == mapBytes[0]);
}

TEST_F(ViewerStepping, CopyPutsTheMapsAbsolutePathOnTheClipboard)
{
    openCatalogue(3);
    TForm2& viewer = openMap(2);
    viewer.copyFileAction->trigger();
    const QList<QUrl> files = testsupport::clipboardFiles();
    ASSERT_EQ(files.size(), 1);
    const QFileInfo copied(files.first().toLocalFile());
    EXPECT_TRUE(copied.isAbsolute());
    EXPECT_EQ(copied.canonicalFilePath(), QFileInfo(collection.file(mapPath(2))).canonicalFilePath());
}

TEST_F(ViewerStepping, CloseCommandClosesTheViewer)
{
    openCatalogue(3);
    TForm2& viewer = openMap(2);
    EXPECT_FALSE(viewer.openWithViewerAction->isVisible());
    viewer.closeWindowAction->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(Form2.isNull());
}

// A step gives the memory of the map on show (its reduced copies stopped) to the next one: no fresh memory to fault
// in, and no second full-size picture held at once.
TEST_F(ViewerStepping, AStepDecodesIntoTheMemoryOfTheMapItReplaces)
{
    openCatalogue(2);
    collection.writeJpeg(mapPath(1), QSize(3000, 3000), Qt::red);
    collection.writeJpeg(mapPath(2), QSize(3000, 3000), Qt::blue);
    TForm2& viewer = openMap(1);
    wheel(viewer.mapPicture, -120); // zoomed out: the reduced copies are being built
    const uchar* memory = viewer.mapPicture->picture().constBits();
    press(viewer, Qt::Key_Right);
    EXPECT_EQ(viewer.mapPicture->picture().constBits(), memory);
    EXPECT_EQ(viewer.mapPicture->picture().pixelColor(1500, 1500).blue(), 254);
    EXPECT_EQ(viewer.mapPicture->shownPart(), QRect(0, 0, 3000, 3000));
}

// Steps that come while the neighbours are read and the next map's top decoded ahead each end on the map stepped
// to, whatever was read ahead of it (in part or whole, for it or for the other neighbour); a step that comes while
// the map before it is still being opened stops that opening and ends on its own map; closing stops what is left.
TEST_F(ViewerStepping, StepsDuringWorkAheadEndOnTheRightMap)
{
    openCatalogue(4);
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
    // Each file takes 100 ms to read at 10 MB/s.
    for (int i = 1; i <= 4; ++i) {
        mapBytes[i - 1] = TestCollection::jpegBytes(QSize(1600, 1200), colours[i - 1]) + QByteArray(1'000'000, '\0');
        collection.writeBytes(mapPath(i), mapBytes[i - 1]);
    }
    // Shared with the hook, which a reading thread may still be in after the test.
    struct LastRead
    {
        std::mutex mutex;
        QString file;
    };
    const auto lastRead = std::make_shared<LastRead>();
    files::setReadPaceForTests([lastRead](const QString& path, qint64, qint64 length) {
        std::this_thread::sleep_for(std::chrono::microseconds(length / 10));
        std::lock_guard lock(lastRead->mutex);
        lastRead->file = QFileInfo(path).fileName();
    });
    const auto resetPace = qScopeGuard([] { files::setReadPaceForTests({}); });
    // The neighbours are read ahead next first; whether file i is being read ahead.
    const auto readingAhead = [&](int i) {
        return [&, i] {
            std::lock_guard lock(lastRead->mutex);
            return !Form2->isOpening() && lastRead->file == QFileInfo(mapPath(i)).fileName();
        };
    };
    TForm2& viewer = openMap(1);
    const auto showsMap = [&](int i) {
        EXPECT_EQ(currentRow(), i);
        EXPECT_TRUE(savedBytes(viewer) == mapBytes[i - 1]) << "map " << i;
        EXPECT_EQ(viewer.mapPicture->picture().pixelColor(800, 600).rgb() & 0xC0C0C0, colours[i - 1].rgb() & 0xC0C0C0)
            << "map " << i;
    };
    struct Step
    {
        Qt::Key key;
        int map;
        int readAhead; // the file being read ahead when the key comes
    };
    // In turn: the next map half read; the next map read whole (its top decoded) while the map before is read; the
    // map before half read; the next map half read.
    for (const Step& step :
         {Step{Qt::Key_Right, 2, 2}, Step{Qt::Key_Right, 3, 1}, Step{Qt::Key_Left, 2, 2}, Step{Qt::Key_Right, 3, 3}}) {
        ASSERT_TRUE(QTest::qWaitFor(readingAhead(step.readAhead), 3000)) << "the step to map " << step.map;
        press(viewer, step.key);
        showsMap(step.map);
    }
    // Each of these steps comes once the read of the map opened before it shows on the bar: that read's end, a
    // stopped read, arrives after the step and must not be taken for the map stepped to.
    const auto ownReadBegun = [&] { return viewer.progressBar->value() > 0; };
    ASSERT_TRUE(QTest::qWaitFor(readingAhead(4), 3000));
    QTest::keyClick(&viewer, Qt::Key_Left);
    ASSERT_TRUE(QTest::qWaitFor(ownReadBegun, 3000));
    QTest::keyClick(&viewer, Qt::Key_Right);
    ASSERT_TRUE(QTest::qWaitFor(ownReadBegun, 3000));
    QTest::keyClick(&viewer, Qt::Key_Right);
    waitForOpening(viewer);
    showsMap(4);
    EXPECT_TRUE(MessageRecorder::messages().isEmpty()) << MessageRecorder::last().toStdString();
    viewer.close();
}

// By year the list's first column shows the years; the viewer still names the map by its title, then its year.
TEST_F(ViewerStepping, TheBarNamesTheMapByTitleAndYearInEveryOrdering)
{
    openCatalogue(3);
    w().ImagePoGoduClick();
    TForm2& viewer = openMap(2);
    EXPECT_EQ(viewer.titleAndYearLabel->caption(), QStringLiteral("Город 002  1702"));
}
