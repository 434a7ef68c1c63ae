#pragma once

#include <QListView>
#include <QPoint>
#include <QString>

class PictureListModel;

// A browser of pictures: a grid of thumbnails with their file names, over
// its own PictureListModel. The thumbnails load in the background, so
// filling it with hundreds of pictures never holds up the window. The
// selected items can be dragged to another place in the browser (they never
// leave it: the gesture is the browser's own, not a drag and drop that
// another program could take), and Delete takes the selected ones off the
// list (not off the disk). A double click does nothing.
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

    // The gap at `position` in the viewport: the row a moved block goes
    // before (the item count past the last item).
    int dropRowAt(const QPoint& position) const;
    // Moves the selected items as one block before `toIndex`
    // (PictureListModel::moveItemsAtIndexes); they stay selected.
    void moveSelection(int toIndex);

signals:
    // The selection changed (also to no selection).
    void imageBrowserSelectionDidChange();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void endMove();
    // Where the gap marker of row `row` is drawn (between two cells).
    QRect gapMarker(int row) const;

    PictureListModel* m_pictures = nullptr;
    double m_zoom = 0.4;
    bool m_reordering = false;
    // The move gesture: pressed on a selected item, then moved far enough.
    bool m_pressedOnSelection = false;
    bool m_moving = false;
    QPoint m_pressPosition;
    int m_gapRow = -1;
};
