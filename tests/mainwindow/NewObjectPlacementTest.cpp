#include "mainwindow/NewObjectPlacement.h"

#include <QList>
#include <gtest/gtest.h>

namespace {

struct Step {
    double lastX, lastY;
    int count;
    QSizeF card;
    QPointF expected;
};

class PlacementStep : public ::testing::TestWithParam<Step> {};

TEST_P(PlacementStep, GivesThePlaceAndRemembersIt)
{
    const Step s = GetParam();
    double x = s.lastX;
    double y = s.lastY;
    const QPointF p = NewObjectPlacement::next(x, y, s.count, s.card);
    EXPECT_EQ(p, s.expected);
    EXPECT_EQ(x, s.expected.x());
    EXPECT_EQ(y, s.expected.y());
}

const QSizeF kCard(243, 154);

INSTANTIATE_TEST_SUITE_P(
    Steps, PlacementStep,
    ::testing::Values(
        // the step is at least 20
        Step {10, 10, 0, kCard, {30, 30}},
        Step {30, 30, 1, kCard, {50, 50}},
        Step {10, 10, 19, kCard, {30, 30}},
        // from 20 objects on, the count is the step
        Step {10, 10, 25, kCard, {35, 35}},
        // y reaches the margin first (90 + 20 + 50 >= 154) and starts again alone
        Step {90, 90, 3, kCard, {110, 10}},
        // exactly at the margin counts: 173 + 20 + 50 = 243
        Step {173, 10, 0, kCard, {10, 30}},
        Step {172, 10, 0, kCard, {192, 30}},
        // beyond the edge altogether
        Step {300, 300, 0, kCard, {10, 10}},
        // both at once go back to 10, not 10 + step
        Step {200, 140, 30, kCard, {10, 10}},
        // a card smaller than the margin always gives the start
        Step {10, 10, 0, QSizeF(40, 40), {10, 10}},
        // single precision: 10.1 + 20 is the float sum
        Step {10.1, 10.1, 0, kCard, {double(10.1f + 20.0f), double(10.1f + 20.0f)}}));

TEST(NewObjectPlacement, SequenceOnOneSideWrapsEachAxisOnItsOwn)
{
    double x = 10;
    double y = 10;
    QList<QPointF> places;
    for (int count = 0; count < 10; ++count)
        places.append(NewObjectPlacement::next(x, y, count, kCard));
    const QList<QPointF> expected {{30, 30},  {50, 50},  {70, 70},  {90, 90},  {110, 10},
                                   {130, 30}, {150, 50}, {170, 70}, {190, 90}, {10, 10}};
    EXPECT_EQ(places, expected);
}

TEST(NewObjectPlacement, CountsAboveTwentyWidenTheStep)
{
    double x = 10;
    double y = 10;
    EXPECT_EQ(NewObjectPlacement::next(x, y, 40, QSizeF(1000, 1000)), QPointF(50, 50));
    EXPECT_EQ(NewObjectPlacement::next(x, y, 41, QSizeF(1000, 1000)), QPointF(91, 91));
}

}
