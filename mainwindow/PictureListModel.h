#pragma once

#include "mainwindow/MyImageObject.h"
#include "mainwindow/ThumbnailLoader.h"

#include <QAbstractListModel>
#include <QHash>
#include <QIcon>
#include <QList>

// The items of a picture browser, in the order shown, with their thumbnails.
// Adding an item returns at once: its thumbnail is decoded on a worker
// thread and shown when it arrives, a placeholder until then. Removing and
// reordering change the list only, never the files.
class PictureListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role { PathRole = Qt::UserRole, UidRole, ThumbnailReadyRole };
    // The size thumbnails are decoded at; the view shows them at its zoom.
    static QSize thumbnailSize() { return {200, 200}; }

    explicit PictureListModel(QObject* parent = nullptr);
    ~PictureListModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    const QList<MyImageObject>& images() const { return m_images; }
    int count() const { return int(m_images.size()); }

    // addImageWithPath:imageName:image_UID: — the path trimmed of white
    // space and line breaks; an empty path adds nothing (false).
    bool addImageWithPath(const QString& path, const QString& imageName, const QString& image_UID);
    // Appends an item as it is (one made from a picture shows that picture).
    void addImage(const MyImageObject& item);
    // Each listed picture of `folder` (full path, file name, file name).
    void addPicturesOfFolder(const QString& folder);
    // Empties the list; thumbnails still on their way are dropped.
    void clear();
    // imageBrowser:removeItemsAtIndexes: — indexes outside the list are
    // passed by.
    void removeItemsAtIndexes(const QList<int>& indexes);
    // imageBrowser:moveItemsAtIndexes:toIndex: — the items are taken out in
    // index order and put back as one block at `toIndex` less the number of
    // moved items that stood before it. Answers the new rows of the block.
    QList<int> moveItemsAtIndexes(const QList<int>& indexes, int toIndex);

    bool hasThumbnail(int row) const;
    int pendingThumbnails() const { return m_loader.pending(); }

signals:
    // Every thumbnail asked for so far has arrived.
    void thumbnailsArrived();

private:
    void thumbnailReady(quint64 key, const QImage& thumbnail);
    int rowOfKey(quint64 key) const;
    void append(const MyImageObject& item);

    QList<MyImageObject> m_images;
    QList<quint64> m_keys;   // one per item, never reused
    quint64 m_nextKey = 1;
    QHash<quint64, QIcon> m_icons;
    QIcon m_placeholder;
    ThumbnailLoader m_loader;
};
