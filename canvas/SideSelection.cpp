#include "canvas/SideSelection.h"

#include "model/SKTDocument.h"

SideSelection::SideSelection(QObject* parent)
    : QObject(parent)
{
}

void SideSelection::setSelectionIndexes(const IndexSet& indexes)
{
    if (indexes == m_indexes)
        return;
    const IndexSet old = m_indexes;
    m_indexes = indexes;
    emit selectionIndexesDidChange(old, m_indexes);
}

void SideSelection::setContent(SKTDocument* document, const QString& key)
{
    disconnect(m_connection);
    m_document = document;
    m_key = key;
    if (document)
        m_connection = connect(document, &SKTDocument::graphicsDidChange, this, &SideSelection::contentDidChange);
}

void SideSelection::contentDidChange(const GraphicListChange& change)
{
    if (change.key != m_key)
        return;
    setSelectionIndexes(adjustedForChange(m_indexes, change));
}

IndexSet SideSelection::adjustedForChange(const IndexSet& selection, const GraphicListChange& change)
{
    IndexSet adjusted;
    if (change.kind == GraphicListChange::Kind::Insertion) {
        // The inserted indexes refer to the list after the insertion: an
        // old object moves down by every inserted index at or before its
        // new place.
        for (int index : selection) {
            int shift = 0;
            for (int inserted : change.indexes) {
                if (inserted > index + shift)
                    break;
                ++shift;
            }
            adjusted.add(index + shift);
        }
    } else {
        for (int index : selection) {
            if (change.indexes.contains(index))
                continue;
            int below = 0;
            for (int removed : change.indexes) {
                if (removed >= index)
                    break;
                ++below;
            }
            adjusted.add(index - below);
        }
    }
    return adjusted;
}
