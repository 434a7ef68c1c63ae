#include "model/GraphicPainting.h"

#include "model/SKTGraphic.h"

#include <QPainter>
#include <QVector>
#include <algorithm>
#include <cmath>
#include <limits>

namespace GraphicPainting {

QPen strokePen(const QColor& colour, double width, const QString& dashCode)
{
    QPen pen(colour, width);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    const QList<double> lengths = SKTGraphic::dashPattern(dashCode);
    if (!lengths.isEmpty()) {
        // Qt measures dashes in pen widths; a hairline counts as one.
        const double unit = width > 0 ? width : 1.0;
        QVector<qreal> pattern;
        for (double length : lengths)
            pattern.append(length / unit);
        pen.setDashPattern(pattern);
        pen.setDashOffset(0);
    }
    return pen;
}

QLinearGradient linearGradient(const QRectF& rect, double angleDegrees, const QColor& start, const QColor& end)
{
    const double radians = std::isfinite(angleDegrees) ? angleDegrees * M_PI / 180.0 : 0.0;
    const QPointF direction(std::cos(radians), std::sin(radians));
    const QPointF centre = rect.center();
    double lowest = std::numeric_limits<double>::max();
    double highest = std::numeric_limits<double>::lowest();
    for (const QPointF& corner : {rect.topLeft(), rect.topRight(), rect.bottomLeft(), rect.bottomRight()}) {
        const QPointF d = corner - centre;
        const double along = d.x() * direction.x() + d.y() * direction.y();
        lowest = std::min(lowest, along);
        highest = std::max(highest, along);
    }
    QLinearGradient gradient(centre + direction * lowest, centre + direction * highest);
    gradient.setColorAt(0, start);
    gradient.setColorAt(1, end);
    return gradient;
}

void strokeBounds(QPainter& painter, SKTGraphic& graphic)
{
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(strokePen(graphic.strokeColor().toQColor(), graphic.strokeWidth(), graphic.strokeBorderType()));
    painter.drawRect(graphic.bounds());
    painter.restore();
}

void fillBounds(QPainter& painter, SKTGraphic& graphic)
{
    const QRectF rect = graphic.bounds();
    if (graphic.fill_type() == FillCode::Gradient) {
        painter.fillRect(rect, linearGradient(rect, graphic.fill_grad_angle(), graphic.fill_Grad_clr1().toQColor(),
                                              graphic.fill_Grad_clr2().toQColor()));
    } else {
        painter.fillRect(rect, graphic.fillColor().toQColor());
    }
}

}
