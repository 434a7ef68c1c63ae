#include "canvas/CenteringGeometry.h"

#include <algorithm>
#include <cmath>

namespace {
double centeredAxis(double documentLength, double boundsLength, double current)
{
    if (boundsLength <= documentLength)
        return current;
    // std::round rounds halves away from zero.
    return double(std::round((float(documentLength) - float(boundsLength)) / 2.0f));
}

double constrainedAxis(double proposed, double documentLength, double boundsLength)
{
    const double maxOrigin = documentLength - boundsLength;
    const double origin = boundsLength <= documentLength ? std::max(std::min(proposed, maxOrigin), 0.0)
                                                         : maxOrigin / 2.0;
    return std::round(origin);
}
}

QPointF CenteringGeometry::centeredOrigin(const QRectF& document, const QRectF& bounds)
{
    return QPointF(centeredAxis(document.width(), bounds.width(), bounds.x()),
                   centeredAxis(document.height(), bounds.height(), bounds.y()));
}

QPointF CenteringGeometry::constrainScrollPoint(const QPointF& proposed, const QRectF& document,
                                                const QSizeF& boundsSize)
{
    return QPointF(constrainedAxis(proposed.x(), document.width(), boundsSize.width()),
                   constrainedAxis(proposed.y(), document.height(), boundsSize.height()));
}
