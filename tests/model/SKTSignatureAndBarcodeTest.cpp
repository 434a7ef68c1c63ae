// Signature and fingerprint pictures, barcode objects and the sample
// pictures they show.

#include "app/Globals.h"
#include "common/ObjectTestSupport.h"
#include "common/TestPictures.h"
#include "model/ResourcePictures.h"
#include "model/SKTBarcode.h"
#include "model/SKTSignature.h"

#include <gtest/gtest.h>
#include <QPainter>

using ObjectTestSupport::blank;
using ObjectTestSupport::opaqueBounds;
using ObjectTestSupport::ScopedResourceFolder;
using ObjectTestSupport::writePng;

namespace {

const QRgb red = qRgb(255, 0, 0);
const QRgb green = qRgb(0, 255, 0);

QImage draw(SKTGraphic& graphic, int w = 300, int h = 200)
{
    QImage image = blank(w, h);
    QPainter painter(&image);
    graphic.drawContentsInView(painter, false);
    painter.end();
    return image;
}

}

TEST(ResourcePictures, PathsJoinTheFolderAndTheName)
{
    struct Case {
        QString folder, expected;
    };
    for (const Case& c : {Case {"/res", "/res/no.png"}, Case {"/res/", "/res/no.png"}, Case {"", "no.png"}}) {
        Resource_Path = c.folder;
        EXPECT_EQ(ResourcePictures::path("no.png"), c.expected);
        EXPECT_EQ(SKTGraphic()._file_path, c.expected);
    }
}

TEST(ResourcePictures, TheShippedSamplesAreThere)
{
    ScopedResourceFolder resources;
    struct Case {
        QString name;
        QSizeF points;
    };
    const Case cases[] = {
        {"no.png", {128, 128}},
        {"sign_sample.png", {100, 50}},
        {"fingerprints.png", {80, 100}},
        {"barcode_sample.png", {120, 60}},
    };
    for (const Case& c : cases) {
        const Picture picture = ResourcePictures::picture(c.name);
        ASSERT_FALSE(picture.isNull()) << c.name.toStdString();
        EXPECT_NEAR(picture.size().width(), c.points.width(), 0.05) << c.name.toStdString();
        EXPECT_NEAR(picture.size().height(), c.points.height(), 0.05) << c.name.toStdString();
    }
    EXPECT_TRUE(ResourcePictures::picture("nothing.png").isNull());
}

TEST(ResourcePictures, TheSampleBarcodeReads)
{
    ScopedResourceFolder resources;
    const ObjectTestSupport::Decoded decoded =
        ObjectTestSupport::decodeBarcode(ResourcePictures::picture("barcode_sample.png").image());
    EXPECT_EQ(decoded.text, "01234565");
    EXPECT_EQ(decoded.format, "EAN-8");
}

TEST(SKTSignature, DefaultPathIsTheSampleOfTheKind)
{
    ScopedResourceFolder resources;
    struct Case {
        QString kind, sample;
    };
    for (const Case& c : {Case {"S", "sign_sample.png"}, Case {"F", "fingerprints.png"}, Case {"X", "fingerprints.png"}}) {
        SKTSignature signature;
        signature.Set_Sign_Or_FP(c.kind);
        signature.setFilePath("Default");
        EXPECT_EQ(signature._file_path, resources.file(c.sample)) << c.kind.toStdString();
        EXPECT_EQ(signature.file_path, resources.file(c.sample));
        EXPECT_FALSE(signature._contents_img.isNull());
    }
}

TEST(SKTSignature, NewSignatureShowsItsSampleAndReloadsItAfterReading)
{
    ScopedResourceFolder resources;
    SKTSignature made;
    made.initWithPosition(QPointF(100, 80), Picture(TestPictures::solid(40, 20, red), QSizeF(40, 20)), "S");
    EXPECT_EQ(made.bounds(), QRectF(80, 70, 40, 20));
    EXPECT_EQ(made.Sign_Or_FP_Val(), "S");
    EXPECT_EQ(made._file_path, resources.file("sign_sample.png"));
    // The picture it was made with stays.
    made._isDrawingStroke = false;
    EXPECT_EQ(draw(made).pixel(100, 80), red);

    // Read back from a design: only the path and the fields are there.
    SKTSignature read;
    read._file_path = made._file_path;
    read._bounds = made._bounds;
    read._isDrawingStroke = false;
    const QImage image = draw(read);
    EXPECT_FALSE(read._contents_img.isNull());
    EXPECT_EQ(read.file_path, read._file_path);
    EXPECT_FALSE(opaqueBounds(image).isEmpty());
    EXPECT_TRUE(QRect(80, 70, 40, 20).contains(opaqueBounds(image)));
}

TEST(SKTSignature, ANewPathIsReadAtTheNextDraw)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writePng(dir.filePath("a.png"), TestPictures::solid(10, 10, red), std::nullopt));
    ASSERT_TRUE(writePng(dir.filePath("b.png"), TestPictures::solid(10, 10, green), std::nullopt));
    SKTSignature signature;
    signature.initWithPath(QPointF(50, 50), dir.filePath("a.png"), "F");
    EXPECT_EQ(signature.Sign_Or_FP_Val(), "F");
    EXPECT_EQ(signature.bounds(), QRectF(45, 45, 10, 10));
    signature._bounds = QRectF(10, 10, 60, 30);
    signature._isDrawingStroke = false;
    EXPECT_EQ(draw(signature).pixel(40, 25), red);
    signature._file_path = dir.filePath("b.png");
    const QImage image = draw(signature);
    EXPECT_EQ(image.pixel(40, 25), green);
    // Stretched over the bounds, whole, at full opacity.
    EXPECT_EQ(opaqueBounds(image), QRect(10, 10, 60, 30));
    signature.img_trnsp_val = 10;
    signature._isFlippedHorizontally = true;
    signature.gray_Scale = true;
    EXPECT_EQ(draw(signature), image);

    signature._file_path = dir.filePath("gone.png");
    signature._isDrawingStroke = true;
    const QImage frameOnly = draw(signature);
    EXPECT_TRUE(signature._contents_img.isNull());
    EXPECT_EQ(qAlpha(frameOnly.pixel(40, 25)), 0);
    EXPECT_GT(qAlpha(frameOnly.pixel(10, 25)), 0);

    signature.ctrl_is_visible = false;
    EXPECT_TRUE(opaqueBounds(draw(signature)).isEmpty());
}

TEST(SKTBarcode, BeforeTheDesignerRanTheSampleShows)
{
    ScopedResourceFolder resources;
    SKTBarcode barcode;
    barcode.initWithPosition(QPointF(100, 100), Picture(TestPictures::solid(5, 5, red), QSizeF(5, 5)));
    EXPECT_NEAR(barcode.bounds().width(), 120, 0.05);
    EXPECT_NEAR(barcode.bounds().height(), 60, 0.05);
    EXPECT_NEAR(barcode.bounds().center().x(), 100, 1e-9);
    const QImage image = draw(barcode);
    // Black bars on white, where the sample lies (its edges are a
    // fraction of a pixel off the pixel grid: 240 pixels at 5669 dots a metre).
    EXPECT_TRUE(opaqueBounds(image).contains(QRect(40, 70, 120, 60)));
    EXPECT_TRUE(QRect(39, 69, 122, 62).contains(opaqueBounds(image)));
}

TEST(SKTBarcode, TheDesignersPictureIsDrawnUnscaledFromTheTopLeftCorner)
{
    ScopedResourceFolder resources;
    SKTBarcode barcode;
    barcode._bounds = QRectF(10, 20, 120, 60);
    barcode.Set_Barcode_image(Picture(TestPictures::solid(400, 160, green), QSizeF(200, 80)));
    barcode._isDrawingFill = true;
    barcode._isDrawingStroke = true;
    const QImage image = draw(barcode);
    EXPECT_EQ(opaqueBounds(image), QRect(10, 20, 200, 80));
    EXPECT_EQ(image.pixel(200, 95), green);
    EXPECT_FALSE(barcode.isDrawingFill());
    EXPECT_FALSE(barcode.isDrawingStroke());
    EXPECT_EQ(barcode._contents.size(), QSizeF(200, 80));
    // Redrawing and clipping cover the whole picture.
    EXPECT_TRUE(barcode.drawingBounds().contains(QRectF(10, 20, 200, 80)));
    EXPECT_TRUE(barcode.drawingBounds().contains(QRectF(7, 17, 127, 67)));

    barcode.ctrl_is_visible = false;
    EXPECT_TRUE(opaqueBounds(draw(barcode)).isEmpty());
}

TEST(SKTBarcode, WithoutAnyPictureNothingIsDrawn)
{
    ScopedResourceFolder resources;
    QFile::remove(resources.file("barcode_sample.png"));
    SKTBarcode barcode;
    barcode._bounds = QRectF(10, 20, 120, 60);
    EXPECT_TRUE(opaqueBounds(draw(barcode)).isEmpty());
    EXPECT_EQ(barcode.drawingBounds(), QRectF(7, 17, 127, 67));
}
