#pragma once

// How the document's PDF, TIFF and print output reach the card renderer,
// which lives in a layer above the card model. The renderer's layer
// implements this interface; the program entry installs it with
// SKTDocument::setRendering(). Without one the document makes no pictures:
// its PDF and TIFF data fail with the error of code 0 and its print
// operation fails to draw.

#include "model/SKTError.h"
#include "model/SKTGraphic.h"

#include <QByteArray>
#include <QRectF>

#include <functional>

class QPainter;

class DocumentRendering
{
public:
    // Draws the part `rect` of a page; false when the drawing failed.
    using PageDrawer = std::function<bool(QPainter& painter, const QRectF& rect)>;

    virtual ~DocumentRendering() = default;

    // One PDF page of the front canvas's frame: the card base of `side`
    // (0 front, 1 back) under `graphics`. Empty when it cannot be made.
    virtual QByteArray pdfDataOfSide(const GraphicList& graphics, int side) const = 0;

    // TIFF of the objects alone over their drawing bounds; empty data and the
    // renderer's error when it cannot be made.
    virtual QByteArray tiffDataWithGraphics(const GraphicList& graphics, SKTError* error) const = 0;

    // Draws `frame` (card coordinates): the card base of `side` under
    // `graphics`, for a print operation. The list is copied when called.
    virtual PageDrawer pageDrawer(const QRectF& frame, const GraphicList& graphics, int side) const = 0;
};
