#include "canvas/CardDocumentRendering.h"

#include "canvas/SKTRenderingView.h"

#include <memory>

QByteArray CardDocumentRendering::pdfDataOfSide(const GraphicList& graphics, int side) const
{
    return SKTRenderingView::pdfDataWithGraphics_data(graphics, side);
}

QByteArray CardDocumentRendering::tiffDataWithGraphics(const GraphicList& graphics, SKTError* error) const
{
    return SKTRenderingView::tiffDataWithGraphics(graphics, error);
}

DocumentRendering::PageDrawer CardDocumentRendering::pageDrawer(const QRectF& frame, const GraphicList& graphics,
                                                               int side) const
{
    auto view = std::make_shared<SKTRenderingView>(frame, graphics, side);
    return [view](QPainter& painter, const QRectF& rect) { return view->drawRect(painter, rect); };
}
