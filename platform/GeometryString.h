#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

// The platform's text forms of geometry: "{x, y}" for points and sizes and
// "{{x, y}, {w, h}}" for rectangles. Numbers are written in the C locale in
// the shortest form that reads back to the same double. Reading is lenient
// like the platform's: the numbers are taken in order wherever they stand,
// and missing ones read as zero.
class GeometryString
{
public:
    static QString number(double value);
    static QString fromPoint(const QPointF& point);
    static QString fromSize(const QSizeF& size);
    static QString fromRect(const QRectF& rect);

    static QPointF toPoint(const QString& text);
    static QSizeF toSize(const QString& text);
    static QRectF toRect(const QString& text);

private:
    static void numbers(const QString& text, double* out, int count);
};
