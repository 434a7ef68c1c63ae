#pragma once

// Drawing steps that several kinds of card object share: the frame of the
// bounds, the background, and the pens and gradients they are made with.

#include <QColor>
#include <QLinearGradient>
#include <QPen>
#include <QRectF>
#include <QString>

class QPainter;
class SKTGraphic;

namespace GraphicPainting {

// The colour of a frame that marks an object while it is being made.
inline const QColor knobColour(122, 150, 200);

// A pen of `width` points in `colour` with the dash pattern of `dashCode`
// (lengths in points, phase 0; unknown codes draw solid), butt ends and
// mitred corners.
QPen strokePen(const QColor& colour, double width, const QString& dashCode);

// A two-colour gradient over `rect` along `angleDegrees` (0 runs left to
// right, 90 top to bottom): the start colour at the corner that comes first
// along that direction, the end colour at the opposite one.
QLinearGradient linearGradient(const QRectF& rect, double angleDegrees, const QColor& start, const QColor& end);

// Strokes the object's bounds with its stroke colour, width and dash code.
void strokeBounds(QPainter& painter, SKTGraphic& graphic);

// Fills the object's bounds: with its gradient for fill code "G", otherwise
// with its fill colour.
void fillBounds(QPainter& painter, SKTGraphic& graphic);

}
