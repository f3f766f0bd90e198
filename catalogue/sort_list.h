#pragma once

#include <string>
#include <vector>

namespace catalogue {

/// A list of code page 1251 texts kept in catalogue order on every insertion. Duplicates are accepted; a text that
/// compares equal to texts already in the list goes before all of them. Insertion finds its place by bisection.
class SortList
{
public:
    void clear() { m_items.clear(); }
    void add(const std::string& text);
    int count() const { return static_cast<int>(m_items.size()); }
    /// Entry i, counting from 0.
    const std::string& at(int i) const { return m_items[static_cast<size_t>(i)]; }

private:
    std::vector<std::string> m_items;
};

} // namespace catalogue
