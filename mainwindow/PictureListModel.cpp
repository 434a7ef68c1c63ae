#include "mainwindow/PictureListModel.h"

#include "mainwindow/PictureFolders.h"

#include <QDir>
#include <QPainter>
#include <QPixmap>

#include <algorithm>

namespace {

// A light card with a frame, shown until the thumbnail arrives. It fills the
// browsers' picture box (5 : 4), so that the items' common size, taken from
// the first item, has room for any picture.
QIcon placeholderIcon()
{
    QPixmap pixmap(PictureListModel::thumbnailSize().width(), PictureListModel::thumbnailSize().height() * 4 / 5);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(190, 196, 208), 3));
    painter.setBrush(QColor(232, 236, 244));
    painter.drawRoundedRect(QRectF(pixmap.rect()).adjusted(2, 2, -2, -2), 10, 10);
    return QIcon(pixmap);
}

}

PictureListModel::PictureListModel(QObject* parent)
    : QAbstractListModel(parent), m_loader(thumbnailSize())
{
    connect(&m_loader, &ThumbnailLoader::thumbnailReady, this, &PictureListModel::thumbnailReady);
    connect(&m_loader, &ThumbnailLoader::allArrived, this, &PictureListModel::thumbnailsArrived);
}

PictureListModel::~PictureListModel() = default;

int PictureListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant PictureListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    const MyImageObject& item = m_images.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return item.imageTitle();
    case Qt::DecorationRole: {
        const auto icon = m_icons.constFind(m_keys.at(index.row()));
        if (icon == m_icons.cend()) {
            if (!m_placeholder.isNull())
                return m_placeholder;
            return {};
        }
        return *icon;
    }
    case PathRole:
        return item.path;
    case UidRole:
        return item.image_UID;
    case ThumbnailReadyRole:
        return m_icons.contains(m_keys.at(index.row()));
    default:
        return {};
    }
}

Qt::ItemFlags PictureListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

bool PictureListModel::addImageWithPath(const QString& path, const QString& imageName, const QString& image_UID)
{
    const QString trimmed = path.trimmed();
    if (trimmed.isEmpty())
        return false;
    append(MyImageObject::initWithImage_Path(trimmed, imageName, image_UID));
    return true;
}

void PictureListModel::addImage(const MyImageObject& item)
{
    append(item);
}

void PictureListModel::addPicturesOfFolder(const QString& folder)
{
    const QDir dir(folder);
    for (const QString& name : PictureFolders::pictureFiles(folder))
        addImageWithPath(dir.filePath(name), name, name);
}

void PictureListModel::append(const MyImageObject& item)
{
    if (m_placeholder.isNull())
        m_placeholder = placeholderIcon();   // needs the GUI; made at first use
    const quint64 key = m_nextKey++;
    const int row = count();
    beginInsertRows(QModelIndex(), row, row);
    m_images.append(item);
    m_keys.append(key);
    endInsertRows();
    if (!item.path.isEmpty())
        m_loader.request(key, item.path);
    else if (!item.image.isNull())
        m_icons.insert(key, QIcon(QPixmap::fromImage(
                                item.image.scaled(thumbnailSize(), Qt::KeepAspectRatio, Qt::SmoothTransformation))));
}

void PictureListModel::clear()
{
    m_loader.cancelAll();
    beginResetModel();
    m_images.clear();
    m_keys.clear();
    m_icons.clear();
    endResetModel();
}

void PictureListModel::removeItemsAtIndexes(const QList<int>& indexes)
{
    QList<int> rows;
    for (int row : indexes) {
        if (row >= 0 && row < count() && !rows.contains(row))
            rows.append(row);
    }
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    for (int row : rows) {
        beginRemoveRows(QModelIndex(), row, row);
        m_icons.remove(m_keys.at(row));
        m_images.removeAt(row);
        m_keys.removeAt(row);
        endRemoveRows();
    }
}

QList<int> PictureListModel::moveItemsAtIndexes(const QList<int>& indexes, int toIndex)
{
    QList<int> rows;
    for (int row : indexes) {
        if (row >= 0 && row < count() && !rows.contains(row))
            rows.append(row);
    }
    if (rows.isEmpty())
        return {};
    std::sort(rows.begin(), rows.end());
    const int before = int(std::count_if(rows.cbegin(), rows.cend(), [toIndex](int row) { return row < toIndex; }));

    // A change of layout, not a reset: the view keeps its scroll position and
    // the selection follows the items.
    emit layoutAboutToBeChanged();
    QList<int> order;   // the old row of each new row
    for (int row = 0; row < count(); ++row) {
        if (!std::binary_search(rows.cbegin(), rows.cend(), row))
            order.append(row);
    }
    const int at = std::clamp(toIndex - before, 0, int(order.size()));
    for (int i = 0; i < rows.size(); ++i)
        order.insert(at + i, rows.at(i));
    QList<MyImageObject> images;
    QList<quint64> keys;
    QList<int> newRowOf(count());
    for (int row = 0; row < order.size(); ++row) {
        images.append(m_images.at(order.at(row)));
        keys.append(m_keys.at(order.at(row)));
        newRowOf[order.at(row)] = row;
    }
    m_images = images;
    m_keys = keys;
    const QModelIndexList persistent = persistentIndexList();
    for (const QModelIndex& old : persistent)
        changePersistentIndex(old, index(newRowOf.at(old.row())));
    emit layoutChanged();

    QList<int> placed;
    for (int i = 0; i < rows.size(); ++i)
        placed.append(at + i);
    return placed;
}

bool PictureListModel::hasThumbnail(int row) const
{
    return row >= 0 && row < count() && m_icons.contains(m_keys.at(row));
}

int PictureListModel::rowOfKey(quint64 key) const
{
    return int(m_keys.indexOf(key));
}

void PictureListModel::thumbnailReady(quint64 key, const QImage& thumbnail)
{
    const int row = rowOfKey(key);
    if (row < 0)
        return;   // removed meanwhile
    // An unreadable file keeps the placeholder, marked as arrived.
    m_icons.insert(key, thumbnail.isNull() ? m_placeholder : QIcon(QPixmap::fromImage(thumbnail)));
    const QModelIndex changed = index(row);
    emit dataChanged(changed, changed, {Qt::DecorationRole, ThumbnailReadyRole});
}
