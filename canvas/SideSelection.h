#pragma once

#include "model/GraphicListChange.h"
#include "platform/IndexSet.h"

#include <QObject>
#include <QPointer>
#include <QString>

class SKTDocument;

// The selection of one card side: a set of indexes into the side's object
// list. While it follows a document list, indexes move with their objects
// when objects are inserted or removed, and removed objects leave the
// selection, so the same objects stay selected.
class SideSelection : public QObject
{
    Q_OBJECT

public:
    explicit SideSelection(QObject* parent = nullptr);

    IndexSet selectionIndexes() const { return m_indexes; }
    // Tells the observers when the set differs from the current one.
    void setSelectionIndexes(const IndexSet& indexes);

    // Follows the list of `key` ("graphics", "graphics_back" or
    // "graphics_temp") of `document`; a null document stops following.
    void setContent(SKTDocument* document, const QString& key);

    // The selection after `change` was made to the list it refers to.
    static IndexSet adjustedForChange(const IndexSet& selection, const GraphicListChange& change);

signals:
    void selectionIndexesDidChange(const IndexSet& oldIndexes, const IndexSet& newIndexes);

private:
    void contentDidChange(const GraphicListChange& change);

    IndexSet m_indexes;
    QPointer<SKTDocument> m_document;
    QString m_key;
    QMetaObject::Connection m_connection;
};
