#pragma once

#include <QSizeF>
#include <QString>

// The tools of the main window's palette by number: the class of object each
// makes (empty for the tools that only select), the shape a shape tool gives
// it and the size of the object a click on its button places. The canvas
// creates objects by these numbers and the main window sets them.
class ToolTable
{
public:
    enum Tool {
        Arrow = 0,
        Line = 1,
        Text = 2,
        Rectangle = 3,
        Circle = 4,
        RoundedRectangle = 5,
        Triangle = 6,
        Diamond = 7,
        Picture = 8,
        LibraryPicture = 9,
        Barcode = 10,
        Signature = 11,
        Fingerprint = 12,
        Star = 13,
        DoubleStar = 14,
        Polygon = 15,
    };
    static constexpr int toolCount = 16;

    // "SKTLine", "SKTText", "Shape_Control", "SKTImage", "SKTBarcode" or
    // "SKTSignature"; empty for the arrow and fingerprint tools and for any
    // number outside the table.
    static QString graphicClassForTool(int tool);
    // The ShapeCode of the shape tools (rectangle, circle, rounded rectangle,
    // triangle, diamond, star, double star, polygon); empty for the others.
    static QString shapeCodeForTool(int tool);
    // 120 x 60 for the barcode, 100 x 50 for the signature, 50 x 50 for every
    // other tool that makes an object; empty for those that make none.
    static QSizeF clickSizeForTool(int tool);
};
