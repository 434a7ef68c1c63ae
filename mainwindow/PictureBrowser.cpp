#include "mainwindow/PictureBrowser.h"

#include "mainwindow/PictureListModel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

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
    setDragDropMode(QAbstractItemView::NoDragDrop);
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
    return {side, side * 4 / 5};
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

void PictureBrowser::moveSelection(int toIndex)
{
    // The moved items stay selected; a reordering is no new choice.
    m_reordering = true;
    const QList<int> placed = m_pictures->moveItemsAtIndexes(selectedRows(), toIndex);
    if (!placed.isEmpty()) {
        QItemSelection selection;
        selection.select(m_pictures->index(placed.first()), m_pictures->index(placed.last()));
        selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
        selectionModel()->setCurrentIndex(m_pictures->index(placed.first()), QItemSelectionModel::NoUpdate);
    }
    m_reordering = false;
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
    if (event->key() == Qt::Key_Escape && m_moving) {
        endMove();
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

// A press on an item already selected, without modifiers, may start a move
// of the whole selection; the selection is then settled on release.
void PictureBrowser::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    m_pressedOnSelection = event->button() == Qt::LeftButton && event->modifiers() == Qt::NoModifier
                           && index.isValid() && selectionModel()->isSelected(index);
    m_pressPosition = event->position().toPoint();
    if (m_pressedOnSelection) {
        event->accept();
        return;
    }
    QListView::mousePressEvent(event);
    // A press that just selected an item can be moved at once too.
    m_pressedOnSelection = event->button() == Qt::LeftButton && event->modifiers() == Qt::NoModifier
                           && index.isValid() && selectionModel()->isSelected(index);
}

void PictureBrowser::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint position = event->position().toPoint();
    if (m_pressedOnSelection && (event->buttons() & Qt::LeftButton)) {
        if (!m_moving && (position - m_pressPosition).manhattanLength() >= QApplication::startDragDistance()) {
            m_moving = true;
            viewport()->setCursor(Qt::DragMoveCursor);
        }
        if (m_moving) {
            // Near the top or bottom edge the browser scrolls.
            const int edge = 16;
            if (position.y() < edge)
                verticalScrollBar()->setValue(verticalScrollBar()->value() - verticalScrollBar()->singleStep());
            else if (position.y() > viewport()->height() - edge)
                verticalScrollBar()->setValue(verticalScrollBar()->value() + verticalScrollBar()->singleStep());
            m_gapRow = dropRowAt(position);
            viewport()->update();
        }
        event->accept();
        return;
    }
    QListView::mouseMoveEvent(event);
}

void PictureBrowser::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_moving) {
        const int toIndex = dropRowAt(event->position().toPoint());
        endMove();
        moveSelection(toIndex);
        event->accept();
        return;
    }
    if (m_pressedOnSelection && event->button() == Qt::LeftButton) {
        // No move after all: a plain click on a selected item chooses it alone.
        m_pressedOnSelection = false;
        const QModelIndex index = indexAt(event->position().toPoint());
        if (index.isValid())
            selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        emit clicked(index);
        event->accept();
        return;
    }
    m_pressedOnSelection = false;
    QListView::mouseReleaseEvent(event);
}

// Nothing happens on a double click but the press's own selection.
void PictureBrowser::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

void PictureBrowser::endMove()
{
    m_moving = false;
    m_pressedOnSelection = false;
    m_gapRow = -1;
    viewport()->unsetCursor();
    viewport()->update();
}

QRect PictureBrowser::gapMarker(int row) const
{
    if (m_pictures->count() == 0)
        return {};
    const bool afterLast = row >= m_pictures->count();
    const QRect cell = visualRect(m_pictures->index(afterLast ? m_pictures->count() - 1 : row));
    const int x = afterLast ? cell.right() + 1 : cell.left();
    return QRect(x - 2, cell.top(), 3, cell.height());
}

void PictureBrowser::paintEvent(QPaintEvent* event)
{
    QListView::paintEvent(event);
    if (!m_moving || m_gapRow < 0)
        return;
    QPainter painter(viewport());
    painter.fillRect(gapMarker(m_gapRow), palette().color(QPalette::Highlight));
}
