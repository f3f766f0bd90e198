// The zoom arithmetic: the compounding step table, the zoom-out hide test, the fit table and the centring offsets.
#include <gtest/gtest.h>
#include <vector>

#include "viewer_window/zoom_steps.h"

using namespace viewer;

namespace {

struct StepCase
{
    int width, height;
    StepTable widths, heights;
};

} // namespace

TEST(ZoomSteps, StepSizesCompoundAndTruncate)
{
    // Each step of the first case differs from its neighbours, so a wrong percentage anywhere shows.
    const StepCase cases[] = {
        {3000,
         2000,
         {0, 3000, 2700, 2160, 1512, 907, 453, 181, 63, 18, 4},
         {0, 2000, 1800, 1440, 1008, 604, 302, 120, 42, 12, 3}},
        {1000, 800, {0, 1000, 900, 720, 504, 302, 151, 60, 21, 6, 1}, {0, 800, 720, 576, 403, 241, 120, 48, 16, 4, 1}},
        {1, 1, {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const StepCase& c : cases) {
        StepTable widths{}, heights{};
        computeStepSizes(c.width, c.height, zoomStepPercentages(), widths, heights);
        EXPECT_EQ(widths, c.widths) << c.width;
        EXPECT_EQ(heights, c.heights) << c.height;
    }
}

TEST(ZoomSteps, ScalingLargeSizesDoesNotOverflow)
{
    EXPECT_EQ(scaledSize(2000000000, 90), 1800000000);
    EXPECT_EQ(scaledSize(453, 40), 181);
}

TEST(ZoomSteps, ZoomOutHidesTheButtonsAtStepNineOrBelowTheWidthLimit)
{
    const StepTable p = zoomStepPercentages();
    struct Case
    {
        int index, width;
        bool hides;
    };
    const Case cases[] = {
        {7, 181, true},                       // 181 * 50 div 100 = 90
        {6, 453, false},                      // 453 * 60 div 100 = 271
        {6, 416, true},                       // 416 * 60 div 100 = 249
        {6, 417, false},                      // exactly 250 stays
        {9, 100000, true},                    // step 9 always hides
        {1, 24999, true},                     // from a fit at step 0 the factor is 1
        {1, 25000, false}, {10, 2000, false}, // 2000 * 30 div 100 = 600
    };
    for (const Case& c : cases)
        EXPECT_EQ(zoomOutHidesButtons(c.index, c.width, p), c.hides) << c.index << " " << c.width;
}

TEST(ZoomSteps, FitPercentAndStepTable)
{
    EXPECT_EQ(fitPercent(693, 2000), 34);
    EXPECT_EQ(fitPercent(693, 770), 90);
    EXPECT_EQ(fitPercent(693, 500), 138);
    EXPECT_EQ(fitPercent(693, 0), 101); // no picture: the step stays

    struct Case
    {
        int percent, current, expected;
    };
    const Case cases[] = {
        {100, 5, 0}, {90, 5, 0}, {89, 5, 1}, {80, 5, 1}, {79, 5, 2},  {70, 5, 2},  {69, 5, 3},
        {60, 5, 3},  {59, 5, 4}, {50, 5, 4}, {49, 5, 5}, {40, 5, 5},  {39, 5, 6},  {35, 5, 6},
        {34, 5, 7},  {30, 5, 7}, {29, 5, 8}, {0, 5, 8},  {101, 5, 5}, {138, 1, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(zoomIndexForFit(c.percent, c.current), c.expected) << c.percent;
}

TEST(ZoomSteps, CentringAndWheelClamp)
{
    EXPECT_EQ(centredOffset(800, 181), 309);
    EXPECT_EQ(centredOffset(801, 800), 0);
    EXPECT_EQ(centredOffset(800, 800), 0);
    EXPECT_EQ(centredOffset(800, 3000), 0);
    EXPECT_EQ(wheelZoomIndex(0), 1);
    EXPECT_EQ(wheelZoomIndex(-3), 1);
    EXPECT_EQ(wheelZoomIndex(7), 7);
    EXPECT_EQ(wheelZoomIndex(11), 10);
}

TEST(ZoomSteps, WheelDeltasAddUpToWholeNotchesAndATurnBackStartsAfresh)
{
    struct Case
    {
        std::vector<int> deltas;
        int lastNotches; // what the last delta yields
    };
    const Case cases[] = {
        {{30, 30, 30}, 0},      {{30, 30, 30, 30}, 1}, {{-240}, -2}, {{100, 100}, 1}, // 80 is kept for the next delta
        {{100, 100, 40}, 1},    // ... and completes a second notch
        {{100, -100, -20}, -1}, // the turn back drops the 100 gathered the other way
    };
    for (const Case& c : cases) {
        WheelNotches notches;
        int last = 0;
        for (int delta : c.deltas)
            last = notches.add(delta);
        EXPECT_EQ(last, c.lastNotches) << ::testing::PrintToString(c.deltas);
    }
}
