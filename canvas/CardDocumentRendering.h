#pragma once

// The document's pictures and print pages drawn by SKTRenderingView.

#include "model/DocumentRendering.h"

class CardDocumentRendering : public DocumentRendering
{
public:
    QByteArray pdfDataOfSide(const GraphicList& graphics, int side) const override;
    QByteArray tiffDataWithGraphics(const GraphicList& graphics, SKTError* error) const override;
    PageDrawer pageDrawer(const QRectF& frame, const GraphicList& graphics, int side) const override;
};
