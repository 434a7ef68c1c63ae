// The canvas ruler's scale: millimetres from the card's origin at every
// zoom factor, labels that do not crowd and small ticks that stay apart.

#include "canvas/RulerScale.h"
#include "canvas/ZoomFactors.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(RulerScale, TicksLieOnTheirCardPointsAndStayApartAtEveryZoom)
{
    // millimetres between labels and parts between them, 10 % to 1600 %
    const std::pair<double, int> rows[ZoomFactors::count] = {{100, 5}, {50, 5}, {20, 4}, {20, 10}, {10, 5}, {10, 5},
                                                              {10, 10}, {5, 5},  {5, 10}, {2, 10},  {1, 10}};
    for (int row = 0; row < ZoomFactors::count; ++row) {
        const double f = ZoomFactors::factor(row);
        SCOPED_TRACE(ZoomFactors::label(row).toStdString());
        const RulerScale scale(f, 37.5);
        EXPECT_EQ(std::make_pair(scale.labelStep(), scale.divisions()), rows[row]);
        // the card and some desk on either side
        const auto ticks = scale.ticks(37.5 - 200, 37.5 + 243 * f + 200);
        ASSERT_GT(ticks.size(), 3u);
        double lastLabel = -1e9;
        int zeros = 0;
        for (size_t i = 0; i < ticks.size(); ++i) {
            const RulerTick& t = ticks[i];
            EXPECT_NEAR(t.pixel, 37.5 + t.millimetres * 72.0 / 25.4 * f, 1e-9);
            EXPECT_GE(t.pixel - (i > 0 ? ticks[i - 1].pixel : -1e9), RulerScale::minimumTickSpacing - 1e-9);
            const double steps = t.millimetres / scale.labelStep();
            EXPECT_EQ(t.level == 0, std::abs(steps - std::round(steps)) < 1e-9) << t.millimetres;
            if (t.level == 0) {
                EXPECT_GE(t.pixel - lastLabel, RulerScale::minimumLabelSpacing);
                lastLabel = t.pixel;
                zeros += scale.label(t) == QStringLiteral("0") && t.pixel == 37.5;
            }
        }
        EXPECT_EQ(zeros, 1);
    }
}

TEST(RulerScale, LabelsAndDegenerateScales)
{
    const RulerScale scale(1.0, 100.0);
    const auto ticks = scale.ticks(scale.pixelForPoint(-10 * 72 / 25.4), scale.pixelForPoint(4 * 72 / 25.4));
    ASSERT_EQ(ticks.size(), 8u);   // every 2 mm, both ends included
    EXPECT_EQ(scale.label(ticks.front()), QStringLiteral("-10"));
    EXPECT_EQ(ticks[1].level, 2);
    EXPECT_EQ(RulerScale(4.0, 0).ticks(28.3, 28.4)[0].level, 1);   // 2.5 mm, half of 5
    // labels less than a millimetre apart carry tenths
    const RulerScale close(40.0, 0.0);
    EXPECT_EQ(close.label(close.ticks(close.pixelForPoint(0.5 * 72 / 25.4), 100)[0]), QStringLiteral("0.5"));
    // no zoom, no ticks; an absurd range gives none instead of running away
    for (const double bad : {0.0, -2.0, std::nan("")})
        EXPECT_TRUE(RulerScale(bad, 0.0).ticks(-1000, 1000).empty());
    EXPECT_TRUE(RulerScale(16.0, 0.0).ticks(-1e15, 1e15).empty());
}

TEST(RulerScale, EveryLabelShowsTheValueOfItsOwnTickAndFitsWhole)
{
    // six pixels a character, as a small ruler font gives
    const auto advance = [](const QString& text) { return 6.0 * double(text.size()); };
    constexpr double gap = 2.0;
    constexpr double length = 740.0;
    // card origins: far left (mostly negative values), just left of the
    // ruler, on it, towards its far end
    const double origins[] = {-1234.5, -300.0, -37.25, -3.0, 0.0, 15.0, 480.5};
    for (int row = 0; row < ZoomFactors::count; ++row) {
        const double f = ZoomFactors::factor(row);
        for (const double origin : origins) {
            SCOPED_TRACE(ZoomFactors::label(row).toStdString() + " from " + std::to_string(origin));
            const RulerScale scale(f, origin);
            const auto labels = scale.labels(length, gap, advance);
            ASSERT_FALSE(labels.empty());
            size_t wholeLabels = 0;
            for (const RulerTick& t : scale.ticks(0, length)) {
                const double start = std::floor(t.pixel) + gap;
                wholeLabels += t.level == 0 && start >= 0 && start + advance(scale.label(t)) <= length;
            }
            EXPECT_EQ(labels.size(), wholeLabels);
            for (const RulerLabel& l : labels) {
                EXPECT_GE(l.from, 0.0);
                EXPECT_LE(l.to, length);
                EXPECT_DOUBLE_EQ(l.to - l.from, advance(l.text));
                // the value at the label's own place: the tick drawn just
                // before the text, read back through the scale
                const double millimetres = scale.pointForPixel(l.from - gap) * RulerScale::millimetresPerPoint;
                const double pixelInMillimetres = RulerScale::millimetresPerPoint / f;
                EXPECT_NEAR(l.text.toDouble(), millimetres, pixelInMillimetres + 1e-9) << l.text.toStdString();
            }
        }
    }
}
