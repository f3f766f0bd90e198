// The three ordering areas under the list: re-sort the category on show, rewrite the list and choose its first entry.
#include "catalogue/categories.h"
#include "catalogue/orderings.h"
#include "catalogue_window/row_slots.h"
#include "catalogue_window/tform1.h"
#include "controls/string_grid.h"
#include "files/data_files.h"

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
    const int category = m_data.CurrentCategory;
    const bool yearsFirst = ordering == catalogue::Ordering::ByYear;
    if (catalogue::isMapCategory(category)) {
        catalogue::sortCategory(m_data, category, ordering);
        const catalogue::CategoryTable& table = *m_data.table(category);
        for (int slot = 1; slot <= table.count(); ++slot) {
            const QString title = files::displayText(table.Title[slot]);
            const QString year = files::displayText(table.Year[slot]);
            listGrid->setCell(0, slot - 1, yearsFirst ? year : title);
            listGrid->setCell(1, slot - 1, yearsFirst ? title : year);
        }
    }

    refillRowLabels();
    setSecondColumnLeft(yearsFirst ? catalogue_window::SecondColumnLeftAfterYears
                                   : catalogue_window::secondColumnLeft());
    listGrid->setTopRow(0);
    // The first entry of the new order is chosen, whichever was before.
    m_entry.startList(category);
    m_entry.announce();
}
