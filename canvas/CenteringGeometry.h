#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

// The geometry of the centring clip view around a canvas, without a window.
// All values are in the clip view's bounds coordinates (card points, y
// downwards): `document` is the canvas's frame, `bounds` the visible area.
class CenteringGeometry
{
public:
    // The bounds origin that centres the document on every axis where the
    // visible area is larger than it: (document size - bounds size) / 2,
    // rounded in single precision with halves away from zero, so 0 or less.
    // Other axes keep bounds' origin.
    static QPointF centeredOrigin(const QRectF& document, const QRectF& bounds);

    // The bounds origin a scroll request for `proposed` ends at: within
    // 0 .. document size - bounds size on an axis where the document is at
    // least as large as the visible area, centred on the others; rounded to
    // whole points, halves away from zero.
    static QPointF constrainScrollPoint(const QPointF& proposed, const QRectF& document, const QSizeF& boundsSize);
};
