#include "platform/Picture.h"

#include "common/TestPictures.h"

#include <gtest/gtest.h>

namespace {

// A 40 x 20 picture, grey, with a red top-left pixel and a blue top-right one.
Picture marked()
{
    QImage image = TestPictures::solid(40, 20, qRgb(128, 128, 128));
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(39, 0, qRgb(0, 0, 255));
    return Picture(image, QSizeF(40, 20));
}

}

TEST(PictureRotated, QuarterTurnsMoveCornersCounterClockwise)
{
    struct Case { float degrees; QSizeF size; QPoint red; QPoint blue; };
    const Case cases[] = {
        {90, {20, 40}, {0, 39}, {0, 0}},
        {450, {20, 40}, {0, 39}, {0, 0}},
        {-270, {20, 40}, {0, 39}, {0, 0}},
        {-90, {20, 40}, {19, 0}, {19, 39}},
        {270, {20, 40}, {19, 0}, {19, 39}},
        {-450, {20, 40}, {19, 0}, {19, 39}},
        {180, {40, 20}, {39, 19}, {0, 19}},
        {-180, {40, 20}, {39, 19}, {0, 19}},
    };
    for (const Case& c : cases) {
        const Picture turned = marked().imageRotated(c.degrees);
        ASSERT_FALSE(turned.isNull()) << c.degrees;
        EXPECT_EQ(turned.size(), c.size) << c.degrees;
        EXPECT_EQ(turned.image().size(), c.size.toSize()) << c.degrees;
        EXPECT_EQ(turned.image().pixel(c.red), qRgb(255, 0, 0)) << c.degrees;
        EXPECT_EQ(turned.image().pixel(c.blue), qRgb(0, 0, 255)) << c.degrees;
    }
}

TEST(PictureRotated, WholeTurnsGiveThePictureItself)
{
    const Picture picture = marked();
    for (float degrees : {0.0f, 360.0f, -720.0f}) {
        const Picture same = picture.imageRotated(degrees);
        EXPECT_EQ(same.image().constBits(), picture.image().constBits()) << degrees;
        EXPECT_EQ(same.size(), picture.size());
    }
}

TEST(PictureRotated, OtherAnglesGiveATransparentSquareWithAMargin)
{
    const Picture picture = TestPictures::solidPicture(100, 60, qRgb(0, 200, 0));
    const Picture turned = picture.imageRotated(45);
    EXPECT_EQ(turned.size(), QSizeF(120, 120));
    EXPECT_EQ(turned.image().size(), QSize(120, 120));
    EXPECT_EQ(qAlpha(turned.image().pixel(0, 0)), 0);        // corners stay empty
    EXPECT_EQ(qAlpha(turned.image().pixel(119, 119)), 0);
    EXPECT_EQ(turned.image().pixel(60, 60), qRgb(0, 200, 0)); // centre filled
    // The picture's long axis now runs from bottom-left to top-right
    // (counter-clockwise): (30, 90) lies on it, (30, 30) does not.
    EXPECT_EQ(qAlpha(turned.image().pixel(30, 90)), 255);
    EXPECT_EQ(qAlpha(turned.image().pixel(30, 30)), 0);
}

TEST(PictureRotated, KeepsTheFinerPixelDensity)
{
    // 200 x 60 pixels shown at 100 x 60 points: two pixels per point across.
    const Picture picture(TestPictures::solid(200, 60, qRgb(9, 9, 9)), QSizeF(100, 60));
    const Picture turned = picture.imageRotated(30);
    EXPECT_EQ(turned.size(), QSizeF(120, 120));
    EXPECT_EQ(turned.image().size(), QSize(240, 240));
    const Picture quarter = picture.imageRotated(90);
    EXPECT_EQ(quarter.size(), QSizeF(60, 100));
    EXPECT_EQ(quarter.image().size(), QSize(60, 200));
}

TEST(PictureRotated, TheMarginTakesNoMorePixelsThanThePictureNeeds)
{
    // 100 x 100 pixels recorded at ever finer resolutions, turned 45 degrees:
    // the square keeps the picture's density until that would give more than
    // twice its 100 pixels and more than 600 per inch of the square.
    struct Case { double dpi; int pixels; };
    const Case cases[] = {
        {72, 120},         // 100 points, square of 120 at one pixel each
        {300, 183},        // 24 points, square of 44 at 300 dpi
        {1440, 208},       // 5 points, square of 25 at 600 dpi (not 500 pixels)
        {144000, 200},     // 0.05 points, square of 20.05 (not 40,100 pixels)
        {1.44e9, 200},
    };
    for (const Case& c : cases) {
        const double points = 100 * 72 / c.dpi;
        const Picture picture(TestPictures::solid(100, 100, qRgb(255, 0, 0)), QSizeF(points, points));
        const Picture turned = picture.imageRotated(45);
        ASSERT_FALSE(turned.isNull()) << c.dpi;
        EXPECT_DOUBLE_EQ(turned.size().width(), points + 20) << c.dpi;
        EXPECT_EQ(turned.image().size(), QSize(c.pixels, c.pixels)) << c.dpi;
        if (points / (points + 20) * c.pixels >= 2) {   // the picture still covers whole pixels
            EXPECT_EQ(turned.image().pixel(c.pixels / 2, c.pixels / 2), qRgb(255, 0, 0)) << c.dpi;
        }
    }
}
