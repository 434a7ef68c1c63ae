// Barcodes and photos written into PDF pages: what an independent rasteriser
// (pdftoppm) makes of a barcode at 300 dpi must match the barcode's picture
// averaged onto the same pixels and read back as its value, and the pictures
// pdfimages finds in the file stay lossless and no larger than printing needs.

#include "common/ObjectTestSupport.h"
#include "barcodes/BarcodeProducer.h"
#include "barcodes/BarcodeSettings.h"
#include "model/ReducedPictureCache.h"
#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/VectorizedPicture.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr double pdfResolution = 1200;
constexpr double rasterDpi = 300;
constexpr double margin = 18;

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(60000)) << program.toStdString();
    EXPECT_EQ(process.exitCode(), 0) << program.toStdString() << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// One PDF page of `size` points with `draw` run on a painter in points,
// set up as batch output sets it up.
void writePdf(const QString& path, const QSizeF& size, const std::function<void(QPainter&)>& draw)
{
    QPdfWriter writer(path);
    writer.setResolution(int(pdfResolution));
    writer.setPageLayout(QPageLayout(QPageSize(size, QPageSize::Point, QString(), QPageSize::ExactMatch),
                                     QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter painter(&writer);
    painter.scale(pdfResolution / 72, pdfResolution / 72);
    painter.setRenderHint(QPainter::LosslessImageRendering, true);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    draw(painter);
}

QImage rasterise(const QString& pdf, const QString& prefix)
{
    run("pdftoppm", {"-r", QString::number(rasterDpi), "-singlefile", "-gray", "-png", pdf, prefix});
    return QImage(prefix + ".png").convertToFormat(QImage::Format_Grayscale8);
}

struct Images
{
    int count = 0;
    QStringList encodings;
    long long pixels = 0;
    int largestPpi = 0;
};

Images imagesIn(const QString& pdf)
{
    Images images;
    for (const QString& line : run("pdfimages", {"-list", pdf}).split('\n', Qt::SkipEmptyParts).mid(2)) {
        const QStringList columns = line.simplified().split(' ');
        if (columns.size() < 14 || columns[2] == "smask")
            continue;
        ++images.count;
        images.encodings << columns[8];
        images.pixels += columns[3].toLongLong() * columns[4].toLongLong();
        images.largestPpi = std::max({images.largestPpi, columns[12].toInt(), columns[13].toInt()});
    }
    return images;
}

// The barcode's picture on white, every 300 dpi pixel the average of the
// picture pixels it covers: what the page should show.
QImage expectedAt300(const Picture& picture, const QPointF& at)
{
    const double scale = rasterDpi / 72;
    const QRectF device(at * scale, picture.size() * scale);
    const QImage averaged = ReducedPictureCache::areaAverage(picture.image(), device, false, false);
    QImage white(averaged.size(), QImage::Format_ARGB32_Premultiplied);
    white.fill(Qt::white);
    QPainter(&white).drawImage(0, 0, averaged);
    return white.convertToFormat(QImage::Format_Grayscale8);
}

struct BarcodeCase
{
    const char* name;
    const char* symbology;
    QString value, header, footer;
    int size = 0; // of a two-dimensional symbol, points; 0: the default
    friend void PrintTo(const BarcodeCase& c, std::ostream* out) { *out << c.name; }
};

class BarcodePdfOutput : public ::testing::TestWithParam<BarcodeCase>
{
protected:
    ObjectTestSupport::ScopedResourceFolder resources;
    QTemporaryDir dir;
};

}

TEST_P(BarcodePdfOutput, RasterisedAt300DpiMatchesThePictureAndReads)
{
    const BarcodeCase& c = GetParam();
    BarcodeSettings settings;
    settings.barcode_font_index = int(BarcodeSettings::symbologyTitles().indexOf(c.symbology));
    ASSERT_GE(settings.barcode_font_index, 0) << c.symbology;
    settings.linear_or_2d = BarcodeProducer::drawsTwoDimensional(c.symbology) ? 1 : 0;
    if (c.size > 0)
        settings.qr_size_val = c.size;
    const BarcodeProducer::Result made = BarcodeProducer::render(settings, c.value, c.header, c.footer);
    ASSERT_TRUE(made.ok()) << made.reason.toStdString();
    const Picture& picture = made.picture;

    SKTBarcode barcode;
    barcode._barcode_image = picture;
    barcode._bounds = QRectF(QPointF(margin, margin), picture.size());
    const QString pdf = dir.filePath("barcode.pdf");
    const QSizeF page = picture.size() + QSizeF(2 * margin, 2 * margin);
    writePdf(pdf, page, [&](QPainter& painter) { barcode.drawContentsInView(painter, false); });

    const QImage raster = rasterise(pdf, dir.filePath("page"));
    ASSERT_FALSE(raster.isNull());
    const QImage expected = expectedAt300(picture, QPointF(margin, margin));
    const QPoint origin((QPointF(margin, margin) * rasterDpi / 72).toPoint());
    // The symbol within a grey level; at an edge, where the rasteriser may
    // snap the edge to a whole pixel, within the grey levels around the
    // pixel. Caption rows, pictures themselves, are left to the decoder.
    std::vector<bool> caption(size_t(expected.height()), false);
    const double down = rasterDpi / 72 * picture.size().height() / picture.image().height();
    const VectorizedPicture vector(picture.image());
    for (const VectorizedPicture::Strip& strip : vector.strips())
        for (int y = int(strip.pixels.top() * down) - 2; y <= int((strip.pixels.bottom() + 1) * down) + 2; ++y)
            if (y >= 0 && y < expected.height())
                caption[size_t(y)] = true;
    for (int y = 1; y + 1 < expected.height(); ++y)
        for (int x = 1; x + 1 < expected.width() && !caption[size_t(y)]; ++x) {
            int low = 255, high = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    low = std::min<int>(low, expected.constScanLine(y + dy)[x + dx]);
                    high = std::max<int>(high, expected.constScanLine(y + dy)[x + dx]);
                }
            const int got = raster.constScanLine(origin.y() + y)[origin.x() + x];
            ASSERT_TRUE(got >= low - 1 && got <= high + 1)
                << c.name << " at " << x << "," << y << ": " << got << " not in " << low << ".." << high;
        }

    // Caption rows, up to two pixels past the picture's sides: no ink where
    // neither the picture nor its neighbours have any (no edge of a strip
    // shows).
    const auto expectedAt = [&](int x, int y) {
        return x < 0 || y < 0 || x >= expected.width() || y >= expected.height() ? 255 : expected.constScanLine(y)[x];
    };
    for (int y = 0; y < expected.height(); ++y)
        for (int x = -2; x < expected.width() + 2 && caption[size_t(y)]; ++x) {
            int low = 255;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    low = std::min(low, expectedAt(x + dx, y + dy));
            const int got = raster.constScanLine(origin.y() + y)[origin.x() + x];
            ASSERT_TRUE(low < 255 || got >= 254) << c.name << " caption at " << x << "," << y << ": " << got;
        }

    EXPECT_EQ(ObjectTestSupport::decodeBarcode(raster).text, c.value) << c.name;

    // the bars are rectangles; only caption rows are pixels, never JPEG
    const Images images = imagesIn(pdf);
    for (const QString& encoding : images.encodings)
        EXPECT_NE(encoding, "jpeg") << c.name;
    EXPECT_LE(images.pixels, qint64(picture.image().width()) * picture.image().height() / 3) << c.name;
    if (c.header.isEmpty() && c.footer.isEmpty() && BarcodeProducer::drawsTwoDimensional(c.symbology)) {
        EXPECT_EQ(images.count, 0) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Symbologies, BarcodePdfOutput,
                         ::testing::Values(BarcodeCase {"code128", "Code 128", "CARD-000123", "", ""},
                                           BarcodeCase {"code128Texts", "Code 128", "BF 42-7781", "Guest", "Table 4"},
                                           BarcodeCase {"ean13", "EAN-13", "4006381333931", "", ""},
                                           BarcodeCase {"qr", "QR Code", "https://example.org/guest/0042", "", ""},
                                           BarcodeCase {"qrTexts", "QR Code", "MEMBER 1 2 3", "Member", "Valid 2027"},
                                           // texts wider than the symbol, a picture of a fraction of a pixel more
                                           BarcodeCase {"qrWideTexts", "QR Code", "BF-000001", "HEADER", "FOOTER", 70},
                                           BarcodeCase {"pdf417", "PDF417", "Brightfold badge 7781", "", ""},
                                           BarcodeCase {"dataMatrix", "DataMatrix", "DM-55120", "", ""}),
                         [](const ::testing::TestParamInfo<BarcodeCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(VectorizedPicture, CoversExactlyThePicturesPixels)
{
    // Drawn onto a raster at the picture's own resolution, the rectangles and
    // strips give back every pixel: bars, a repeated grey edge, a caption
    // row of mixed pixels, semi-transparent runs and transparent holes.
    const QRgb clear = qRgba(0, 0, 0, 0);
    const QRgb ink = qRgb(10, 20, 200);
    const struct
    {
        const char* name;
        std::function<QRgb(int x, int y)> pixel;
        int areas; // -1: not checked
        int strips;
    } cases[] = {
        {"bars", [&](int x, int) { return (x / 3) % 2 ? ink : clear; }, 5, 0},
        {"modules", [&](int x, int y) { return ((x / 5) + (y / 5)) % 2 ? ink : clear; }, -1, 0},
        {"grey edges", [&](int x, int) { return x % 6 == 0 ? qRgba(0, 0, 0, 128)
                                             : x % 6 < 3   ? ink
                                                           : clear; }, 10, 0},
        {"caption", [&](int x, int y) { return y >= 20 ? qRgba(0, 0, 0, (x * 37 + y * 11) % 256) : ink; }, 1, 1},
        // an opaque caption margin: a rectangle under the letters' columns
        {"boxed caption",
         [&](int x, int y) { return y >= 20 && x >= 10 && x < 16 ? qRgb(x * 20, y, 0) : qRgb(255, 255, 255); }, 2, 1},
        {"solid", [&](int, int) { return qRgb(255, 255, 255); }, 1, 0},
        // no barcode: every other pixel in rows of four, too many
        // rectangles to be worth it, so the picture whole
        {"fine pattern", [&](int x, int y) { return (x + y / 4) % 2 ? ink : qRgb(x, y, 9); }, -1, 1},
        {"empty", [&](int, int) { return clear; }, 0, 0},
    };
    for (const auto& c : cases) {
        QImage image(30, 24, QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, c.pixel(x, y));
        const VectorizedPicture vector(image);
        if (c.areas >= 0) {
            EXPECT_EQ(int(vector.areas().size()), c.areas) << c.name;
        }
        EXPECT_EQ(int(vector.strips().size()), c.strips) << c.name;
        if (QString(c.name) == "boxed caption" && vector.strips().size() == 1) {
            EXPECT_EQ(vector.strips()[0].pixels, QRect(10, 20, 6, 4));
        }

        QImage drawn(image.size(), QImage::Format_ARGB32);
        drawn.fill(Qt::transparent);
        {
            QPainter painter(&drawn);
            vector.draw(painter, QRectF(QPointF(0, 0), image.size()));
        }
        const QImage want = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QImage got = drawn.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                ASSERT_EQ(got.pixel(x, y), want.pixel(x, y)) << c.name << " at " << x << "," << y;
    }
}

TEST(PhotoPdfOutput, APhotoGoesInAtPrintResolutionNeverMoreThanItHas)
{
    ObjectTestSupport::ScopedResourceFolder resources;
    QTemporaryDir dir;
    const struct
    {
        const char* name;
        QSize pixels;
        QSizeF points;
        QSize stored;     // what the file holds
        double scale = 1; // of the painter, on top of points
    } cases[] = {
        // 4000 x 3000 drawn at 90 x 67.5 pt: 375 x 282 at 300 dpi
        {"large photo", {4000, 3000}, {90, 67.5}, {375, 282}},
        // already fewer pixels than 300 dpi asks: kept as it is
        {"small photo", {200, 100}, {144, 72}, {200, 100}},
        // stretched: each side on its own
        {"stretched", {1200, 1200}, {72, 36}, {300, 150}},
        // a card drawn enlarged prints the picture larger
        {"enlarged", {4000, 3000}, {90, 67.5}, {750, 563}, 2},
    };
    for (const auto& c : cases) {
        QImage image(c.pixels, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb(x * 255 / image.width(), y * 255 / image.height(), 90));
        SKTImage photo;
        photo._file_path = "photo.png";
        photo._contents = Picture(image, QSizeF(c.pixels));
        photo.brt_val = 0.1f;
        photo._bounds = QRectF(QPointF(margin, margin), c.points);
        EXPECT_EQ(photo.printedPicture(c.points * c.scale).image().size(), c.stored) << c.name;

        const QString pdf = dir.filePath(QString("%1.pdf").arg(c.name));
        writePdf(pdf, (c.points + QSizeF(2 * margin, 2 * margin)) * c.scale, [&](QPainter& painter) {
            painter.scale(c.scale, c.scale);
            photo.drawContentsInView(painter, false);
        });
        const Images images = imagesIn(pdf);
        ASSERT_EQ(images.count, 1) << c.name;
        EXPECT_NE(images.encodings.value(0), "jpeg") << c.name;
        EXPECT_EQ(images.pixels, qint64(c.stored.width()) * c.stored.height()) << c.name;
        EXPECT_LE(images.largestPpi, 301) << c.name;
    }
}
