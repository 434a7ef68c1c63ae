#include "platform/GeometryString.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

QString GeometryString::number(double value)
{
    if (!std::isfinite(value))
        value = 0;
    if (value == 0)
        value = 0; // no "-0"
    return QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest);
}

QString GeometryString::fromPoint(const QPointF& p)
{
    return QStringLiteral("{%1, %2}").arg(number(p.x()), number(p.y()));
}

QString GeometryString::fromSize(const QSizeF& s)
{
    return QStringLiteral("{%1, %2}").arg(number(s.width()), number(s.height()));
}

QString GeometryString::fromRect(const QRectF& r)
{
    return QStringLiteral("{{%1, %2}, {%3, %4}}")
        .arg(number(r.x()), number(r.y()), number(r.width()), number(r.height()));
}

void GeometryString::numbers(const QString& text, double* out, int count)
{
    static const QRegularExpression pattern(QStringLiteral(R"([-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?)"));
    for (int i = 0; i < count; ++i)
        out[i] = 0;
    int i = 0;
    auto it = pattern.globalMatch(text);
    while (i < count && it.hasNext()) {
        bool ok = false;
        const double v = QLocale::c().toDouble(it.next().capturedView(), &ok);
        out[i++] = (ok && std::isfinite(v)) ? v : 0;
    }
}

QPointF GeometryString::toPoint(const QString& text)
{
    double v[2];
    numbers(text, v, 2);
    return {v[0], v[1]};
}

QSizeF GeometryString::toSize(const QString& text)
{
    double v[2];
    numbers(text, v, 2);
    return {v[0], v[1]};
}

QRectF GeometryString::toRect(const QString& text)
{
    double v[4];
    numbers(text, v, 4);
    return {v[0], v[1], v[2], v[3]};
}
