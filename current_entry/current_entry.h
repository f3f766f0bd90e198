#pragma once

#include <QObject>
#include <QString>
#include <optional>

#include "catalogue/catalogue_data.h"
#include "catalogue/catalogue_load.h"
#include "catalogue/orderings.h"
#include "current_entry/entry_list.h"

/// The entry the user has chosen: the category on show, its list and the row of the list (0-based; the entry is slot
/// row + 1 of the category's table). All three are held here and nowhere else, and only changed here: the catalogue
/// window's list grid reads its current row from here and asks here to move it, the row labels and the detail panel
/// follow changed(), and the viewer moves the row as it steps through the list. What an entry is (its map path,
/// title, year, file size) is answered here from the tables, which are handed out read-only.
class CurrentEntry : public QObject
{
    Q_OBJECT
public:
    explicit CurrentEntry(catalogue::CatalogueData& data, QObject* parent = nullptr);

    const catalogue::CatalogueData& data() const { return m_data; }
    /// The list on show: the texts of its rows.
    const EntryList& list() const { return m_list; }
    int category() const { return m_category; }
    int row() const { return m_row; }
    /// Rows of the list on show, but never fewer than one (an empty list shows one blank row).
    int rowCount() const;
    /// The category's table (nullptr on the about page and before the first view) and the entry's slot in it, when
    /// the row names one.
    const catalogue::CategoryTable* table() const;
    std::optional<int> slot() const { return slotOfRow(m_row); }

    /// Moves to another row of the list on show; announces changed() when the row is a new one.
    void setRow(int row);
    /// Shows row of category's list: a list built, rebuilt in a new order, or the about page. Announces changed()
    /// even when category and row stay the same, since the list itself may be new.
    void show(int category, int row = 0);
    /// Reads the catalogue into the tables (once per process); the list is read anew.
    catalogue::LoadReport load(const catalogue::FileReader& read);
    /// Puts the table of the map category on show in ordering; the list follows. Nothing else: the caller shows the
    /// row it chooses in the new order.
    void sortList(catalogue::Ordering ordering);

    /// Collection-relative paths of the entry's full-size map and its preview ("Goroda/moskva.jpg"); empty outside
    /// the map categories. An empty list gives the folders themselves.
    QString mapPath() const { return mapPathOfRow(m_row); }
    QString previewPath() const;
    /// The map path of another row of the list on show (the neighbours a viewer reads ahead).
    QString mapPathOfRow(int row) const;
    /// The entry's title and year as shown; empty past the end of the list.
    QString title() const;
    QString year() const;

signals:
    /// The chosen entry is another one (or its list was built anew): category and row as they now are.
    void changed(int category, int row);

private:
    /// The slot of row in the category's table, when there is a table and the row lies within its slots.
    std::optional<int> slotOfRow(int row) const;
    QString fileNameOfRow(int row) const;

    catalogue::CatalogueData& m_data;
    EntryList m_list;
    /// The category on show: 1..5, catalogue::AboutPage, or catalogue::NoCategory before the first view.
    int m_category = catalogue::NoCategory;
    int m_row = 0;
};
