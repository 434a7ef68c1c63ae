#include "platform/LinearLight.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(LinearLight, EveryCodeSurvivesTheRoundTrip)
{
    for (int c = 0; c < 256; ++c)
        ASSERT_EQ(LinearLight::encode(LinearLight::decode(std::uint8_t(c))), c) << "code " << c;
}

TEST(LinearLight, DecodesWithTheSrgbCurve)
{
    struct Case { int code; double linear; };
    const Case cases[] = {
        {0, 0.0}, {10, 0.0030353}, {64, 0.0512695}, {128, 0.2158605}, {188, 0.5028865}, {255, 1.0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(LinearLight::decode(std::uint8_t(c.code)), c.linear, 1e-6) << "code " << c.code;
}

TEST(LinearLight, EncodeClampsAndRoundsToTheNearestCode)
{
    EXPECT_EQ(LinearLight::encode(-0.5f), 0);
    EXPECT_EQ(LinearLight::encode(7.0f), 255);
    EXPECT_EQ(LinearLight::encode(std::numeric_limits<float>::infinity()), 255);
    EXPECT_EQ(LinearLight::encode(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(LinearLight::encode(0.5f), 188);
    // Monotonic, and each result is the code nearest in encoded terms.
    int previous = 0;
    for (int i = 0; i <= 1000; ++i) {
        const double l = i / 1000.0;
        const int code = LinearLight::encode(float(l));
        EXPECT_GE(code, previous);
        EXPECT_LE(std::fabs(code - LinearLight::toEncoded(l) * 255.0), 0.5 + 1e-3) << l;
        previous = code;
    }
}
