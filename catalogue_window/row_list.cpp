// The 29 visible rows over the hidden grid: the row click, the scroll refill, keys and opening an entry.
#include "catalogue/categories.h"
#include "catalogue_window/tform1.h"
#include "controls/string_grid.h"
#include "controls/text_label.h"
#include "window_layout/catalogue_controls.h"

void TForm1::refillRowLabels()
{
    const int top = StringGrid1->topRow();
    for (int k = 0; k < 29; ++k)
        Label[k + 1]->setCaption(StringGrid1->cell(0, top + k));
    // On the about page column 1 holds the link rows' texts: the second column stays empty whatever scrolls.
    if (data.CurrentCategory == catalogue::AboutPage)
        return;
    for (int k = 0; k < 29; ++k)
        Label[k + 48]->setCaption(StringGrid1->cell(1, top + k));
}

void TForm1::setSecondColumnLeft(int left)
{
    for (int n = 48; n <= 76; ++n)
        Label[n]->move(left, Label[n]->y());
}

static void setRowLook(controls::TextLabel* label, bool chosen)
{
    label->setBold(chosen);
    label->setTextColour(chosen ? window_layout::RowHighlightColour : window_layout::RowNormalColour);
}

void TForm1::LabelClick(int slot)
{
    const int row = StringGrid1->topRow() + slot - 1;
    // A row past the end of a short list is empty: a click on it changes nothing.
    if (row >= StringGrid1->rowCount())
        return;
    StringGrid1->setRow(row);
    for (int s = 1; s <= 29; ++s) {
        setRowLook(Label[s], s == slot);
        setRowLook(Label[s + 47], s == slot);
    }
}

void TForm1::LabelDblClick(int /*slot*/)
{
    // The click of the same double-click has already made the row current.
    OpenCurrentEntry();
}

void TForm1::StringGrid1TopLeftChanged()
{
    refillRowLabels();
    const int d = StringGrid1->row() - StringGrid1->topRow();
    if (d >= 0 && d <= 28) {
        LabelClick(d + 1);
        return;
    }
    for (int s = 1; s <= 29; ++s) {
        setRowLook(Label[s], false);
        setRowLook(Label[s + 47], false);
    }
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
    const int category = data.CurrentCategory;
    if (catalogue::isMapCategory(category))
        ImageMapClick();
    else if (category == catalogue::Articles)
        openArticle(StringGrid1->row() + 1);
}
