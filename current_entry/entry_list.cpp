#include "current_entry/entry_list.h"

#include "files/data_files.h"

EntryList::EntryList(const catalogue::CatalogueData& data, QObject* parent) : QAbstractTableModel(parent), m_data(data)
{
}

int EntryList::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    if (m_category == catalogue::AboutPage)
        return AboutRows;
    const catalogue::CategoryTable* table = m_data.table(m_category);
    return table ? table->count() : 0;
}

int EntryList::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant EntryList::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return text(index.row(), index.column());
}

QString EntryList::text(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return {};
    const int slot = row + 1;
    if (m_category == catalogue::AboutPage)
        return files::displayText(column == TitleColumn ? m_data.AboutLines[slot] : m_data.AboutLines2[slot]);
    const catalogue::CategoryTable* table = m_data.table(m_category);
    return files::displayText(column == YearColumn ? table->Year[slot] : table->Title[slot]);
}

void EntryList::showCategory(int category)
{
    beginResetModel();
    m_category = category;
    endResetModel();
}

void EntryList::tablesChanged()
{
    beginResetModel();
    endResetModel();
}
