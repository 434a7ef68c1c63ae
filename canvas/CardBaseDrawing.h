#pragma once

// Draws the card base of one side under its objects: the card outline filled
// white, the side's fill (solid colour, gradient, hatch pattern over a
// background colour, or a tiled or stretched picture) and its border. It
// takes everything it draws from its arguments and paints with QPainter
// only, so it may draw on any thread.

#include <QPainterPath>
#include <QRectF>
#include <QString>

class Card_Property;
class QPainter;

class CardBaseDrawing
{
public:
    // Corner radius of the rounded card outline, in points.
    static constexpr double cornerRadius = 10.0;

    // The card outline in `rect`: 1 a rounded rectangle, 2 an oval, any
    // other value the rectangle.
    static QPainterPath outline(const QRectF& rect, int cardShape);

    // Draws the base of the side whose record is `record` for the card
    // rectangle `rect`, with the program-wide outline `cardShape`. A
    // stretched picture is scaled to `frontCanvasBounds` (the card's own
    // rectangle) and, like every fill, shows only inside the outline. Hatch patterns are read from the folder
    // "Fill_Style_Image" of `resourceFolder` at each drawing; a pattern that
    // cannot be read leaves its background colour, and the border is drawn
    // all the same.
    static void draw(QPainter& painter, const QRectF& rect, const Card_Property& record, int cardShape,
                     const QRectF& frontCanvasBounds, const QString& resourceFolder);
};
