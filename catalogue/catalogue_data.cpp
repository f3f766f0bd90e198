#include "catalogue_data.h"

namespace catalogue {

CategoryTable* CatalogueData::table(int category)
{
    if (category < 1 || category > CategoryCount)
        return nullptr;
    return &CategoryTables[static_cast<size_t>(category)];
}

const CategoryTable* CatalogueData::table(int category) const
{
    return const_cast<CatalogueData*>(this)->table(category);
}

} // namespace catalogue
