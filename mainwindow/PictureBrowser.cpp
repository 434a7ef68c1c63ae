#include "mainwindow/PictureBrowser.h"

#include "mainwindow/PictureListModel.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>

#include <algorithm>
#include <cmath>

PictureBrowser::PictureBrowser(QWidget* parent) : QListView(parent)
{
    m_pictures = new PictureListModel(this);
    setModel(m_pictures);
    setViewMode(QListView::IconMode);
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Static);
    setLayoutMode(QListView::Batched);
    setBatchSize(100);
    setUniformItemSizes(true);
    setWordWrap(false);
    setTextElideMode(Qt::ElideMiddle);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::InternalMove);
    setDefaultDropAction(Qt::MoveAction);
    setZoomValue(m_zoom);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!m_reordering)
            emit imageBrowserSelectionDidChange();
    });
}

PictureBrowser::~PictureBrowser() = default;

QSize PictureBrowser::iconSizeForZoom(double zoom)
{
    const double z = std::clamp(zoom, 0.0, 1.0);
    const int side = int(std::lround(40 + z * (PictureListModel::thumbnailSize().width() - 40)));
    return {side, side * 2 / 3};
}

void PictureBrowser::setZoomValue(double zoom)
{
    m_zoom = std::clamp(zoom, 0.0, 1.0);
    const QSize icon = iconSizeForZoom(m_zoom);
    setIconSize(icon);
    const int text = fontMetrics().height();
    setGridSize(QSize(icon.width() + 16, icon.height() + text + 14));
    viewport()->update();
}

QList<int> PictureBrowser::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

QString PictureBrowser::selectedPath() const
{
    const QList<int> rows = selectedRows();
    if (rows.isEmpty())
        return QString("");
    return m_pictures->images().at(rows.first()).path;
}

void PictureBrowser::setCurrentRow(int row)
{
    if (row < 0 || row >= m_pictures->count())
        return;
    const QModelIndex index = m_pictures->index(row);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

int PictureBrowser::dropRowAt(const QPoint& position) const
{
    const QModelIndex index = indexAt(position);
    if (!index.isValid())
        return m_pictures->count();
    const QRect cell = visualRect(index);
    return position.x() > cell.center().x() ? index.row() + 1 : index.row();
}

void PictureBrowser::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) {
        const QList<int> rows = selectedRows();
        if (!rows.isEmpty()) {
            m_pictures->removeItemsAtIndexes(rows);
            event->accept();
            return;
        }
    }
    QListView::keyPressEvent(event);
}

// The drag carries the rows only; whatever the drop answers, nothing is
// taken off the list here (the move is done by the drop).
void PictureBrowser::startDrag(Qt::DropActions)
{
    const QModelIndexList indexes = selectionModel()->selectedIndexes();
    if (indexes.isEmpty())
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(m_pictures->mimeData(indexes));
    const QVariant icon = m_pictures->data(indexes.first(), Qt::DecorationRole);
    if (icon.canConvert<QIcon>())
        drag->setPixmap(icon.value<QIcon>().pixmap(iconSize() / 2));
    drag->exec(Qt::MoveAction);
}

bool PictureBrowser::isOwnDrag(const QDropEvent* event) const
{
    return event->source() == this && event->mimeData()->hasFormat(PictureListModel::rowsMimeType());
}

void PictureBrowser::dragEnterEvent(QDragEnterEvent* event)
{
    if (!isOwnDrag(event)) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void PictureBrowser::dragMoveEvent(QDragMoveEvent* event)
{
    if (!isOwnDrag(event)) {
        event->ignore();
        return;
    }
    QListView::dragMoveEvent(event);   // autoscroll and the drop indicator
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void PictureBrowser::dropEvent(QDropEvent* event)
{
    if (!isOwnDrag(event)) {
        event->ignore();
        return;
    }
    const int toIndex = dropRowAt(event->position().toPoint());
    moveSelection(toIndex);
    event->setDropAction(Qt::MoveAction);
    event->accept();
    stopAutoScroll();
    setState(QAbstractItemView::NoState);
    viewport()->update();
}

void PictureBrowser::moveSelection(int toIndex)
{
    // The moved items stay selected; a reordering is no new choice.
    m_reordering = true;
    const QList<int> placed = m_pictures->moveItemsAtIndexes(selectedRows(), toIndex);
    if (!placed.isEmpty()) {
        QItemSelection selection;
        selection.select(m_pictures->index(placed.first()), m_pictures->index(placed.last()));
        selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    }
    m_reordering = false;
}
