#include <gtest/gtest.h>

#include "controls/skin.h"
#include "controls/skin_scroll_bar.h"

TEST(Skin, ReadsBothSectionsAndKeepsDefaultsForTheRest)
{
    const controls::Skin defaults = controls::defaultSkin();
    const controls::Skin skin = controls::parseSkin(QStringLiteral("\uFEFF[grid]\r\n"
                                                                   "; the list's look\r\n"
                                                                   "Background=#102030\r\n"
                                                                   "  text = #A0b0C0  \r\n"
                                                                   "Lines=red\r\n"
                                                                   "Unknown=#000000\r\n"
                                                                   "[VScrollBar]\n"
                                                                   "Track=#8b2600\n"
                                                                   "Thumb=#12345\n"
                                                                   "Border=#ffffff\n"
                                                                   "[other]\n"
                                                                   "Arrows=#010101\n"));
    EXPECT_EQ(skin.grid.background, QColor(0x10, 0x20, 0x30));
    EXPECT_EQ(skin.grid.text, QColor(0xa0, 0xb0, 0xc0));
    EXPECT_EQ(skin.grid.lines, defaults.grid.lines) << "colour names are not the skin's form";
    EXPECT_EQ(skin.vscrollbar.track, QColor(139, 38, 0));
    EXPECT_EQ(skin.vscrollbar.thumb, defaults.vscrollbar.thumb) << "five digits are no colour";
    EXPECT_EQ(skin.vscrollbar.border, QColor(255, 255, 255));
    EXPECT_EQ(skin.vscrollbar.arrows, defaults.vscrollbar.arrows) << "keys of other sections are ignored";
}

TEST(Skin, DefaultsAreTheArtworksParchmentAndDarkRed)
{
    const controls::Skin skin = controls::defaultSkin();
    EXPECT_EQ(skin.vscrollbar.track, QColor(139, 38, 0));
    EXPECT_EQ(skin.vscrollbar.thumb, QColor(211, 206, 176));
    EXPECT_EQ(skin.grid.background, QColor(211, 206, 176));
    const controls::Skin empty = controls::parseSkin(QString());
    EXPECT_EQ(empty.grid.text, skin.grid.text);
    EXPECT_EQ(empty.vscrollbar.border, skin.vscrollbar.border);
}

TEST(Skin, ScrollBarDrawsInItsColours)
{
    controls::SkinScrollBar bar;
    bar.resize(13, 467);
    const QColor track(200, 0, 0), thumb(0, 200, 0), arrows(0, 0, 200), border(9, 9, 9);
    bar.setColours({track, thumb, arrows, border});
    const QImage image = bar.grab().toImage();
    EXPECT_EQ(image.pixelColor(0, 200), border);
    EXPECT_EQ(image.pixelColor(6, bar.thumbRect().center().y()), thumb);
    EXPECT_EQ(image.pixelColor(1, 1), track) << "around the arrow";
    EXPECT_EQ(image.pixelColor(bar.upArrowRect().center()), arrows);
}
