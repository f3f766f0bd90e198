#include "desktop/main_window.h"

#include <QApplication>
#include <QByteArray>
#include <QPoint>
#include <QWidget>
#include <QtMath>
#ifdef Q_OS_WIN
#include <windows.h>
#include <windowsx.h>
#endif

namespace desktop {

Qt::WindowFlags borderlessMainWindowFlags()
{
    Qt::WindowFlags flags = Qt::Window | Qt::FramelessWindowHint;
#ifdef Q_OS_WIN
    flags |= Qt::WindowMinimizeButtonHint;
#endif
    return flags;
}

void minimiseProgram(QWidget& mainWindow)
{
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
#ifdef Q_OS_WIN
    // The system's minimise: its animation, and the windows the main window owns (a viewer) go along. Only a window
    // of the windows platform is the system's; on another (offscreen) Qt minimises it.
    if (QGuiApplication::platformName() == QLatin1String("windows")) {
        ReleaseCapture();
        SendMessageW(reinterpret_cast<HWND>(mainWindow.winId()), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        return;
    }
#endif
    mainWindow.showMinimized();
}

bool answerHitTestAsCaption(QWidget& window, const QByteArray& eventType, void* message, qintptr* result,
                            const DragSurface& isDragSurface)
{
#ifdef Q_OS_WIN
    if (eventType != "windows_generic_MSG")
        return false;
    const QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != &window)
        return false;
    const MSG& msg = *static_cast<const MSG*>(message);
    if (msg.message != WM_NCHITTEST)
        return false;
    POINT point{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    RECT client{};
    if (!ScreenToClient(msg.hwnd, &point) || !GetClientRect(msg.hwnd, &client) || !PtInRect(&client, point))
        return false;
    // The system speaks in device pixels, the window in device-independent ones.
    const qreal ratio = window.devicePixelRatioF();
    if (!isDragSurface(QPoint(qFloor(point.x / ratio), qFloor(point.y / ratio))))
        return false;
    *result = HTCAPTION;
    return true;
#else
    Q_UNUSED(window);
    Q_UNUSED(eventType);
    Q_UNUSED(message);
    Q_UNUSED(result);
    Q_UNUSED(isDragSurface);
    return false;
#endif
}

} // namespace desktop
