#pragma once

#include <array>

namespace viewer {

inline constexpr int StepCount = 10;
/// A control narrower than this (or exactly this wide) is not zoomed out any further.
inline constexpr int MinZoomOutWidth = 250;

/// One value per zoom step, slots 1..10 (slot 0 unused).
using StepTable = std::array<int, StepCount + 1>;

/// The step percentages 100, 90, 80, 70, 60, 50, 40, 35, 30, 25; each is relative to the step before it.
StepTable zoomStepPercentages();

/// size * percent div 100, truncating toward zero, without overflowing on large sizes.
int scaledSize(int size, int percent);

/// Sizes of the picture at each step: slot 1 is the natural size, every further slot the one before scaled by that
/// step's percentage, so the percentages compound.
void computeStepSizes(int width, int height, const StepTable& percent, StepTable& widths, StepTable& heights);

/// Whether a zoom out that reached step zoomIndex with the given new width hides the zoom-out buttons: at step 9, or
/// when the width scaled by the previous step's percentage (1 when arriving at step 1 from a fit) is below 250.
bool zoomOutHidesButtons(int zoomIndex, int newWidth, const StepTable& percent);

/// Box height as a percentage of the natural height, truncated. A picture without height counts as larger than the
/// box (101), which leaves the zoom step as it is.
int fitPercent(int boxHeight, int naturalHeight);

/// The zoom step a fit to screen leaves: 0 for 90..100 %, 1..8 below that, current above 100 %.
int zoomIndexForFit(int percent, int current);

/// (view - control) div 2 when the view is larger than the control, else 0.
int centredOffset(int viewSize, int controlSize);

/// The step the wheel starts from: the index brought into 1..10.
int wheelZoomIndex(int index);

/// The wheel's angle delta of one notch.
inline constexpr int WheelNotch = 120;

/// Adds up wheel angle deltas into whole notches: touchpads and high-resolution wheels send many small deltas for
/// what a plain wheel sends as one notch. What is left over waits for the next delta in the same direction; a turn the
/// other way starts afresh.
class WheelNotches
{
public:
    /// The whole notches the sum has reached with this delta; negative toward the user.
    int add(int angleDelta);

private:
    int m_remainder = 0;
};

} // namespace viewer
