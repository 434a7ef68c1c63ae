#include "app/UnitConversions.h"
#include "mainwindow/CardSizePresets.h"

#include <gtest/gtest.h>

namespace {

struct Preset {
    const char* category;
    const char* orientation;
    int index;
    float width, height;   // millimetres
};

class PresetSize : public ::testing::TestWithParam<Preset> {};

TEST_P(PresetSize, MatchesTheTable)
{
    const Preset p = GetParam();
    const QSizeF size = CardSizePresets::Get_My_card_Size(QString::fromLatin1(p.category),
                                                          QString::fromLatin1(p.orientation), p.index);
    EXPECT_FLOAT_EQ(float(size.width()), p.width);
    EXPECT_FLOAT_EQ(float(size.height()), p.height);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PresetSize,
    ::testing::Values(Preset {"PVC Card", "H", 0, 85.598f, 54.102f}, Preset {"PVC Card", "V", 0, 54.102f, 85.598f},
                      Preset {"PVC Card", "H", 1, 84.074f, 52.324f}, Preset {"PVC Card", "H", 2, 91.948f, 60.452f},
                      Preset {"PVC Card", "H", 3, 98.552f, 66.548f}, Preset {"PVC Card", "H", 4, 88.9f, 44.45f},
                      Preset {"PVC Card", "H", 5, 82.55f, 59.436f}, Preset {"PVC Card", "H", 6, 73.152f, 53.848f},
                      Preset {"Paper Badge", "H", 0, 59.944f, 40.132f},
                      Preset {"Paper Badge", "H", 1, 74.93f, 40.132f},
                      Preset {"Paper Badge", "H", 2, 74.93f, 40.132f},
                      Preset {"Paper Badge", "H", 3, 89.916f, 54.102f},
                      Preset {"Paper Badge", "H", 4, 89.916f, 59.944f},
                      // listed portrait first: "H" keeps the listed order
                      Preset {"anything", "H", 5, 59.944f, 89.916f},
                      Preset {"Paper Badge", "V", 5, 89.916f, 59.944f},
                      Preset {"Paper Badge", "H", 6, 100.076f, 103.886f},
                      Preset {"", "H", 7, 150.114f, 125.984f},
                      // any orientation but "V" is as listed
                      Preset {"PVC Card", "Horizontal", 0, 85.598f, 54.102f},
                      // no preset chosen, and rows beyond the category's list
                      Preset {"PVC Card", "H", -1, 30, 30}, Preset {"Paper Badge", "V", -1, 30, 30},
                      Preset {"PVC Card", "H", 7, 30, 30}, Preset {"Paper Badge", "H", 8, 30, 30},
                      Preset {"PVC Card", "H", -5, 30, 30}));

TEST(CardSizePresets, CategoryIsMatchedExactly)
{
    EXPECT_EQ(CardSizePresets::namesForCategory("PVC Card").size(), 7);
    EXPECT_EQ(CardSizePresets::namesForCategory("pvc card").size(), 8);
    EXPECT_EQ(CardSizePresets::pvcCardNames().first(), "CR80-Credit Card Size");
    EXPECT_EQ(CardSizePresets::pvcCardNames().last(), "CR70");
    EXPECT_EQ(CardSizePresets::paperCardNames().first(), "Durable 1452 - Name Badge");
    EXPECT_EQ(CardSizePresets::paperCardNames().last(), "Durable 1459 - Name Badge");
}

TEST(CardSizePresets, MillimetresToPointsAndBack)
{
    // The credit card width applied to the canvases, in single precision.
    EXPECT_NEAR(MM_to_Points_Convert(85.598f), 242.64, 1e-3);
    EXPECT_EQ(MM_to_Points_Convert(85.598f), static_cast<float>(double(85.598f) * 2.834645669291));
    EXPECT_FLOAT_EQ(MM_to_Points_Convert(25.4f), 72.0f);
    EXPECT_FLOAT_EQ(Points_to_MM_Convert(72.0f), 25.4f);
    EXPECT_FLOAT_EQ(Points_to_MM_Convert(MM_to_Points_Convert(54.102f)), 54.102f);
    EXPECT_FLOAT_EQ(MM_to_Points_Convert(30.0f), 85.03937f);
}

}
