#pragma once

#include <QColor>
#include <QString>

namespace controls {

/// Colours of the list grid (skin section [grid]).
struct GridColours
{
    QColor background;
    QColor text;
    QColor lines;
};

/// Colours of the vertical scroll bar (skin section [vscrollbar]).
struct ScrollBarColours
{
    QColor track;
    QColor thumb;
    QColor arrows;
    QColor border;
};

struct Skin
{
    GridColours grid;
    ScrollBarColours vscrollbar;
};

/// The built-in look: parchment and dark red, matching the window artwork.
Skin defaultSkin();

/// Reads skin ini text ("[grid]" Background/Text/Lines, "[vscrollbar]" Track/Thumb/Arrows/Border, colours as
/// #rrggbb). Keys that are missing, unknown or not a valid colour leave the built-in colour in place.
Skin parseSkin(const QString& iniText);

/// The program's skin, read once from the resource ":/skin/skin.ini" (built-in colours when it is absent).
const Skin& programSkin();

} // namespace controls
