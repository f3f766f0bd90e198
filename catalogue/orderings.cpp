#include "orderings.h"

#include "catalogue_load.h"
#include "categories.h"

namespace catalogue {

namespace {

constexpr int KeyFields = 7;
using Columns = std::array<CategoryTable::Column CategoryTable::*, KeyFields>;

/// The columns of a table in the field order of an ordering's sort key.
const Columns& keyColumns(Ordering ordering)
{
    using T = CategoryTable;
    static const Columns byName{&T::Title, &T::Year, &T::FileName, &T::Author, &T::Description, &T::Spare, &T::Quality};
    static const Columns byYear{&T::Year, &T::Title, &T::FileName, &T::Author, &T::Description, &T::Spare, &T::Quality};
    static const Columns byQuality{&T::Quality,     &T::Title, &T::FileName, &T::Author,
                                   &T::Description, &T::Spare, &T::Year};
    switch (ordering) {
    case Ordering::ByYear:
        return byYear;
    case Ordering::ByQuality:
        return byQuality;
    case Ordering::ByName:
        break;
    }
    return byName;
}

} // namespace

std::string sortKey(const CategoryTable& table, int slot, Ordering ordering)
{
    std::string key;
    const auto at = static_cast<size_t>(slot);
    bool first = true;
    for (const auto column : keyColumns(ordering)) {
        if (!first)
            key.push_back('@');
        key += (table.*column)[at];
        first = false;
    }
    return key;
}

void sortCategory(CatalogueData& data, int category, Ordering ordering)
{
    if (!isMapCategory(category))
        return;
    CategoryTable& table = *data.table(category);
    const int n = table.count();
    if (n <= 0)
        return;

    data.sortList.clear();
    for (auto& record : data.RecordTable)
        for (auto& field : record.Field)
            field.clear();

    std::vector<std::string> keys(static_cast<size_t>(n) + 1);
    for (int s = 1; s <= n; ++s)
        keys[static_cast<size_t>(s)] = sortKey(table, s, ordering);
    for (int s = 1; s <= n; ++s)
        data.sortList.add(keys[static_cast<size_t>(s)]);
    for (int i = 1; i <= n; ++i)
        data.SortedLines[static_cast<size_t>(i)] = data.sortList.at(i - 1);
    for (int i = 1; i <= n; ++i)
        splitRecord(data.SortedLines[static_cast<size_t>(i)], data.RecordTable[static_cast<size_t>(i)]);

    const Columns& columns = keyColumns(ordering);
    for (int s = 1; s <= n; ++s) {
        // Quality reads the ascending result backwards so the best mark comes first.
        const int from = ordering == Ordering::ByQuality ? n + 1 - s : s;
        const MapRecord& record = data.RecordTable[static_cast<size_t>(from)];
        for (int k = 0; k < KeyFields; ++k)
            (table.*columns[static_cast<size_t>(k)])[static_cast<size_t>(s)] = record.Field[static_cast<size_t>(k + 1)];
    }
}

} // namespace catalogue
