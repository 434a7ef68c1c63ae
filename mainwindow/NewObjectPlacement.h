#pragma once

// Where the next automatically placed object of a side goes: each new object
// steps away from the last place along both axes by the number of objects on
// the side (at least 20 points), and each coordinate starts again at 10 on
// its own when the object would come within 50 points of the card's far edge.

#include <QPointF>
#include <QSizeF>

class NewObjectPlacement
{
public:
    static constexpr float minimumStep = 20.0f;
    static constexpr float restart = 10.0f;
    static constexpr float edgeMargin = 50.0f;

    // The next place after (`lastX`, `lastY`) for a side holding
    // `objectCount` objects on a card of `cardSize` points; `lastX` and
    // `lastY` become that place. Computed in single precision.
    static QPointF next(double& lastX, double& lastY, int objectCount, const QSizeF& cardSize);
};
