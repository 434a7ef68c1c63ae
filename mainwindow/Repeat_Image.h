#pragma once

#include <QWidget>

class QImage;
class QPainter;

// The banner strip along the top of the main window, behind the toolbar: it
// tiles the banner picture of the main window (BannerHost) over itself, the tiles
// starting at its own upper-left corner wherever it sits in the window, and
// its child widgets (the toolbar buttons) draw over the tiles. Without a
// banner picture it is left to the window's background.
class Repeat_Image : public QWidget
{
    Q_OBJECT

public:
    explicit Repeat_Image(QWidget* parent = nullptr);

    // Fills `dirty` (in the coordinates of the area `painter` draws, whose
    // origin is the area's upper-left corner) with copies of `tile`, the
    // first one at that origin; nothing for a null tile.
    static void fillWithTiles(QPainter& painter, const QRect& dirty, const QImage& tile);

protected:
    void paintEvent(QPaintEvent* event) override;
};
