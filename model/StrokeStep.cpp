#include "model/StrokeStep.h"

#include "model/SKTGraphic.h"

#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <cmath>
#include <vector>

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

int StrokeStep::screenPixelWidth(const QPainter& painter, double width)
{
    const QPaintDevice* device = painter.device();
    if (!device || device->devType() != QInternal::Widget
        || painter.deviceTransform().type() > QTransform::TxTranslate)
        return 0;
    if (!std::isfinite(width) || width <= 0)
        return 1;   // the thinnest line is one pixel wide
    const double pixels = std::round(width);
    return (pixels >= 1 && pixels <= 64 && std::abs(width - pixels) < 1e-6) ? int(pixels) : 0;
}

QPainterPath StrokeStep::pixelAligned(const QPainterPath& path, const QPointF& offset, int pixelWidth)
{
    if (pixelWidth <= 0 || path.isEmpty())
        return path;
    // A line of an odd number of pixels is centred on pixel centres, an even
    // one on pixel edges.
    const double centre = pixelWidth % 2 ? 0.5 : 0.0;
    // To the nearest such place; from halfway between two, towards the
    // middle of the subpath, so that a frame along whole points stays inside
    // its rectangle (and a card's outline inside the card).
    const auto snap = [centre](double v, double shift, double middle) {
        const double t = v + shift - centre;
        const double lower = std::floor(t);
        const double fraction = t - lower;
        double chosen = std::round(t);
        if (std::abs(fraction - 0.5) < 1e-9)
            chosen = middle >= v ? lower + 1 : lower;
        return chosen + centre - shift;
    };

    const int count = path.elementCount();
    // Which coordinates of each point lie on a vertical (x) or horizontal (y)
    // straight segment.
    std::vector<char> snapX(static_cast<size_t>(count), 0), snapY(static_cast<size_t>(count), 0);
    int start = 0;
    const auto closeSubpath = [&](int last) {
        // The closing point of a closed subpath moves with its start.
        const QPainterPath::Element a = path.elementAt(start);
        const QPainterPath::Element b = path.elementAt(last);
        if (last > start && a.x == b.x && a.y == b.y) {
            snapX[size_t(start)] = snapX[size_t(last)] = snapX[size_t(start)] | snapX[size_t(last)];
            snapY[size_t(start)] = snapY[size_t(last)] = snapY[size_t(start)] | snapY[size_t(last)];
        }
    };
    for (int i = 0; i < count; ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            if (i > 0)
                closeSubpath(i - 1);
            start = i;
        } else if (e.isLineTo()) {
            const QPainterPath::Element p = path.elementAt(i - 1);
            if (p.x == e.x && p.y != e.y)
                snapX[size_t(i - 1)] = snapX[size_t(i)] = 1;
            else if (p.y == e.y && p.x != e.x)
                snapY[size_t(i - 1)] = snapY[size_t(i)] = 1;
        }
    }
    closeSubpath(count - 1);

    QPainterPath aligned = path;
    std::vector<QPointF> moved(static_cast<size_t>(count));
    for (int first = 0; first < count;) {
        int end = first + 1;
        while (end < count && !path.elementAt(end).isMoveTo())
            ++end;
        double left = path.elementAt(first).x, right = left;
        double top = path.elementAt(first).y, bottom = top;
        for (int i = first; i < end; ++i) {
            left = std::min(left, path.elementAt(i).x);
            right = std::max(right, path.elementAt(i).x);
            top = std::min(top, path.elementAt(i).y);
            bottom = std::max(bottom, path.elementAt(i).y);
        }
        const QPointF middle((left + right) / 2, (top + bottom) / 2);
        for (int i = first; i < end; ++i) {
            const QPainterPath::Element e = path.elementAt(i);
            const double x = snapX[size_t(i)] ? snap(e.x, offset.x(), middle.x()) : e.x;
            const double y = snapY[size_t(i)] ? snap(e.y, offset.y(), middle.y()) : e.y;
            moved[size_t(i)] = QPointF(x - e.x, y - e.y);
        }
        first = end;
    }
    for (int i = 0; i < count; ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        QPointF shift = moved[size_t(i)];
        // A curve's control points move with the end they belong to, so its
        // tangents stay as they were.
        if (e.isCurveTo())
            shift = moved[size_t(i - 1)];
        else if (e.type == QPainterPath::CurveToDataElement && i + 1 < count
                 && path.elementAt(i + 1).type == QPainterPath::CurveToDataElement)
            shift = moved[size_t(i + 1)];
        if (!shift.isNull())
            aligned.setElementPositionAt(i, e.x + shift.x(), e.y + shift.y());
    }
    return aligned;
}

void StrokeStep::stroke(QPainter& painter, const QPainterPath& path, const QColor& colour, double width,
                        const QString& dashCode, Qt::PenCapStyle cap)
{
    if (!colour.isValid() || path.isEmpty())
        return;
    const QPen strokePen = pen(painter, colour, width, dashCode, cap);
    // On the screen at 100 %, a line of whole pixels' width lands on whole
    // pixels: a one-point frame at whole points would otherwise straddle
    // two pixel rows and show as two grey lines. Pictures, PDF and printing
    // get the path as it is.
    if (const int pixels = screenPixelWidth(painter, width)) {
        const QTransform t = painter.deviceTransform();
        painter.strokePath(pixelAligned(path, QPointF(t.dx(), t.dy()), pixels), strokePen);
        return;
    }
    painter.strokePath(path, strokePen);
}
