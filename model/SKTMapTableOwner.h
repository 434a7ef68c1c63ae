#pragma once

#include "model/SKTGraphic.h"

#include <QHash>
#include <QVariantMap>
#include <utility>
#include <vector>

// The old values of one undo group: per card object (held strongly), the
// values its observed keys had before their first change in the group. The
// undo action of property changes holds it and writes the values back.
class SKTMapTableOwner
{
public:
    using Entry = std::pair<GraphicPtr, QVariantMap>;

    // The dictionary of `graphic`, made empty on first use.
    QVariantMap& valuesFor(const GraphicPtr& graphic);
    bool contains(const SKTGraphic* graphic) const { return m_index.contains(graphic); }

    // The entries in the order their objects first appeared.
    const std::vector<Entry>& mapTable() const { return m_entries; }
    bool isEmpty() const { return m_entries.empty(); }

private:
    std::vector<Entry> m_entries;
    QHash<const SKTGraphic*, std::size_t> m_index;
};
