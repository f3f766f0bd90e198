#pragma once

#include <QtGlobal>
#include <functional>
#include <qnamespace.h>

class QByteArray;
class QPoint;
class QWidget;

namespace desktop {

/// The flags of the program's borderless main window: no frame; on Windows also the system's minimise box (drawn
/// only with a caption, so unseen here), without which a click on the window's taskbar button does not minimise it.
Qt::WindowFlags borderlessMainWindowFlags();

/// Minimises the program: its main window (the catalogue window), which takes a viewer shown over it along. A mouse
/// grab left by the button pressed (a press that minimises sees no release) is let go first. On Windows the window
/// is sent the system's own minimise command, as its minimise button would.
void minimiseProgram(QWidget& mainWindow);

/// Where a point of a borderless window (in its own coordinates) is part of the surface that moves the window.
using DragSurface = std::function<bool(QPoint)>;

/// For QWidget::nativeEvent of a borderless window: on Windows, answers the system's hit-test query as the caption
/// where isDragSurface says so, so that the system itself moves the window dragged there (and snaps it to the screen's
/// edges). False for every other message, on other systems, and while a modal window blocks this one: the message
/// goes on as usual.
bool answerHitTestAsCaption(QWidget& window, const QByteArray& eventType, void* message, qintptr* result,
                            const DragSurface& isDragSurface);

} // namespace desktop
