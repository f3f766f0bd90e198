// The 29 visible rows over the hidden grid: the row click, the scroll refill, keys and opening an entry.
#include <string>

#include "catalogue/categories.h"
#include "catalogue_window/row_slots.h"
#include "catalogue_window/tform1.h"
#include "controls/string_grid.h"
#include "controls/text_label.h"
#include "files/data_files.h"
#include "window_layout/catalogue_controls.h"

using catalogue_window::firstColumnLabel;
using catalogue_window::secondColumnLabel;
using catalogue_window::VisibleRows;

QString TForm1::listText(int column, int row) const
{
    const catalogue::CatalogueData& data = m_entry.data();
    const int slot = row + 1;
    if (m_entry.category() == catalogue::AboutPage) {
        if (slot < 1 || slot > catalogue_window::AboutRows)
            return {};
        return files::displayText(column == 0 ? data.AboutLines[slot] : data.AboutLines2[slot]);
    }
    const catalogue::CategoryTable* table = m_entry.table();
    if (!table || slot < 1 || slot > table->count())
        return {};
    const bool year = (column == 1) != m_yearsFirst;
    return files::displayText(year ? table->Year[slot] : table->Title[slot]);
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
}

void TForm1::rowClick(int slot)
{
    const int row = listGrid->topRow() + slot - 1;
    // A row past the end of a short list is empty: a click on it changes nothing.
    if (row >= listGrid->rowCount())
        return;
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
    const int d = listGrid->row() - listGrid->topRow();
    if (d >= 0 && d < VisibleRows) {
        rowClick(d + 1);
        return;
    }
    markChosenSlot(0);
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

void TForm1::OpenCurrentEntry()
{
    const int category = m_entry.category();
    if (catalogue::isMapCategory(category))
        ImageMapClick();
    else if (category == catalogue::Articles)
        openArticle(m_entry.row() + 1);
}
