#pragma once

#include <QString>
#include <functional>

#include "catalogue/catalogue_data.h"

class QWidget;

namespace controls {
class StringGrid;
} // namespace controls

/// What the viewer may touch of the catalogue window: the tables, the list's grid and the chosen entry, which the
/// viewer reads and moves as it steps through the list, the file size shown for that entry, and the window itself
/// (the viewers' owner, minimised from the viewer). The catalogue window (TForm1) implements it.
class CatalogueSelection
{
public:
    explicit CatalogueSelection(catalogue::CatalogueData& catalogueData) : data(catalogueData) {}
    virtual ~CatalogueSelection() = default;
    CatalogueSelection(const CatalogueSelection&) = delete;
    CatalogueSelection& operator=(const CatalogueSelection&) = delete;

    catalogue::CatalogueData& data;              ///< the tables and the category on show
    int CurrentRow = 0;                          ///< the chosen entry's slot in its table (1-based)
    QString CurrentMapPath;                      ///< collection-relative, e.g. "Goroda/moskva.jpg"
    controls::StringGrid* StringGrid1 = nullptr; ///< the list's hidden grid: its current row is the chosen entry

    /// Opens the viewer on CurrentMapPath; installed by the viewer's launcher.
    std::function<void()> OpenViewer;

    /// Makes the grid's current row the chosen entry and shows its details.
    virtual void StringGrid1Click() = 0;
    /// Minimises the catalogue window.
    virtual void Image1Click() = 0;
    /// The file size shown for the chosen entry.
    virtual QString shownFileSize() const = 0;
    /// The catalogue window: the owner of the viewer windows, which takes the keyboard back when one closes.
    virtual QWidget& catalogueWindow() = 0;
};
