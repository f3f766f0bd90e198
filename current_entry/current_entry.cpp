#include "current_entry/current_entry.h"

#include <algorithm>

#include "catalogue/categories.h"
#include "catalogue/size_text.h"
#include "files/data_files.h"

CurrentEntry::CurrentEntry(catalogue::CatalogueData& data, QObject* parent)
    : QObject(parent), m_data(data), m_list(data)
{
}

int CurrentEntry::rowCount() const
{
    return std::max(1, m_list.rowCount());
}

const catalogue::CategoryTable* CurrentEntry::table() const
{
    return m_data.table(m_category);
}

std::optional<int> CurrentEntry::slotOfRow(int row) const
{
    const int s = row + 1;
    if (!table() || s < 1 || s > catalogue::MaxCatalogueLines)
        return std::nullopt;
    return s;
}

void CurrentEntry::setRow(int row)
{
    if (row == m_row)
        return;
    m_row = row;
    emit changed(m_category, m_row);
}

void CurrentEntry::show(int category, int row)
{
    m_category = category;
    m_row = row;
    m_list.showCategory(category);
    emit changed(m_category, m_row);
}

catalogue::LoadReport CurrentEntry::load(const catalogue::FileReader& read)
{
    catalogue::LoadReport report = catalogue::CatalogueLoad(m_data, read);
    m_list.tablesChanged();
    return report;
}

void CurrentEntry::sortList(catalogue::Ordering ordering)
{
    if (!catalogue::isMapCategory(m_category))
        return;
    catalogue::sortCategory(m_data, m_category, ordering);
    m_list.tablesChanged();
}

QString CurrentEntry::fileNameOfRow(int row) const
{
    const std::optional<int> s = slotOfRow(row);
    return s ? files::fileNameFromCatalogue(table()->FileName[*s]) : QString();
}

QString CurrentEntry::mapPathOfRow(int row) const
{
    if (!catalogue::isMapCategory(category()))
        return QString();
    return QString::fromStdString(catalogue::mapFolder(category())) + fileNameOfRow(row);
}

QString CurrentEntry::previewPath() const
{
    if (!catalogue::isMapCategory(category()))
        return QString();
    return QString::fromStdString(catalogue::previewFolder(category())) + fileNameOfRow(m_row);
}

QString CurrentEntry::title() const
{
    const std::optional<int> s = slot();
    return s ? files::displayText(table()->Title[*s]) : QString();
}

QString CurrentEntry::year() const
{
    const std::optional<int> s = slot();
    return s ? files::displayText(table()->Year[*s]) : QString();
}
