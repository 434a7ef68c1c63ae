#pragma once

#include "canvas/RulerScale.h"

#include <QWidget>

#include <array>

class QPaintEvent;

// One ruler along an edge of a zooming scroll view's visible area: the
// horizontal one above it, the vertical one on its left. It shows
// millimetres from the card's upper-left corner at the canvas's zoom, and
// the three marker lines (near edge, centre, far edge) the canvas sets while
// an object is moved or resized. Its scroll view keeps the scale in step
// with the zoom and the scroll position.
class CanvasRuler : public QWidget
{
    Q_OBJECT

public:
    // The ruler's breadth in pixels, across its length.
    static constexpr int thickness = 20;
    // The location of a marker that is not shown.
    static constexpr double hiddenMarker = -1.0;
    static constexpr int markerCount = 3;

    explicit CanvasRuler(Qt::Orientation orientation, QWidget* parent = nullptr);

    Qt::Orientation orientation() const { return m_orientation; }

    // Pixels per card point, and the ruler pixel over the card's origin.
    void setScale(double factor, double originPixel);
    const RulerScale& scale() const { return m_scale; }

    // Marker 0, 1 or 2 at a location in card points; hiddenMarker hides it.
    double markerLocation(int marker) const;
    void setMarkerLocation(int marker, double location);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::Orientation m_orientation;
    RulerScale m_scale;
    std::array<double, markerCount> m_markers;
};
