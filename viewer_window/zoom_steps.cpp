#include "viewer_window/zoom_steps.h"

#include <algorithm>
#include <cstdint>

namespace viewer {

StepTable zoomStepPercentages()
{
    return StepTable{0, 100, 90, 80, 70, 60, 50, 40, 35, 30, 25};
}

int scaledSize(int size, int percent)
{
    return static_cast<int>(static_cast<std::int64_t>(size) * percent / 100);
}

void computeStepSizes(int width, int height, const StepTable& percent, StepTable& widths, StepTable& heights)
{
    widths[1] = width;
    heights[1] = height;
    for (int i = 2; i <= StepCount; ++i) {
        widths[i] = scaledSize(widths[i - 1], percent[i]);
        heights[i] = scaledSize(heights[i - 1], percent[i]);
    }
}

bool zoomOutHidesButtons(int zoomIndex, int newWidth, const StepTable& percent)
{
    if (zoomIndex == 9)
        return true;
    const int previous = zoomIndex <= 1 ? 1 : percent[std::min(zoomIndex, StepCount) - 1];
    return scaledSize(newWidth, previous) < MinZoomOutWidth;
}

int fitPercent(int boxHeight, int naturalHeight)
{
    if (naturalHeight <= 0)
        return 101;
    return static_cast<int>(static_cast<std::int64_t>(boxHeight) * 100 / naturalHeight);
}

int zoomIndexForFit(int percent, int current)
{
    struct Band
    {
        int from;
        int index;
    };
    // Lower bounds of the bands, highest first.
    static constexpr Band bands[] = {{90, 0}, {80, 1}, {70, 2}, {60, 3}, {50, 4}, {40, 5}, {35, 6}, {30, 7}};
    if (percent > 100)
        return current;
    for (const Band& band : bands) {
        if (percent >= band.from)
            return band.index;
    }
    return 8;
}

int centredOffset(int viewSize, int controlSize)
{
    return viewSize > controlSize ? (viewSize - controlSize) / 2 : 0;
}

int wheelZoomIndex(int index)
{
    return std::clamp(index, 1, StepCount);
}

int WheelNotches::add(int angleDelta)
{
    if ((angleDelta < 0 && m_remainder > 0) || (angleDelta > 0 && m_remainder < 0))
        m_remainder = 0;
    m_remainder += angleDelta;
    const int notches = m_remainder / WheelNotch;
    m_remainder -= notches * WheelNotch;
    return notches;
}

} // namespace viewer
