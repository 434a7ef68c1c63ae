#include "barcodes/NKDBarcodeImage.h"

#include "barcodes/Globals.h"
#include "barcodes/NKDBarcode.h"
#include "barcodes/NKDBarcodeOffscreenView.h"

#include <QPainter>
#include <QtDebug>

#include <cmath>

namespace {

constexpr double pointsPerInch = 72.0;
// Largest bitmap side made for one barcode; beyond it the request is refused
// rather than exhausting memory.
constexpr double maximumPixelSide = 30000.0;

Picture rasterise(const NKDBarcodeOffscreenView& view, double dpi)
{
    const QSizeF points = view.frameSize();
    if (points.width() <= 0 || points.height() <= 0 || dpi <= 0) {
        qWarning("Barcode picture has no size");
        return {};
    }
    const double scale = dpi / pointsPerInch;
    const double w = std::ceil(points.width() * scale - 1e-9);
    const double h = std::ceil(points.height() * scale - 1e-9);
    if (w > maximumPixelSide || h > maximumPixelSide) {
        qWarning("Barcode picture is too large");
        return {};
    }
    QImage image(int(w), int(h), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        qWarning("Barcode picture is too large");
        return {};
    }
    image.fill(Qt::transparent);
    // Fonts are sized against 72 dots per inch, so a unit of the painter is
    // one point before the scale.
    const int pointDotsPerMetre = int(std::lround(pointsPerInch / 0.0254));
    image.setDotsPerMeterX(pointDotsPerMetre);
    image.setDotsPerMeterY(pointDotsPerMetre);
    {
        QPainter painter(&image);
        painter.scale(scale, scale);
        view.drawRect(painter);
    }
    const int dotsPerMetre = int(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    return Picture(image, points);
}

} // namespace

Picture NKDBarcodeImage::imageFromBarcode(const NKDBarcode& barcode, double dpi)
{
    const NKDBarcodeOffscreenView view(&barcode);
    return rasterise(view, dpi);
}

Picture NKDBarcodeImage::imageFromBarcode(const NKDBarcode& barcode)
{
    return imageFromBarcode(barcode, USED_DPI_VALUE);
}

Picture NKDBarcodeImage::imageFromBarcodeImage(const Picture& symbol, const BarcodeDesignerSettings& settings,
                                               double dpi)
{
    if (symbol.isNull())
        return {};
    if (dpi <= 0) {
        const double widthPoints = symbol.size().width();
        dpi = widthPoints > 0 ? symbol.image().width() * pointsPerInch / widthPoints : pointsPerInch;
    }
    const NKDBarcodeOffscreenView view(symbol, settings);
    return rasterise(view, dpi);
}

QByteArray NKDBarcodeImage::pdfFromBarcode(const NKDBarcode& barcode)
{
    const NKDBarcodeOffscreenView view(&barcode);
    return view.dataWithPDFInsideRect(view.bounds());
}
