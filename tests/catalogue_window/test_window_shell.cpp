// The window shell: frameless window in its place, minimise, close, dragging by the background only.
#include <QDir>
#include <QSignalSpy>
#include <QWindow>

#include "catalogue_window/window_fixture.h"
#include "controls/string_grid.h"

using namespace testsupport;

class WindowShell : public CatalogueWindowTest
{
};

TEST_F(WindowShell, IsAFramelessWindowOfTheDesignSizeAndPlace)
{
    open(cities(3));
    EXPECT_TRUE(w().windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(w().size(), QSize(800, 601));
    EXPECT_EQ(w().pos(), QPoint(143, 90));
    EXPECT_EQ(w().palette().color(QPalette::Window), QColor(223, 213, 191));
}

// Restoring does not load the catalogue anew: LoadRunsOnceAtTheFirstActivation checks the activation it delivers.
TEST_F(WindowShell, MinimisePictureMinimisesTheWindow)
{
    open(cities(3));
    QTest::mouseClick(w().minimiseButton, Qt::LeftButton, {}, QPoint(7, 7));
    EXPECT_TRUE(w().isMinimized());
}

TEST_F(WindowShell, ClosePictureAndEscCloseTheWindow)
{
    open(cities(3));
    QTest::mouseClick(w().closeButton, Qt::LeftButton, {}, QPoint(7, 7));
    EXPECT_FALSE(w().isVisible());

    openWritten();
    w().listGrid->setFocus();
    key(Qt::Key_Escape);
    EXPECT_FALSE(w().isVisible());
}

TEST_F(WindowShell, DraggingTheBackgroundOrATextOnItMovesTheWindow)
{
    open(cities(3));
    // The background at 10,590 and the caption "Объём файла:" both belong to the drag surface.
    for (QPoint start : {QPoint(10, 590), w().fileSizeCaption->geometry().center()}) {
        const QPoint before = w().pos();
        QTest::mousePress(&w(), Qt::LeftButton, {}, start);
        QMouseEvent move(QEvent::MouseMove, QPointF(start + QPoint(30, 20)),
                         QPointF(w().mapToGlobal(start + QPoint(30, 20))), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(&w(), &move);
        QTest::mouseRelease(&w(), Qt::LeftButton, {}, start + QPoint(30, 20));
        EXPECT_EQ(w().pos(), before + QPoint(30, 20)) << start.x() << "," << start.y();
    }
}

TEST_F(WindowShell, PressingOnAPanelDoesNotMoveTheWindow)
{
    open(cities(3));
    const QPoint before = w().pos();
    // Through the window, as the platform delivers them: the press goes to the control under the pointer and, where
    // that control leaves it, on to its panel and the window. The list's background picture and a row label.
    QWindow* window = w().windowHandle();
    for (QPoint start : {QPoint(36 + 150, 76 + 300), QPoint(36 + 8, 76 + 25)}) {
        QTest::mousePress(window, Qt::LeftButton, {}, start);
        QTest::mouseMove(window, start + QPoint(30, 20));
        QTest::mouseMove(window, start + QPoint(60, 40));
        QTest::mouseRelease(window, Qt::LeftButton, {}, start + QPoint(60, 40));
        EXPECT_EQ(w().pos(), before) << start.x() << "," << start.y();
    }
}

TEST_F(WindowShell, LoadRunsOnceAtTheFirstActivation)
{
    open(cities(10));
    clickRow(5);
    // A second activation, as returning from the viewer or a message box delivers, must not show the cities anew.
    QEvent activation(QEvent::WindowActivate);
    QApplication::sendEvent(form.get(), &activation);
    w().FormActivate();
    EXPECT_EQ(w().listGrid->row(), 4);
    EXPECT_EQ(currentRow(), 5);
    EXPECT_EQ(data->CategoryTables[1].count(), 10);
    EXPECT_EQ(QString::fromStdString(data->RecordTable[1].Field[2]), QStringLiteral("Goroda"));
}

TEST_F(WindowShell, MissingAboutFileIsNamedAndTheCatalogueStillLoads)
{
    collection.writeComplete(cities(5));
    QFile::remove(collection.file(QStringLiteral("Goroda/About/about.dat")));
    openWritten();
    ASSERT_EQ(MessageRecorder::messages().size(), 1);
    EXPECT_TRUE(MessageRecorder::last().contains(QStringLiteral("File not found")));
    EXPECT_TRUE(MessageRecorder::last().contains(QStringLiteral("about.dat")));
    EXPECT_EQ(row(5), QStringLiteral("Город 005"));
}

TEST_F(WindowShell, StartUpMessagesAreShownWhenTheFirstCitysPreviewIsDamaged)
{
    collection.writeComplete(cities(5));
    QFile::remove(collection.file(QStringLiteral("Goroda/About/about.dat")));
    collection.writeBytes(QStringLiteral("Goroda/previews/gorod001.jpg"),
                          QByteArray("\xFF\xD8\xFF\xE0", 4) + QByteArray(64, 'z'));
    openWritten();
    const QString messages = MessageRecorder::messages().join(QLatin1Char('\n'));
    EXPECT_EQ(MessageRecorder::messages().size(), 2) << messages.toStdString();
    EXPECT_TRUE(messages.contains(QStringLiteral("about.dat")));
    EXPECT_TRUE(messages.contains(QStringLiteral("gorod001.jpg")));
    EXPECT_EQ(row(5), QStringLiteral("Город 005"));
}

TEST_F(WindowShell, CatalogueFilesAreFoundInAnyLetterCase)
{
    // As on copies of the discs: GORODA/ABOUT/MAPS.TXT and the like.
    collection.writeComplete(cities(5));
    QDir about(collection.file(QStringLiteral("Goroda/About")));
    for (const QString& name : {QStringLiteral("maps.txt"), QStringLiteral("about.dat"), QStringLiteral("about2.dat"),
                                QStringLiteral("about.jpg")})
        ASSERT_TRUE(about.rename(name, name.toUpper()));
    ASSERT_TRUE(
        QDir(collection.file(QStringLiteral("Goroda"))).rename(QStringLiteral("About"), QStringLiteral("ABOUT")));
    openWritten();
    EXPECT_EQ(row(5), QStringLiteral("Город 005"));
    QTest::mouseClick(w().aboutButton, Qt::LeftButton, {}, QPoint(5, 5));
    waitForPreview();
    EXPECT_NE(row(1), QString());
    EXPECT_TRUE(w().previewPicture->hasPicture());
    EXPECT_TRUE(MessageRecorder::messages().isEmpty()) << MessageRecorder::last().toStdString();
}

TEST_F(WindowShell, MissingCatalogueShowsEmptyListsAndStaysUsable)
{
    collection.writeComplete(cities(5));
    QFile::remove(collection.file(QStringLiteral("Goroda/About/maps.txt")));
    openWritten();
    ASSERT_EQ(MessageRecorder::messages().size(), 1);
    EXPECT_TRUE(MessageRecorder::last().contains(QStringLiteral("maps.txt")));
    EXPECT_EQ(row(1), QString());
    w().ImageOblClick();
    EXPECT_EQ(entry->category(), 2);
    EXPECT_EQ(w().listGrid->rowCount(), 1);
}

/// Stands for a desktop where nothing activates a new window (a bare X server without a window manager).
class ActivationSwallower : public QObject
{
protected:
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::WindowActivate; }
};

TEST_F(WindowShell, CatalogueLoadsEvenWhereNothingActivatesTheWindow)
{
    collection.writeComplete(cities(4));
    ActivationSwallower noActivation;
    data = std::make_unique<catalogue::CatalogueData>();
    entry = std::make_unique<CurrentEntry>(*data);
    form = std::make_unique<TForm1>(*entry, programLoader);
    form->installEventFilter(&noActivation);
    form->show();
    QTest::qWait(50); // long enough for an activation to arrive, were there one
    EXPECT_EQ(entry->category(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return entry->category() == 1; }, 3000));
    EXPECT_EQ(row(4), QStringLiteral("Город 004"));
}
