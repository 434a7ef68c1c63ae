#include "model/ImageProcesser.h"

#include "common/TestPictures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <thread>

namespace {

using TestPictures::solidPicture;

// A 30 x 20 picture with some detail, so every step has work to do.
Picture detailed()
{
    QImage image = TestPictures::solid(30, 20, qRgb(200, 120, 60));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            if ((x / 5 + y / 5) % 2)
                image.setPixel(x, y, qRgba(30, 90, 210, 200));
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));
    return Picture(image, QSizeF(30, 20));
}

ImageAdjustments everything()
{
    ImageAdjustments s;
    s.gray_Scale = false;
    s.Sepia = true;
    s.invert_clr = true;
    s.hue_val = 0.8f;
    s.sat_val = 1.3f;
    s.brt_val = 0.05f;
    s.con_val = 1.1f;
    s.srp_val = 0.5f;
    s.blr_val = 1.5f;
    s.ev_val = -0.4f;
    s.rotate = 90;
    return s;
}

}

TEST(ImageProcesserChain, CapLimitsEachSideOnItsOwnAndKeepsThePixels)
{
    struct Case { QSizeF in; QSizeF out; };
    const Case cases[] = {
        {{1000, 300}, {724, 300}},
        {{800, 600}, {724, 468}},
        {{300, 900}, {300, 468}},
        {{724, 468}, {724, 468}},
        {{100, 50}, {100, 50}},
    };
    for (const Case& c : cases) {
        Picture picture(TestPictures::solid(4, 3, qRgb(1, 2, 3)), c.in);
        const uchar* bits = picture.image().constBits();
        Picture& same = ImageProcesser::Set_Dimaension(picture);
        EXPECT_EQ(&same, &picture);
        EXPECT_EQ(picture.size(), c.out) << c.in.width() << "x" << c.in.height();
        EXPECT_EQ(picture.image().constBits(), bits);
        EXPECT_EQ(picture.image().size(), QSize(4, 3));
    }
}

TEST(ImageProcesserChain, DefaultSettingsReturnTheSamePixelsCapped)
{
    const Picture picture(TestPictures::solid(1000, 800, qRgb(5, 6, 7)), QSizeF(1000, 800));
    ImageProcesser::Failures failures;
    const Picture out = ImageProcesser::Get_Processed_Image(picture, ImageAdjustments(), &failures);
    EXPECT_EQ(out.image().constBits(), picture.image().constBits());
    EXPECT_EQ(out.size(), QSizeF(724, 468));
    EXPECT_EQ(picture.size(), QSizeF(1000, 800));   // the caller's picture is its own
    EXPECT_TRUE(failures.empty());
}

TEST(ImageProcesserChain, StepsRunInTheirOrder)
{
    const Picture source = detailed();
    const ImageAdjustments s = everything();
    Picture manual = ImageProcesser::Sepia(source);
    manual = ImageProcesser::Invert_Color(manual);
    manual = ImageProcesser::adjust_Hue(manual, s.hue_val);
    manual = ImageProcesser::adjust_Color_Control(manual, s.sat_val, s.brt_val, s.con_val);
    manual = ImageProcesser::adjust_Sharpness(manual, s.srp_val);
    manual = ImageProcesser::adjust_boxBlur(manual, s.blr_val);
    manual = ImageProcesser::adjust_EV(manual, s.ev_val);
    manual = manual.imageRotated(90);

    ImageProcesser::Failures failures;
    const Picture chained = ImageProcesser::Get_Processed_Image(source, s, &failures);
    EXPECT_TRUE(failures.empty());
    EXPECT_EQ(chained.size(), QSizeF(20, 30));
    EXPECT_EQ(chained.image(), manual.image());

    // The one-argument-per-setting form is the same chain; the opacity
    // does not change the picture.
    const Picture again = ImageProcesser::Get_Processed_Image(
        source, s.gray_Scale, s.Sepia, s.invert_clr, s.hue_val, s.sat_val, s.brt_val, s.con_val,
        s.rotate, s.srp_val, s.ev_val, s.blr_val, 25.0f);
    EXPECT_EQ(again.image(), chained.image());
}

TEST(ImageProcesserChain, GreyScaleComesBeforeSepia)
{
    const Picture source = detailed();
    ImageAdjustments s;
    s.gray_Scale = true;
    s.Sepia = true;
    const Picture out = ImageProcesser::Get_Processed_Image(source, s);
    EXPECT_EQ(out.image(), ImageProcesser::Sepia(ImageProcesser::GrayScale(source)).image());
    EXPECT_NE(out.image(), ImageProcesser::GrayScale(ImageProcesser::Sepia(source)).image());
}

TEST(ImageProcesserChain, RotationSizes)
{
    struct Case { float field; QSizeF in; QSizeF out; };
    const Case cases[] = {
        {450, {100, 60}, {60, 100}},
        {90, {1000, 300}, {300, 724}},   // capped first, then turned
        {-180, {100, 60}, {100, 60}},
        {45, {100, 60}, {120, 120}},
        {89.9f, {100, 60}, {120, 120}},  // truncated to 89: not a quarter turn
        {-89.9f, {100, 60}, {120, 120}},
        {360.7f, {100, 60}, {100, 60}},  // 360: no turn
    };
    for (const Case& c : cases) {
        const Picture source(TestPictures::solid(10, 6, qRgb(9, 99, 199)), c.in);
        ImageAdjustments s;
        s.rotate = ImageAdjustments::truncatedRotation(c.field);
        const Picture out = ImageProcesser::Get_Processed_Image(source, s);
        EXPECT_EQ(out.size(), c.out) << c.field;
    }
}

TEST(ImageProcesserChain, RotationFieldIsTruncatedTowardZero)
{
    struct Case { float field; int degrees; };
    const Case cases[] = {
        {89.9f, 89}, {-89.9f, -89}, {0.99f, 0}, {-0.99f, 0}, {450, 450}, {-720.5f, -720},
        {std::numeric_limits<float>::quiet_NaN(), 0}, {std::numeric_limits<float>::infinity(), 0},
        {3.6e12f, int(std::fmod(double(3.6e12f), 360.0))},   // beyond int: reduced first
    };
    for (const Case& c : cases)
        EXPECT_EQ(ImageAdjustments::truncatedRotation(c.field), c.degrees) << c.field;
}

TEST(ImageProcesserChain, AFailingStepIsReportedAndTheChainGoesOn)
{
    const Picture source = solidPicture(4, 4, qRgb(255, 0, 0));
    ImageAdjustments s;
    s.invert_clr = true;
    s.hue_val = std::numeric_limits<float>::quiet_NaN();
    s.ev_val = std::numeric_limits<float>::infinity();
    ImageProcesser::Failures failures;
    const Picture out = ImageProcesser::Get_Processed_Image(source, s, &failures);
    ASSERT_FALSE(out.isNull());
    EXPECT_EQ(out.image().pixel(1, 1), qRgb(0, 255, 255));   // inverted, hue and exposure skipped
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_EQ(failures[0].step, QStringLiteral("adjust_Hue"));
    EXPECT_EQ(failures[1].step, QStringLiteral("adjust_EV"));
}

TEST(ImageProcesserChain, NoPictureGivesNoPicture)
{
    ImageProcesser::Failures failures;
    EXPECT_TRUE(ImageProcesser::Get_Processed_Image(Picture(), everything(), &failures).isNull());
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].step, QStringLiteral("Get_Processed_Image"));
    // Without a list to report to, nothing breaks either.
    EXPECT_TRUE(ImageProcesser::Get_Processed_Image(Picture(), everything()).isNull());
    EXPECT_TRUE(ImageProcesser::GrayScale(Picture()).isNull());
}

TEST(ImageProcesserChain, TransparentPixelsStayTransparentThroughTheColourSteps)
{
    ImageAdjustments s = everything();
    s.srp_val = 0;
    s.blr_val = 0;
    s.rotate = 180;
    s.gray_Scale = true;
    const Picture out = ImageProcesser::Get_Processed_Image(detailed(), s);
    // The transparent top-left pixel is now bottom-right; the half
    // transparent squares keep their alpha.
    EXPECT_EQ(qAlpha(out.image().pixel(29, 19)), 0);
    EXPECT_EQ(qAlpha(out.image().pixel(29 - 5, 19)), 200);
    EXPECT_EQ(qAlpha(out.image().pixel(29 - 7, 19 - 7)), 255);
}

TEST(ImageProcesserChain, SettingsCompareAsACacheKey)
{
    const ImageAdjustments base;
    EXPECT_EQ(base, ImageAdjustments());
    std::vector<ImageAdjustments> changed(11, base);
    changed[0].gray_Scale = true;
    changed[1].Sepia = true;
    changed[2].invert_clr = true;
    changed[3].hue_val = 0.1f;
    changed[4].sat_val = 0.9f;
    changed[5].brt_val = 0.1f;
    changed[6].con_val = 1.1f;
    changed[7].srp_val = 0.1f;
    changed[8].ev_val = 0.1f;
    changed[9].blr_val = 0.1f;
    changed[10].rotate = 1;
    for (std::size_t i = 0; i < changed.size(); ++i)
        EXPECT_FALSE(changed[i] == base) << "field " << i;

    ImageAdjustments a, b;
    a.hue_val = b.hue_val = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(a, b);
}

TEST(ImageProcesserChain, ThreadsGetTheSameResultAsOneThread)
{
    const Picture source = detailed();
    ImageAdjustments s = everything();
    s.rotate = 33;
    const QImage expected = ImageProcesser::Get_Processed_Image(source, s).image();
    std::vector<QImage> results(4);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < results.size(); ++i)
        threads.emplace_back([&, i] { results[i] = ImageProcesser::Get_Processed_Image(source, s).image(); });
    for (auto& t : threads)
        t.join();
    for (const QImage& r : results)
        EXPECT_EQ(r, expected);
}
