#include "mainwindow/print/Sample_Preview.h"

#include <QPainter>

Sample_Preview::Sample_Preview(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Sample_Preview::setPainter(Painter painter)
{
    m_painter = std::move(painter);
    update();
}

QImage Sample_Preview::imageRepresentation() const
{
    QImage image(size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    if (m_painter) {
        QPainter painter(&image);
        m_painter(painter);
    }
    return image;
}

void Sample_Preview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (m_painter)
        m_painter(painter);
}
