// The three ordering areas under the list: re-sort the category on show, rewrite the list and choose its first entry.
#include "catalogue/categories.h"
#include "catalogue/orderings.h"
#include "catalogue_window/row_slots.h"
#include "catalogue_window/tform1.h"
#include "controls/string_grid.h"

void TForm1::ImagePoNazvaniyuClick()
{
    applyOrdering(catalogue::Ordering::ByName);
}

void TForm1::ImagePoGoduClick()
{
    applyOrdering(catalogue::Ordering::ByYear);
}

void TForm1::ImagePoKa4estvyClick()
{
    applyOrdering(catalogue::Ordering::ByQuality);
}

void TForm1::applyOrdering(catalogue::Ordering ordering)
{
    const int category = m_entry.category();
    const bool yearsFirst = ordering == catalogue::Ordering::ByYear;
    // The list reads the table, now in the new order; the by-year order shows the years in the first column.
    if (catalogue::isMapCategory(category)) {
        m_entry.sortList(ordering);
        m_yearsFirst = yearsFirst;
    }

    refillRowLabels();
    setSecondColumnLeft(yearsFirst ? catalogue_window::SecondColumnLeftAfterYears
                                   : catalogue_window::secondColumnLeft());
    listGrid->setTopRow(0);
    // The first entry of the new order is chosen, whichever was before.
    m_entry.show(category, 0);
}
