// The 29 visible rows over the hidden grid: the row click, the scroll refill, keys and opening an entry.
#include <string>

#include "catalogue/categories.h"
#include "catalogue/collation.h"
#include "catalogue_window/row_slots.h"
#include "catalogue_window/tform1.h"
#include "controls/focus_frame.h"
#include "controls/string_grid.h"
#include "controls/text_label.h"
#include "files/data_files.h"
#include "window_layout/catalogue_controls.h"

using catalogue_window::firstColumnLabel;
using catalogue_window::secondColumnLabel;
using catalogue_window::VisibleRows;

QString TForm1::listText(int column, int row) const
{
    // The by-year ordering shows the years first; the about page's lines keep their places.
    const bool swapped = m_yearsFirst && m_entry.category() != catalogue::AboutPage;
    return m_entry.list().text(row, swapped ? 1 - column : column);
}

void TForm1::refillRowLabels()
{
    const int top = listGrid->topRow();
    for (int slot = 1; slot <= VisibleRows; ++slot)
        Label[firstColumnLabel(slot)]->setCaption(listText(0, top + slot - 1));
    // On the about page column 1 holds the link rows' texts: the second column stays empty whatever scrolls.
    if (m_entry.category() == catalogue::AboutPage)
        return;
    for (int slot = 1; slot <= VisibleRows; ++slot)
        Label[secondColumnLabel(slot)]->setCaption(listText(1, top + slot - 1));
}

int catalogue_window::secondColumnLeft()
{
    static const int left =
        window_layout::catalogueControl("Label" + std::to_string(secondColumnLabel(1))).place.left();
    return left;
}

void TForm1::setSecondColumnLeft(int left)
{
    for (int slot = 1; slot <= VisibleRows; ++slot) {
        controls::TextLabel* label = Label[secondColumnLabel(slot)];
        label->move(left, label->y());
    }
}

static void setRowLook(controls::TextLabel* label, bool chosen)
{
    label->setBold(chosen);
    label->setTextColour(chosen ? window_layout::RowHighlightColour : window_layout::RowNormalColour);
}

void TForm1::markChosenSlot(int chosen)
{
    for (int slot = 1; slot <= VisibleRows; ++slot) {
        setRowLook(Label[firstColumnLabel(slot)], slot == chosen);
        setRowLook(Label[secondColumnLabel(slot)], slot == chosen);
    }
    const controls::TextLabel* first = chosen > 0 ? Label[firstColumnLabel(chosen)] : nullptr;
    listFocusFrame->setPlace(first ? QRect(1, first->y() - 1, listGrid->x() - 2, first->height() + 2) : QRect());
}

void TForm1::rowClick(int slot)
{
    const int row = listGrid->topRow() + slot - 1;
    // A row past the end of a short list is empty: a click on it changes nothing.
    if (row >= listGrid->rowCount())
        return;
    // The grid asks the entry to move; the window follows the entry (showChosenEntry), also the viewer.
    listGrid->setRow(row);
    markChosenSlot(slot);
}

void TForm1::rowDoubleClick(int /*slot*/)
{
    // The click of the same double-click has already made the row current.
    OpenCurrentEntry();
}

void TForm1::StringGrid1TopLeftChanged()
{
    refillRowLabels();
    markChosenSlot(visibleSlotOfCurrentRow());
}

int TForm1::visibleSlotOfCurrentRow() const
{
    const int d = listGrid->row() - listGrid->topRow();
    return d >= 0 && d < VisibleRows ? d + 1 : 0;
}

void TForm1::StringGrid1KeyDown(int key)
{
    if (key == Qt::Key_Escape) {
        close();
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        OpenCurrentEntry();
}

void TForm1::chooseTypedEntry(const QString& typed)
{
    if (!catalogue::isCategory(m_entry.category()))
        return;
    const auto view = [](const QString& text) {
        return std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size()));
    };
    const int count = m_entry.list().rowCount();
    for (int row = 0; row < count; ++row) {
        if (catalogue::startsWithCatalogueText(view(listText(0, row)), view(typed))) {
            m_entry.setRow(row);
            return;
        }
    }
}

void TForm1::OpenCurrentEntry()
{
    const int category = m_entry.category();
    if (catalogue::isMapCategory(category))
        ImageMapClick();
    else if (category == catalogue::Articles)
        openArticle(m_entry.row() + 1);
}
