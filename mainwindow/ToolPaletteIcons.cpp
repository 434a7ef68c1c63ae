#include "mainwindow/ToolPaletteIcons.h"

#include "canvas/ToolTable.h"
#include "mainwindow/DrawnIcon.h"
#include "model/Shape_Control.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int iconSide = DrawnIcon::side;

void drawArrow(QPainter& p)
{
    QPainterPath arrow;
    arrow.moveTo(7, 3);
    arrow.lineTo(7, 19);
    arrow.lineTo(11, 15);
    arrow.lineTo(14, 21);
    arrow.lineTo(16.5, 20);
    arrow.lineTo(13.5, 14);
    arrow.lineTo(19, 14);
    arrow.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(arrow);
}

void drawPictureSign(QPainter& p, bool stacked)
{
    if (stacked) {
        p.setBrush(QColor(225, 225, 225));
        p.drawRect(QRectF(6.5, 3.5, 15, 12));
    }
    const QRectF frame = stacked ? QRectF(2.5, 7.5, 15, 12) : QRectF(3.5, 5.5, 17, 13);
    p.setBrush(QColor(200, 225, 250));
    p.drawRect(frame);
    QPainterPath hills;
    hills.moveTo(frame.left(), frame.bottom());
    hills.lineTo(frame.left() + frame.width() * 0.35, frame.top() + frame.height() * 0.45);
    hills.lineTo(frame.left() + frame.width() * 0.55, frame.top() + frame.height() * 0.7);
    hills.lineTo(frame.left() + frame.width() * 0.75, frame.top() + frame.height() * 0.5);
    hills.lineTo(frame.right(), frame.bottom());
    hills.closeSubpath();
    p.setBrush(QColor(90, 150, 90));
    p.drawPath(hills);
    p.setBrush(QColor(240, 190, 40));
    p.drawEllipse(QPointF(frame.right() - 3.5, frame.top() + 3.5), 1.6, 1.6);
}

void drawBarcodeSign(QPainter& p)
{
    const int widths[] = {2, 1, 1, 3, 1, 2, 1, 1, 2, 1, 3};
    qreal x = 3;
    bool bar = true;
    for (int w : widths) {
        if (bar)
            p.fillRect(QRectF(x, 5, w, 14), Qt::black);
        x += w;
        bar = !bar;
    }
}

void drawSignatureSign(QPainter& p)
{
    QPainterPath stroke;
    stroke.moveTo(3, 15);
    stroke.cubicTo(6, 4, 9, 4, 8, 14);
    stroke.cubicTo(7, 20, 12, 8, 14, 13);
    stroke.cubicTo(15, 16, 17, 10, 21, 12);
    p.setBrush(Qt::NoBrush);
    p.drawPath(stroke);
    p.drawLine(QPointF(3, 19.5), QPointF(21, 19.5));
}

void drawFingerprintSign(QPainter& p)
{
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 4; ++i) {
        const qreal r = 2.5 + 2.5 * i;
        const QRectF box(12 - r * 0.8, 13 - r, r * 1.6, r * 2);
        p.drawArc(box, 200 * 16, 300 * 16);
    }
}

void drawTextSign(QPainter& p)
{
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(20);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(0, 0, iconSide, iconSide), Qt::AlignCenter, QStringLiteral("T"));
}

void drawShape(QPainter& p, const QString& code)
{
    Shape_Control shape;
    shape._bounds = QRectF(3.5, 3.5, 17, 17);
    shape.Set_Shape_Type(code);
    // The corners of a new rounded rectangle, scaled to the icon.
    shape.cor_rad_val_val = 4;
    const QPainterPath path = shape.bezierPathForDrawing();
    p.setBrush(QColor(120, 170, 230));
    p.drawPath(path);
}

}

QIcon ToolPaletteIcons::iconForTool(int tool)
{
    if (tool < 0 || tool >= ToolTable::toolCount)
        return QIcon();

    return DrawnIcon::make([tool](QPainter& p) {
        const QString shape = ToolTable::shapeCodeForTool(tool);
        if (!shape.isEmpty()) {
            drawShape(p, shape);
            return;
        }
        switch (tool) {
        case ToolTable::Arrow: drawArrow(p); break;
        case ToolTable::Line: p.drawLine(QPointF(4, 20), QPointF(20, 4)); break;
        case ToolTable::Text: drawTextSign(p); break;
        case ToolTable::Picture: drawPictureSign(p, false); break;
        case ToolTable::LibraryPicture: drawPictureSign(p, true); break;
        case ToolTable::Barcode: drawBarcodeSign(p); break;
        case ToolTable::Signature: drawSignatureSign(p); break;
        case ToolTable::Fingerprint: drawFingerprintSign(p); break;
        default: break;
        }
    });
}
