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

void Sample_Preview::Draw_Label_String(QPainter& painter, const QString& text, const QRectF& str_val, int row,
                                       int col, int columns)
{
    const bool numbered = text == QLatin1String("Front") || text == QLatin1String("Back")
        || text == QLatin1String("Card");
    painter.setPen(numbered ? Qt::gray : Qt::red);
    const QString caption =
        numbered ? QStringLiteral("%1 %2").arg(text).arg((row - 1) * columns + col) : text;
    painter.drawText(str_val, Qt::AlignCenter, caption);
}

void Sample_Preview::Draw_Margin_rect(QPainter& painter, const QRectF& rect, bool Show_margin_rect)
{
    if (!Show_margin_rect)
        return;
    painter.setPen(QPen(Qt::darkGray, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect);
}
