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
