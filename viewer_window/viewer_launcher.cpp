#include "viewer_window/viewer_launcher.h"

#include <QGuiApplication>
#include <QScreen>

#include "controls/cursors.h"
#include "desktop/error_report.h"
#include "viewer_window/tform2.h"

std::function<void()> installViewer(CurrentEntry& entry, loading::Loader& loader, QWidget& catalogueWindow)
{
    // The start-up viewer is never shown; creating it registers the hand cursors. It holds no thread.
    auto* startupViewer = new TForm2(entry, loader, catalogueWindow);
    startupViewer->hide();
    Form2 = startupViewer;

    return [&entry, &loader, &catalogueWindow] {
        // Each opening gets a new window; deleting it on close releases its picture.
        auto* viewer = new TForm2(entry, loader, catalogueWindow);
        viewer->setAttribute(Qt::WA_DeleteOnClose);
        viewer->setWindowModality(Qt::ApplicationModal);
        Form2 = viewer;
        // The catalogue window takes the keyboard back when the viewer closes, also where no window manager
        // hands it back.
        QObject::connect(viewer, &QObject::destroyed, &catalogueWindow,
                         [&catalogueWindow] { catalogueWindow.activateWindow(); });
        const QScreen* screen = catalogueWindow.screen() ? catalogueWindow.screen() : QGuiApplication::primaryScreen();
        // Without a window manager nothing maximises the window: cover the available area by hand first. A Wayland
        // compositor places windows itself and ignores a position: the size is the first guess, maximising fills
        // the screen.
        if (screen && QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
            viewer->resize(screen->availableGeometry().size());
        else if (screen)
            viewer->setGeometry(screen->availableGeometry());
        controls::setScreenCursorDefault();
        viewer->showMaximized();
        viewer->activateWindow();
        // The open step runs once here, not on every activation: returning from a message box must not reload.
        desktop::runGuarded([viewer] { viewer->FormActivate(); });
    };
}
