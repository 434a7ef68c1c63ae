#include "canvas/ToolTable.h"

#include "model/SKTGraphic.h"

QString ToolTable::graphicClassForTool(int tool)
{
    switch (tool) {
    case Line: return QStringLiteral("SKTLine");
    case Text: return QStringLiteral("SKTText");
    case Rectangle:
    case Circle:
    case RoundedRectangle:
    case Triangle:
    case Diamond:
    case Star:
    case DoubleStar:
    case Polygon: return QStringLiteral("Shape_Control");
    case Picture:
    case LibraryPicture: return QStringLiteral("SKTImage");
    case Barcode: return QStringLiteral("SKTBarcode");
    case Signature: return QStringLiteral("SKTSignature");
    default: return QString();
    }
}

QString ToolTable::shapeCodeForTool(int tool)
{
    switch (tool) {
    case Rectangle: return ShapeCode::Rectangle;
    case Circle: return ShapeCode::Circle;
    case RoundedRectangle: return ShapeCode::RoundedRectangle;
    case Triangle: return ShapeCode::Triangle;
    case Diamond: return ShapeCode::Diamond;
    case Star: return ShapeCode::Star;
    case DoubleStar: return ShapeCode::DoubleStar;
    case Polygon: return ShapeCode::Polygon;
    default: return {};
    }
}

QSizeF ToolTable::clickSizeForTool(int tool)
{
    if (graphicClassForTool(tool).isEmpty())
        return QSizeF();
    switch (tool) {
    case Barcode: return QSizeF(120, 60);
    case Signature: return QSizeF(100, 50);
    default: return QSizeF(50, 50);
    }
}
