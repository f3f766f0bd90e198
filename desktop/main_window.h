#pragma once

class QWidget;

namespace desktop {

/// Minimises the program: its main window (the catalogue window), which takes a viewer shown over it along. A mouse
/// grab left by the button pressed (a press that minimises sees no release) is let go first.
void minimiseProgram(QWidget& mainWindow);

} // namespace desktop
