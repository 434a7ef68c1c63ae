#include "mainwindow/Repeat_Image.h"

#include "mainwindow/BannerHost.h"
#include "platform/Picture.h"

#include <QBrush>
#include <QPaintEvent>
#include <QPainter>

Repeat_Image::Repeat_Image(QWidget* parent) : QWidget(parent) {}

void Repeat_Image::fillWithTiles(QPainter& painter, const QRect& dirty, const QImage& tile)
{
    if (tile.isNull())
        return;
    painter.save();
    // The brush's pattern starts at the area's own corner, not at the
    // corner of whatever device the area is drawn into.
    painter.setBrushOrigin(QPointF(0, 0));
    painter.fillRect(dirty, QBrush(tile));
    painter.restore();
}

void Repeat_Image::paintEvent(QPaintEvent* event)
{
    const BannerHost* host = BannerHost::current();
    if (!host)
        return;
    QPainter painter(this);
    fillWithTiles(painter, event->rect(), host->bannerImage().image());
}
