#include "LinearTestSupport.h"

#include "barcodes/Globals.h"
#include "barcodes/NKDBarcodeImage.h"
#include "barcodes/NKDBarcodeOffscreenView.h"
#include "barcodes/NKDCode128Barcode.h"
#include "barcodes/NKDEAN13Barcode.h"
#include "barcodes/NKDUPCABarcode.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

#include <thread>

namespace {

// A barcode with a given module string and, optionally, a height per module.
class FixedModules : public NKDBarcode
{
public:
    FixedModules(const QString& modules, float barWidth, float width, float height)
        : m_modules(modules)
    {
        initWithContent(QStringLiteral("X"), false);
        setBarWidth(barWidth);
        setWidth(width);
        setHeight(height);
    }
    QString barcode() const override { return m_modules; }
    float barTop(int index) const override
    {
        return m_tops.contains(index) ? m_tops.value(index) : NKDBarcode::barTop(index);
    }
    QMap<int, float> m_tops;

private:
    QString m_modules;
};

BarcodeDesignerSettings zeroMargins()
{
    BarcodeDesignerSettings s;
    s.value_margin = s.header_margin = s.footer_margin = s.LR_margin = s.TB_margin = 0;
    return s;
}

// Bounds, in image pixels, of the pixels of one colour; empty when none.
QRect extentOf(const QImage& image, QColor colour)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            // Anti-aliased text: count pixels clearly tinted towards the colour.
            const int distance = std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green())
                + std::abs(c.blue() - colour.blue());
            if (distance < 200)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

} // namespace

struct RunCase
{
    const char* name;
    QString modules;
    float frameWidth;
    QList<QRectF> bars;   // x, bottom, width, height in view coordinates
};

class RendererRuns : public ::testing::TestWithParam<RunCase>
{
};

TEST_P(RendererRuns, MergesBarModulesIntoCentredRuns)
{
    const RunCase& c = GetParam();
    FixedModules b(c.modules, 1.0f, c.frameWidth, 20.0f);
    b.setDesignerSettings(zeroMargins());
    const NKDBarcodeOffscreenView view(&b);
    EXPECT_EQ(view.barRectangles(), c.bars);
}

INSTANTIATE_TEST_SUITE_P(
    Renderer, RendererRuns,
    ::testing::Values(
        // Centring puts the first module at 3; the leading space adds 1.
        RunCase {"SpaceBarBarSpace", "0110", 10, {QRectF(4, 0, 2, 20)}},
        // A string ending in a bar draws its last run at the last module.
        RunCase {"EndsInBar", "011", 10, {QRectF(4.5, 0, 2, 20)}},
        RunCase {"TwoRuns", "1011", 4, {QRectF(0, 0, 1, 20), QRectF(2, 0, 2, 20)}},
        RunCase {"Empty", "", 10, {}},
        RunCase {"OnlySpaces", "000", 10, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Renderer, BarsStandOnTheLinesBelowThem)
{
    BarcodeDesignerSettings s = zeroMargins();
    s.value_margin = 2;
    s.footer_margin = 3;
    s.TB_margin = 4;
    FixedModules b(QStringLiteral("1"), 1.0f, 1.0f, 100.0f);
    b.setDesignerSettings(s);
    b.setFooter(QStringLiteral("F"));
    b.setCaptionFontSize(10);
    b.setFooterFontSize(10);
    b.setPrintsCaption(true);
    b.setPrintsFooter(true);
    const double caption = b.captionHeight() * 72.0;
    const double footer = b.footerHeight() * 72.0;
    EXPECT_NEAR(NKDBarcodeOffscreenView(&b).barRectangles().at(0).y(), caption + footer + 2 + 3 + 4, 1e-4);
    s.showinTopCheckbox = 1;
    b.setDesignerSettings(s);
    EXPECT_NEAR(NKDBarcodeOffscreenView(&b).barRectangles().at(0).y(), footer + 3 + 4, 1e-4);
}

TEST(Renderer, WideHeaderWidensTheFrameAndKeepsBarsCentred)
{
    FixedModules b(QStringLiteral("101"), 2.0f, 6.0f, 40.0f);
    b.setDesignerSettings(zeroMargins());
    b.setHeader(QStringLiteral("A header much wider than the bars"));
    b.setHeaderFontSize(10);
    b.setPrintsHeader(true);
    const NKDBarcodeOffscreenView view(&b);
    EXPECT_FLOAT_EQ(view.frameSize().width(), b.headerWidth());
    const QList<QRectF> bars = view.barRectangles();
    ASSERT_EQ(bars.size(), 2);
    EXPECT_NEAR(bars.first().left(), (b.headerWidth() - 6.0) / 2.0, 1e-4);
    // A hidden header does not widen the frame.
    b.setPrintsHeader(false);
    EXPECT_FLOAT_EQ(NKDBarcodeOffscreenView(&b).frameSize().width(), 6.0f);
}

TEST(Renderer, CaptionOnTopSitsAboveTheLastBarDrawn)
{
    BarcodeDesignerSettings s = zeroMargins();
    s.value_margin = 2;
    s.showinTopCheckbox = 1;
    s.bar_val_clr = Colour::rgb(1, 0, 0);
    FixedModules b(QStringLiteral("1101"), 4.0f, 16.0f, 60.0f);
    b.m_tops = {{1, 50.0f}, {3, 10.0f}};
    b.setDesignerSettings(s);
    b.setCaptionFontSize(10);
    b.setPrintsCaption(true);
    const Picture picture = NKDBarcodeImage::imageFromBarcode(b, 72);
    ASSERT_FALSE(picture.isNull());
    const QRect red = extentOf(picture.image(), Qt::red);
    ASSERT_FALSE(red.isEmpty());
    const int height = picture.image().height();
    // Rows count from the top: the caption lies between 12 and 50 points up.
    EXPECT_GE(height - red.bottom(), 12 - 1);
    EXPECT_LT(height - red.top(), 50);
}

TEST(Renderer, SplitCaptionsShowTheirSideDigits)
{
    LinearSetup setup;
    setup.settings = designerDefaults();
    setup.settings.bar_val_clr = Colour::rgb(1, 0, 0);
    setup.showHeader = setup.showFooter = false;
    const auto ean = preparedLinear<NKDEAN13Barcode>(QStringLiteral("4006381333931"), setup);
    const auto upc = preparedLinear<NKDUPCABarcode>(QStringLiteral("036000291452"), setup);
    ASSERT_TRUE(ean && upc);
    for (const NKDBarcode* b : {static_cast<const NKDBarcode*>(ean.get()), static_cast<const NKDBarcode*>(upc.get())}) {
        const QImage image = NKDBarcodeImage::imageFromBarcode(*b, 144).image();
        const int firstBar = int(NKDBarcodeOffscreenView(b).barRectangles().first().left() * 2);
        // The right caption stands 7 % of the width after the last bar.
        const int rightStrip = int(0.97 * b->width() * 2);
        EXPECT_FALSE(extentOf(image.copy(0, 0, firstBar, image.height()), Qt::red).isEmpty());
        const bool hasRight =
            !extentOf(image.copy(rightStrip, 0, image.width() - rightStrip, image.height()), Qt::red).isEmpty();
        EXPECT_EQ(hasRight, b == upc.get());   // EAN-13 has no right caption
    }
}

struct AlignCase
{
    const char* name;
    QString alignment;
    int expectedSide;   // -1 left, 0 centre, 1 right
};

class RendererAlignment : public ::testing::TestWithParam<AlignCase>
{
};

TEST_P(RendererAlignment, PlacesTheHeader)
{
    BarcodeDesignerSettings s = zeroMargins();
    s.bar_hdr_clr = Colour::rgb(0, 0, 1);
    s.align_hdr_combo = GetParam().alignment;
    FixedModules b(QStringLiteral("1"), 1.0f, 200.0f, 40.0f);
    b.setDesignerSettings(s);
    b.setHeader(QStringLiteral("HEAD"));
    b.setHeaderFontSize(10);
    b.setPrintsHeader(true);
    const Picture picture = NKDBarcodeImage::imageFromBarcode(b, 72);
    const QRect blue = extentOf(picture.image(), Qt::blue);
    ASSERT_FALSE(blue.isEmpty());
    const int left = blue.left();
    const int right = picture.image().width() - 1 - blue.right();
    switch (GetParam().expectedSide) {
    case -1:
        EXPECT_LT(left, 5);
        break;
    case 1:
        EXPECT_LT(right, 10);   // the last character's kerning stays inside
        break;
    default:
        EXPECT_NEAR(left, right, 6);
    }
    // The header stands at the top.
    EXPECT_LT(blue.top(), 5);
}

INSTANTIATE_TEST_SUITE_P(Renderer, RendererAlignment,
                         ::testing::Values(AlignCase {"Left", "Left", -1}, AlignCase {"Right", "Right", 1},
                                           AlignCase {"Center", "Center", 0},
                                           AlignCase {"EmptyIsNatural", "", -1},
                                           AlignCase {"UnknownIsNatural", "Justified", -1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Renderer, ColoursAndHiddenLines)
{
    LinearSetup setup;
    setup.settings = designerDefaults();
    setup.settings.bar_back_clr = Colour::rgb(1, 1, 0);
    setup.settings.barcode_clr = Colour::rgb(0, 0, 1);
    setup.settings.bar_ftr_clr = Colour::rgb(1, 0, 0);
    setup.showFooter = false;
    const auto b = preparedLinear<NKDCode128Barcode>(QStringLiteral("Colours"), setup);
    ASSERT_TRUE(b);
    const QImage image = NKDBarcodeImage::imageFromBarcode(*b, 72).image();
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::yellow));
    EXPECT_FALSE(extentOf(image, Qt::blue).isEmpty());
    EXPECT_TRUE(extentOf(image, Qt::red).isEmpty());
    EXPECT_EQ(extentOf(image, Qt::black).isEmpty(), false);   // caption and header
}

TEST(Renderer, PictureKeepsItsSizeInPoints)
{
    LinearSetup setup;
    setup.settings = designerDefaults();
    const auto b = preparedLinear<NKDCode128Barcode>(QStringLiteral("Size"), setup);
    ASSERT_TRUE(b);
    for (const double dpi : {72.0, 150.0, 600.0}) {
        const Picture picture = NKDBarcodeImage::imageFromBarcode(*b, dpi);
        ASSERT_FALSE(picture.isNull());
        EXPECT_FLOAT_EQ(float(picture.size().width()), b->width());
        EXPECT_FLOAT_EQ(float(picture.size().height()), b->height());
        EXPECT_EQ(picture.image().width(), int(std::ceil(b->width() * dpi / 72.0 - 1e-9)));
        EXPECT_NEAR(Picture::sizeInPoints(picture.image()).width(), b->width(), 72.0 / dpi);
    }
    // Without a resolution, the designer's output resolution.
    const int saved = USED_DPI_VALUE;
    USED_DPI_VALUE = 300;
    EXPECT_EQ(NKDBarcodeImage::imageFromBarcode(*b).image().width(), int(std::ceil(b->width() * 300 / 72.0 - 1e-9)));
    USED_DPI_VALUE = saved;
    FixedModules empty(QString(), 1.0f, 0.0f, 0.0f);
    EXPECT_TRUE(NKDBarcodeImage::imageFromBarcode(empty, 72).isNull());
}

TEST(Renderer, PdfHasThePictureSize)
{
    LinearSetup setup;
    setup.settings = designerDefaults();
    const auto b = preparedLinear<NKDCode128Barcode>(QStringLiteral("PDF"), setup);
    ASSERT_TRUE(b);
    const QByteArray pdf = NKDBarcodeImage::pdfFromBarcode(*b);
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    const QRegularExpression mediaBox(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"));
    const QRegularExpressionMatch match = mediaBox.match(QString::fromLatin1(pdf));
    ASSERT_TRUE(match.hasMatch());
    EXPECT_NEAR(match.captured(1).toDouble(), b->width(), 0.5);
    EXPECT_NEAR(match.captured(2).toDouble(), b->height(), 0.5);
}

TEST(Renderer, DrawsTheSameOnAWorkerThread)
{
    LinearSetup setup;
    setup.settings = designerDefaults();
    const auto b = preparedLinear<NKDCode128Barcode>(QStringLiteral("Thread 42"), setup);
    ASSERT_TRUE(b);
    const QImage here = NKDBarcodeImage::imageFromBarcode(*b, 300).image();
    QImage there;
    std::thread worker([&] { there = NKDBarcodeImage::imageFromBarcode(*b, 300).image(); });
    worker.join();
    EXPECT_EQ(here, there);
}

TEST(Renderer, FramesATwoDimensionalSymbol)
{
    EXPECT_TRUE(NKDBarcodeImage::imageFromBarcodeImage(Picture(), BarcodeDesignerSettings()).isNull());

    QImage symbol(10, 10, QImage::Format_ARGB32);
    symbol.fill(Qt::black);
    symbol.setPixelColor(0, 0, Qt::red);
    symbol.setPixelColor(1, 0, Qt::transparent);
    BarcodeDesignerSettings s = zeroMargins();
    s.TB_margin = 2;
    s.header_margin = 3;
    s.symbolText.setWidth(30);
    s.symbolText.setHeight(40);
    const Picture framed = NKDBarcodeImage::imageFromBarcodeImage(Picture(symbol, QSizeF(10, 10)), s);
    ASSERT_FALSE(framed.isNull());
    EXPECT_EQ(framed.size(), QSizeF(30, 40));
    const QImage& image = framed.image();
    ASSERT_EQ(image.size(), QSize(30, 40));
    // Centred across the frame, 2 + 3 points below the top; pixels copied
    // as they are, transparency included.
    EXPECT_EQ(image.pixelColor(10, 5), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(11, 5).alpha(), 0);
    EXPECT_EQ(image.pixelColor(12, 5), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(19, 14), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(9, 5), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(10, 4), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(10, 15), QColor(Qt::white));

    // A header pushes the symbol down by its line; the footer sits at the
    // bottom. At 4x the symbol's resolution the modules stay whole pixels.
    s.symbolText.setHeader(QStringLiteral("H"));
    s.symbolText.setFooter(QStringLiteral("F"));
    s.symbolText.setHeaderFontSize(10, s.header_font);
    s.symbolText.setFooterFontSize(10, s.footer_font);
    s.symbolText.setPrintsHeader(true);
    s.symbolText.setPrintsFooter(true);
    s.bar_hdr_clr = Colour::rgb(0, 0, 1);
    s.bar_ftr_clr = Colour::rgb(0, 1, 0);
    symbol.setPixelColor(1, 0, Qt::black);
    const QImage lined =
        NKDBarcodeImage::imageFromBarcodeImage(Picture(symbol, QSizeF(10, 10)), s, 288).image();
    const int top = qRound(4 * (2 + s.symbolText.headerHeight() * 72 + 3));
    EXPECT_EQ(lined.pixelColor(40, top), QColor(Qt::red));
    EXPECT_EQ(lined.pixelColor(43, top + 3), QColor(Qt::red));
    EXPECT_EQ(lined.pixelColor(44, top), QColor(Qt::black));
    EXPECT_FALSE(extentOf(lined, Qt::blue).isEmpty());
    EXPECT_GT(extentOf(lined, Qt::green).top(), top + 40);
}
