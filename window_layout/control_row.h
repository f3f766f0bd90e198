#pragma once

#include <QColor>
#include <QRect>
#include <string>
#include <string_view>
#include <vector>

namespace window_layout {

enum class Kind { Picture, Label, Panel, Other };

/// What a screen reader meets in a control. Stock leaves the control to Qt's own accessible interface (a label's
/// text, a progress bar's value); Ignored gives artwork that does no job no presence in the accessible tree. List is
/// the list grid, whose rows are its items.
enum class Role { Stock, Ignored, Group, Button, PageTab, Link, Picture, ZoomedPicture, ScrollBar, List };

/// One control of a window as the window creates it. A table lists them in creation order: among controls of one
/// parent a later row lies on top of an earlier one. The modifiers return a changed copy, so that a row reads as one
/// line: picture("ImageObl", "Panel1", {108, 7, 63, 44}).withArtwork(DarkRed).hidden().withHand().
struct ControlRow
{
    std::string name;
    Kind kind = Kind::Other;
    const char* parent = ""; ///< the parent's name; empty: the window itself
    QRect place;             ///< in the parent; a label with an empty size takes the size of its text
    QColor colour;           ///< label text, panel ground, or the plain picture standing in for missing artwork
    int fontHeight = 0;      ///< label text height in pixels
    bool bold = false;
    bool fixedPitch = false;
    bool wordWrap = false; ///< a label of fixed size wraps its text
    int maxWidth = 0;      ///< a label's text is cut, a bar stops growing, at this width; 0: no limit
    bool visible = true;
    bool handCursor = false;
    bool artwork = false; ///< shows the picture of its own name at its natural size
    QSize pictureSize;    ///< the artwork's size where the control stretches it; empty: the place's size
    const char* caption = "";
    int articlesTop = -1; ///< the top the articles view moves the control to; -1: it stays
    /// The window's views (bits the window's table names) that show the control, and those that hide it; a view in
    /// neither leaves it as it is.
    unsigned shownIn = 0;
    unsigned hiddenIn = 0;
    /// Once the window is opened the control keeps its left edge this far from its parent's right edge; 0: it keeps
    /// its place.
    int rightAnchor = 0;
    /// The role and name a screen reader gives the control; a name with "%1" is completed by the window with what the
    /// control shows (the entry's title, the number of stars).
    Role role = Role::Stock;
    const char* accessibleName = "";
    /// The row of the caption label whose text leads this value label's accessible name ("Автор: ..."); empty: none.
    const char* captionRow = "";
    /// The row whose control a press of this one clicks (a tab's hover area presses its lit copy); empty: itself.
    const char* pressRow = "";

    ControlRow hidden() const;
    ControlRow withHand() const;
    ControlRow withArtwork(QColor standIn = {}) const;
    ControlRow stretching(QSize artworkSize) const;
    ControlRow inBold() const;
    ControlRow withCaption(const char* text) const;
    ControlRow fixedBox(QSize size) const;
    ControlRow cutAt(int width) const;
    ControlRow withFixedPitch() const;
    ControlRow inArticlesAt(int top) const;
    ControlRow inViews(unsigned shown, unsigned hidden) const;
    ControlRow anchoredRight(int distance) const;
    ControlRow as(Role accessibleRole, const char* name = "") const;
    ControlRow ignored() const { return as(Role::Ignored); }
    ControlRow captionedBy(const char* caption) const;
    ControlRow pressing(const char* target) const;

    /// The size of the control's artwork.
    QSize artworkSize() const { return pictureSize.isEmpty() ? place.size() : pictureSize; }
};

ControlRow picture(std::string name, const char* parent, QRect place);
ControlRow label(std::string name, const char* parent, QPoint at, int fontHeight, QColor colour);
ControlRow panel(std::string name, const char* parent, QRect place, QColor colour);
/// A control of a kind of its own, which the window creates itself; colour is its ground where it has one.
ControlRow other(std::string name, const char* parent, QRect place, QColor colour = {});

/// The window itself.
struct WindowRow
{
    QPoint at;
    QSize size;
    QColor colour;
    int fontHeight;
};

/// The row of the given name; a name missing from the table is a fault of the program and ends it.
const ControlRow& row(const std::vector<ControlRow>& table, std::string_view name);

} // namespace window_layout
