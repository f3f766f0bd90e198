#include "window_layout/control_row.h"

#include <QtGlobal>
#include <utility>

namespace window_layout {

ControlRow ControlRow::hidden() const
{
    ControlRow r = *this;
    r.visible = false;
    return r;
}

ControlRow ControlRow::withHand() const
{
    ControlRow r = *this;
    r.handCursor = true;
    return r;
}

ControlRow ControlRow::withArtwork(QColor standIn) const
{
    ControlRow r = *this;
    r.artwork = true;
    r.colour = standIn;
    return r;
}

ControlRow ControlRow::stretching(QSize artworkSize) const
{
    ControlRow r = *this;
    r.pictureSize = artworkSize;
    return r;
}

ControlRow ControlRow::inBold() const
{
    ControlRow r = *this;
    r.bold = true;
    return r;
}

ControlRow ControlRow::withCaption(const char* text) const
{
    ControlRow r = *this;
    r.caption = text;
    return r;
}

ControlRow ControlRow::fixedBox(QSize size) const
{
    ControlRow r = *this;
    r.place.setSize(size);
    r.wordWrap = true;
    return r;
}

ControlRow ControlRow::cutAt(int width) const
{
    ControlRow r = *this;
    r.maxWidth = width;
    return r;
}

ControlRow ControlRow::withFixedPitch() const
{
    ControlRow r = *this;
    r.fixedPitch = true;
    return r;
}

ControlRow ControlRow::inArticlesAt(int top) const
{
    ControlRow r = *this;
    r.articlesTop = top;
    return r;
}

ControlRow ControlRow::inViews(unsigned shown, unsigned hidden) const
{
    ControlRow r = *this;
    r.shownIn = shown;
    r.hiddenIn = hidden;
    return r;
}

ControlRow ControlRow::anchoredRight(int distance) const
{
    ControlRow r = *this;
    r.rightAnchor = distance;
    return r;
}

ControlRow ControlRow::as(Role accessibleRole, const char* name) const
{
    ControlRow r = *this;
    r.role = accessibleRole;
    r.accessibleName = name;
    return r;
}

ControlRow ControlRow::captionedBy(const char* caption) const
{
    ControlRow r = *this;
    r.captionRow = caption;
    return r;
}

ControlRow ControlRow::pressing(const char* target) const
{
    ControlRow r = *this;
    r.pressRow = target;
    return r;
}

namespace {

ControlRow makeRow(std::string name, Kind kind, const char* parent, QRect place, QColor colour)
{
    ControlRow r;
    r.name = std::move(name);
    r.kind = kind;
    r.parent = parent;
    r.place = place;
    r.colour = colour;
    return r;
}

} // namespace

ControlRow picture(std::string name, const char* parent, QRect place)
{
    return makeRow(std::move(name), Kind::Picture, parent, place, {});
}

ControlRow label(std::string name, const char* parent, QPoint at, int fontHeight, QColor colour)
{
    ControlRow r = makeRow(std::move(name), Kind::Label, parent, QRect(at, QSize(0, 0)), colour);
    r.fontHeight = fontHeight;
    return r;
}

ControlRow panel(std::string name, const char* parent, QRect place, QColor colour)
{
    return makeRow(std::move(name), Kind::Panel, parent, place, colour);
}

ControlRow other(std::string name, const char* parent, QRect place, QColor colour)
{
    return makeRow(std::move(name), Kind::Other, parent, place, colour);
}

const ControlRow& row(const std::vector<ControlRow>& table, std::string_view name)
{
    for (const ControlRow& r : table) {
        if (name == r.name)
            return r;
    }
    qFatal("No control %.*s in the layout table", int(name.size()), name.data());
}

} // namespace window_layout
