// The three orderings of every map category of a catalogue loaded from arbitrary maps.txt bytes.
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/catalogue_load.h"
#include "catalogue/categories.h"
#include "catalogue/collation.h"
#include "catalogue/orderings.h"

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

/// The rows of a table as whole records, to compare before and after a sort regardless of order.
std::vector<std::string> rowsOf(const catalogue::CategoryTable& table)
{
    std::vector<std::string> rows;
    for (int s = 1; s <= table.count(); ++s)
        rows.push_back(catalogue::sortKey(table, s, catalogue::Ordering::ByName));
    std::sort(rows.begin(), rows.end());
    return rows;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static auto tables = std::make_unique<catalogue::CatalogueData>();
    const std::string maps(reinterpret_cast<const char*>(data), size);
    catalogue::LoadReport report;
    catalogue::loadFromBytes(*tables, catalogue::LoadInput{nullptr, nullptr, &maps}, report);

    using catalogue::Ordering;
    for (int category = 1; category <= catalogue::CategoryCount; ++category) {
        if (!catalogue::isMapCategory(category))
            continue;
        catalogue::CategoryTable& table = *tables->table(category);
        const int count = table.count();
        const std::vector<std::string> before = rowsOf(table);
        for (const Ordering ordering : {Ordering::ByName, Ordering::ByYear, Ordering::ByQuality}) {
            catalogue::sortCategory(*tables, category, ordering);
            // A sort moves rows; it never adds, drops or changes one.
            check(table.count() == count);
            check(rowsOf(table) == before);
            // Name and year ascend; quality is the ascending order read backwards.
            for (int s = 1; s < count; ++s) {
                const int order = catalogue::compareCatalogueText(catalogue::sortKey(table, s, ordering),
                                                                  catalogue::sortKey(table, s + 1, ordering));
                check(ordering == Ordering::ByQuality ? order >= 0 : order <= 0);
            }
        }
    }
    return 0;
}
