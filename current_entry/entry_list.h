#pragma once

#include <QAbstractTableModel>
#include <QString>

#include "catalogue/catalogue_data.h"

/// The list on show as a table model: one row per entry of the category's table, its title in column 0 and its
/// year in column 1; on the about page the page's lines, their first and second texts. These are the texts the
/// list's grid and its row labels show. The model reads the tables as they are; the current entry resets it whenever
/// the list on show is another one or in another order.
class EntryList : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { TitleColumn = 0, YearColumn = 1 };
    /// Lines of each about file the about page lists.
    static constexpr int AboutRows = 30;

    explicit EntryList(const catalogue::CatalogueData& data, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    /// The text of column of row, as shown; empty outside the list.
    QString text(int row, int column) const;

private:
    friend class CurrentEntry;
    /// The list is now category's (a catalogue::CategoryNumber), as its table now is.
    void showCategory(int category);
    /// The tables have changed under the list (loaded, sorted).
    void tablesChanged();

    const catalogue::CatalogueData& m_data;
    int m_category = catalogue::NoCategory;
};
