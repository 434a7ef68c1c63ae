#include "app/UnitConversions.h"

#include <gtest/gtest.h>

TEST(UnitConversions, ComputedInDoubleReturnedInSingle)
{
    struct Case {
        float in;
        double factor;
        float (*convert)(float);
    } cases[] = {
        {85.6f, 2.834645669291, MM_to_Points_Convert},
        {53.98f, 2.834645669291, MM_to_Points_Convert},
        {0.1f, 2.834645669291, MM_to_Points_Convert},
        {-12.5f, 2.834645669291, MM_to_Points_Convert},
        {72.0f, 0.3527777777778, Points_to_MM_Convert},
        {243.0f, 0.3527777777778, Points_to_MM_Convert},
        {0.3f, 0.3527777777778, Points_to_MM_Convert},
        {0.0f, 0.3527777777778, Points_to_MM_Convert},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.convert(c.in), static_cast<float>(static_cast<double>(c.in) * c.factor)) << c.in;
}

TEST(UnitConversions, CardSizes)
{
    EXPECT_NEAR(MM_to_Points_Convert(85.6f), 242.65, 0.005);
    EXPECT_EQ(Points_to_MM_Convert(72.0f), 25.4f);
    EXPECT_NEAR(Points_to_MM_Convert(MM_to_Points_Convert(54.0f)), 54.0, 1e-5);
}
