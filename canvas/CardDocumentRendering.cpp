#include "canvas/CardDocumentRendering.h"

#include "canvas/SKTRenderingView.h"
#include "platform/PrintOperation.h"

#include <memory>

QByteArray CardDocumentRendering::pdfDataOfSide(const GraphicList& graphics, int side) const
{
    return SKTRenderingView::pdfDataWithGraphics_data(m_host, graphics, side);
}

QByteArray CardDocumentRendering::tiffDataWithGraphics(const GraphicList& graphics, SKTError* error) const
{
    return SKTRenderingView::tiffDataWithGraphics(graphics, error);
}

std::unique_ptr<PrintOperation> CardDocumentRendering::printOperation(const QRectF& frame, const GraphicList& graphics,
                                                                      int side, const QPageLayout& printInfo,
                                                                      const QString& jobTitle,
                                                                      const QVariantMap& printSettings) const
{
    auto view = std::make_shared<SKTRenderingView>(m_host, frame, graphics, side);
    auto operation = std::make_unique<PrintOperation>(
        frame.size(), [view](QPainter& painter, const QRectF& rect) { return view->drawRect(painter, rect); },
        printInfo, jobTitle);
    operation->addPrintSettings(printSettings);
    return operation;
}
