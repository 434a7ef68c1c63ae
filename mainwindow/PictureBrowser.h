#pragma once

#include <QListView>
#include <QString>

class PictureListModel;

// A browser of pictures: a grid of thumbnails with their file names, over
// its own PictureListModel. The thumbnails load in the background, so
// filling it with hundreds of pictures never holds up the window. Items can
// be reordered by dragging them inside the browser (never out of it), and
// Delete takes the selected ones off the list (not off the disk). A double
// click does nothing.
class PictureBrowser : public QListView
{
    Q_OBJECT

public:
    explicit PictureBrowser(QWidget* parent = nullptr);
    ~PictureBrowser() override;

    PictureListModel* pictures() const { return m_pictures; }

    // The zoom from 0 to 1 (0.4 is the usual start): the size the
    // thumbnails are shown at.
    void setZoomValue(double zoom);
    double zoomValue() const { return m_zoom; }
    static QSize iconSizeForZoom(double zoom);

    // Rows of the selection in ascending order, and the path of the first of
    // them ("" when nothing is selected).
    QList<int> selectedRows() const;
    QString selectedPath() const;
    // Selects (only) `row` and shows it.
    void setCurrentRow(int row);

    // The drop gap at `position` in the viewport: the row a dropped block
    // goes before (the item count past the last item).
    int dropRowAt(const QPoint& position) const;
    // Moves the selected items as one block before `toIndex` (the drop's
    // rule, PictureListModel::moveItemsAtIndexes); they stay selected.
    void moveSelection(int toIndex);

signals:
    // The selection changed (also to no selection).
    void imageBrowserSelectionDidChange();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool isOwnDrag(const QDropEvent* event) const;

    PictureListModel* m_pictures = nullptr;
    double m_zoom = 0.4;
    bool m_reordering = false;
};
