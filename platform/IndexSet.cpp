#include "platform/IndexSet.h"

#include <algorithm>

IndexSet::IndexSet(std::initializer_list<int> indexes)
{
    for (int i : indexes)
        add(i);
}

IndexSet::IndexSet(int index)
{
    add(index);
}

IndexSet IndexSet::range(int first, int count)
{
    IndexSet set;
    for (int i = 0; i < count; ++i)
        set.m_indexes.append(first + i);
    if (first < 0)
        set.m_indexes.removeIf([](int i) { return i < 0; });
    return set;
}

bool IndexSet::contains(int index) const
{
    return std::binary_search(m_indexes.cbegin(), m_indexes.cend(), index);
}

void IndexSet::add(int index)
{
    if (index < 0)
        return;
    const auto it = std::lower_bound(m_indexes.begin(), m_indexes.end(), index);
    if (it == m_indexes.end() || *it != index)
        m_indexes.insert(it, index);
}

void IndexSet::remove(int index)
{
    const auto it = std::lower_bound(m_indexes.begin(), m_indexes.end(), index);
    if (it != m_indexes.end() && *it == index)
        m_indexes.erase(it);
}
