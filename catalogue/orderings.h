#pragma once

#include "catalogue_data.h"

namespace catalogue {

enum class Ordering { ByName, ByYear, ByQuality };

/// Re-sorts the table of category (1..4) through the work areas of data (sortList, SortedLines, RecordTable) and
/// writes it back in the new order: ascending for name and year, the ascending result read backwards for quality.
/// Does nothing for any other category number or an empty table.
void sortCategory(CatalogueData& data, int category, Ordering ordering);

/// The sort key of slot s of table for ordering: seven fields joined by "@".
std::string sortKey(const CategoryTable& table, int slot, Ordering ordering);

} // namespace catalogue
