// Cards are cut to their outline wherever they are drawn: a stretched
// background picture stays inside a rounded or oval card on the canvas, in
// exported pictures and on printed sheets; an object running past the card's
// edge never reaches the gap or the neighbouring cell of a printed sheet, and
// on an oval card it stops at the oval.

#include "mainwindow/WindowControllerFixture.h"

#include "app/Globals.h"
#include "barcodes/BarcodeProducer.h"
#include "barcodes/BarcodeSettings.h"
#include "canvas/SideSnapshot.h"
#include "canvas/SKTGraphicView.h"
#include "common/ObjectTestSupport.h"
#include "model/SKTBarcode.h"
#include "model/Shape_Control.h"
#include "output/Globals.h"
#include "output/SheetPainter.h"
#include "output/SheetPdfJob.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

namespace {

// A page of a PDF file as a picture, one pixel per point; null on failure.
QImage firstPageOf(const QString& pdf)
{
    const QString prefix = pdf + QStringLiteral("-page");
    QProcess process;
    process.start(QStringLiteral("pdftoppm"), {"-r", "72", "-png", "-singlefile", pdf, prefix});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

bool isRed(QRgb pixel)
{
    return qRed(pixel) > 200 && qGreen(pixel) < 80 && qBlue(pixel) < 80;
}

// Pixels darker than near-white inside `area` (whole pixels, one per point).
int inkIn(const QImage& page, const QRect& area)
{
    int ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ink += qGray(page.pixel(x, y)) < 235;
    return ink;
}

// A sheet of two cells side by side with a gap between them, one card printed.
SheetLayout twoCellSheet(const QSizeF& card)
{
    SheetLayout layout;
    layout.setPaper({card.width() * 2 + 100, card.height() + 60});
    layout.leftMargin = layout.rightMargin = layout.topMargin = layout.bottomMargin = 20;
    layout.horizontalGap = layout.verticalGap = 30;
    layout.setCardSize(card);
    layout.position = 1;
    layout.setRows(1);
    layout.setColumns(2);
    return layout;
}

enum class Output { Pdf, Painter };

// The first page of the sheet, one pixel per point: written by the PDF job
// and rasterised by poppler, or painted straight into a picture.
QImage printedPage(Output output, const SheetLayout& layout, const SheetPagination& pages,
                   SheetPainter::SideSource source, const QString& pdf)
{
    if (output == Output::Pdf) {
        const SheetPdfJob::Result result = SheetPdfJob::print(layout, pages, std::move(source), pdf);
        EXPECT_TRUE(result.ok) << result.message.toStdString();
        return firstPageOf(pdf);
    }
    QImage page(layout.sheetSize().toSize(), QImage::Format_RGB32);
    page.fill(Qt::black);
    QPainter painter(&page);
    SheetPainter sheets(layout, pages, std::move(source));
    EXPECT_TRUE(sheets.paintPage(painter, 1));
    return page;
}

class CardOutlineTest : public WindowControllerFixture
{
protected:
    QTemporaryDir dir;
};

}

// A stretched picture fills the card's rectangle, but shows only inside its
// outline: the point (1.5, 1.5) lies outside a rounded corner and outside an
// oval, the card's middle inside both.
TEST_F(CardOutlineTest, StretchedBackgroundStaysInsideTheOutline)
{
    enum class Target { Screen, ExportedPicture, PrintedSheet };
    const struct {
        const char* name;
        int shape;
        Target target;
    } cases[] = {
        {"rounded on screen", 1, Target::Screen},
        {"rounded exported", 1, Target::ExportedPicture},
        {"rounded printed", 1, Target::PrintedSheet},
        {"oval on screen", 2, Target::Screen},
        {"oval exported", 2, Target::ExportedPicture},
        {"oval printed", 2, Target::PrintedSheet},
    };
    QImage red(20, 20, QImage::Format_ARGB32);
    red.fill(QColor(255, 0, 0));
    const QRectF card = controller->frontCanvasBounds();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Card_Shape = c.shape;
        Card_Property record = controller->Front_card_Prop();
        record.setCard_border_chk(false);
        record.setCard_fill_chk(true);
        record.setCard_fill_style(QStringLiteral("I"));
        record.setCard_BG_Image_Layout(QStringLiteral("Stretch"));
        record.setCard_BG_Image(Picture(red, QSizeF(20, 20)));
        record.setCard_alpha_Stepper(1.0f);
        controller->setFront_card_Prop(record);

        QImage image;
        QPointF origin;   // the card's top-left corner in the picture
        switch (c.target) {
        case Target::Screen:
            image = controller->graphicView(0)->grab().toImage();
            break;
        case Target::ExportedPicture: {
            const QString path = dir.filePath(QString("%1.png").arg(c.name));
            export_card_side = QStringLiteral("F");
            controller->Export_Single_File(path, false);
            image = QImage(path);
            break;
        }
        case Target::PrintedSheet: {
            const SheetLayout layout = twoCellSheet(card.size());
            image = printedPage(Output::Pdf, layout, SheetPagination(1, 2, 1),
                                SheetPainter::snapshotSource(controller->sideSnapshot(0), SideSnapshot(), {}),
                                dir.filePath(QString("%1.pdf").arg(c.name)));
            origin = layout.placement(1, 1, card.size()).picture.topLeft();
            break;
        }
        }
        ASSERT_FALSE(image.isNull());
        const QPoint corner = (origin + QPointF(1.5, 1.5)).toPoint();
        const QPoint middle = (origin + card.center()).toPoint();
        EXPECT_TRUE(isRed(image.pixel(middle))) << QColor(image.pixel(middle)).name().toStdString();
        EXPECT_FALSE(isRed(image.pixel(corner))) << QColor(image.pixel(corner)).name().toStdString();
    }
}

// A QR Code or a filled shape that runs 50 points past the card's right edge
// is cut there on printed sheets: the 30-point gap and the empty neighbouring
// cell stay white, and on an oval card so does the corner beside the oval.
// What lies on the card still prints.
TEST_F(CardOutlineTest, ObjectsPastTheCardEdgeStayOffTheSheet)
{
    const QRectF card(0, 0, 200, 120);
    auto qr = std::make_shared<SKTBarcode>();
    qr->barcode_font_index = int(BarcodeSettings::symbologyTitles().indexOf("QR Code"));
    qr->qr_size_val = 100;
    qr->Set_Barcode_image(BarcodeProducer::pictureForObject(*qr, QStringLiteral("https://example.org/badge/0042")));
    ASSERT_FALSE(qr->_barcode_image.isNull());
    qr->barcode_image_var_assign();
    qr->_bounds = QRectF(QPointF(150, 10), qr->_contents.size());
    ASSERT_GE(qr->_bounds.right(), 240);
    auto shape = std::make_shared<Shape_Control>();
    shape->Set_Shape_Type(QStringLiteral("R"));
    shape->_bounds = QRectF(150, 10, 100, 100);
    shape->_fillColor = Colour::black();
    shape->_isDrawingFill = true;
    shape->_isDrawingStroke = false;

    const struct {
        const char* name;
        GraphicPtr object;
        int shape;
        Output output;
    } cases[] = {
        {"QR on a rectangle, PDF", qr, 0, Output::Pdf},
        {"QR on a rectangle, painted", qr, 0, Output::Painter},
        {"QR on an oval, PDF", qr, 2, Output::Pdf},
        {"QR on an oval, painted", qr, 2, Output::Painter},
        {"shape on a rectangle, PDF", shape, 0, Output::Pdf},
        {"shape on a rounded card, painted", shape, 1, Output::Painter},
        {"shape on an oval, PDF", shape, 2, Output::Pdf},
        {"shape on an oval, painted", shape, 2, Output::Painter},
    };
    Card_Property base;
    base.setCard_border_chk(false);
    base.setCard_fill_chk(false);
    const SheetLayout layout = twoCellSheet(card.size());
    const QPointF at = layout.placement(1, 1, card.size()).picture.topLeft();
    ASSERT_EQ(layout.placement(1, 2, card.size()).picture.left(), at.x() + card.width() + 30);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SideSnapshot front({c.object}, base, c.shape, card, Resource_Path);
        const QImage page = printedPage(c.output, layout, SheetPagination(1, 2, 1),
                                        SheetPainter::snapshotSource(front, SideSnapshot(), {}),
                                        dir.filePath(QString("%1.pdf").arg(c.name)));
        ASSERT_FALSE(page.isNull());
        const QPoint origin = at.toPoint();
        // past the right edge: the gap and the start of the next cell
        EXPECT_EQ(inkIn(page, QRect(origin + QPoint(202, 10), QSize(60, 90))), 0);
        // on the card beside the edge
        EXPECT_GT(inkIn(page, QRect(origin + QPoint(160, 40), QSize(20, 40))), 0);
        // the card's top-right corner: outside an oval, inside a rectangle
        const int corner = inkIn(page, QRect(origin + QPoint(188, 12), QSize(10, 14)));
        if (c.shape == 2)
            EXPECT_EQ(corner, 0);
        else
            EXPECT_GT(corner, 0);
    }
}
