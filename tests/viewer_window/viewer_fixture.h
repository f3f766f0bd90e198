#pragma once

// A loaded catalogue window with the viewer installed, and maps of chosen sizes.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QSpontaneKeyEvent>
#include <QTemporaryDir>
#include <QTest>

#include "catalogue/size_text.h"
#include "catalogue_window/window_fixture.h"
#include "controls/cursors.h"
#include "desktop/save_dialog.h"
#include "support/system_clipboard.h"
#include "viewer_window/tform2.h"
#include "viewer_window/viewer_launcher.h"
#include "viewer_window/viewer_state.h"

namespace testsupport {

class ViewerTest : public CatalogueWindowTest
{
protected:
    void TearDown() override
    {
        if (Form2)
            Form2->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        controls::setScreenCursorDefault();
        CatalogueWindowTest::TearDown();
    }

    /// A catalogue of n cities; map i is (60 + i) x (40 + i) pixels unless sized otherwise later.
    void openCatalogue(int n)
    {
        entries = cities(n);
        collection.writeComplete(entries);
        for (int i = 1; i <= n; ++i)
            mapBytes.push_back(collection.writeJpeg(mapPath(i), QSize(60 + i, 40 + i)));
        openWritten();
        w().setViewerOpener(installViewer(*entry, programLoader, w()));
    }

    static QString mapPath(int i) { return QStringLiteral("Goroda/gorod%1.jpg").arg(i, 3, 10, QLatin1Char('0')); }
    /// The map's file as messages name it: with the platform's separators.
    static QString shownPath(int i) { return QDir::toNativeSeparators(mapPath(i)); }
    /// The size of map i's file as the viewer shows it.
    QString sizeTextOf(int i) const
    {
        return QString::fromStdString(catalogue::sizeText(QFileInfo(collection.file(mapPath(i))).size()));
    }

    /// Selects list row i (1-based) in the catalogue and opens it as the preview click does, then lets the event
    /// loop run until the opening has ended (map shown or failure reported).
    TForm2& openMap(int i)
    {
        TForm2& viewer = startOpening(i);
        waitForOpening(viewer);
        return viewer;
    }

    /// Opens row i and returns at once, while the opening goes on.
    TForm2& startOpening(int i)
    {
        w().listGrid->setRow(i - 1);
        w().ImageMapClick();
        EXPECT_TRUE(Form2);
        return *Form2;
    }

    /// Runs the event loop until the viewer's opening has ended.
    static void waitForOpening(TForm2& viewer, int milliseconds = 20000)
    {
        EXPECT_TRUE(QTest::qWaitFor([&viewer] { return !viewer.isOpening(); }, milliseconds)) << "opening ended";
    }

    /// A key press in the viewer (a step, a zoom), then the opening it began run to its end.
    static void press(TForm2& viewer, Qt::Key key)
    {
        QTest::keyClick(&viewer, key);
        waitForOpening(viewer);
    }

    /// A click on a control of the viewer, then the opening it began run to its end.
    static void click(TForm2& viewer, QWidget* control)
    {
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(3, 3));
        waitForOpening(viewer);
    }

    static void moveWithLeftButton(QWidget* widget, QPoint pos)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(pos), QPointF(widget->mapToGlobal(pos)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    }

    static void hover(QWidget* widget)
    {
        const QPoint pos(2, 2);
        QMouseEvent move(QEvent::MouseMove, QPointF(pos), QPointF(widget->mapToGlobal(pos)), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    }

    /// A wheel turn over widget at pos: negative delta toward the user.
    static void wheel(QWidget* widget, int delta, QPointF pos = QPointF(5, 5))
    {
        QWheelEvent event(pos, widget->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        // As from the window system: a wheel event the widget leaves unhandled passes on to its parents.
        QSpontaneKeyEvent::setSpontaneous(&event);
        qApp->notify(widget, &event);
    }

    /// Resizes the shown viewer so that its scrolling view has the given outer size.
    static void setViewSize(TForm2& viewer, QSize view)
    {
        viewer.showNormal();
        viewer.resize(view.width(), view.height() + 20 + 44);
    }

    static ViewerState& state() { return viewerState(); }

    /// What "Сохранить в файл..." writes: the file's bytes, or nothing (and a message) when there is nothing to save.
    static QByteArray savedBytes(TForm2& viewer)
    {
        QTemporaryDir folder;
        const QString chosen = folder.filePath(QStringLiteral("saved.jpg"));
        desktop::setSaveDialogHook([&](const QString&) { return std::optional<QString>(chosen); });
        viewer.saveMapAction->trigger();
        desktop::setSaveDialogHook({});
        QFile saved(chosen);
        return saved.open(QIODevice::ReadOnly) ? saved.readAll() : QByteArray();
    }

    /// The name of the file "Копировать файл" puts on the clipboard; empty when it puts none.
    static QString copiedFile(TForm2& viewer)
    {
        setClipboardText(QStringLiteral("none"));
        viewer.copyFileAction->trigger();
        const QList<QUrl> files = clipboardFiles();
        return files.size() == 1 ? QFileInfo(files.first().toLocalFile()).fileName() : QString();
    }

    /// The screen cursor (Qt's override cursor, which the viewer sets) is the hand registered under number.
    static bool screenShows(int number)
    {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        return cursor && *cursor == controls::screenCursor(number);
    }

    std::vector<Entry> entries;
    std::vector<QByteArray> mapBytes; // mapBytes[i - 1] is map i
};

} // namespace testsupport
