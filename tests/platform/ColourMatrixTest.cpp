#include "platform/ColourMatrix.h"

#include "common/TestPictures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

using Rgb = ColourMatrix::Rgb;

void expectRgb(const Rgb& got, const Rgb& want, const char* what)
{
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(got[i], want[i], 1e-5) << what << " channel " << i;
}

}

TEST(ColourMatrix, HueTurnsPrimariesAroundTheGreyAxis)
{
    const float third = float(2 * std::numbers::pi / 3);
    struct Case { float angle; Rgb in; Rgb out; const char* what; };
    const Case cases[] = {
        {third, {1, 0, 0}, {0, 1, 0}, "red to green"},
        {third, {0, 1, 0}, {0, 0, 1}, "green to blue"},
        {2 * third, {1, 0, 0}, {0, 0, 1}, "red to blue"},
        {-third, {1, 0, 0}, {0, 0, 1}, "backwards red to blue"},
        {float(2 * std::numbers::pi), {0.2f, 0.5f, 0.9f}, {0.2f, 0.5f, 0.9f}, "full turn"},
        {1.234f, {0.4f, 0.4f, 0.4f}, {0.4f, 0.4f, 0.4f}, "greys stay"},
    };
    for (const Case& c : cases)
        expectRgb(ColourMatrix::hueRotation(c.angle).map(c.in), c.out, c.what);
}

TEST(ColourMatrix, ColourStepsFollowTheirFormulas)
{
    const Rgb c {0.2f, 0.5f, 0.8f};
    const float y = 0.2126f * 0.2f + 0.7152f * 0.5f + 0.0722f * 0.8f;
    struct Case { ColourMatrix m; Rgb out; const char* what; };
    const Case cases[] = {
        {ColourMatrix::luminanceGrey(), {y, y, y}, "grey"},
        {ColourMatrix::saturation(0), {y, y, y}, "saturation 0"},
        {ColourMatrix::saturation(1), c, "saturation 1"},
        {ColourMatrix::saturation(2), {2 * 0.2f - y, 2 * 0.5f - y, 2 * 0.8f - y}, "saturation 2"},
        {ColourMatrix::brightness(0.25f), {0.45f, 0.75f, 1.05f}, "brightness"},
        {ColourMatrix::contrast(2), {-0.1f, 0.5f, 1.1f}, "contrast"},
        {ColourMatrix::contrast(0), {0.5f, 0.5f, 0.5f}, "contrast 0"},
        {ColourMatrix::exposure(1), {0.4f, 1.0f, 1.6f}, "exposure +1"},
        {ColourMatrix::exposure(-2), {0.05f, 0.125f, 0.2f}, "exposure -2"},
        {ColourMatrix::inverted(), {0.8f, 0.5f, 0.2f}, "invert"},
        {ColourMatrix::sepiaTone(), {0.393f * 0.2f + 0.769f * 0.5f + 0.189f * 0.8f,
                                     0.349f * 0.2f + 0.686f * 0.5f + 0.168f * 0.8f,
                                     0.272f * 0.2f + 0.534f * 0.5f + 0.131f * 0.8f}, "sepia"},
    };
    for (const Case& k : cases)
        expectRgb(k.m.map(c), k.out, k.what);
}

TEST(ColourMatrix, ThenAppliesTheFirstMapFirst)
{
    // Brightness then contrast differs from contrast then brightness.
    const Rgb mid {0.5f, 0.5f, 0.5f};
    expectRgb(ColourMatrix::brightness(0.1f).then(ColourMatrix::contrast(2)).map(mid),
              {0.7f, 0.7f, 0.7f}, "brightness first");
    expectRgb(ColourMatrix::contrast(2).then(ColourMatrix::brightness(0.1f)).map(mid),
              {0.6f, 0.6f, 0.6f}, "contrast first");
    expectRgb(ColourMatrix::saturation(0).then(ColourMatrix::inverted()).map({1, 0, 0}),
              {1 - 0.2126f, 1 - 0.2126f, 1 - 0.2126f}, "grey then invert");
}

TEST(ColourMatrix, ExtremeExposureStaysFinite)
{
    for (float ev : {-1e30f, -200.0f, 200.0f, 1e30f}) {
        const Rgb out = ColourMatrix::exposure(ev).map({0, 0.5f, 1});
        for (float v : out)
            EXPECT_TRUE(std::isfinite(v)) << ev;
    }
}

TEST(ColourMatrix, ApplyKeepsAlphaAndLeavesTransparentPixelsAlone)
{
    QImage image = TestPictures::solid(3, 1, qRgba(255, 0, 0, 255));
    image.setPixel(1, 0, qRgba(0, 0, 255, 100));
    image.setPixel(2, 0, qRgba(40, 50, 60, 0));
    const QImage out = ColourMatrix::inverted().applyTo(image);
    ASSERT_EQ(out.format(), QImage::Format_ARGB32);
    EXPECT_EQ(out.pixel(0, 0), qRgba(0, 255, 255, 255));
    EXPECT_EQ(out.pixel(1, 0), qRgba(255, 255, 0, 100));
    EXPECT_EQ(qAlpha(out.pixel(2, 0)), 0);
}

TEST(ColourMatrix, ApplyReadsOtherFormats)
{
    // A premultiplied half-transparent white and an indexed picture.
    QImage pre(1, 1, QImage::Format_ARGB32_Premultiplied);
    pre.fill(qRgba(128, 128, 128, 128));
    const QImage out = ColourMatrix::inverted().applyTo(pre);
    EXPECT_LE(TestPictures::channelDistance(out.pixel(0, 0), qRgba(0, 0, 0, 128)), 1);

    QImage indexed(2, 1, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    indexed.setPixel(0, 0, 0);
    indexed.setPixel(1, 0, 1);
    const QImage inv = ColourMatrix::inverted().applyTo(indexed);
    EXPECT_EQ(inv.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(inv.pixel(1, 0), qRgb(0, 0, 0));
}
