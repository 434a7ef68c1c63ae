#pragma once

#include <QColor>
#include <QPen>
#include <QString>

class QPainter;
class QPainterPath;

// The outline of a line, shape or text frame: colour, width in points, a dash
// code of the dash table and a cap, joined with sharp (mitred) corners.
class StrokeStep
{
public:
    // Corners are mitred up to this ratio of miter length to line width and
    // bevelled beyond it.
    static constexpr double miterLimit = 10.0;

    // The pen cap of a line's cap code: 0 butt, 1 round, 2 square; any other
    // code draws butt.
    static Qt::PenCapStyle capStyleForCode(int code);

    // A pen that strokes with `width` points in `painter`'s current
    // transformation. The dash lengths of `dashCode` are points whatever the
    // width; a width of 0 (or less) draws the thinnest line the device can
    // show, still dashed in points.
    static QPen pen(const QPainter& painter, const QColor& colour, double width, const QString& dashCode,
                    Qt::PenCapStyle cap);

    // Strokes `path` with that pen. An invalid colour strokes nothing.
    static void stroke(QPainter& painter, const QPainterPath& path, const QColor& colour, double width,
                       const QString& dashCode, Qt::PenCapStyle cap);
};
