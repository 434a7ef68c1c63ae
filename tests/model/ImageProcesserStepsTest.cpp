#include "model/ImageProcesser.h"

#include "common/TestPictures.h"
#include "platform/LinearLight.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <numbers>

namespace {

using TestPictures::solidPicture;
using Step = std::function<Picture(const Picture&, ImageProcesser::Failures*)>;

const float third = float(2 * std::numbers::pi / 3);

struct NamedStep
{
    const char* name;
    Step run;
};

// Every step with a setting that changes the picture.
const std::vector<NamedStep>& changingSteps()
{
    static const std::vector<NamedStep> steps = {
        {"GrayScale", [](const Picture& p, auto* f) { return ImageProcesser::GrayScale(p, f); }},
        {"Sepia", [](const Picture& p, auto* f) { return ImageProcesser::Sepia(p, f); }},
        {"Invert_Color", [](const Picture& p, auto* f) { return ImageProcesser::Invert_Color(p, f); }},
        {"adjust_Hue", [](const Picture& p, auto* f) { return ImageProcesser::adjust_Hue(p, 1.0f, f); }},
        {"adjust_Color_Control",
         [](const Picture& p, auto* f) { return ImageProcesser::adjust_Color_Control(p, 1.5f, 0.1f, 1.2f, f); }},
        {"adjust_Sharpness", [](const Picture& p, auto* f) { return ImageProcesser::adjust_Sharpness(p, 0.8f, f); }},
        {"adjust_boxBlur", [](const Picture& p, auto* f) { return ImageProcesser::adjust_boxBlur(p, 2.0f, f); }},
        {"adjust_EV", [](const Picture& p, auto* f) { return ImageProcesser::adjust_EV(p, 0.7f, f); }},
    };
    return steps;
}

QRgb onlyColour(const Picture& p)
{
    return p.image().pixel(0, 0);
}

}

TEST(ImageProcesserSteps, ColourStepsGiveTheirColours)
{
    struct Case { const char* what; Step step; QRgb in; QRgb out; };
    using IP = ImageProcesser;
    const Case cases[] = {
        // Grey scale: Rec. 709 luminance in linear light.
        {"grey of red", [](auto& p, auto* f) { return IP::GrayScale(p, f); }, qRgb(255, 0, 0), qRgb(127, 127, 127)},
        {"grey of green", [](auto& p, auto* f) { return IP::GrayScale(p, f); }, qRgb(0, 255, 0), qRgb(220, 220, 220)},
        {"grey of blue", [](auto& p, auto* f) { return IP::GrayScale(p, f); }, qRgb(0, 0, 255), qRgb(76, 76, 76)},
        {"grey of white", [](auto& p, auto* f) { return IP::GrayScale(p, f); }, qRgb(255, 255, 255), qRgb(255, 255, 255)},
        // Sepia: warm tones, white slightly yellow.
        {"sepia of white", [](auto& p, auto* f) { return IP::Sepia(p, f); }, qRgb(255, 255, 255), qRgb(255, 255, 248)},
        {"sepia of grey", [](auto& p, auto* f) { return IP::Sepia(p, f); }, qRgb(128, 128, 128), qRgb(147, 139, 124)},
        {"sepia of black", [](auto& p, auto* f) { return IP::Sepia(p, f); }, qRgb(0, 0, 0), qRgb(0, 0, 0)},
        // Invert in linear light: mid grey of the encoded scale turns light.
        {"invert red", [](auto& p, auto* f) { return IP::Invert_Color(p, f); }, qRgb(255, 0, 0), qRgb(0, 255, 255)},
        {"invert white", [](auto& p, auto* f) { return IP::Invert_Color(p, f); }, qRgb(255, 255, 255), qRgb(0, 0, 0)},
        {"invert grey", [](auto& p, auto* f) { return IP::Invert_Color(p, f); }, qRgb(128, 128, 128), qRgb(229, 229, 229)},
        // Hue in radians.
        {"hue red to green", [](auto& p, auto* f) { return IP::adjust_Hue(p, third, f); }, qRgb(255, 0, 0), qRgb(0, 255, 0)},
        {"hue green to blue", [](auto& p, auto* f) { return IP::adjust_Hue(p, third, f); }, qRgb(0, 255, 0), qRgb(0, 0, 255)},
        {"hue keeps grey", [](auto& p, auto* f) { return IP::adjust_Hue(p, 2.0f, f); }, qRgb(90, 90, 90), qRgb(90, 90, 90)},
        // Saturation, brightness, contrast.
        {"saturation 0", [](auto& p, auto* f) { return IP::adjust_Color_Control(p, 0, 0, 1, f); }, qRgb(255, 0, 0), qRgb(127, 127, 127)},
        {"saturation 2", [](auto& p, auto* f) { return IP::adjust_Color_Control(p, 2, 0, 1, f); }, qRgb(128, 64, 64), qRgb(159, 34, 34)},
        {"brighter", [](auto& p, auto* f) { return IP::adjust_Color_Control(p, 1, 0.5f, 1, f); }, qRgb(0, 0, 0), qRgb(188, 188, 188)},
        {"darker", [](auto& p, auto* f) { return IP::adjust_Color_Control(p, 1, -0.5f, 1, f); }, qRgb(188, 188, 188), qRgb(10, 10, 10)},
        {"contrast 0", [](auto& p, auto* f) { return IP::adjust_Color_Control(p, 1, 0, 0, f); }, qRgb(255, 10, 0), qRgb(188, 188, 188)},
        {"contrast keeps middle", [](auto& p, auto* f) { return IP::adjust_Color_Control(p, 1, 0, 3, f); }, qRgb(188, 188, 188), qRgb(188, 188, 188)},
        {"contrast spreads", [](auto& p, auto* f) { return IP::adjust_Color_Control(p, 1, 0, 2, f); }, qRgb(200, 170, 10), qRgb(212, 150, 0)},
        {"brightness before contrast", [](auto& p, auto* f) { return IP::adjust_Color_Control(p, 1, 0.1f, 2, f); }, qRgb(188, 188, 188), qRgb(219, 219, 219)},
        // Exposure doubles or halves linear light per stop.
        {"one stop up", [](auto& p, auto* f) { return IP::adjust_EV(p, 1, f); }, qRgb(64, 64, 64), qRgb(90, 90, 90)},
        {"one stop down", [](auto& p, auto* f) { return IP::adjust_EV(p, -1, f); }, qRgb(64, 64, 64), qRgb(44, 44, 44)},
        {"white stays white", [](auto& p, auto* f) { return IP::adjust_EV(p, 3, f); }, qRgb(255, 255, 255), qRgb(255, 255, 255)},
        {"black stays black", [](auto& p, auto* f) { return IP::adjust_EV(p, 5, f); }, qRgb(0, 0, 0), qRgb(0, 0, 0)},
    };
    for (const Case& c : cases) {
        ImageProcesser::Failures failures;
        const Picture out = c.step(solidPicture(2, 2, c.in), &failures);
        EXPECT_LE(TestPictures::channelDistance(onlyColour(out), c.out), 1)
            << c.what << ": got " << std::hex << onlyColour(out);
        EXPECT_TRUE(failures.empty()) << c.what;
    }
}

TEST(ImageProcesserSteps, IdentitySettingsReturnTheSamePixels)
{
    const Picture picture = solidPicture(5, 4, qRgba(10, 200, 30, 180));
    const uchar* bits = picture.image().constBits();
    const Picture results[] = {
        ImageProcesser::adjust_Hue(picture, 0),
        ImageProcesser::adjust_Color_Control(picture, 1, 0, 1),
        ImageProcesser::adjust_Sharpness(picture, 0),
        ImageProcesser::adjust_boxBlur(picture, 0),
        ImageProcesser::adjust_boxBlur(picture, -3),
        ImageProcesser::adjust_EV(picture, 0),
    };
    for (const Picture& p : results) {
        EXPECT_EQ(p.image().constBits(), bits);
        EXPECT_EQ(p.size(), picture.size());
    }
}

TEST(ImageProcesserSteps, EveryStepKeepsAlphaAndTransparency)
{
    for (const NamedStep& step : changingSteps()) {
        for (int alpha : {255, 128, 1, 0}) {
            const Picture out = step.run(solidPicture(6, 6, qRgba(200, 100, 50, alpha)), nullptr);
            const QImage image = out.image();
            ASSERT_EQ(image.size(), QSize(6, 6)) << step.name;
            for (int y = 0; y < 6; ++y)
                for (int x = 0; x < 6; ++x)
                    ASSERT_EQ(qAlpha(image.pixel(x, y)), alpha) << step.name << " alpha " << alpha;
        }
    }
}

TEST(ImageProcesserSteps, EveryStepChangesPixelsButNotTheSizeInPoints)
{
    // 12 x 8 pixels shown at 6 x 4 points.
    QImage image = TestPictures::solid(12, 8, qRgb(180, 90, 40));
    for (int x = 0; x < 6; ++x)
        image.setPixel(x, 3, qRgb(20, 40, 220));
    const Picture picture(image, QSizeF(6, 4));
    for (const NamedStep& step : changingSteps()) {
        ImageProcesser::Failures failures;
        const Picture out = step.run(picture, &failures);
        EXPECT_EQ(out.size(), QSizeF(6, 4)) << step.name;
        EXPECT_EQ(out.image().size(), QSize(12, 8)) << step.name;
        EXPECT_NE(out.image(), picture.image().convertToFormat(QImage::Format_ARGB32)) << step.name;
        EXPECT_TRUE(failures.empty()) << step.name;
        EXPECT_EQ(picture.image(), image) << step.name << " changed its input";
    }
}

TEST(ImageProcesserSteps, ValuesThatAreNotNumbersFailTheStepAndPassTheInputOn)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case { const char* name; Step step; };
    using IP = ImageProcesser;
    const Case cases[] = {
        {"adjust_Hue", [&](auto& p, auto* f) { return IP::adjust_Hue(p, nan, f); }},
        {"adjust_Hue", [&](auto& p, auto* f) { return IP::adjust_Hue(p, -inf, f); }},
        {"adjust_Color_Control", [&](auto& p, auto* f) { return IP::adjust_Color_Control(p, nan, 0, 1, f); }},
        {"adjust_Color_Control", [&](auto& p, auto* f) { return IP::adjust_Color_Control(p, 1, inf, 1, f); }},
        {"adjust_Color_Control", [&](auto& p, auto* f) { return IP::adjust_Color_Control(p, 1, 0, nan, f); }},
        {"adjust_Sharpness", [&](auto& p, auto* f) { return IP::adjust_Sharpness(p, nan, f); }},
        {"adjust_boxBlur", [&](auto& p, auto* f) { return IP::adjust_boxBlur(p, nan, f); }},
        {"adjust_boxBlur", [&](auto& p, auto* f) { return IP::adjust_boxBlur(p, inf, f); }},
        {"adjust_EV", [&](auto& p, auto* f) { return IP::adjust_EV(p, inf, f); }},
    };
    const Picture picture = solidPicture(3, 3, qRgb(1, 2, 3));
    for (const Case& c : cases) {
        ImageProcesser::Failures failures;
        const Picture out = c.step(picture, &failures);
        EXPECT_EQ(out.image().constBits(), picture.image().constBits()) << c.name;
        ASSERT_EQ(failures.size(), 1u) << c.name;
        EXPECT_EQ(failures[0].step, QString::fromLatin1(c.name));
        EXPECT_FALSE(failures[0].reason.isEmpty());
    }
}

TEST(ImageProcesserSteps, HugeFiniteValuesSaturateWithoutFailing)
{
    const Picture picture = solidPicture(3, 3, qRgb(100, 150, 200));
    ImageProcesser::Failures failures;
    EXPECT_EQ(onlyColour(ImageProcesser::adjust_EV(picture, 1e30f, &failures)), qRgb(255, 255, 255));
    EXPECT_EQ(onlyColour(ImageProcesser::adjust_EV(picture, -1e30f, &failures)), qRgb(0, 0, 0));
    // Below the middle of linear light goes black, above it white.
    EXPECT_EQ(onlyColour(ImageProcesser::adjust_Color_Control(picture, 1, 0, 1e30f, &failures)),
              qRgb(0, 0, 255));
    EXPECT_EQ(onlyColour(ImageProcesser::adjust_boxBlur(picture, 1e30f, &failures)), qRgb(100, 150, 200));
    const Picture sharp = ImageProcesser::adjust_Sharpness(picture, 1e30f, &failures);
    EXPECT_EQ(onlyColour(sharp), qRgb(100, 150, 200));   // flat: no detail to raise
    const Picture hue = ImageProcesser::adjust_Hue(picture, 1e30f, &failures);
    EXPECT_EQ(qAlpha(onlyColour(hue)), 255);
    EXPECT_TRUE(failures.empty());
}
