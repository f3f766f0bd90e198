#pragma once

#include <QObject>
#include <QString>
#include <optional>

#include "catalogue/catalogue_data.h"

/// The entry the user has chosen: the category on show and the row of its list (0-based; the entry is slot row + 1
/// of the category's table). Both windows observe it: the list grid, the row labels and the detail panel of the
/// catalogue window, and the viewer, which moves it as it steps through the list. What an entry is (its map path,
/// title, year, file size) is answered here from the tables, and nowhere else.
class CurrentEntry : public QObject
{
    Q_OBJECT
public:
    explicit CurrentEntry(catalogue::CatalogueData& data, QObject* parent = nullptr);

    catalogue::CatalogueData& data() const { return m_data; }
    int category() const { return m_data.CurrentCategory; }
    int row() const { return m_row; }
    /// Rows of the list on show: the category's entries, but never fewer than one (an empty list shows one blank
    /// row).
    int rowCount() const;
    /// The category's table (nullptr on the about page and before the first view) and the entry's slot in it, when
    /// the row names one.
    const catalogue::CategoryTable* table() const;
    std::optional<int> slot() const;

    /// Moves to another row of the list on show; announces changed() when the row is a new one.
    void setRow(int row);
    /// A list is being built for category (or rebuilt in a new order): row (the first, unless told) becomes current.
    /// Nothing is announced until the list is complete and its builder calls announce().
    void startList(int category, int row = 0);
    /// Tells the observers that the entry is new although the row may be the same (a list built or reordered).
    void announce();

    /// Collection-relative paths of the entry's full-size map and its preview ("Goroda/moskva.jpg"); empty outside
    /// the map categories. An empty list gives the folders themselves.
    QString mapPath() const { return mapPathOfRow(m_row); }
    QString previewPath() const;
    /// The map path of another row of the list on show (the neighbours a viewer reads ahead).
    QString mapPathOfRow(int row) const;
    /// The entry's title and year as shown; empty past the end of the list.
    QString title() const;
    QString year() const;
    /// Size in bytes of the entry's map file; nullopt when there is none.
    std::optional<qint64> fileSize() const;
    /// The file size as the catalogue and the viewer show it ("812 Kb"); empty when there is no file.
    QString fileSizeText() const;

signals:
    void changed();

private:
    QString fileNameOfRow(int row) const;

    catalogue::CatalogueData& m_data;
    int m_row = 0;
};
