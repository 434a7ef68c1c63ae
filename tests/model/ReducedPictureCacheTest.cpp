// Pictures shown at fewer pixels than they have: picture, signature and
// barcode objects average what each device pixel covers instead of sampling
// single picture pixels, on raster devices only, and keep their mirroring,
// transparency and sharp enlargement.

#include "common/ObjectTestSupport.h"
#include "model/ReducedPictureCache.h"
#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTSignature.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <functional>

using ObjectTestSupport::blank;

namespace {

// Columns of one pixel, black and white by turns: the worst case for
// sampling, since a reduction by an odd factor samples one colour only.
QImage stripes(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x)
            line[x] = x % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
    }
    return image;
}

// On white, one pixel per point.
QImage drawOnWhite(SKTGraphic& graphic, int w, int h, double scale = 1.0)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    graphic.drawContentsInView(painter, false);
    return image;
}

std::shared_ptr<SKTGraphic> pictureKind(const char* kind, const QImage& picture, const QRectF& bounds)
{
    const Picture contents(picture, QSizeF(bounds.size()));
    if (QByteArray(kind) == "picture") {
        auto object = std::make_shared<SKTImage>();
        object->setContents(contents);
        object->_file_path = QStringLiteral("/pictures/stripes.png");
        object->_isDrawingStroke = false;
        object->_bounds = bounds;
        return object;
    }
    if (QByteArray(kind) == "signature") {
        auto object = std::make_shared<SKTSignature>();
        object->_contents_img = contents;
        object->_file_path = QStringLiteral("/pictures/stripes.png");
        object->file_path = object->_file_path;
        object->_isDrawingStroke = false;
        object->_bounds = bounds;
        return object;
    }
    auto object = std::make_shared<SKTBarcode>();
    object->Set_Barcode_image(contents);
    object->_bounds = bounds;
    return object;
}

} // namespace

TEST(ReducedPictureCache, ReducedPicturesShowTheAverageOfWhatEachPixelCovers)
{
    for (const char* kind : {"picture", "signature", "barcode"}) {
        SCOPED_TRACE(kind);
        // 500 columns into 100 points: five picture pixels under each.
        auto object = pictureKind(kind, stripes(500, 100), QRectF(10, 10, 100, 20));
        for (int pass = 0; pass < 2; ++pass) {   // the kept copy draws the same
            const QImage image = drawOnWhite(*object, 120, 40);
            for (int x = 11; x < 109; ++x) {
                const int grey = qGray(image.pixel(x, 20));
                // Two or three black columns of five: 40 % to 60 % grey.
                ASSERT_GE(grey, 95) << "at " << x;
                ASSERT_LE(grey, 160) << "at " << x;
            }
            EXPECT_EQ(image.pixel(5, 20), qRgb(255, 255, 255));
        }
    }
}

TEST(ReducedPictureCache, EnlargedBarcodesStaySharpEdged)
{
    // Four columns, black and white by turns, drawn four times as large.
    auto barcode = pictureKind("barcode", stripes(4, 2), QRectF(0, 0, 4, 2));
    const QImage image = drawOnWhite(*barcode, 16, 8, 4.0);
    for (int x = 0; x < 16; ++x)
        EXPECT_EQ(image.pixel(x, 4), (x / 4) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0)) << x;
}

TEST(ReducedPictureCache, ReducedPicturesKeepMirroringAndTransparency)
{
    // Left half opaque red, right half transparent, drawn mirrored at a
    // fifth of its pixels: red on the right, white (not darkened) on the left.
    QImage picture(500, 100, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter(&picture).fillRect(0, 0, 250, 100, Qt::red);
    auto object = std::static_pointer_cast<SKTImage>(pictureKind("picture", picture, QRectF(0, 0, 100, 20)));
    object->_isFlippedHorizontally = true;
    const QImage image = drawOnWhite(*object, 100, 20);
    EXPECT_EQ(image.pixel(10, 10), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(90, 10), qRgb(255, 0, 0));
    // Where the halves meet the average is light red, with no dark seam.
    for (int x = 45; x < 55; ++x) {
        const QRgb p = image.pixel(x, 10);
        EXPECT_EQ(qRed(p), 255) << x;
        EXPECT_EQ(qGreen(p), qBlue(p)) << x;
    }
}

TEST(ReducedPictureCache, OnlyRasterPaintingUnderScalesIsReduced)
{
    const QImage picture = stripes(500, 400);
    const QRectF target(0, 0, 100, 80);

    QImage raster = blank(300, 300);
    QPainter painter(&raster);
    EXPECT_EQ(ReducedPictureCache::reducedSize(painter, target, picture), QSize(100, 80));
    painter.scale(2, 2);
    EXPECT_EQ(ReducedPictureCache::reducedSize(painter, target, picture), QSize(200, 160));
    painter.scale(1, -1);   // mirrored
    EXPECT_EQ(ReducedPictureCache::reducedSize(painter, target, picture), QSize(200, 160));
    painter.resetTransform();
    painter.scale(10, 0.5);   // enlarged across, reduced down
    EXPECT_EQ(ReducedPictureCache::reducedSize(painter, target, picture), QSize(500, 40));
    painter.resetTransform();
    painter.scale(6, 6);   // enlarged both ways: drawn as it is
    EXPECT_TRUE(ReducedPictureCache::reducedSize(painter, target, picture).isEmpty());
    painter.resetTransform();
    painter.rotate(30);
    EXPECT_TRUE(ReducedPictureCache::reducedSize(painter, target, picture).isEmpty());
    painter.end();

    // A PDF page keeps every pixel of the picture.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(72);
    QPainter pdfPainter(&pdf);
    EXPECT_TRUE(ReducedPictureCache::reducedSize(pdfPainter, target, picture).isEmpty());
}

TEST(ReducedPictureCache, ANewPictureIsReducedAgain)
{
    QImage dark(50, 50, QImage::Format_ARGB32);
    dark.fill(Qt::black);
    QImage light(50, 50, QImage::Format_ARGB32);
    light.fill(Qt::white);
    const auto centreOn = [](SKTGraphic& graphic) {
        QImage image(10, 10, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::gray);
        QPainter painter(&image);
        graphic.drawContentsInView(painter, false);
        return image.pixel(5, 5);
    };
    auto signature = std::static_pointer_cast<SKTSignature>(pictureKind("signature", dark, QRectF(0, 0, 10, 10)));
    EXPECT_EQ(centreOn(*signature), qRgb(0, 0, 0));
    // A copy draws its own picture; the original, given a new one, shows it.
    SKTSignature copy(*signature);
    EXPECT_EQ(centreOn(copy), qRgb(0, 0, 0));
    signature->_contents_img = Picture(light, QSizeF(10, 10));
    EXPECT_EQ(centreOn(*signature), qRgb(255, 255, 255));
    EXPECT_EQ(centreOn(copy), qRgb(0, 0, 0));
}
