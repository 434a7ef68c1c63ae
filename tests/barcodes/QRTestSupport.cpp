#include "QRTestSupport.h"

#include "barcodes/QREncoder.h"

#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>

namespace QRTestSupport {

QImage renderOnWhite(const DataMatrix& grid, int scale)
{
    const int side = int(grid.dimension() + 8) * scale;
    const QImage rgba = QREncoder::renderDataMatrix(grid, side);
    if (rgba.isNull())
        return {};
    QImage grey(side, side, QImage::Format_Grayscale8);
    for (int y = 0; y < side; ++y) {
        const uchar* in = rgba.constScanLine(y);
        uchar* out = grey.scanLine(y);
        for (int x = 0; x < side; ++x) {
            const uchar* p = in + 4 * x;
            // transparent pixels show the white paper
            out[x] = p[3] == 0 ? 255 : uchar((p[0] * p[3] + 255 * (255 - p[3])) / 255);
        }
    }
    return grey;
}

Decoded decode(const QImage& grey)
{
    Decoded d;
    if (grey.isNull() || grey.format() != QImage::Format_Grayscale8)
        return d;
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::QRCode);
    hints.setTryRotate(false);
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(), ZXing::ImageFormat::Lum,
                                int(grey.bytesPerLine()));
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    d.ok = result.isValid();
    d.text = result.text();
    d.ecLevel = result.ecLevel();
    d.mirrored = result.isMirrored();
    return d;
}

} // namespace QRTestSupport
