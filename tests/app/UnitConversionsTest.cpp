#include "app/UnitConversions.h"

#include <gtest/gtest.h>

// A point is 1/72 inch and an inch 25.4 mm; the expected values are known
// sizes, not the conversion redone.
TEST(UnitConversions, KnownLengths)
{
    const struct {
        float mm;
        double points;
        double tolerance;
    } cases[] = {
        {25.4f, 72.0, 1e-5},        // one inch
        {12.7f, 36.0, 1e-5},        // half an inch
        {215.9f, 612.0, 1e-4},      // letter width, 8.5 in
        {279.4f, 792.0, 1e-4},      // letter height, 11 in
        {-25.4f, -72.0, 1e-5},      // signed offsets keep their sign
        {0.0f, 0.0, 0.0},
        {85.6f, 242.65, 0.005},     // ID-1 card width
        {53.98f, 153.01, 0.005},    // ID-1 card height
        {210.0f, 595.28, 0.005},    // A4 width
        {297.0f, 841.89, 0.005},    // A4 height
        {1.0f, 2.8346, 0.00005},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mm);
        EXPECT_NEAR(MM_to_Points_Convert(c.mm), c.points, c.tolerance);
        EXPECT_NEAR(Points_to_MM_Convert(float(c.points)), c.mm, c.tolerance);
    }
    EXPECT_NEAR(Points_to_MM_Convert(1.0f), 0.35278, 0.000005);
}

TEST(UnitConversions, RoundTripKeepsTheLength)
{
    for (float mm : {0.1f, 3.0f, 54.0f, 85.6f, 297.0f, 1000.0f})
        EXPECT_NEAR(Points_to_MM_Convert(MM_to_Points_Convert(mm)), mm, mm * 1e-6) << mm;
}
