#include "barcodes/BarcodeDesignerSettings.h"

#include <gtest/gtest.h>

TEST(BarcodeDesignerSettings, DefaultsOfANewDesigner)
{
    const BarcodeDesignerSettings s;
    for (const float margin : {s.value_margin, s.header_margin, s.footer_margin, s.LR_margin, s.TB_margin})
        EXPECT_FLOAT_EQ(margin, 0.1f);
    for (const FontSpec& font : {s.value_font, s.header_font, s.footer_font}) {
        EXPECT_EQ(font.family(), QStringLiteral("Times New Roman"));
        EXPECT_DOUBLE_EQ(font.pointSize(), 10.0);
    }
    EXPECT_EQ(s.barcode_clr.toQColor(), QColor(Qt::black));
    EXPECT_EQ(s.bar_back_clr.toQColor(), QColor(Qt::white));
    // Never null, even before anything was set.
    EXPECT_FALSE(s.symbolText.header().isNull());
    EXPECT_FALSE(s.symbolText.footer().isNull());
    EXPECT_EQ(s.symbolText.header(), QString(""));
}

TEST(BarcodeDesignerSettings, UnitsConvertToPoints)
{
    const struct
    {
        int unit;
        double points;
    } cases[] = {{0, 72.0}, {1, 28.346472}, {2, 2.8346472}, {7, 72.0}, {-1, 72.0}};
    for (const auto& c : cases)
        EXPECT_NEAR(BarcodeDesignerSettings::unitToPoints(c.unit), c.points, 1e-9) << c.unit;
}

TEST(BarcodeDesignerSettings, TwoDimensionalLinesFollowTheFonts)
{
    BarcodeDesignerSettings s;
    s.symbolText.setContent(QStringLiteral("value"));
    EXPECT_EQ(s.caption(), QStringLiteral("value"));
    s.symbolText.setCaptionFontSize(8, s.value_font);
    const float height = s.symbolText.captionHeight();
    s.symbolText.setCaptionFontSize(40, s.value_font);
    EXPECT_FLOAT_EQ(s.symbolText.captionHeight(), height);
    EXPECT_FLOAT_EQ(s.symbolText.caption_fontSize(), 40);
    EXPECT_NEAR(height, 1.35 * BarcodeDesignerSettings::capHeight(s.value_font) / 72.0, 1e-7);

    s.symbolText.setHeader(QStringLiteral("A long header text"));
    s.symbolText.setHeaderFontSize(10, s.header_font);
    EXPECT_NEAR(s.symbolText.headerWidth(),
                BarcodeDesignerSettings::textWidth(s.symbolText.header(), s.header_font), 1e-3);
    EXPECT_GT(s.symbolText.headerWidth(), 50.0f);
    s.symbolText.setFooterFontSize(10, s.footer_font);
    EXPECT_FLOAT_EQ(s.symbolText.footerWidth(), 0.0f);   // no footer text
    EXPECT_FLOAT_EQ(s.symbolText.footerHeight(), s.symbolText.headerHeight());

    // Kerning adds its space after each character.
    const double plain = BarcodeDesignerSettings::textWidth(QStringLiteral("ABCD"), s.header_font);
    EXPECT_NEAR(BarcodeDesignerSettings::textWidth(QStringLiteral("ABCD"), s.header_font, 2.0), plain + 8.0, 0.01);
}

struct RaiseCase
{
    double points;
    double dpi;
    int pixels;
};

void PrintTo(const RaiseCase& c, std::ostream* os)
{
    *os << c.points << " points at " << c.dpi << " dpi";
}

class IncreaseDpi : public ::testing::TestWithParam<RaiseCase>
{
};

TEST_P(IncreaseDpi, KeepsTheSizeInPoints)
{
    const RaiseCase& c = GetParam();
    QImage image(int(c.points), int(c.points), QImage::Format_RGBA8888);
    image.fill(Qt::black);
    const Picture raised =
        BarcodeDesignerSettings::Increase_DPI(Picture(image, QSizeF(c.points, c.points)), c.dpi);
    ASSERT_FALSE(raised.isNull());
    EXPECT_EQ(raised.image().width(), c.pixels);
    EXPECT_EQ(raised.image().height(), c.pixels);
    EXPECT_EQ(raised.size(), QSizeF(c.points, c.points));
    EXPECT_EQ(raised.image().format(), QImage::Format_RGBA8888);
    EXPECT_EQ(raised.image().pixelColor(c.pixels - 1, c.pixels - 1), QColor(Qt::black));
}

INSTANTIATE_TEST_SUITE_P(Settings, IncreaseDpi,
                         ::testing::Values(RaiseCase {100, 600, 834}, RaiseCase {100, 72, 100},
                                           RaiseCase {21, 300, 88}, RaiseCase {1, 1200, 17}));

TEST(BarcodeDesignerSettings, RaisingCopiesModulesWithoutSmoothing)
{
    QImage checker(2, 2, QImage::Format_RGBA8888);
    checker.setPixelColor(0, 0, Qt::black);
    checker.setPixelColor(1, 0, Qt::white);
    checker.setPixelColor(0, 1, Qt::white);
    checker.setPixelColor(1, 1, Qt::transparent);
    const Picture raised = BarcodeDesignerSettings::Increase_DPI(Picture(checker, QSizeF(2, 2)), 216);
    ASSERT_EQ(raised.image().size(), QSize(6, 6));
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(raised.image().pixelColor(x, y), checker.pixelColor(x / 3, y / 3)) << x << "," << y;
    }
    EXPECT_TRUE(BarcodeDesignerSettings::Increase_DPI(Picture(), 600).isNull());
    EXPECT_TRUE(BarcodeDesignerSettings::Increase_DPI(Picture(checker, QSizeF(2, 2)), 0).isNull());
}
