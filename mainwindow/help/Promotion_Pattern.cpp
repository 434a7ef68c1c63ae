#include "mainwindow/help/Promotion_Pattern.h"

#include <QPaintEvent>
#include <QPainter>

Promotion_Pattern::Promotion_Pattern(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Promotion_Pattern"));
}

void Promotion_Pattern::setPattern(const QImage& pattern)
{
    m_pattern = pattern;
    update();
}

void Promotion_Pattern::setImage(const QImage& image)
{
    m_image = image;
    updateGeometry();
    update();
}

QSize Promotion_Pattern::sizeHint() const
{
    return QSize(180, 180);
}

void Promotion_Pattern::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.save();
    if (!m_pattern.isNull())
        painter.fillRect(event->rect(), QBrush(m_pattern));
    painter.restore();
    if (m_image.isNull())
        return;
    const QSizeF box = size();
    QSizeF shown = m_image.size();
    if (shown.width() > box.width() || shown.height() > box.height())
        shown.scale(box, Qt::KeepAspectRatio);
    const QRectF target(QPointF((box.width() - shown.width()) / 2, (box.height() - shown.height()) / 2), shown);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, m_image);
}
