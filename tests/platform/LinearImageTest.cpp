#include "platform/LinearImage.h"

#include "common/TestPictures.h"
#include "platform/LinearLight.h"

#include <gtest/gtest.h>

namespace {

QImage blurred(const QImage& in, float radius)
{
    LinearImage pixels(in);
    pixels.boxBlur(radius);
    return pixels.toImage();
}

QImage sharpened(const QImage& in, float amount)
{
    LinearImage pixels(in);
    pixels.sharpenLuminance(amount);
    return pixels.toImage();
}

double linearSum(const QImage& image)
{
    double sum = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            sum += LinearLight::decode(std::uint8_t(qRed(image.pixel(x, y))));
    return sum;
}

}

TEST(LinearImage, RoundTripKeepsEveryPixel)
{
    QImage image(4, 2, QImage::Format_ARGB32);
    const QRgb colours[] = {qRgba(0, 0, 0, 255), qRgba(255, 255, 255, 255), qRgba(12, 200, 99, 255),
                            qRgba(250, 3, 128, 255), qRgba(255, 0, 0, 128), qRgba(10, 20, 30, 7),
                            qRgba(0, 0, 0, 0), qRgba(77, 77, 77, 254)};
    for (int i = 0; i < 8; ++i)
        image.setPixel(i % 4, i / 4, colours[i]);
    const QImage out = LinearImage(image).toImage();
    for (int i = 0; i < 8; ++i)
        EXPECT_LE(TestPictures::channelDistance(out.pixel(i % 4, i / 4), colours[i]),
                  qAlpha(colours[i]) < 16 ? 8 : 0) << "pixel " << i;
}

TEST(LinearImage, BoxBlurSpreadsOnePixelOverItsBoxAndKeepsItsEnergy)
{
    QImage image = TestPictures::solid(21, 21, qRgb(0, 0, 0));
    image.setPixel(10, 10, qRgb(255, 255, 255));
    const QImage out = blurred(image, 3);
    for (int y = 0; y < 21; ++y) {
        for (int x = 0; x < 21; ++x) {
            const bool inBox = std::abs(x - 10) <= 3 && std::abs(y - 10) <= 3;
            if (inBox)
                EXPECT_EQ(out.pixel(x, y), out.pixel(10, 10)) << x << "," << y;
            else
                EXPECT_EQ(out.pixel(x, y), qRgb(0, 0, 0)) << x << "," << y;
        }
    }
    EXPECT_GT(qRed(out.pixel(10, 10)), 0);
    EXPECT_NEAR(linearSum(out), 1.0, 0.1);
}

TEST(LinearImage, BoxBlurKeepsFlatPicturesAndEdgesFlat)
{
    for (float radius : {0.5f, 1.0f, 2.5f, 40.0f, 1e9f}) {
        const QImage out = blurred(TestPictures::solid(7, 5, qRgba(200, 100, 50, 255)), radius);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x)
                ASSERT_EQ(out.pixel(x, y), qRgba(200, 100, 50, 255)) << radius << " at " << x << "," << y;
    }
}

TEST(LinearImage, FractionalRadiusWeighsTheOuterPixels)
{
    // One white pixel in a black row: radius 0.5 gives weights 0.5, 1, 0.5
    // over a box of weight 2.
    QImage row = TestPictures::solid(5, 1, qRgb(0, 0, 0));
    row.setPixel(2, 0, qRgb(255, 255, 255));
    const QImage out = blurred(row, 0.5f);
    EXPECT_EQ(qRed(out.pixel(2, 0)), LinearLight::encode(0.5f));
    EXPECT_EQ(qRed(out.pixel(1, 0)), LinearLight::encode(0.25f));
    EXPECT_EQ(qRed(out.pixel(3, 0)), LinearLight::encode(0.25f));
    EXPECT_EQ(qRed(out.pixel(0, 0)), 0);
}

TEST(LinearImage, BoxBlurDoesNotBleedTheColourOfTransparentPixels)
{
    // Left half transparent red, right half opaque blue: the blurred pixels
    // near the seam get some alpha but stay blue.
    QImage image = TestPictures::solid(8, 1, qRgba(0, 0, 255, 255));
    for (int x = 0; x < 4; ++x)
        image.setPixel(x, 0, qRgba(255, 0, 0, 0));
    const QImage out = blurred(image, 2);
    for (int x = 0; x < 8; ++x) {
        const QRgb p = out.pixel(x, 0);
        if (qAlpha(p) > 0) {
            EXPECT_EQ(qRed(p), 0) << x;
            EXPECT_EQ(qBlue(p), 255) << x;
        }
    }
    EXPECT_EQ(qAlpha(out.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(out.pixel(3, 0)), 102);   // two of five pixels opaque
    EXPECT_EQ(qAlpha(out.pixel(7, 0)), 255);
}

TEST(LinearImage, SharpeningRaisesEdgeContrastAndLeavesFlatAreas)
{
    QImage edge = TestPictures::solid(12, 6, qRgb(64, 64, 64));
    for (int y = 0; y < 6; ++y)
        for (int x = 6; x < 12; ++x)
            edge.setPixel(x, y, qRgb(192, 192, 192));
    const QImage out = sharpened(edge, 1.0f);
    EXPECT_LT(qRed(out.pixel(5, 3)), 64);     // dark side of the edge darker
    EXPECT_GT(qRed(out.pixel(6, 3)), 192);    // light side lighter
    EXPECT_EQ(out.pixel(0, 3), qRgb(64, 64, 64));     // far from the edge: unchanged
    EXPECT_EQ(out.pixel(11, 3), qRgb(192, 192, 192));

    const QImage softer = sharpened(edge, -1.0f);
    EXPECT_GT(qRed(softer.pixel(5, 3)), 64);
    EXPECT_LT(qRed(softer.pixel(6, 3)), 192);
}

TEST(LinearImage, SharpeningChangesLuminanceOnly)
{
    // A flat coloured area has no detail: nothing changes, colour included.
    const QImage flat = TestPictures::solid(6, 6, qRgba(200, 40, 90, 255));
    EXPECT_EQ(sharpened(flat, 2.0f), flat);
    // Two colours of (nearly) equal luminance side by side: no luminance
    // edge, so neither side changes beyond the rounding of the match;
    // sharpening each channel would push green far up on the right.
    QImage image = TestPictures::solid(6, 2, qRgb(255, 0, 0));
    const QRgb sameLuminance = qRgb(0, LinearLight::encode(0.2126f / 0.7152f), 0);
    for (int x = 3; x < 6; ++x)
        for (int y = 0; y < 2; ++y)
            image.setPixel(x, y, sameLuminance);
    const QImage out = sharpened(image, 3.0f);
    EXPECT_LE(TestPictures::channelDistance(out.pixel(2, 0), qRgb(255, 0, 0)), 3);
    EXPECT_LE(TestPictures::channelDistance(out.pixel(3, 0), sameLuminance), 3);
}
