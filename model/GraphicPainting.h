#pragma once

// Drawing steps that the text, picture and signature objects share: the frame
// of the bounds and the background, made with the same stroke and fill steps
// as lines and shapes.

#include <QColor>

class QPainter;
class SKTGraphic;

namespace GraphicPainting {

// The colour of a frame that marks an object while it is being made.
inline const QColor knobColour(122, 150, 200);

// Strokes the object's bounds with its stroke colour, width and dash code.
void strokeBounds(QPainter& painter, SKTGraphic& graphic);

// Fills the object's bounds: with its gradient for fill code "G", otherwise
// with its fill colour.
void fillBounds(QPainter& painter, SKTGraphic& graphic);

}
