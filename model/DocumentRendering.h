#pragma once

// How the document's PDF, TIFF and print output reach the card renderer,
// which lives in a layer above the card model. The renderer's layer
// implements this interface; the program entry installs it with
// SKTDocument::setRendering(). Without one the document makes no pictures:
// its PDF and TIFF data fail with the error of code 0 and it has no print
// operation.

#include "model/SKTError.h"
#include "model/SKTGraphic.h"

#include <QByteArray>
#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <QVariantMap>

#include <memory>

class PrintOperation;

class DocumentRendering
{
public:
    virtual ~DocumentRendering() = default;

    // One PDF page of the front canvas's frame: the card base of `side`
    // (0 front, 1 back) under `graphics`. Empty when it cannot be made.
    virtual QByteArray pdfDataOfSide(const GraphicList& graphics, int side) const = 0;

    // TIFF of the objects alone over their drawing bounds; empty data and the
    // renderer's error when it cannot be made.
    virtual QByteArray tiffDataWithGraphics(const GraphicList& graphics, SKTError* error) const = 0;

    // A print operation of `frame` (card coordinates): the card base of
    // `side` under `graphics`, on the page of `printInfo` under `jobTitle`,
    // with `printSettings` as its print settings. The list is copied when
    // called. (Printing needs the print system,
    // which the card model does not link, so the renderer's layer makes the
    // whole operation.)
    virtual std::unique_ptr<PrintOperation> printOperation(const QRectF& frame, const GraphicList& graphics, int side,
                                                           const QPageLayout& printInfo,
                                                           const QString& jobTitle,
                                                           const QVariantMap& printSettings) const = 0;
};
