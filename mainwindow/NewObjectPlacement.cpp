#include "mainwindow/NewObjectPlacement.h"

#include <algorithm>

namespace {

// One coordinate: the step added, back to the start when it reaches the
// margin before the edge.
float advance(double last, float step, double extent)
{
    const float value = static_cast<float>(last) + step;
    const float edge = static_cast<float>(extent);
    if (value >= edge || value + NewObjectPlacement::edgeMargin >= edge)
        return NewObjectPlacement::restart;
    return value;
}

}

QPointF NewObjectPlacement::next(double& lastX, double& lastY, int objectCount, const QSizeF& cardSize)
{
    const float step = std::max(static_cast<float>(objectCount), minimumStep);
    const float x = advance(lastX, step, cardSize.width());
    const float y = advance(lastY, step, cardSize.height());
    lastX = x;
    lastY = y;
    return QPointF(x, y);
}
