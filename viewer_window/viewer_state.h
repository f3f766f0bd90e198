#pragma once

#include "viewer_window/zoom_steps.h"

/// The zoom state shared by every viewer window of the process. Slots are 1-based; slot 0 is unused.
struct ViewerState
{
    int ZoomIndex = 1; ///< 1 is actual size; 0 stands for a fit at 90 % or more
    viewer::StepTable ZoomSteps{};
    viewer::StepTable StepWidths{};
    viewer::StepTable StepHeights{};
    int DragStartX = 0;
    int DragStartY = 0;
};

/// The process-wide instance.
ViewerState& viewerState();
