#include "mainwindow/VerticallyCenteredTextFieldCell.h"

#include <QPainter>
#include <QStyle>

VerticallyCenteredTextFieldCell::VerticallyCenteredTextFieldCell(QWidget* parent) : QLabel(parent) {}

QRectF VerticallyCenteredTextFieldCell::titleRectForBounds(const QRectF& bounds, qreal textHeight)
{
    const qreal offset = (bounds.height() - textHeight) / 2;
    QRectF title = bounds;
    title.setY(bounds.y() + offset);   // keeps the bottom edge
    return title;
}

void VerticallyCenteredTextFieldCell::paintEvent(QPaintEvent* event)
{
    // Pictures, movies and rich text are drawn as any label draws them.
    if (text().isEmpty() || textFormat() == Qt::RichText
        || (textFormat() == Qt::AutoText && Qt::mightBeRichText(text()))) {
        QLabel::paintEvent(event);
        return;
    }
    const QRect bounds = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const int horizontal = int(alignment() & Qt::AlignHorizontal_Mask);
    const int flags = horizontal | (wordWrap() ? int(Qt::TextWordWrap) : 0);
    const qreal textHeight = fontMetrics().boundingRect(bounds, flags, text()).height();
    const QRect title = titleRectForBounds(bounds, textHeight).toAlignedRect();
    QPainter painter(this);
    style()->drawItemText(&painter, title, flags | Qt::AlignTop, palette(), isEnabled(), text(), foregroundRole());
}
