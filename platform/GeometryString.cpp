#include "platform/GeometryString.h"

#include <QLocale>
#include <charconv>
#include <cmath>

QString GeometryString::number(double value)
{
    if (!std::isfinite(value))
        value = 0;
    if (value == 0)
        value = 0; // no "-0"
    // Below 1e15 the standard library's shortest form is the same text as
    // the C locale's, and much faster; beyond it the two write the digits
    // past the seventeenth differently, so the locale writes those.
    if (std::fabs(value) < 1e15) {
        char text[32];
        const auto end = std::to_chars(text, text + sizeof text, value).ptr;
        return QString::fromLatin1(text, end - text);
    }
    return QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest);
}

QString GeometryString::fromPoint(const QPointF& p)
{
    return QLatin1Char('{') + number(p.x()) + QLatin1String(", ") + number(p.y()) + QLatin1Char('}');
}

QString GeometryString::fromSize(const QSizeF& s)
{
    return QLatin1Char('{') + number(s.width()) + QLatin1String(", ") + number(s.height()) + QLatin1Char('}');
}

QString GeometryString::fromRect(const QRectF& r)
{
    return QLatin1String("{{") + number(r.x()) + QLatin1String(", ") + number(r.y()) + QLatin1String("}, {")
        + number(r.width()) + QLatin1String(", ") + number(r.height()) + QLatin1String("}}");
}

namespace {
bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The length of the number that starts at `at`, 0 when none does: an
// optional sign, digits with an optional point and fraction (or a point and
// a fraction), and an optional exponent.
qsizetype numberLength(QStringView text, qsizetype at)
{
    const qsizetype n = text.size();
    qsizetype i = at;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        ++i;
    if (i < n && isDigit(text[i])) {
        while (i < n && isDigit(text[i]))
            ++i;
        if (i < n && text[i] == QLatin1Char('.'))
            ++i;
        while (i < n && isDigit(text[i]))
            ++i;
    } else if (i + 1 < n && text[i] == QLatin1Char('.') && isDigit(text[i + 1])) {
        i += 2;
        while (i < n && isDigit(text[i]))
            ++i;
    } else {
        return 0;
    }
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        qsizetype e = i + 1;
        if (e < n && (text[e] == QLatin1Char('-') || text[e] == QLatin1Char('+')))
            ++e;
        if (e < n && isDigit(text[e])) {
            while (e < n && isDigit(text[e]))
                ++e;
            i = e;
        }
    }
    return i - at;
}
} // namespace

void GeometryString::numbers(const QString& text, double* out, int count)
{
    for (int i = 0; i < count; ++i)
        out[i] = 0;
    const QStringView view(text);
    int found = 0;
    qsizetype at = 0;
    while (found < count && at < view.size()) {
        const qsizetype length = numberLength(view, at);
        if (length == 0) {
            ++at;
            continue;
        }
        bool ok = false;
        const double v = QLocale::c().toDouble(view.mid(at, length), &ok);
        out[found++] = (ok && std::isfinite(v)) ? v : 0;
        at += length;
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
