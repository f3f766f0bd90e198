#include <gtest/gtest.h>

#include "controls/picture_control.h"

namespace {

struct DrawnCase
{
    const char* name;
    QSize picture;
    QSize box;
    bool stretch, proportional, center;
    QRect expected;
};

} // namespace

TEST(DrawnRect, FourSwitches)
{
    const DrawnCase cases[] = {
        // Natural size unless asked otherwise.
        {"all off, smaller", {40, 30}, {100, 100}, false, false, false, {0, 0, 40, 30}},
        {"all off, larger", {400, 300}, {100, 100}, false, false, false, {0, 0, 400, 300}},
        {"center, smaller", {40, 30}, {100, 100}, false, false, true, {30, 35, 40, 30}},
        {"center, odd difference truncates", {40, 30}, {101, 99}, false, false, true, {30, 34, 40, 30}},
        {"center, larger than the box moves left and up",
         {130, 120},
         {100, 100},
         false,
         false,
         true,
         {-15, -10, 130, 120}},
        {"center, negative odd difference truncates toward zero",
         {131, 121},
         {100, 100},
         false,
         false,
         true,
         {-15, -10, 131, 121}},
        // Stretch without Proportional fills the box.
        {"stretch fills", {40, 30}, {100, 70}, true, false, false, {0, 0, 100, 70}},
        {"stretch fills, larger picture", {400, 30}, {100, 70}, true, false, true, {0, 0, 100, 70}},
        // Proportional alone scales only pictures larger than the box.
        {"proportional, smaller stays natural", {40, 30}, {100, 100}, false, true, false, {0, 0, 40, 30}},
        {"proportional, wider than tall, larger", {400, 300}, {100, 100}, false, true, false, {0, 0, 100, 75}},
        {"proportional, taller than wide, larger", {300, 400}, {100, 100}, false, true, false, {0, 0, 75, 100}},
        {"proportional, only taller than the box", {50, 200}, {100, 100}, false, true, false, {0, 0, 25, 100}},
        {"proportional, wide picture hits the height",
         {400, 300},
         {200, 100},
         false,
         true,
         false,
         {0, 0, 133, 100}}, // 100 * 4/3 = 133.3
        {"proportional, tall picture hits the width",
         {300, 400},
         {100, 200},
         false,
         true,
         false,
         {0, 0, 100, 133}}, // 100 / 0.75 = 133.3
        {"proportional, height truncated", {300, 200}, {100, 100}, false, true, false, {0, 0, 100, 66}},
        {"proportional, exact thirds stay whole", {3, 1}, {300, 300}, true, true, false, {0, 0, 300, 100}},
        {"proportional, square", {500, 500}, {120, 80}, false, true, true, {20, 0, 80, 80}},
        // Stretch with Proportional scales up as well.
        {"stretch+proportional, smaller scales up", {40, 30}, {100, 100}, true, true, false, {0, 0, 100, 75}},
        {"stretch+proportional+center", {40, 30}, {100, 100}, true, true, true, {0, 12, 100, 75}},
        {"stretch+proportional, tall into wide", {30, 40}, {200, 100}, true, true, true, {62, 0, 75, 100}},
        // Degenerate pictures and boxes.
        {"empty picture, proportional", {0, 0}, {100, 100}, true, true, true, {50, 50, 0, 0}},
        {"empty picture, stretch only", {0, 0}, {100, 100}, true, false, false, {0, 0, 100, 100}},
        {"empty box", {40, 30}, {0, 0}, false, true, false, {0, 0, 0, 0}},
    };
    for (const DrawnCase& c : cases) {
        EXPECT_EQ(controls::drawnRect(c.picture, c.box, c.stretch, c.proportional, c.center), c.expected) << c.name;
    }
}
