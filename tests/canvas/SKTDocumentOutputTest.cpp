// The document's PDF and TIFF data and its print operation: the front side
// only, on the front card base whichever side is current, checked with
// poppler and libtiff.

#include "RenderTestSupport.h"
#include "common/TestPictures.h"
#include "model/Globals.h"
#include "model/SKTDocument.h"
#include "platform/PrintOperation.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

const QRgb white = qRgb(255, 255, 255);

// A document with a blue swatch on the front, one left out of pictures, and
// a red one on the back.
struct CardDocument {
    CardDocument()
    {
        auto leftOut = std::make_shared<Swatch>(QRectF(100, 60, 30, 30), red);
        leftOut->print_object = 1;
        document.insertGraphics({std::make_shared<Swatch>(QRectF(20, 20, 50, 40), blue), leftOut},
                                IndexSet::range(0, 2));
        document.insertGraphicsForKey(SKTDocumentGraphicsKey_back,
                                      {std::make_shared<Swatch>(QRectF(150, 100, 30, 30), red)}, IndexSet(0));
    }
    SKTDocument document;
};

// The first page of the PDF file at `path` as a picture of 1 pixel per point.
QImage rasterise(const QTemporaryDir& dir, const QString& path)
{
    const QString stem = dir.filePath("page");
    QProcess pdftoppm;
    pdftoppm.start("pdftoppm", {"-r", "72", "-png", "-singlefile", path, stem});
    if (!pdftoppm.waitForFinished(60000) || pdftoppm.exitCode() != 0)
        return {};
    return QImage(stem + ".png");
}

bool near(QRgb a, QRgb b)
{
    return TestPictures::channelDistance(a, b) <= 3;
}

bool contains(const QImage& image, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (near(image.pixel(x, y), colour))
                return true;
    return false;
}

}

TEST(SKTDocumentOutput, PdfIsTheFrontSideOnOneCardPageOnTheFrontBase)
{
    CardWindow window;   // front canvas 300 x 200
    const HostedRendering rendering(window);
    CardDocument card;
    const SideScope backShown(1);
    QTemporaryDir dir;

    for (const char* type : {"com.adobe.pdf", "application/pdf"}) {
        SCOPED_TRACE(type);
        SKTError error;
        const QByteArray pdf = card.document.dataOfType(QString::fromLatin1(type), &error);
        EXPECT_TRUE(error.isNull());
        EXPECT_EQ(Card_Front_Or_Back, 1);   // the side shown is given back
        const QString path = writeTemp(dir, "front.pdf", pdf);
        const QString info = run("pdfinfo", {path});
        ASSERT_FALSE(info.isEmpty()) << "pdfinfo missing or failed";
        EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
        EXPECT_TRUE(info.contains(QRegularExpression("Page size:\\s+300 x 200 pts"))) << info.toStdString();

        const QImage page = rasterise(dir, path);
        ASSERT_EQ(page.size(), QSize(300, 200));
        EXPECT_TRUE(near(page.pixel(5, 5), frontBase));
        EXPECT_TRUE(near(page.pixel(295, 195), frontBase));
        EXPECT_TRUE(near(page.pixel(45, 40), blue));
        // Neither the object left out of pictures nor the back side.
        EXPECT_FALSE(contains(page, red));
    }
}

TEST(SKTDocumentOutput, PdfThatCannotBeMadeIsAnError)
{
    // Without a main window there is no card to draw.
    CardDocument card;
    SKTError error;
    EXPECT_TRUE(card.document.dataOfType("com.adobe.pdf", &error).isEmpty());
    EXPECT_EQ(error.domain(), SKTErrorDomain);
}

TEST(SKTDocumentOutput, TiffIsTheFrontObjectsAloneOverTheirDrawingBounds)
{
    CardWindow window;
    const HostedRendering rendering(window);
    SKTDocument document;
    auto shape = std::make_shared<Swatch>(QRectF(300, 200, 40, 30), blue);
    auto far = std::make_shared<Swatch>(QRectF(20, 10, 10, 10), red);
    far->print_object = 1;   // the print flag plays no part in TIFF
    document.insertGraphics({shape, far}, IndexSet::range(0, 2));
    document.insertGraphicsForKey(SKTDocumentGraphicsKey_back,
                                  {std::make_shared<Swatch>(QRectF(0, 0, 500, 500), red)}, IndexSet(0));
    const QRectF covered = SKTGraphic::drawingBoundsOfGraphics({shape, far});

    for (const char* type : {"public.tiff", "image/tiff"}) {
        SCOPED_TRACE(type);
        SKTError error;
        const QByteArray tiff = document.dataOfType(QString::fromLatin1(type), &error);
        EXPECT_TRUE(error.isNull());
        QTemporaryDir dir;
        const QString info = run("tiffinfo", {writeTemp(dir, "front.tiff", tiff)});
        ASSERT_FALSE(info.isEmpty()) << "tiffinfo missing or failed";
        const QString size = QStringLiteral("Image Width: %1 Image Length: %2")
                                 .arg(qRound(covered.width()))
                                 .arg(qRound(covered.height()));
        EXPECT_TRUE(info.contains(size)) << info.toStdString();

        const QImage image = QImage::fromData(tiff, "TIFF");
        ASSERT_EQ(image.size(), covered.size().toSize());
        const QPointF origin = covered.topLeft();
        EXPECT_TRUE(near(image.pixel((QPointF(320, 215) - origin).toPoint()), blue));
        EXPECT_TRUE(near(image.pixel((QPointF(25, 15) - origin).toPoint()), red));
        EXPECT_EQ(qAlpha(image.pixel((QPointF(150, 100) - origin).toPoint())), 0);   // no card base
    }
}

TEST(SKTDocumentOutput, TiffOfAnEmptyFrontSideIsErrorThree)
{
    CardWindow window;
    const HostedRendering rendering(window);
    SKTDocument document;
    document.insertGraphicsForKey(SKTDocumentGraphicsKey_back,
                                  {std::make_shared<Swatch>(QRectF(0, 0, 50, 50), red)}, IndexSet(0));
    SKTError error;
    EXPECT_TRUE(document.dataOfType("public.tiff", &error).isEmpty());
    EXPECT_EQ(error.domain(), SKTErrorDomain);
    EXPECT_EQ(error.code(), 3);
}

TEST(SKTDocumentOutput, PrintOperationPrintsTheFrontCardOnThePageOfThePrintInformation)
{
    CardWindow window;   // a front canvas of another size than the printed card
    const HostedRendering rendering(window);
    CardDocument card;
    card.document.setPrintInfo(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                           QMarginsF(72, 90, 72, 90), QPageLayout::Point));
    const SideScope backShown(1);
    QTemporaryDir dir;
    const QString path = dir.filePath("printed.pdf");

    const auto operation =
        card.document.printOperationWithSettings({{PrintOperation::outputFileNameSetting, path}});
    ASSERT_NE(operation, nullptr);
    EXPECT_EQ(operation->viewSize(), QSizeF(243, 154));
    EXPECT_EQ(operation->jobTitle(), card.document.displayName());
    ASSERT_TRUE(operation->runOperation()) << operation->errorString().toStdString();
    EXPECT_EQ(Card_Front_Or_Back, 1);

    const QString info = run("pdfinfo", {path});
    ASSERT_FALSE(info.isEmpty()) << "pdfinfo missing or failed";
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Page size:\\s+595(\\.\\d+)? x 84[12](\\.\\d+)? pts"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Title:\\s+" + QRegularExpression::escape(card.document.displayName()))))
        << info.toStdString();

    // The card, 243 x 154 points at the corner of the margins.
    const QImage page = rasterise(dir, path);
    ASSERT_EQ(page.size(), QSize(595, 842));
    const QPoint corner(72, 90);
    EXPECT_TRUE(near(page.pixel(corner + QPoint(2, 2)), frontBase));
    EXPECT_TRUE(near(page.pixel(corner + QPoint(240, 151)), frontBase));
    EXPECT_TRUE(near(page.pixel(corner + QPoint(246, 2)), white));
    EXPECT_TRUE(near(page.pixel(corner + QPoint(2, 157)), white));
    EXPECT_TRUE(near(page.pixel(corner - QPoint(3, 3)), white));
    EXPECT_TRUE(near(page.pixel(corner + QPoint(45, 40)), blue));
    EXPECT_FALSE(contains(page, red));
}

TEST(SKTDocumentOutput, PrintOperationThatCannotWriteOrDrawFails)
{
    CardWindow window;
    const HostedRendering rendering(window);
    QTemporaryDir dir;
    {
        CardDocument card;
        const auto operation = card.document.printOperationWithSettings(
            {{PrintOperation::outputFileNameSetting, dir.filePath("missing/folder/printed.pdf")}});
        EXPECT_FALSE(operation->runOperation());
        EXPECT_FALSE(operation->errorString().isEmpty());
    }
    {
        SKTDocument document;
        document.insertGraphics({std::make_shared<Broken>()}, IndexSet(0));
        const auto operation =
            document.printOperationWithSettings({{PrintOperation::outputFileNameSetting, dir.filePath("broken.pdf")}});
        EXPECT_FALSE(operation->runOperation());
        EXPECT_FALSE(operation->errorString().isEmpty());
    }
}
