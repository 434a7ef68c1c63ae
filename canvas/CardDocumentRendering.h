#pragma once

// The document's pictures and print pages drawn by SKTRenderingView.

#include "model/DocumentRendering.h"

class CardDocumentRendering : public DocumentRendering
{
public:
    QByteArray pdfDataOfSide(const GraphicList& graphics, int side) const override;
    QByteArray tiffDataWithGraphics(const GraphicList& graphics, SKTError* error) const override;
    std::unique_ptr<PrintOperation> printOperation(const QRectF& frame, const GraphicList& graphics, int side,
                                                   const QPageLayout& printInfo,
                                                   const QString& jobTitle,
                                                   const QVariantMap& printSettings) const override;
};
