#pragma once

#include <Qt>

// The rulers of the scroll view around a canvas, as the canvas uses them to
// echo the rectangle being moved or resized: three marker lines per ruler
// (the near edge, the centre and the far edge), placed in canvas
// coordinates. A location of -1 hides a marker.
class CanvasRulers
{
public:
    virtual ~CanvasRulers() = default;

    virtual bool rulersVisible() const = 0;
    virtual void setRulersVisible(bool visible) = 0;
    // Moves marker 0, 1 or 2 of the horizontal or vertical ruler from one
    // location to another.
    virtual void moveRulerMarker(Qt::Orientation ruler, int marker, double from, double to) = 0;
};
