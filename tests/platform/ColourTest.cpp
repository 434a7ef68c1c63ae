#include "platform/Colour.h"

#include <gtest/gtest.h>

TEST(Colour, AlphaIsReplacedAndClamped)
{
    const Colour c = Colour::rgb(0.2, 0.4, 0.6, 0.5);
    EXPECT_DOUBLE_EQ(c.withAlpha(0.3).alpha(), 0.3);
    EXPECT_DOUBLE_EQ(c.withAlpha(0.3).withAlpha(0.3).alpha(), 0.3);
    EXPECT_DOUBLE_EQ(c.withAlpha(100).alpha(), 1.0);
    EXPECT_DOUBLE_EQ(c.withAlpha(-2).alpha(), 0.0);
    EXPECT_EQ(c.withAlpha(0.1).space(), Colour::Space::DeviceRGB);
    EXPECT_DOUBLE_EQ(c.withAlpha(0.1).component(1), 0.4);
}

TEST(Colour, SpacesConvertForDrawing)
{
    EXPECT_EQ(Colour::white().toQColor(), QColor(255, 255, 255));
    EXPECT_EQ(Colour::black().toQColor(), QColor(0, 0, 0));
    EXPECT_EQ(Colour::white().componentCount(), 1);
    EXPECT_EQ(Colour::cmyk(0, 0, 0, 1).toQColor().rgb(), QColor(0, 0, 0).rgb());
    EXPECT_FALSE(Colour().isValid());
    EXPECT_FALSE(Colour().toQColor().isValid());
}
