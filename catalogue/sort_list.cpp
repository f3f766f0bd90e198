#include "sort_list.h"

#include "collation.h"

namespace catalogue {

void SortList::add(const std::string& text)
{
    // Bisection for the first entry not less than text, so a text goes before all its equals.
    size_t low = 0;
    size_t high = m_items.size();
    while (low < high) {
        const size_t middle = low + (high - low) / 2;
        if (compareCatalogueText(m_items[middle], text) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(low), text);
}

} // namespace catalogue
