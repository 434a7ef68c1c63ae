#include "canvas/CardBaseDrawing.h"
#include "model/Card_Property.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The card occupies (10, 10, 200, 100) of a 220 x 120 picture, one pixel per
// point; outside the card the picture stays transparent.
const QRectF kCard(10, 10, 200, 100);

QImage render(const Card_Property& record, int shape = 0, const QString& resources = QString())
{
    QImage image(220, 120, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    CardBaseDrawing::draw(painter, kCard, record, shape, kCard, resources);
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

::testing::AssertionResult near(QRgb actual, QColor expected, int tolerance = 3)
{
    const QColor a = QColor::fromRgba(actual);
    if (std::abs(a.red() - expected.red()) <= tolerance && std::abs(a.green() - expected.green()) <= tolerance
        && std::abs(a.blue() - expected.blue()) <= tolerance && std::abs(a.alpha() - expected.alpha()) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel " << a.name(QColor::HexArgb).toStdString() << " expected "
                                         << expected.name(QColor::HexArgb).toStdString();
}

const QColor kWhite(255, 255, 255);
const QColor kClear(0, 0, 0, 0);
const QColor kBlack(0, 0, 0);

Card_Property plain()
{
    Card_Property r;
    r.setCard_border_chk(false);
    r.setCard_fill_chk(false);
    return r;
}

Card_Property filled(const QString& code)
{
    Card_Property r = plain();
    r.setCard_fill_chk(true);
    r.setCard_fill_style(code);
    return r;
}

// A picture of one colour, 20 x 20 pixels at 72 dpi.
Picture colourPicture(const QColor& colour)
{
    QImage image(20, 20, QImage::Format_ARGB32);
    image.fill(colour);
    return Picture(image, QSizeF(20, 20));
}

TEST(CardBaseDrawing, WhiteCardWithNothingElse)
{
    const QImage image = render(plain());
    EXPECT_TRUE(near(image.pixel(110, 60), kWhite));
    EXPECT_TRUE(near(image.pixel(11, 11), kWhite));
    EXPECT_TRUE(near(image.pixel(5, 5), kClear));
    EXPECT_TRUE(near(image.pixel(215, 60), kClear));
}

TEST(CardBaseDrawing, OutlinePerShape)
{
    // (11, 11) is outside the rounded corner of radius 10; (15, 15) is inside
    // it but outside the oval.
    const QImage rect = render(plain(), 0);
    const QImage rounded = render(plain(), 1);
    const QImage oval = render(plain(), 2);
    EXPECT_TRUE(near(rect.pixel(11, 11), kWhite));
    EXPECT_TRUE(near(rounded.pixel(11, 11), kClear));
    EXPECT_TRUE(near(rounded.pixel(16, 16), kWhite));
    EXPECT_TRUE(near(oval.pixel(16, 16), kClear));
    EXPECT_TRUE(near(oval.pixel(110, 12), kWhite));
    EXPECT_TRUE(near(oval.pixel(12, 60), kWhite));
    // any other code is a rectangle
    EXPECT_TRUE(near(render(plain(), 7).pixel(11, 11), kWhite));
}

TEST(CardBaseDrawing, SolidFillCarriesItsOwnOpacityOverWhite)
{
    Card_Property r = filled("S");
    r.setCard_fill_clr(Colour::rgb(1, 0, 0));
    EXPECT_TRUE(near(render(r).pixel(110, 60), QColor(255, 0, 0)));
    r.setCard_fill_clr(Colour::rgb(1, 0, 0, 0.5));
    EXPECT_TRUE(near(render(r).pixel(110, 60), QColor(255, 127, 127)));
    // an unknown code fills solid
    r.setCard_fill_style("Q");
    r.setCard_fill_clr(Colour::rgb(0, 0, 1));
    EXPECT_TRUE(near(render(r).pixel(110, 60), QColor(0, 0, 255)));
    // the fill switched off leaves the white card
    r.setCard_fill_chk(false);
    EXPECT_TRUE(near(render(r).pixel(110, 60), kWhite));
}

TEST(CardBaseDrawing, GradientRunsAlongItsAngle)
{
    Card_Property r = filled("G");
    r.setCard_fill_Grd_1_clr(Colour::rgb(1, 0, 0));
    r.setCard_fill_Grd_2_clr(Colour::rgb(0, 0, 1));
    r.setCard_grad_Stepper(0);
    QImage image = render(r);
    EXPECT_GT(qRed(image.pixel(12, 60)), 240);
    EXPECT_GT(qBlue(image.pixel(208, 60)), 240);
    EXPECT_TRUE(near(image.pixel(110, 12), QColor(image.pixel(110, 108))));   // same along a vertical

    r.setCard_grad_Stepper(90);   // top to bottom
    image = render(r);
    EXPECT_GT(qRed(image.pixel(110, 11)), 240);
    EXPECT_GT(qBlue(image.pixel(110, 108)), 240);
    EXPECT_TRUE(near(image.pixel(12, 60), QColor(image.pixel(208, 60))));

    // the gradient stays inside the oval
    EXPECT_TRUE(near(render(r, 2).pixel(12, 12), kClear));
}

TEST(CardBaseDrawing, HatchPatternOverItsBackground)
{
    QTemporaryDir resources;
    ASSERT_TRUE(QDir(resources.path()).mkpath("Fill_Style_Image"));
    // 4 x 4 tile: the left half black, the right half transparent
    QImage tile(4, 4, QImage::Format_ARGB32);
    tile.fill(Qt::transparent);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 2; ++x)
            tile.setPixel(x, y, qRgba(0, 0, 0, 255));
    tile.setDotsPerMeterX(2835);   // 72 dpi
    tile.setDotsPerMeterY(2835);
    ASSERT_TRUE(tile.save(resources.path() + "/Fill_Style_Image/Stripes.png"));

    Card_Property r = filled("H");
    r.setCard_hatch_bk_clr(Colour::rgb(0, 1, 0));
    r.setCard_hatch_style("Stripes");
    const QImage image = render(r, 0, resources.path());
    // The tiles start at the picture's origin: columns 0-1 of every 4 are black.
    EXPECT_TRUE(near(image.pixel(40, 60), kBlack));
    EXPECT_TRUE(near(image.pixel(41, 60), kBlack));
    EXPECT_TRUE(near(image.pixel(42, 60), QColor(0, 255, 0)));
    EXPECT_TRUE(near(image.pixel(43, 60), QColor(0, 255, 0)));
    EXPECT_TRUE(near(image.pixel(5, 60), kClear));
}

TEST(CardBaseDrawing, MissingHatchPatternStillDrawsBackgroundAndBorder)
{
    QTemporaryDir resources;
    for (const QString& name : {QString("Nowhere"), QString("../../etc/passwd"), QString()}) {
        Card_Property r = filled("H");
        r.setCard_hatch_bk_clr(Colour::rgb(0, 1, 0));
        r.setCard_hatch_style(name);
        r.setCard_border_chk(true);
        r.setCard_bor_Stepper(4);
        r.setCard_bordr_clr(Colour::rgb(0, 0, 1));
        const QImage image = render(r, 0, resources.path());
        EXPECT_TRUE(near(image.pixel(110, 60), QColor(0, 255, 0))) << name.toStdString();
        EXPECT_TRUE(near(image.pixel(110, 9), QColor(0, 0, 255))) << name.toStdString();
        EXPECT_TRUE(near(image.pixel(110, 11), QColor(0, 0, 255))) << name.toStdString();
    }
}

TEST(CardBaseDrawing, StretchedAndTiledPicturesStayInsideTheOutline)
{
    Card_Property r = filled("I");
    r.setCard_BG_Image(colourPicture(QColor(255, 0, 0)));
    r.setCard_BG_Image_Layout("Stretch");
    QImage image = render(r, 1);
    EXPECT_TRUE(near(image.pixel(11, 11), kClear));   // outside the rounded corner
    EXPECT_TRUE(near(image.pixel(110, 60), QColor(255, 0, 0)));
    EXPECT_TRUE(near(render(r, 2).pixel(16, 16), kClear));   // outside the oval

    r.setCard_BG_Image_Layout("Tile");
    image = render(r, 1);
    EXPECT_TRUE(near(image.pixel(11, 11), kClear));
    EXPECT_TRUE(near(image.pixel(110, 60), QColor(255, 0, 0)));

    // the picture fill takes the side's opacity, over the white card
    r.setCard_alpha_Stepper(0.5f);
    EXPECT_TRUE(near(render(r, 1).pixel(110, 60), QColor(255, 127, 127)));
    r.setCard_BG_Image_Layout("Stretch");
    EXPECT_TRUE(near(render(r, 1).pixel(110, 60), QColor(255, 127, 127)));
    // above 1 acts as 1
    r.setCard_alpha_Stepper(100.0f);
    EXPECT_TRUE(near(render(r, 1).pixel(110, 60), QColor(255, 0, 0)));

    // no picture loaded: the white card
    r.setCard_BG_Image(Picture());
    EXPECT_TRUE(near(render(r, 1).pixel(110, 60), kWhite));
}

// Border pixels of the row just above the card's top edge (the outer half of
// a 2-point border), from x = 10 on.
QList<bool> topBorderInk(const QString& dashCode, int length)
{
    Card_Property r = plain();
    r.setCard_border_chk(true);
    r.setCard_bor_Stepper(2);
    r.setCard_bordr_clr(Colour::black());
    r.setCard_border_style(dashCode);
    const QImage image = render(r);
    QList<bool> ink;
    for (int x = 10; x < 10 + length; ++x)
        ink.append(qAlpha(image.pixel(x, 9)) > 128);
    return ink;
}

QList<bool> pattern(std::initializer_list<std::pair<bool, int>> runs)
{
    QList<bool> out;
    for (auto [on, n] : runs)
        for (int i = 0; i < n; ++i)
            out.append(on);
    return out;
}

TEST(CardBaseDrawing, BorderDashesInPointsFromTheOutlineStart)
{
    EXPECT_EQ(topBorderInk("S", 40), pattern({{true, 40}}));
    EXPECT_EQ(topBorderInk("??", 40), pattern({{true, 40}}));
    EXPECT_EQ(topBorderInk("DA", 30), pattern({{true, 8}, {false, 2}, {true, 8}, {false, 2}, {true, 8}, {false, 2}}));
    EXPECT_EQ(topBorderInk("DO", 20), pattern({{true, 4}, {false, 6}, {true, 4}, {false, 6}}));
    EXPECT_EQ(topBorderInk("DD", 50), pattern({{true, 24}, {false, 10}, {true, 6}, {false, 10}}));
    EXPECT_EQ(topBorderInk("DDD", 64),
              pattern({{true, 24}, {false, 8}, {true, 8}, {false, 8}, {true, 8}, {false, 8}}));
}

TEST(CardBaseDrawing, DashedBorderFollowsTheOval)
{
    Card_Property r = plain();
    r.setCard_border_chk(true);
    r.setCard_bor_Stepper(3);
    r.setCard_border_style("DD");
    r.setCard_bordr_clr(Colour::black());
    const QImage dashed = render(r, 2);
    r.setCard_border_style("S");
    const QImage solid = render(r, 2);
    // Walk round the oval: the solid border is inked everywhere, the dashed
    // one in about 30 of every 50 points.
    int solidInk = 0;
    int dashedInk = 0;
    const int steps = 720;
    for (int i = 0; i < steps; ++i) {
        const double a = 2 * M_PI * i / steps;
        const int x = int(std::lround(110 + 100 * std::cos(a)));
        const int y = int(std::lround(60 + 50 * std::sin(a)));
        solidInk += qAlpha(solid.pixel(std::clamp(x, 0, 219), std::clamp(y, 0, 119))) > 0 ? 1 : 0;
        dashedInk += qGray(dashed.pixel(std::clamp(x, 0, 219), std::clamp(y, 0, 119))) < 128 ? 1 : 0;
    }
    EXPECT_EQ(solidInk, steps);
    EXPECT_GT(dashedInk, steps * 45 / 100);
    EXPECT_LT(dashedInk, steps * 75 / 100);
}

TEST(CardBaseDrawing, BorderWidthAndColour)
{
    Card_Property r = filled("S");
    r.setCard_fill_clr(Colour::rgb(1, 1, 0));
    r.setCard_border_chk(true);
    r.setCard_bor_Stepper(6);
    r.setCard_bordr_clr(Colour::rgb(1, 0, 0));
    const QImage image = render(r);
    EXPECT_TRUE(near(image.pixel(110, 8), QColor(255, 0, 0)));    // outer half
    EXPECT_TRUE(near(image.pixel(110, 12), QColor(255, 0, 0)));   // inner half
    EXPECT_TRUE(near(image.pixel(110, 14), QColor(255, 255, 0)));
    EXPECT_TRUE(near(image.pixel(110, 6), kClear));
    // mitred corners: the outside corner point is inked
    EXPECT_TRUE(near(image.pixel(8, 8), QColor(255, 0, 0)));
    // the border switched off keeps the fill to the edge
    r.setCard_border_chk(false);
    EXPECT_TRUE(near(render(r).pixel(110, 11), QColor(255, 255, 0)));
}

}
