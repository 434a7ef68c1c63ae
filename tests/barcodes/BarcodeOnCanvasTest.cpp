// Barcode pictures drawn at fewer pixels than they have, as the canvas shows
// a barcode at 100 %: the drawing is the exact area-average shrink of the
// picture into its (fractional) place, and reads as that shrink reads.

#include "Pdf417TestSupport.h"
#include "QRTestSupport.h"
#include "barcodes/BarcodeProducer.h"
#include "barcodes/BarcodeSettings.h"
#include "barcodes/QREncoder.h"
#include "common/ObjectTestSupport.h"
#include "model/SKTBarcode.h"

#include <gtest/gtest.h>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>
#include <cmath>

namespace {

// Each pixel of a white w x h picture gets the grey of the picture pixels
// under it, weighted by the area each covers, the picture laid over `place`.
QImage exactShrink(const QImage& picture, const QRectF& place, int w, int h)
{
    const double sx = place.width() / picture.width(), sy = place.height() / picture.height();
    const auto overlap = [](double a, double b, double from, double step, int i) {
        return std::max(0.0, std::min(b, from + (i + 1) * step) - std::max(a, from + i * step));
    };
    QImage out(w, h, QImage::Format_Grayscale8);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            double covered = 0, sum = 0;
            const int i0 = std::max(0, int((x - place.left()) / sx) - 1), j0 = std::max(0, int((y - place.top()) / sy) - 1);
            for (int j = j0; j < std::min(picture.height(), j0 + int(1 / sy) + 3); ++j) {
                for (int i = i0; i < std::min(picture.width(), i0 + int(1 / sx) + 3); ++i) {
                    const double a = overlap(x, x + 1, place.left(), sx, i) * overlap(y, y + 1, place.top(), sy, j);
                    covered += a;
                    sum += a * qGray(picture.pixel(i, j));
                }
            }
            out.scanLine(y)[x] = uchar(std::lround(sum + (1.0 - covered) * 255.0));
        }
    }
    return out;
}

// A window that shows one object on white, as the canvas does.
struct Screen : QWidget
{
    SKTGraphic& graphic;
    explicit Screen(SKTGraphic& g) : graphic(g) { resize(160, 100); }
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        graphic.drawContentsInView(painter, false);
    }
};

} // namespace

// A barcode without a picture: a typed one shows the sample; a bound one
// prints nothing and the screen shows only its empty frame.
TEST(BarcodeOnCanvas, ABoundBarcodeWithoutAValueShowsOnlyItsFrame)
{
    ObjectTestSupport::ScopedResourceFolder resources;
    const auto ink = [](const QImage& image, QRect area, int below) {
        return ObjectTestSupport::inkBounds(image.copy(area), [below](QRgb c) { return qGray(c) < below; });
    };
    for (const int source : {0, 1, 2}) {
        SKTBarcode barcode;
        barcode.data_source_type = source;
        barcode._bounds = QRectF(20, 20, 120, 60);
        QImage printed(160, 100, QImage::Format_RGB32);
        printed.fill(Qt::white);
        QPainter painter(&printed);
        barcode.drawContentsInView(painter, false);
        painter.end();
        Screen screen(barcode);
        const QImage shown = screen.grab().toImage().convertToFormat(QImage::Format_RGB32);
        for (const QImage& image : {shown, printed})
            EXPECT_EQ(ink(image, QRect(22, 22, 116, 56), 128).isEmpty(), source != 0) << source;
        if (source != 0) {
            EXPECT_TRUE(ink(printed, printed.rect(), 255).isEmpty()) << source;
            EXPECT_GT(ink(shown, QRect(20, 19, 120, 3), 255).width(), 20) << "the frame shows on the screen";
        }
    }
}

TEST(BarcodeOnCanvas, DrawsTheExactShrinkAndReadsAsItReads)
{
    const QString text = QStringLiteral("Brightfold badge 0042 / row 7, seat 19");
    const DataMatrix grid = QREncoder::encodeWithECLevel(1, 0, text);
    const Pdf417Symbol symbol = Pdf417Symbol::encode(text, 2);
    int readable = 0;
    for (const bool qr : {true, false}) {
        for (const int dpi : {300, 200, 150}) {          // 72 dpi the canvas at 100 %
            for (const int px : {2, 3, 4}) {             // picture pixels per module
                for (const QPointF origin : {QPointF(10, 10), QPointF(10.37, 7.71), QPointF(11.5, 9.25)}) {
                    QImage picture = qr ? QRTestSupport::renderOnWhite(grid, px) : pdf417test::toImage(symbol, px);
                    picture.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
                    picture.setDotsPerMeterY(int(std::lround(dpi / 0.0254)));
                    SKTBarcode barcode;
                    barcode.Set_Barcode_image(Picture(picture));
                    barcode._bounds = QRectF(origin, barcode._barcode_image.size());
                    const QSize size = barcode._bounds.adjusted(0, 0, 10, 10).toAlignedRect().size();
                    QImage canvas(size, QImage::Format_ARGB32_Premultiplied);
                    canvas.fill(Qt::white);
                    QPainter painter(&canvas);
                    barcode.drawContentsInView(painter, false);
                    painter.end();
                    canvas = canvas.convertToFormat(QImage::Format_Grayscale8);
                    const QImage shrunk = exactShrink(picture, barcode._bounds, size.width(), size.height());

                    const std::string where = (qr ? "QR " : "PDF417 ") + std::to_string(dpi) + " dpi, "
                        + std::to_string(px) + " px per module at " + std::to_string(origin.x()) + ", "
                        + std::to_string(origin.y());
                    int worst = 0;
                    for (int y = 0; y < size.height(); ++y)
                        for (int x = 0; x < size.width(); ++x)
                            worst = std::max(worst, std::abs(shrunk.scanLine(y)[x] - canvas.scanLine(y)[x]));
                    EXPECT_LE(worst, 1) << where;
                    const auto read = [qr](const QImage& grey) {
                        if (qr)
                            return QRTestSupport::decode(grey).text;
                        const auto reading = pdf417test::read(grey);
                        return reading ? reading->bytes.toStdString() : std::string();
                    };
                    const std::string exact = read(shrunk);
                    EXPECT_EQ(read(canvas), exact) << where;
                    readable += !exact.empty();
                }
            }
        }
    }
    EXPECT_GT(readable, 10);
}

// A QR Code without footer (a light strip ends its picture) and a Code 128 in
// a frame larger than its picture, on a blue card: no blue inside the frame
// at 72 and 300 dpi and in a PDF page, unless the background is transparent.
TEST(BarcodeOnCanvas, TheBackgroundCoversTheWholeFrame)
{
    const struct
    {
        const char* symbology;
        Colour background;
        double grown;
        bool covered;
    } cases[] = {{"QR Code", Colour::rgb(1, 1, 0), 0, true},
                 {"Code 128", Colour::rgb(1, 1, 0), 20, true},
                 {"Code 128", Colour::rgb(1, 1, 0, 0), 20, false}};
    QTemporaryDir dir;
    for (const auto& c : cases) {
        SKTBarcode barcode;
        barcode.barcode_font_index = int(BarcodeSettings::symbologyTitles().indexOf(c.symbology));
        barcode.linear_or_2d = BarcodeProducer::drawsTwoDimensional(c.symbology) ? 1 : 0;
        barcode.show_hide_ftr = 1;
        barcode.barcode_back_clr_val = c.background;
        barcode.Set_Barcode_image(BarcodeProducer::pictureForObject(barcode, "BF-0042"));
        barcode._bounds = QRectF(QPointF(10.37, 7.71), barcode._barcode_image.size() + QSizeF(c.grown, c.grown));
        const QSizeF page = barcode._bounds.size() + QSizeF(20, 20);
        for (const int dpi : {72, 300, 0}) { // 0: a PDF page, read at 300 dpi
            const double scale = (dpi ? dpi : 300) / 72.0;
            QImage drawn((page * scale).toSize(), QImage::Format_RGB32);
            QPdfWriter pdf(dir.filePath("frame.pdf"));
            pdf.setResolution(72);
            pdf.setPageLayout(QPageLayout(QPageSize(page, QPageSize::Point, {}, QPageSize::ExactMatch),
                                          QPageLayout::Portrait, QMarginsF()));
            {
                QPainter painter(dpi ? static_cast<QPaintDevice*>(&drawn) : &pdf);
                painter.scale(dpi ? scale : 1, dpi ? scale : 1);
                painter.fillRect(QRectF(QPointF(0, 0), page), Qt::blue);
                barcode.drawContentsInView(painter, false);
            }
            if (!dpi) {
                QProcess::execute(
                    "pdftoppm", {"-r", "300", "-singlefile", "-png", dir.filePath("frame.pdf"), dir.filePath("frame")});
                drawn = QImage(dir.filePath("frame.png")).convertToFormat(QImage::Format_RGB32);
            }
            const QRect inside = QRectF(barcode._bounds.topLeft() * scale, barcode._bounds.size() * scale)
                                     .toAlignedRect()
                                     .adjusted(1, 1, -1, -1);
            ASSERT_TRUE(drawn.rect().contains(inside)) << c.symbology << " " << dpi;
            int blue = 0;
            for (int y = inside.top(); y <= inside.bottom(); ++y)
                for (int x = inside.left(); x <= inside.right(); ++x)
                    blue += qBlue(drawn.pixel(x, y)) > qRed(drawn.pixel(x, y)) + 16;
            EXPECT_EQ(blue == 0, c.covered) << c.symbology << " at " << dpi << " dpi: " << blue << " blue pixels";
        }
    }
}
