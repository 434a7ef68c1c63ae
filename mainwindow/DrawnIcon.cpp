#include "mainwindow/DrawnIcon.h"

#include <QPainter>
#include <QPixmap>

QIcon DrawnIcon::make(const std::function<void(QPainter&)>& draw)
{
    constexpr qreal pixelRatio = 2.0;
    QPixmap pixmap(int(side * pixelRatio), int(side * pixelRatio));
    pixmap.setDevicePixelRatio(pixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    draw(p);
    p.end();
    return QIcon(pixmap);
}
