#pragma once

// The document's pictures and print pages drawn by SKTRenderingView, on the
// card base and at the front canvas size of the window that hosts the
// document's canvases. Without a host the document's PDF is empty and its
// pages have no card base.

#include "model/DocumentRendering.h"

class CanvasHost;

class CardDocumentRendering : public DocumentRendering
{
public:
    explicit CardDocumentRendering(CanvasHost* host = nullptr) : m_host(host) { }
    // The program entry hands the window in once the window is made.
    void setHost(CanvasHost* host) { m_host = host; }

    QByteArray pdfDataOfSide(const GraphicList& graphics, int side) const override;
    QByteArray tiffDataWithGraphics(const GraphicList& graphics, SKTError* error) const override;
    std::unique_ptr<PrintOperation> printOperation(const QRectF& frame, const GraphicList& graphics, int side,
                                                   const QPageLayout& printInfo,
                                                   const QString& jobTitle,
                                                   const QVariantMap& printSettings) const override;

private:
    CanvasHost* m_host;
};
