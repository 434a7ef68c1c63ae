#include "model/SKTMapTableOwner.h"

QVariantMap& SKTMapTableOwner::valuesFor(const GraphicPtr& graphic)
{
    const auto found = m_index.constFind(graphic.get());
    if (found != m_index.constEnd())
        return m_entries[*found].second;
    m_index.insert(graphic.get(), m_entries.size());
    m_entries.emplace_back(graphic, QVariantMap());
    return m_entries.back().second;
}
