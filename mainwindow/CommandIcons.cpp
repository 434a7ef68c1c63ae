#include "mainwindow/CommandIcons.h"

#include "mainwindow/DrawnIcon.h"

#include <QFont>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <utility>

namespace {

constexpr int iconSide = DrawnIcon::side;

const QColor objectFill(120, 170, 230);
const QColor guide(200, 60, 60);

void objects(QPainter& p, const QRectF& a, const QRectF& b)
{
    p.setBrush(objectFill);
    p.drawRect(a);
    p.drawRect(b);
}

void guideLine(QPainter& p, QPointF from, QPointF to)
{
    p.save();
    p.setPen(QPen(guide, 1.4));
    p.drawLine(from, to);
    p.restore();
}

// A double-headed arrow along a line.
void measure(QPainter& p, QPointF from, QPointF to)
{
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::max(1.0, QLineF(from, to).length());
    const QPointF n(-d.y(), d.x());
    for (const auto& [tip, back] : {std::pair {from, d}, std::pair {to, -d}}) {
        p.drawLine(tip, tip + back * 3 + n * 2.5);
        p.drawLine(tip, tip + back * 3 - n * 2.5);
    }
}

void drawArrange(QPainter& p, CommandIcons::Arrange command)
{
    using A = CommandIcons::Arrange;
    switch (command) {
    case A::Left:
        objects(p, QRectF(4.5, 5.5, 15, 5), QRectF(4.5, 13.5, 9, 5));
        guideLine(p, {3.5, 2}, {3.5, 22});
        break;
    case A::Right:
        objects(p, QRectF(4.5, 5.5, 15, 5), QRectF(10.5, 13.5, 9, 5));
        guideLine(p, {20.5, 2}, {20.5, 22});
        break;
    case A::Top:
        objects(p, QRectF(5.5, 4.5, 5, 15), QRectF(13.5, 4.5, 5, 9));
        guideLine(p, {2, 3.5}, {22, 3.5});
        break;
    case A::Bottom:
        objects(p, QRectF(5.5, 4.5, 5, 15), QRectF(13.5, 10.5, 5, 9));
        guideLine(p, {2, 20.5}, {22, 20.5});
        break;
    case A::HorizontalCentres:
        objects(p, QRectF(4.5, 5.5, 15, 5), QRectF(7.5, 13.5, 9, 5));
        guideLine(p, {12, 2}, {12, 22});
        break;
    case A::VerticalCentres:
        objects(p, QRectF(5.5, 4.5, 5, 15), QRectF(13.5, 7.5, 5, 9));
        guideLine(p, {2, 12}, {22, 12});
        break;
    case A::CardCentre:
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(2.5, 5.5, 19, 13), 1.5, 1.5);
        p.setBrush(objectFill);
        p.drawRect(QRectF(8.5, 9.5, 7, 5));
        guideLine(p, {12, 3}, {12, 21});
        guideLine(p, {1, 12}, {23, 12});
        break;
    case A::SameWidth:
        objects(p, QRectF(4.5, 9.5, 15, 4), QRectF(4.5, 16.5, 15, 4));
        measure(p, {4.5, 5}, {19.5, 5});
        break;
    case A::SameHeight:
        objects(p, QRectF(9.5, 4.5, 4, 15), QRectF(16.5, 4.5, 4, 15));
        measure(p, {5, 4.5}, {5, 19.5});
        break;
    case A::NaturalSize: {
        p.save();
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        p.drawRect(QRectF(3.5, 3.5, 17, 17));
        p.restore();
        QFont font(QStringLiteral("Liberation Serif"));
        font.setPixelSize(15);
        font.setBold(true);
        p.setFont(font);
        p.drawText(QRectF(0, 0, iconSide, iconSide), Qt::AlignCenter, QStringLiteral("A"));
        break;
    }
    case A::Grid:
        p.save();
        p.setPen(QPen(QColor(150, 150, 150), 1));
        for (qreal v = 4.5; v < 22; v += 5) {
            p.drawLine(QPointF(v, 2), QPointF(v, 22));
            p.drawLine(QPointF(2, v), QPointF(22, v));
        }
        p.restore();
        p.setBrush(objectFill);
        p.drawRect(QRectF(9.5, 9.5, 10, 5));
        break;
    }
}

void drawToolbar(QPainter& p, CommandIcons::Toolbar command)
{
    using T = CommandIcons::Toolbar;
    const QColor paper(250, 250, 250);
    switch (command) {
    case T::New:
    case T::Open:
    case T::Save:
    case T::SaveAs:
        // A card; New adds a plus, Open a folder behind it, Save and Save As
        // an arrow down into a tray (Save As with a second card).
        if (command == T::Open) {
            p.setBrush(QColor(220, 190, 110));
            p.drawRect(QRectF(2.5, 8.5, 19, 13));
        }
        if (command == T::SaveAs) {
            p.setBrush(paper);
            p.drawRoundedRect(QRectF(8.5, 2.5, 13, 9), 1.5, 1.5);
        }
        p.setBrush(paper);
        p.drawRoundedRect(command == T::Open ? QRectF(6.5, 4.5, 13, 9) : QRectF(4.5, 5.5, 13, 9), 1.5, 1.5);
        if (command == T::New) {
            p.drawLine(QPointF(17, 14), QPointF(17, 22));
            p.drawLine(QPointF(13, 18), QPointF(21, 18));
        } else if (command != T::Open) {
            p.drawLine(QPointF(11, 10), QPointF(11, 20));
            p.drawPolyline(QPolygonF({{7.5, 16.5}, {11, 20}, {14.5, 16.5}}));
            p.drawPolyline(QPolygonF({{3, 18}, {3, 22}, {19, 22}, {19, 18}}));
        }
        break;
    case T::Mail:
        p.setBrush(paper);
        p.drawRect(QRectF(2.5, 5.5, 19, 13));
        p.drawPolyline(QPolygonF({{2.5, 5.5}, {12, 13}, {21.5, 5.5}}));
        break;
    case T::Print:
        p.setBrush(paper);
        p.drawRect(QRectF(6.5, 2.5, 11, 7));
        p.setBrush(QColor(150, 160, 175));
        p.drawRoundedRect(QRectF(2.5, 8.5, 19, 9), 2, 2);
        p.setBrush(paper);
        p.drawRect(QRectF(6.5, 13.5, 11, 8));
        p.drawLine(QPointF(8.5, 16.5), QPointF(15.5, 16.5));
        p.drawLine(QPointF(8.5, 19), QPointF(13.5, 19));
        break;
    case T::Export: {
        // A card with a picture on it, and an arrow leaving it.
        p.setBrush(paper);
        p.drawRoundedRect(QRectF(2.5, 6.5, 14, 11), 1.5, 1.5);
        p.setBrush(objectFill);
        p.drawPolygon(QPolygonF({{4.5, 15.5}, {8.5, 10.5}, {11.5, 14}, {13, 12.5}, {14.5, 15.5}}));
        p.setPen(QPen(QColor(40, 140, 60), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(13, 4), QPointF(21, 4));
        p.drawPolyline(QPolygonF({{18, 1.5}, {21, 4}, {18, 6.5}}));
        break;
    }
    case T::Profile:
        // A badge: a photo with a head and shoulders, and lines of text.
        p.setBrush(paper);
        p.drawRoundedRect(QRectF(1.5, 5.5, 21, 14), 1.5, 1.5);
        p.setBrush(objectFill);
        p.drawRect(QRectF(3.5, 7.5, 7, 9));
        p.setBrush(paper);
        p.drawEllipse(QRectF(5.5, 8.5, 3, 3));
        p.drawChord(QRectF(4.5, 12, 5, 6), 0, 180 * 16);
        p.drawLine(QPointF(12.5, 9.5), QPointF(20.5, 9.5));
        p.drawLine(QPointF(12.5, 12.5), QPointF(19, 12.5));
        p.drawLine(QPointF(12.5, 15.5), QPointF(20.5, 15.5));
        break;
    case T::BatchSeries:
        for (int i = 2; i >= 0; --i) {
            p.setBrush(i == 0 ? objectFill : paper);
            p.drawRoundedRect(QRectF(2.5 + 3 * i, 9.5 - 3 * i, 13, 9), 1.5, 1.5);
        }
        break;
    case T::ImportWizard: {
        p.setBrush(paper);
        p.drawPolyline(QPolygonF({{3, 13}, {3, 21}, {21, 21}, {21, 13}}));
        p.setBrush(objectFill);
        QPainterPath arrow;
        arrow.moveTo(10, 2.5);
        arrow.lineTo(14, 2.5);
        arrow.lineTo(14, 10);
        arrow.lineTo(17.5, 10);
        arrow.lineTo(12, 17);
        arrow.lineTo(6.5, 10);
        arrow.lineTo(10, 10);
        arrow.closeSubpath();
        p.drawPath(arrow);
        break;
    }
    case T::CreateSeries:
        p.setBrush(paper);
        p.drawRect(QRectF(3.5, 2.5, 13, 18));
        for (qreal y = 6.5; y < 18; y += 3.5)
            p.drawLine(QPointF(6, y), QPointF(14, y));
        p.setPen(QPen(QColor(40, 140, 60), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(18, 13), QPointF(18, 22));
        p.drawLine(QPointF(13.5, 17.5), QPointF(22.5, 17.5));
        break;
    case T::Help:
    case T::About: {
        p.setBrush(command == T::Help ? QColor(70, 130, 200) : QColor(90, 150, 110));
        p.drawEllipse(QRectF(2.5, 2.5, 19, 19));
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(14);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(2.5, 2.5, 19, 19), Qt::AlignCenter,
                   command == T::Help ? QStringLiteral("?") : QStringLiteral("i"));
        break;
    }
    case T::Exit: {
        p.setBrush(QColor(190, 150, 110));
        p.drawRect(QRectF(3.5, 2.5, 10, 19));
        p.setPen(QPen(QColor(200, 50, 50), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(10, 12), QPointF(21, 12));
        p.drawPolyline(QPolygonF({{17, 8}, {21, 12}, {17, 16}}));
        break;
    }
    }
}

}

QIcon CommandIcons::arrangeIcon(Arrange command)
{
    return DrawnIcon::make([command](QPainter& p) { drawArrange(p, command); });
}

QIcon CommandIcons::toolbarIcon(Toolbar command)
{
    return DrawnIcon::make([command](QPainter& p) { drawToolbar(p, command); });
}
