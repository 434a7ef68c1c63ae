#include "model/StrokeStep.h"

#include "model/SKTGraphic.h"

#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <cmath>

Qt::PenCapStyle StrokeStep::capStyleForCode(int code)
{
    switch (code) {
    case 1: return Qt::RoundCap;
    case 2: return Qt::SquareCap;
    default: return Qt::FlatCap;
    }
}

QPen StrokeStep::pen(const QPainter& painter, const QColor& colour, double width, const QString& dashCode,
                     Qt::PenCapStyle cap)
{
    // A width that is not a positive number draws the thinnest line.
    const double penWidth = (std::isfinite(width) && width > 0) ? width : 0.0;
    QPen pen(colour, penWidth);
    pen.setCapStyle(cap);
    // The miter join that bevels beyond the limit (Qt's plain miter join clips
    // the point instead).
    pen.setJoinStyle(Qt::SvgMiterJoin);
    pen.setMiterLimit(miterLimit);

    const QList<double> dashes = SKTGraphic::dashPattern(dashCode);
    if (dashes.isEmpty())
        return pen;

    // Qt measures dash lengths in pen widths. A pen of width 0 is one device
    // pixel wide, so its dashes are device pixels: scale points to pixels.
    double unit = penWidth;
    if (unit <= 0) {
        const QTransform t = painter.deviceTransform();
        const double scale = std::sqrt(std::abs(t.determinant()));
        unit = (std::isfinite(scale) && scale > 0) ? 1.0 / scale : 1.0;
    }
    QList<qreal> pattern;
    pattern.reserve(dashes.size());
    for (double length : dashes)
        pattern.append(length / unit);
    pen.setDashPattern(pattern);
    pen.setDashOffset(0);
    return pen;
}

void StrokeStep::stroke(QPainter& painter, const QPainterPath& path, const QColor& colour, double width,
                        const QString& dashCode, Qt::PenCapStyle cap)
{
    if (!colour.isValid() || path.isEmpty())
        return;
    painter.strokePath(path, pen(painter, colour, width, dashCode, cap));
}
