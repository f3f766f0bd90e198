#include "desktop/main_window.h"

#include <QWidget>

namespace desktop {

void minimiseProgram(QWidget& mainWindow)
{
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    mainWindow.showMinimized();
}

} // namespace desktop
