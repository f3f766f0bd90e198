// What a screen reader is told when the chosen entry changes: the tab of its category selected, the preview named by
// the entry, the stars counted. The roles and the fixed names come from the control table.
#include "catalogue/categories.h"
#include "catalogue/size_text.h"
#include "catalogue_window/tform1.h"
#include "controls/accessible_control.h"
#include "controls/picture_control.h"
#include "desktop/guarded.h"

void TForm1::connectAccessibility()
{
    // Made after the window's own handlers, so the panel is filled when it is announced.
    desktop::connectGuarded(&m_entry, &CurrentEntry::changed, this, &TForm1::announceChosenEntry);
}

void TForm1::announceChosenEntry()
{
    const int category = m_entry.category();
    controls::PictureControl* const tabs[] = {citiesHoverArea, regionsHoverArea, countryHoverArea, metroHoverArea,
                                              articlesHoverArea};
    for (int tab = catalogue::Cities; tab <= catalogue::Articles; ++tab)
        controls::setAccessibleSelected(tabs[tab - catalogue::Cities], tab == category);

    const catalogue::CategoryTable* table = m_entry.table();
    const std::optional<int> slot = m_entry.slot();
    if (!table || !slot || !catalogue::isMapCategory(category))
        return;
    controls::setAccessibleShown(previewPicture, m_entry.title());
    controls::setAccessibleShown(starPictures[1], QString::number(catalogue::starCount(table->Quality[*slot])));
}
