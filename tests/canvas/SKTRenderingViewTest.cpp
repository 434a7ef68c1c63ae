// The card renderer: pictures of card sides (card base, stacking, left-out
// objects, size), PDF pages and TIFF data of objects.

#include "RenderTestSupport.h"
#include "canvas/SKTRenderingView.h"
#include "common/ObjectTestSupport.h"
#include "common/TestPictures.h"
#include "model/Globals.h"
#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"
#include "platform/MessagePresenter.h"
#include "platform/ScriptedMessagePresenter.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <stdexcept>

using ObjectTestSupport::opaqueBounds;
using ObjectTestSupport::ScopedResourceFolder;

namespace {

QImage render(CanvasHost& host, const GraphicList& graphics, double dpi = 72, int side = 0)
{
    return SKTRenderingView::image_From_Card_Graphics(&host, graphics, side, false, dpi).image();
}

}

TEST(SKTRenderingView, AnEmptySideIsTheCardBaseAtTheFrontCanvasSize)
{
    CardWindow window;
    const Picture picture = SKTRenderingView::image_From_Card_Graphics(&window, {}, 0, false);
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSizeF(300, 200));
    // At the default density of 300 dpi.
    EXPECT_EQ(picture.image().size(), QSize(1250, 833));
    EXPECT_NEAR(picture.image().dotsPerMeterX() * 0.0254, 300, 0.1);
    EXPECT_EQ(picture.image().pixel(0, 0), frontBase);
    EXPECT_EQ(picture.image().pixel(1249, 832), frontBase);
    // The base is laid out for the whole card.
    EXPECT_EQ(window.baseRects, QList<QRectF>({QRectF(0, 0, 300, 200)}));
    EXPECT_EQ(picture.image(), SKTRenderingView::image_From_Card_Graphics(&window, {}, 0, true).image());
}

TEST(SKTRenderingView, TheBaseIsTheGivenSidesWhicheverIsShownAndTheSizeTheFrontCanvass)
{
    CardWindow window;
    const GraphicList backObjects {std::make_shared<Swatch>(QRectF(10, 10, 20, 20), red)};
    for (const int shown : {0, 1}) {
        SideScope scope(shown);
        const QImage front = render(window, backObjects, 72, 0);
        EXPECT_EQ(front.pixel(100, 100), frontBase);
        EXPECT_EQ(front.pixel(15, 15), red);
        const QImage back = render(window, backObjects, 72, 1);
        EXPECT_EQ(back.size(), QSize(300, 200));
        EXPECT_EQ(back.pixel(100, 100), backBase);
        EXPECT_EQ(Card_Front_Or_Back, shown);
    }
    window.canvas = QRectF(0, 0, 120, 80);
    EXPECT_EQ(render(window, backObjects).size(), QSize(120, 80));
}

TEST(SKTRenderingView, IndexZeroIsOnTop)
{
    CardWindow window;
    const GraphicList graphics {
        std::make_shared<Swatch>(QRectF(10, 10, 50, 50), red),
        std::make_shared<Swatch>(QRectF(40, 40, 50, 50), blue),
    };
    const QImage image = render(window, graphics);
    EXPECT_EQ(image.pixel(50, 50), red);
    EXPECT_EQ(image.pixel(80, 80), blue);
    EXPECT_EQ(render(window, {graphics.at(1), graphics.at(0)}).pixel(50, 50), blue);
}

TEST(SKTRenderingView, PrintFlagAndHiddenObjectsAreLeftOut)
{
    CardWindow window;
    auto printed = std::make_shared<Swatch>(QRectF(10, 10, 20, 20), red);
    auto leftOut = std::make_shared<Swatch>(QRectF(50, 10, 20, 20), red);
    leftOut->print_object = 1;
    auto hidden = std::make_shared<Swatch>(QRectF(90, 10, 20, 20), red);
    hidden->ctrl_is_visible = false;
    const QImage image = render(window, {printed, leftOut, hidden});
    EXPECT_EQ(image.pixel(20, 20), red);
    EXPECT_EQ(image.pixel(60, 20), frontBase);
    EXPECT_EQ(image.pixel(100, 20), frontBase);
}

TEST(SKTRenderingView, AFailingObjectGivesNoPictureAndNoMessageBox)
{
    CardWindow window;
    ScriptedMessagePresenter presenter;
    MessagePresenter::install(&presenter);
    const Picture picture = SKTRenderingView::image_From_Card_Graphics(
        &window, {std::make_shared<Swatch>(QRectF(0, 0, 10, 10), red), std::make_shared<Broken>()}, 0, false);
    QCoreApplication::processEvents();
    MessagePresenter::install(nullptr);
    EXPECT_TRUE(picture.isNull());
    EXPECT_TRUE(presenter.texts().isEmpty());
}

TEST(SKTRenderingView, BarcodeOnTheCardReadsBack)
{
    ScopedResourceFolder resources;
    CardWindow window;
    auto barcode = std::make_shared<SKTBarcode>();
    barcode->_bounds = QRectF(20, 30, 60, 30);   // smaller than its picture
    const QImage image = render(window, {barcode}, 300);
    const ObjectTestSupport::Decoded decoded = ObjectTestSupport::decodeBarcode(image);
    EXPECT_EQ(decoded.text, "01234565");
}

TEST(SKTRenderingView, PdfPageIsTheCardInPointsWithRealText)
{
    CardWindow window;
    window.canvas = QRectF(0, 0, 243, 154);
    auto text = std::make_shared<SKTText>();
    text->Text_contents()->setString("Party tonight");
    text->_bounds = QRectF(10, 10, 200, 40);
    const QByteArray pdf = SKTRenderingView::pdfDataWithGraphics_data(&window, {text}, 0);
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    QTemporaryDir dir;
    const QString path = writeTemp(dir, "card.pdf", pdf);
    const QString info = run("pdfinfo", {path});
    ASSERT_FALSE(info.isEmpty()) << "pdfinfo missing or failed";
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Page size:\\s+243 x 154 pts"))) << info.toStdString();
    EXPECT_TRUE(run("pdftotext", {path, "-"}).contains("Party tonight"));
}

TEST(SKTRenderingView, TiffOfNoObjectsIsErrorThree)
{
    CardWindow window;
    SKTError error;
    EXPECT_TRUE(SKTRenderingView::tiffDataWithGraphics({}, &error).isEmpty());
    EXPECT_EQ(error.domain(), "RozezeErrorDomain");
    EXPECT_EQ(error.code(), 3);
    EXPECT_TRUE(SKTRenderingView::tiffDataWithGraphics({}).isEmpty());
}

TEST(SKTRenderingView, TiffIsTheObjectsAloneOverTheirDrawingBoundsUpright)
{
    CardWindow window;
    // A picture whose top half is red and bottom half blue.
    QImage halves = TestPictures::solid(20, 20, red);
    QPainter(&halves).fillRect(0, 10, 20, 10, blue);
    auto picture = std::make_shared<SKTImage>();
    picture->setContents(Picture(halves, QSizeF(20, 20)));
    picture->_bounds = QRectF(300, 200, 40, 30);
    picture->_isDrawingStroke = false;
    picture->print_object = 1;   // plays no part here

    SKTError error;
    const QByteArray tiff = SKTRenderingView::tiffDataWithGraphics({picture}, &error);
    ASSERT_FALSE(tiff.isEmpty());
    EXPECT_TRUE(error.isNull());
    QBuffer buffer;
    buffer.setData(tiff);
    QImageReader reader(&buffer, "tiff");
    const QImage image = reader.read();
    // Drawing bounds: (297, 197, 47, 37).
    ASSERT_EQ(image.size(), QSize(47, 37));
    EXPECT_EQ(image.pixel(23, 8), red);
    EXPECT_EQ(image.pixel(23, 28), blue);
    EXPECT_EQ(qAlpha(image.pixel(1, 1)), 0);   // no card base

    QTemporaryDir dir;
    const QString info = run("tiffinfo", {writeTemp(dir, "objects.tiff", tiff)});
    ASSERT_FALSE(info.isEmpty()) << "tiffinfo missing or failed";
    EXPECT_TRUE(info.contains(QRegularExpression("Image Width: 47 Image Length: 37"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Resolution: 72(\\.0*)?, 72(\\.0*)? pixels/inch"))) << info.toStdString();
}
