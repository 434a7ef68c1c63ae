// A card side with one object of every kind (text, line, each shape,
// adjusted picture, signature, fingerprint, a linear barcode and a QR Code
// made by the barcode encoders) on a rounded card base with a gradient fill
// and a border, drawn to a picture and to a PDF page. The picture and the
// page rendered by poppler are checked object by object: colours where each
// object stands, stacking where two overlap, the card base around them, the
// text in the PDF, and barcodes that a standard decoder reads off the card.
//
// With BRIGHTFOLD_TEST_OUTPUT set to a folder, the picture, the PDF and
// poppler's page are kept there for looking at.

#include "RenderTestSupport.h"
#include "app/Globals.h"
#include "barcodes/NKDBarcodeImage.h"
#include "barcodes/NKDEAN13Barcode.h"
#include "barcodes/QREncoder.h"
#include "canvas/SKTRenderingView.h"
#include "common/ObjectTestSupport.h"
#include "app/Globals.h"
#include "canvas/CardBaseDrawing.h"
#include "model/Globals.h"
#include "model/Card_Property.h"
#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTSignature.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"
#include "platform/AttributedText.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <cmath>

using ObjectTestSupport::ScopedResourceFolder;

namespace {

const QRectF card(0, 0, 400, 260);
constexpr double dpi = 300.0;
constexpr double scale = dpi / 72.0;

const QString eanDigits = QStringLiteral("4006381333931");
const QString qrText = QStringLiteral("https://example.org/gala/guest/42");

const QColor gradientStart(205, 225, 255);
const QColor gradientEnd(255, 240, 205);
const QColor borderColour(30, 50, 120);

// The main window as the renderer asks it: the card's size and a rounded
// card base with a gradient from top-left to bottom-right and a border.
class GalaWindow : public FakeMainWindow
{
public:
    GalaWindow()
    {
        canvas = card;
        m_record.setCard_fill_chk(true);
        m_record.setCard_fill_style(QStringLiteral("G"));
        m_record.setCard_fill_Grd_1_clr(Colour::fromQColor(gradientStart));
        m_record.setCard_fill_Grd_2_clr(Colour::fromQColor(gradientEnd));
        m_record.setCard_grad_Stepper(45);
        m_record.setCard_alpha_Stepper(1.0f);
        m_record.setCard_border_chk(true);
        m_record.setCard_bor_Stepper(4);
        m_record.setCard_bordr_clr(Colour::fromQColor(borderColour));
    }
    void cardBaseDrawingForSide(QPainter& painter, const QRectF& rect, int) override
    {
        CardBaseDrawing::draw(painter, rect, m_record, 1, card, Resource_Path);
    }

private:
    Card_Property m_record;
};

// A photo-like picture: soft gradients and a bright blob, no two rows alike.
QImage photo(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const double fx = double(x) / w, fy = double(y) / h;
            const double blob = std::exp(-((fx - 0.35) * (fx - 0.35) + (fy - 0.4) * (fy - 0.4)) * 12.0);
            line[x] = qRgb(qBound(0, int(40 + 60 * fy + 150 * blob), 255), qBound(0, int(90 + 100 * fx), 255),
                           qBound(0, int(230 - 120 * fy), 255));
        }
    }
    return image;
}

struct ShapeSpec
{
    QString code;
    int type;
    QRectF bounds;
    QColor fill;
};

// The figures of the shape row, left to right.
const ShapeSpec shapeRow[] = {
    {ShapeCode::Rectangle, 1, QRectF(20, 60, 40, 34), QColor(245, 150, 40)},
    {ShapeCode::Circle, 1, QRectF(68, 60, 34, 34), QColor(40, 170, 80)},
    {ShapeCode::RoundedRectangle, 1, QRectF(110, 60, 44, 34), QColor(60, 120, 220)},
    {ShapeCode::Triangle, 1, QRectF(162, 60, 38, 34), QColor(210, 40, 50)},
    {ShapeCode::Diamond, 1, QRectF(208, 60, 34, 34), QColor(140, 70, 190)},
    {ShapeCode::Star, 1, QRectF(250, 58, 38, 38), QColor(240, 200, 0)},
    {ShapeCode::DoubleStar, 1, QRectF(296, 58, 38, 38), QColor(230, 100, 30)},
    {ShapeCode::Polygon, 1, QRectF(342, 60, 40, 34), QColor(20, 160, 170)},
};

const QRectF pictureBounds(20, 108, 120, 80);
const QRectF badgeBounds(152, 108, 100, 36);
const QRectF badgeTextBounds(152, 116, 100, 24);
const QRectF signatureBounds(262, 106, 120, 50);
const QRectF fingerprintBounds(352, 170, 32, 40);
const QPointF eanOrigin(20, 196);
const QPointF qrOrigin(270, 170);
const QRectF titleBounds(20, 12, 360, 32);
const QColor badgeFill(255, 236, 150);
const QColor lineColour(170, 20, 40);

std::shared_ptr<SKTText> text(const QString& characters, const QRectF& bounds, double size, int alignment)
{
    auto t = std::make_shared<SKTText>();
    t->Text_contents()->setString(characters);
    t->_bounds = bounds;
    t->_isDrawingFill = false;
    t->_isDrawingStroke = false;
    t->text_ctrl_font = FontSpec(QStringLiteral("Times New Roman"), size);
    t->txt_clr = Colour::rgb(0.08, 0.1, 0.3);
    t->text_alignmnet = alignment;
    return t;
}

std::shared_ptr<Shape_Control> shape(const ShapeSpec& spec)
{
    auto s = std::make_shared<Shape_Control>();
    s->Set_Shape_Type(spec.code);
    s->double_star_type = spec.type;
    s->polygon_type = spec.type;
    s->_bounds = spec.bounds;
    s->_fillColor = Colour::fromQColor(spec.fill);
    s->_strokeColor = Colour::rgb(0.1, 0.1, 0.2);
    s->_strokeWidth = 1.5;
    return s;
}

// An EAN-13 picture as the barcode designer makes it: bars of 20 mil, the
// digits under them, at the designer's output density.
Picture eanPicture()
{
    NKDEAN13Barcode ean;
    BarcodeDesignerSettings settings;
    const float margin = float(0.1 * BarcodeDesignerSettings::unitToPoints(1));
    settings.value_margin = settings.header_margin = settings.footer_margin = margin;
    settings.LR_margin = settings.TB_margin = margin;
    ean.setDesignerSettings(settings);
    if (!ean.initWithContent(eanDigits, true) || !ean.isContentValid())
        return {};
    ean.setPrintsCaption(true);
    ean.setPrintsHeader(false);
    ean.setPrintsFooter(false);
    ean.setBarWidth(0.020f * 72.0f);
    ean.setCaptionFontSize(float(settings.value_font.pointSize()));
    ean.setHeight(36.0f + ean.captionHeight() * 72.0f + settings.value_margin + 2 * settings.TB_margin);
    ean.calculateWidth();
    ean.setWidth(ean.width() + 2 * settings.LR_margin + 15.0f);
    return NKDBarcodeImage::imageFromBarcode(ean, 600);
}

// A QR Code of 70 points, its modules redrawn sharp at 600 dpi.
Picture qrPicture()
{
    const DataMatrix grid = QREncoder::encodeWithECLevel(1, 0, qrText);
    if (grid.dimension() == 0)
        return {};
    return QREncoder::renderDataMatrix(grid, 70, 600);
}

std::shared_ptr<SKTBarcode> barcode(const Picture& picture, const QPointF& origin)
{
    auto b = std::make_shared<SKTBarcode>();
    b->Set_Barcode_image(picture);
    b->_bounds = QRectF(origin, picture.size());
    return b;
}

std::shared_ptr<SKTSignature> signature(const QString& kind, const QRectF& bounds)
{
    auto s = std::make_shared<SKTSignature>();
    s->Set_Sign_Or_FP(kind);
    s->setFilePath(SKTSignature::defaultPathName);
    s->_bounds = bounds;
    s->_isDrawingStroke = false;
    return s;
}

struct Side
{
    GraphicList graphics;
    std::shared_ptr<SKTImage> picture;
};

// Index 0 on top: the badge text over the badge, everything else apart.
Side gala(const QString& pictureFile)
{
    Side side;
    GraphicList& list = side.graphics;
    list.append(text(QStringLiteral("Brightfold Spring Gala"), titleBounds, 24, 2));
    auto rule = std::make_shared<SKTLine>();
    rule->setBeginPoint(QPointF(20, 50));
    rule->setEndPoint(QPointF(380, 50));
    rule->_strokeWidth = 2;
    rule->_strokeColor = Colour::fromQColor(lineColour);
    list.append(rule);
    list.append(text(QStringLiteral("VIP Guest"), badgeTextBounds, 16, 2));
    auto badge = shape({ShapeCode::RoundedRectangle, 1, badgeBounds, badgeFill});
    list.append(badge);
    for (const ShapeSpec& spec : shapeRow) {
        auto figure = shape(spec);
        if (spec.code == ShapeCode::Rectangle) {
            // Left to right from the fill colour to white.
            figure->_fill_type = FillCode::Gradient;
            figure->_fill_Grad_clr1 = Colour::fromQColor(spec.fill);
            figure->_fill_Grad_clr2 = Colour::white();
            figure->_fill_grad_angle = 0;
        } else if (spec.code == ShapeCode::Circle) {
            figure->_fill_type = FillCode::Hatch;
            figure->_fill_htch_clr = Colour::fromQColor(spec.fill);
            figure->_fill_hatch_type = QStringLiteral("Checks");
        } else if (spec.code == ShapeCode::Diamond) {
            figure->_stroke_border_type = DashCode::Dash;
        }
        list.append(figure);
    }

    auto picture = std::make_shared<SKTImage>();
    picture->setFilePath(pictureFile);
    picture->_bounds = pictureBounds;
    picture->_strokeColor = Colour::black();
    picture->hue_val = 2.0944f;   // a third of a turn: red goes to green
    list.append(picture);
    side.picture = picture;

    list.append(signature(SignatureCode::Signature, signatureBounds));
    list.append(signature(SignatureCode::Fingerprint, fingerprintBounds));
    list.append(barcode(eanPicture(), eanOrigin));
    list.append(barcode(qrPicture(), qrOrigin));
    return side;
}

// Where the files of this test go: the folder named by
// BRIGHTFOLD_TEST_OUTPUT, or a temporary one.
class OutputFolder
{
public:
    OutputFolder()
    {
        const QString kept = qEnvironmentVariable("BRIGHTFOLD_TEST_OUTPUT");
        if (!kept.isEmpty() && QDir().mkpath(kept))
            m_path = kept;
        else
            m_path = m_temporary.path();
    }
    QString file(const QString& name) const { return QDir(m_path).filePath(name); }

private:
    QTemporaryDir m_temporary;
    QString m_path;
};

QPoint pixelAt(const QPointF& point)
{
    return QPoint(int(std::floor(point.x() * scale)), int(std::floor(point.y() * scale)));
}

QColor colourAt(const QImage& image, const QPointF& point)
{
    return image.pixelColor(pixelAt(point));
}

bool near(const QColor& actual, const QColor& expected, int tolerance)
{
    return std::abs(actual.red() - expected.red()) <= tolerance
        && std::abs(actual.green() - expected.green()) <= tolerance
        && std::abs(actual.blue() - expected.blue()) <= tolerance;
}

std::string describe(const QColor& c)
{
    return QStringLiteral("(%1, %2, %3)").arg(c.red()).arg(c.green()).arg(c.blue()).toStdString();
}

// Part of a picture given in points, grown by `margin` points.
QImage crop(const QImage& image, const QRectF& points, double margin)
{
    const QRectF grown = points.adjusted(-margin, -margin, margin, margin);
    const QRect pixels(pixelAt(grown.topLeft()), pixelAt(grown.bottomRight()));
    return image.copy(pixels.intersected(image.rect()));
}

// Number of pixels in `points` darker than grey level 100.
int darkPixels(const QImage& image, const QRectF& points)
{
    const QImage part = crop(image, points, 0);
    int count = 0;
    for (int y = 0; y < part.height(); ++y)
        for (int x = 0; x < part.width(); ++x)
            count += qGray(part.pixel(x, y)) < 100;
    return count;
}

// What every drawing of the side must show, whoever drew it (our picture
// or poppler's page of our PDF).
void expectTheSide(const QImage& image, const Side& side, int tolerance)
{
    // Whole pixels: poppler rounds a part pixel up, we round to the nearest.
    ASSERT_NEAR(image.width(), card.width() * scale, 1);
    ASSERT_NEAR(image.height(), card.height() * scale, 1);

    // The card base: the gradient runs from the top-left to the bottom-right
    // corner, inside a border, and the rounded corners leave the outside
    // of the card empty.
    EXPECT_TRUE(near(colourAt(image, {14, 14}), gradientStart, 25)) << describe(colourAt(image, {14, 14}));
    EXPECT_TRUE(near(colourAt(image, {386, 246}), gradientEnd, 25)) << describe(colourAt(image, {386, 246}));
    EXPECT_TRUE(near(colourAt(image, {200, 1}), borderColour, tolerance)) << describe(colourAt(image, {200, 1}));
    EXPECT_TRUE(near(colourAt(image, {1, 130}), borderColour, tolerance)) << describe(colourAt(image, {1, 130}));
    const QRgb corner = image.pixel(0, 0);
    EXPECT_TRUE(qAlpha(corner) == 0 || corner == qRgb(255, 255, 255)) << "the rounded corner is left empty";

    // Each solid figure of the row in its own fill colour at its centre.
    for (const ShapeSpec& spec : shapeRow) {
        if (spec.code == ShapeCode::Rectangle || spec.code == ShapeCode::Circle)
            continue;
        SCOPED_TRACE(spec.code.toStdString());
        const QColor centre = colourAt(image, spec.bounds.center());
        EXPECT_TRUE(near(centre, spec.fill, tolerance)) << describe(centre) << " wanted " << describe(spec.fill);
    }
    // The rectangle: its gradient from its colour on the left to white on
    // the right, inside its dark outline.
    const ShapeSpec& rectangle = shapeRow[0];
    const QColor left = colourAt(image, {rectangle.bounds.left() + 2, rectangle.bounds.center().y()});
    const QColor right = colourAt(image, {rectangle.bounds.right() - 2, rectangle.bounds.center().y()});
    EXPECT_TRUE(near(left, rectangle.fill, 20)) << describe(left);
    EXPECT_TRUE(near(right, Qt::white, 20)) << describe(right);
    EXPECT_LT(qGray(colourAt(image, {rectangle.bounds.left(), 77}).rgb()), 80);
    // The circle: the checks pattern over its green, both in its middle.
    const ShapeSpec& circle = shapeRow[1];
    const QImage middle = crop(image, QRectF(circle.bounds.center() - QPointF(8, 8), QSizeF(16, 16)), 0);
    int green = 0, dark = 0;
    for (int y = 0; y < middle.height(); ++y) {
        for (int x = 0; x < middle.width(); ++x) {
            green += near(middle.pixelColor(x, y), circle.fill, tolerance);
            dark += qGray(middle.pixel(x, y)) < 60;
        }
    }
    const int all = middle.width() * middle.height();
    EXPECT_GT(green, all / 5);
    EXPECT_GT(dark, all / 5);

    // The rule under the title.
    EXPECT_TRUE(near(colourAt(image, {200, 50}), lineColour, tolerance)) << describe(colourAt(image, {200, 50}));
    // The title: dark ink in its box, none under the rule.
    EXPECT_GT(darkPixels(image, titleBounds), 2000);
    EXPECT_EQ(darkPixels(image, QRectF(150, 53, 90, 5)), 0);

    // The badge text stands over the badge: dark characters inside the
    // badge's yellow.
    EXPECT_GT(darkPixels(image, badgeTextBounds), 500);
    EXPECT_TRUE(near(colourAt(image, {badgeBounds.left() + 6, badgeBounds.top() + 4}), badgeFill, tolerance));

    // The picture: its adjusted colours stretched over its bounds (the red
    // blob turned green), inside a black frame.
    const QImage adjusted = side.picture->adjustedPicture().image();
    ASSERT_FALSE(adjusted.isNull());
    for (const QPointF f : {QPointF(0.35, 0.4), QPointF(0.8, 0.2), QPointF(0.2, 0.85)}) {
        const QColor drawn = colourAt(image, {pictureBounds.left() + f.x() * pictureBounds.width(),
                                              pictureBounds.top() + f.y() * pictureBounds.height()});
        const QColor wanted = adjusted.pixelColor(int(f.x() * adjusted.width()), int(f.y() * adjusted.height()));
        EXPECT_TRUE(near(drawn, wanted, tolerance + 6)) << describe(drawn) << " wanted " << describe(wanted);
    }
    const QColor blob = colourAt(image, {pictureBounds.left() + 0.35 * pictureBounds.width(),
                                         pictureBounds.top() + 0.4 * pictureBounds.height()});
    // Pink (red over blue over green) turned a third of a turn: green over
    // red over blue.
    EXPECT_GT(blob.green(), blob.red() + 15) << describe(blob);
    EXPECT_GT(blob.red(), blob.blue() + 15) << describe(blob);
    EXPECT_LT(qGray(colourAt(image, {pictureBounds.left() - 0.3, pictureBounds.center().y()}).rgb()), 80);

    // Signature and fingerprint: dark strokes of the sample pictures.
    EXPECT_GT(darkPixels(image, signatureBounds), 1000);
    EXPECT_GT(darkPixels(image, fingerprintBounds), 1000);
}

// The one barcode inside `points` of the picture, read by a standard
// decoder.
ObjectTestSupport::Decoded decodeAt(const QImage& image, const QRectF& points)
{
    return ObjectTestSupport::decodeBarcode(crop(image, points, 8));
}

void expectReadableBarcodes(const QImage& image, const GraphicList& graphics)
{
    QList<QRectF> areas;
    for (const GraphicPtr& g : graphics)
        if (g->kind() == SKTGraphic::Kind::Barcode)
            areas.append(g->drawingBounds());
    ASSERT_EQ(areas.size(), 2);
    const ObjectTestSupport::Decoded ean = decodeAt(image, areas[0]);
    EXPECT_EQ(ean.format.toStdString(), "EAN-13");
    EXPECT_EQ(ean.text, eanDigits);
    const ObjectTestSupport::Decoded qr = decodeAt(image, areas[1]);
    EXPECT_EQ(qr.format.toStdString(), "QRCode");
    EXPECT_EQ(qr.text, qrText);
}

} // namespace

TEST(EveryKindSide, PictureAndPdfShowEveryObject)
{
    ScopedResourceFolder resources;
    GalaWindow window;
    SideScope front(0);
    OutputFolder output;

    const QString photoFile = resources.file(QStringLiteral("photo.png"));
    ASSERT_TRUE(photo(360, 240).save(photoFile));
    const Side side = gala(photoFile);
    for (const GraphicPtr& g : side.graphics)
        ASSERT_TRUE(g->kind() != SKTGraphic::Kind::Barcode
                    || !std::static_pointer_cast<SKTBarcode>(g)->_barcode_image.isNull());

    // The picture of the side.
    const Picture picture = SKTRenderingView::image_From_Card_Graphics(&window, side.graphics, 0, false, dpi);
    ASSERT_FALSE(picture.isNull());
    const QImage image = picture.image();
    const QString pngPath = output.file(QStringLiteral("every-kind-side.png"));
    ASSERT_TRUE(image.save(pngPath));
    {
        SCOPED_TRACE("picture");
        expectTheSide(image, side, 6);
        expectReadableBarcodes(image, side.graphics);
    }

    // The PDF page of the side, as poppler reads and draws it.
    const QByteArray pdf = SKTRenderingView::pdfDataWithGraphics_data(&window, side.graphics, 0);
    ASSERT_FALSE(pdf.isEmpty());
    const QString pdfPath = output.file(QStringLiteral("every-kind-side.pdf"));
    QFile pdfFile(pdfPath);
    ASSERT_TRUE(pdfFile.open(QIODevice::WriteOnly) && pdfFile.write(pdf) == pdf.size());
    pdfFile.close();

    const QString info = run(QStringLiteral("pdfinfo"), {pdfPath});
    ASSERT_FALSE(info.isEmpty()) << "pdfinfo missing or failed";
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+400 x 260 pts")))) << info.toStdString();

    const QString words = run(QStringLiteral("pdftotext"), {pdfPath, QStringLiteral("-")});
    EXPECT_TRUE(words.contains(QStringLiteral("Brightfold Spring Gala"))) << words.toStdString();
    EXPECT_TRUE(words.contains(QStringLiteral("VIP Guest"))) << words.toStdString();

    const QString stem = output.file(QStringLiteral("every-kind-side-pdf"));
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                                     QStringLiteral("-singlefile"), pdfPath, stem});
    const QImage page(stem + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull()) << "pdftoppm missing or failed";
    {
        SCOPED_TRACE("PDF page");
        expectTheSide(page.convertToFormat(QImage::Format_ARGB32), side, 12);
        expectReadableBarcodes(page, side.graphics);
    }
}
