// Barcode pictures drawn at fewer pixels than they have, as the canvas shows
// a 300 dpi barcode at 100 %: a decoder reads from the drawing what it reads
// from an exact area-average shrink of the picture into the same place.

#include "barcodes/Pdf417Symbol.h"
#include "barcodes/QREncoder.h"
#include "model/SKTBarcode.h"

#include <gtest/gtest.h>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#ifdef HAVE_ZXING
#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>
#endif

namespace {

const QString text = QStringLiteral("Brightfold badge 0042 / row 7, seat 19");

// A module picture: `isDark(column, row)` over columns x rows modules, each
// `px` pixels wide and `rowHeight` modules high, in a white quiet zone of
// `quiet` modules, recorded at `dpi`.
QImage modulePicture(int columns, int rows, int rowHeight, int quiet, int px, int dpi,
                     const std::function<bool(int, int)>& isDark)
{
    const int w = (columns + 2 * quiet) * px;
    const int h = (rows * rowHeight + 2 * quiet) * px;
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Qt::white);
    for (int y = 0; y < h; ++y) {
        const int row = y / px - quiet;
        if (row < 0 || row >= rows * rowHeight)
            continue;
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int column = x / px - quiet;
            if (column >= 0 && column < columns && isDark(column, row / rowHeight))
                line[x] = qRgb(0, 0, 0);
        }
    }
    const int dotsPerMetre = int(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    return image;
}

QImage qrPicture(int px, int dpi)
{
    const DataMatrix grid = QREncoder::encodeWithECLevel(1, 0, text);
    const int n = int(grid.dimension());
    return modulePicture(n, n, 1, 4, px, dpi, [&](int c, int r) { return grid.valueAt(c, r) != 0; });
}

QImage pdf417Picture(int px, int dpi)
{
    const Pdf417Symbol symbol = Pdf417Symbol::encode(text, 2);
    return modulePicture(symbol.moduleColumns(), symbol.rows(), 3, 2, px, dpi,
                         [&](int c, int r) { return symbol.isDark(c, r); });
}

// The exact shrink: every pixel of a white w x h picture gets the average
// of the picture pixels under it, weighted by the area each covers, with
// the picture laid over `place` (in pixels).
QImage exactShrink(const QImage& picture, const QRectF& place, int w, int h)
{
    const double sx = place.width() / picture.width();
    const double sy = place.height() / picture.height();
    const auto overlap = [](double a0, double a1, double b0, double b1) {
        return std::max(0.0, std::min(a1, b1) - std::max(a0, b0));
    };
    QImage out(w, h, QImage::Format_Grayscale8);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            double covered = 0, sum = 0;
            const int i0 = std::max(0, int(std::floor((x - place.left()) / sx)) - 1);
            const int i1 = std::min(picture.width() - 1, int(std::ceil((x + 1 - place.left()) / sx)) + 1);
            const int j0 = std::max(0, int(std::floor((y - place.top()) / sy)) - 1);
            const int j1 = std::min(picture.height() - 1, int(std::ceil((y + 1 - place.top()) / sy)) + 1);
            for (int j = j0; j <= j1; ++j) {
                const double oy = overlap(y, y + 1, place.top() + j * sy, place.top() + (j + 1) * sy);
                for (int i = i0; oy > 0 && i <= i1; ++i) {
                    const double a = oy * overlap(x, x + 1, place.left() + i * sx, place.left() + (i + 1) * sx);
                    covered += a;
                    sum += a * qGray(picture.pixel(i, j));
                }
            }
            out.scanLine(y)[x] = uchar(std::lround(sum + (1.0 - covered) * 255.0));
        }
    }
    return out;
}

// The barcode object at `origin` on white, one pixel per point, as the
// canvas draws at 100 %.
QImage onCanvas(const QImage& picture, QPointF origin, int w, int h)
{
    SKTBarcode barcode;
    barcode.Set_Barcode_image(Picture(picture));
    barcode._bounds = QRectF(origin, barcode._barcode_image.size());
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    barcode.drawContentsInView(painter, false);
    painter.end();
    return image.convertToFormat(QImage::Format_Grayscale8);
}

std::string decode(const QImage& grey, bool qr)
{
#ifdef HAVE_ZXING
    ZXing::DecodeHints hints;
    hints.setFormats(qr ? ZXing::BarcodeFormat::QRCode : ZXing::BarcodeFormat::PDF417);
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(), ZXing::ImageFormat::Lum,
                                int(grey.bytesPerLine()));
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    return result.isValid() ? result.text() : std::string();
#else
    (void)grey;
    (void)qr;
    return {};
#endif
}

} // namespace

TEST(BarcodeOnCanvas, ReadsAsTheExactShrinkReads)
{
#ifndef HAVE_ZXING
    GTEST_SKIP() << "no decoder";
#endif
    int readable = 0;
    for (const bool qr : {true, false}) {
        for (const int dpi : {300, 200, 150}) {
            for (const int px : {2, 3, 4}) {
                for (const QPointF origin : {QPointF(10, 10), QPointF(10.37, 7.71), QPointF(11.5, 9.25)}) {
                    const QImage picture = qr ? qrPicture(px, dpi) : pdf417Picture(px, dpi);
                    const QSizeF points = Picture(picture).size();
                    const int w = int(std::ceil(origin.x() + points.width())) + 10;
                    const int h = int(std::ceil(origin.y() + points.height())) + 10;
                    const QImage shrunk = exactShrink(picture, QRectF(origin, points), w, h);
                    const QImage canvas = onCanvas(picture, origin, w, h);
                    int worst = 0;
                    for (int y = 0; y < h; ++y)
                        for (int x = 0; x < w; ++x)
                            worst = std::max(worst, std::abs(shrunk.scanLine(y)[x] - canvas.scanLine(y)[x]));
                    EXPECT_LE(worst, 1);
                    const std::string exact = decode(shrunk, qr);
                    const std::string drawn = decode(canvas, qr);
                    EXPECT_EQ(drawn, exact) << (qr ? "QR" : "PDF417") << " " << dpi << " dpi, " << px
                                            << " px per module at " << origin.x() << ", " << origin.y();
                    readable += !exact.empty();
                }
            }
        }
    }
    EXPECT_GT(readable, 0);
}
