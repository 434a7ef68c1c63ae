#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPen>
#include <QString>

class QPainter;

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

    // Strokes `path` with that pen. An invalid colour strokes nothing. On
    // the screen at 100 % the path is first aligned to the pixels for the
    // pen (pixelAligned), elsewhere it is stroked as it is.
    static void stroke(QPainter& painter, const QPainterPath& path, const QColor& colour, double width,
                       const QString& dashCode, Qt::PenCapStyle cap);

    // The width in device pixels of a line `width` points wide when
    // `painter` paints a widget with no scaling and that width is a whole
    // number of pixels (1 for the thinnest line); 0 otherwise.
    static int screenPixelWidth(const QPainter& painter, double width);

    // `path` with the ends of its vertical segments moved across and those
    // of its horizontal segments moved up or down, less than a pixel, so
    // that a line of `pixelWidth` device pixels along them covers whole
    // pixels (`offset`: the translation from path to device). Curves keep
    // their tangents, closed subpaths stay closed; slanted lines between
    // moved points follow them. Unchanged for a width of 0.
    static QPainterPath pixelAligned(const QPainterPath& path, const QPointF& offset, int pixelWidth);
};
