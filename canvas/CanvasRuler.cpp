#include "canvas/CanvasRuler.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace {
// Tick lengths by level, as parts of the ruler's thickness.
constexpr double tickLengths[] = {1.0, 0.5, 0.25};
constexpr int labelGap = 2;
}

CanvasRuler::CanvasRuler(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent)
    , m_orientation(orientation)
{
    m_markers.fill(hiddenMarker);
    QFont small = font();
    small.setPixelSize(9);
    setFont(small);
    if (orientation == Qt::Horizontal)
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    else
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

void CanvasRuler::setScale(double factor, double originPixel)
{
    if (factor == m_scale.factor() && originPixel == m_scale.originPixel())
        return;
    m_scale = RulerScale(factor, originPixel);
    update();
}

double CanvasRuler::markerLocation(int marker) const
{
    return marker >= 0 && marker < markerCount ? m_markers[size_t(marker)] : hiddenMarker;
}

void CanvasRuler::setMarkerLocation(int marker, double location)
{
    if (marker < 0 || marker >= markerCount || m_markers[size_t(marker)] == location)
        return;
    m_markers[size_t(marker)] = location;
    update();
}

QSize CanvasRuler::sizeHint() const
{
    return m_orientation == Qt::Horizontal ? QSize(100, thickness) : QSize(thickness, 100);
}

void CanvasRuler::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.fillRect(dirty, palette().color(QPalette::Window));

    // u runs along the ruler (the canvas's x or y axis in pixels), v across
    // it from the edge next to the card, where ticks stand.
    const bool horizontal = m_orientation == Qt::Horizontal;
    const int length = horizontal ? width() : height();
    const int breadth = horizontal ? height() : width();
    const auto at = [&](double u, double v) {
        return horizontal ? QPointF(u, breadth - v) : QPointF(breadth - v, u);
    };
    const int dirtyFrom = horizontal ? dirty.left() : dirty.top();
    const int dirtyTo = horizontal ? dirty.right() + 1 : dirty.bottom() + 1;

    painter.setPen(QPen(palette().color(QPalette::Mid), 0));
    painter.drawLine(at(0, 0.5), at(length, 0.5));

    painter.setPen(QPen(palette().color(QPalette::WindowText), 0));
    for (const RulerTick& tick : m_scale.ticks(dirtyFrom, dirtyTo)) {
        // The pixel the canvas draws this point in; an aliased hairline at a
        // whole coordinate covers exactly that pixel.
        const double u = std::floor(tick.pixel);
        painter.drawLine(at(u, 0), at(u, breadth * tickLengths[tick.level]));
    }
    const QFontMetrics metrics = fontMetrics();
    const auto advance = [&](const QString& text) { return double(metrics.horizontalAdvance(text)); };
    for (const RulerLabel& label : m_scale.labels(length, labelGap, advance)) {
        if (label.to < dirtyFrom || label.from > dirtyTo)
            continue;
        if (horizontal) {
            painter.drawText(QPointF(label.from, metrics.ascent()), label.text);
        } else {
            // Reads upwards along the far edge, below its tick.
            painter.save();
            painter.translate(metrics.ascent(), label.to);
            painter.rotate(-90);
            painter.drawText(QPointF(0, 0), label.text);
            painter.restore();
        }
    }

    painter.setPen(QPen(palette().color(QPalette::Highlight), 0));
    for (const double location : m_markers) {
        if (location == hiddenMarker)
            continue;
        const double u = std::floor(m_scale.pixelForPoint(location));
        if (u >= dirtyFrom - 1 && u <= dirtyTo + 1)
            painter.drawLine(at(u, 0), at(u, breadth));
    }
}
