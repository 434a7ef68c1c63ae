// The line object: direction flags, dragging an end past the other, hit
// testing, what observers and undo hear, copies and dashed drawing.

#include "model/SKTLine.h"
#include "PixelProbe.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

std::shared_ptr<SKTLine> lineFrom(QPointF begin, QPointF end, double strokeWidth = 1.0)
{
    auto line = std::make_shared<SKTLine>();
    line->_strokeWidth = strokeWidth;
    bool right = false, down = false;
    line->_bounds = SKTLine::boundsWithBeginPoint(begin, end, &right, &down);
    line->setDirection(right, down);
    return line;
}

} // namespace

TEST(SKTLine, BoundsAndDirectionFromTwoPoints)
{
    const struct {
        QPointF begin, end;
        QRectF bounds;
        bool right, down;
    } cases[] = {
        {{10, 50}, {60, 20}, {10, 20, 50, 30}, true, false},
        {{60, 20}, {10, 50}, {10, 20, 50, 30}, false, true},
        {{60, 50}, {10, 20}, {10, 20, 50, 30}, false, false},
        {{5, 5}, {5, 5}, {5, 5, 0, 0}, false, false},   // equal coordinates give NO
        {{5, 5}, {5, 40}, {5, 5, 0, 35}, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.begin.x() << "," << c.begin.y() << " -> " << c.end.x() << ","
                                        << c.end.y());
        bool right = !c.right, down = !c.down;
        EXPECT_EQ(SKTLine::boundsWithBeginPoint(c.begin, c.end, &right, &down), c.bounds);
        EXPECT_EQ(right, c.right);
        EXPECT_EQ(down, c.down);
        const auto line = lineFrom(c.begin, c.end);
        EXPECT_EQ(line->beginPoint(), c.begin);
        EXPECT_EQ(line->endPoint(), c.end);
    }
    // Given only a rectangle, a line runs from lower right to upper left.
    SKTLine plain;
    plain.setBounds(QRectF(10, 20, 30, 40));
    EXPECT_EQ(plain.beginPoint(), QPointF(40, 60));
    EXPECT_EQ(plain.endPoint(), QPointF(10, 20));
}

TEST(SKTLine, DraggingAnEndPastTheOtherKeepsTheHandleOnItsEnd)
{
    const struct {
        int handle;
        QPointF to, begin, end;
        bool right, down;
    } cases[] = {
        // line (10, 50) -> (60, 20)
        {1, {80, 10}, {80, 10}, {60, 20}, false, true},   // begin past the end
        {1, {20, 40}, {20, 40}, {60, 20}, true, false},
        {2, {0, 70}, {10, 50}, {0, 70}, false, true},     // end past the begin
        {2, {10, 50}, {10, 50}, {10, 50}, false, false},  // end onto the begin
        {5, {0, 0}, {10, 50}, {60, 20}, true, false},     // no such handle
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "handle " << c.handle << " to " << c.to.x() << "," << c.to.y());
        const auto line = lineFrom({10, 50}, {60, 20});
        EXPECT_EQ(line->resizeByMovingHandle(c.handle, c.to), c.handle);
        EXPECT_EQ(line->beginPoint(), c.begin);
        EXPECT_EQ(line->endPoint(), c.end);
        EXPECT_EQ(line->pointsRight(), c.right);
        EXPECT_EQ(line->pointsDown(), c.down);
    }
    // Creation drags the end handle away from a zero-size line.
    for (const QPointF& to : {QPointF(90, 80), QPointF(10, 80), QPointF(10, 10)}) {
        SKTLine line;
        line.setBounds(QRectF(50, 50, 0, 0));
        const int handle = line.resizeByMovingHandle(SKTLine::creationSizingHandle(), {70, 70});
        line.resizeByMovingHandle(handle, to);
        EXPECT_EQ(line.beginPoint(), QPointF(50, 50));
        EXPECT_EQ(line.endPoint(), to);
    }
    // Where the two handles overlap, the begin point's wins.
    const auto shortLine = lineFrom({10, 10}, {12, 10});
    EXPECT_EQ(shortLine->handleUnderPoint({11, 10}), 1);
    EXPECT_EQ(shortLine->handleUnderPoint({14, 10}), 2);
    EXPECT_EQ(lineFrom({10, 50}, {60, 20})->handleUnderPoint({10, 20}), 0);
}

TEST(SKTLine, HitTestWithinHalfTheWidthPlusTwo)
{
    const struct {
        const char* name;
        QPointF begin, end;
        double width;
        QPointF point;
        bool hit;
    } cases[] = {
        {"horizontal, 2 above", {10, 20}, {60, 20}, 1, {30, 18}, true},
        {"horizontal, 2 below", {10, 20}, {60, 20}, 1, {30, 22}, true},
        {"horizontal, 3 above", {10, 20}, {60, 20}, 1, {30, 17}, false},
        {"horizontal, beyond the end", {10, 20}, {60, 20}, 1, {63, 20}, false},
        {"thick horizontal, 6 below", {10, 20}, {60, 20}, 10, {30, 26}, true},
        {"vertical, 2 right", {30, 10}, {30, 60}, 1, {32, 40}, true},
        {"vertical, 3 right", {30, 10}, {30, 60}, 1, {33, 40}, false},
        {"diagonal, 2 below", {0, 0}, {100, 100}, 1, {50, 52}, true},
        {"diagonal, 4 below", {0, 0}, {100, 100}, 1, {50, 54}, false},
        {"other diagonal, 2 below", {100, 0}, {0, 100}, 1, {50, 52}, true},
        {"diagonal, corner of the bounds", {0, 0}, {100, 100}, 1, {100, 0}, false},
        // A steep line is hit beside it as a shallow one is above it.
        {"steep, 2 beside", {0, 0}, {1, 100}, 1, {2, 50}, true},
        {"steep, 3 beside", {0, 0}, {1, 100}, 1, {3.4, 50}, false},
        {"steep upwards, 2 beside", {10, 100}, {12, 0}, 1, {13, 50}, true},
        {"shallow, 2 above", {0, 0}, {100, 1}, 1, {50, -1.5}, true},
        {"shallow, 3 above", {0, 0}, {100, 1}, 1, {50, -2.4}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(lineFrom(c.begin, c.end, c.width)->isContentsUnderPoint(c.point), c.hit);
    }
}

TEST(SKTLine, EveryMoveTellsTheEndPointsWithTheirOldValues)
{
    const auto line = lineFrom({10, 50}, {60, 20});
    QVariantMap oldValues;
    line->addObserver([&](Observable&, const QString& key, const QVariant& old) { oldValues[key] = old; });

    // Moving the begin point past the end turns the flags; the old values
    // must still be the old points.
    line->setValueForKey(QPointF(80, 10), "beginPoint");
    EXPECT_EQ(line->beginPoint(), QPointF(80, 10));
    EXPECT_EQ(oldValues["beginPoint"].toPointF(), QPointF(10, 50));
    EXPECT_EQ(oldValues["endPoint"].toPointF(), QPointF(60, 20));

    // A plain move, as the canvas translates a selection, tells them too.
    oldValues.clear();
    SKTGraphic::translateGraphics({line}, 5, 5);
    EXPECT_EQ(oldValues["beginPoint"].toPointF(), QPointF(80, 10));
    EXPECT_EQ(oldValues["endPoint"].toPointF(), QPointF(60, 20));

    // Undo restores through the keys, one after the other.
    line->setValueForKey(QPointF(10, 50), "beginPoint");
    line->setValueForKey(QPointF(60, 20), "endPoint");
    EXPECT_EQ(line->beginPoint(), QPointF(10, 50));
    EXPECT_EQ(line->endPoint(), QPointF(60, 20));
    EXPECT_FALSE(line->keysForValuesToObserveForUndo().contains("bounds"));
}

TEST(SKTLine, CopyRunsTheSameWay)
{
    const auto line = lineFrom({60, 20}, {10, 50});
    const GraphicPtr copy = line->copy();
    ASSERT_EQ(copy->kind(), SKTGraphic::Kind::Line);
    EXPECT_EQ(static_cast<const SKTLine*>(copy.get())->beginPoint(), QPointF(60, 20));
    EXPECT_EQ(static_cast<const SKTLine*>(copy.get())->endPoint(), QPointF(10, 50));
}

// ---- drawing ----

namespace {

// A line from x = 10 to 110 whose centre lies half-way down pixel row 20
// (times the scale), so that thin lines cover whole pixels.
PixelProbe drawHorizontalLine(double width, const QString& dash, int cap, double scale = 1.0)
{
    PixelProbe probe(int(200 * scale), int(40 * scale));
    const double y = 20 + 0.5 / scale;
    const auto line = lineFrom({10, y}, {110, y}, width);
    line->_stroke_border_type = dash;
    line->_line_cap_style = cap;
    probe.draw([&](QPainter& p) { line->drawContentsInView(p, false); }, scale);
    return probe;
}

} // namespace

TEST(SKTLineDrawing, DashRunsArePointsWhateverTheWidth)
{
    const struct {
        QString dash;
        double width;
        double scale;
        std::vector<int> runs;   // from the begin point, in pixels
    } cases[] = {
        {"DA", 1, 1, {8, 2, 8, 2, 8, 2}},
        {"DA", 4, 1, {8, 2, 8, 2, 8, 2}},
        {"DA", 0.5, 4, {32, 8, 32, 8}},
        {"DA", 0, 4, {32, 8, 32, 8}},   // the thinnest line, still dashed in points
        {"DO", 6, 1, {4, 6, 4, 6, 4, 6}},
        {"DD", 2, 1, {24, 10, 6, 10, 24, 10}},
        {"DDD", 3, 1, {24, 8, 8, 8, 8, 8, 24}},
        {"XX", 2, 1, {100}},            // unknown codes draw solid
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dash.toStdString() << " width " << c.width << " scale " << c.scale);
        const PixelProbe probe = drawHorizontalLine(c.width, c.dash, 0, c.scale);
        int total = 0;
        for (int r : c.runs)
            total += r;
        const int from = int(10 * c.scale);
        EXPECT_EQ(probe.darkLightRuns(int(20 * c.scale), from, from + total), c.runs);
    }
}

TEST(SKTLineDrawing, CapCodesAndHiddenLines)
{
    const struct {
        int cap;
        bool beforeBegin;   // 2 points before the begin point
        bool outerCorner;   // near the outer corner of a square cap
    } cases[] = {{0, false, false}, {1, true, false}, {2, true, true}, {7, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cap);
        const PixelProbe probe = drawHorizontalLine(8, "S", c.cap);
        EXPECT_TRUE(probe.isDark(10, 20));
        EXPECT_EQ(probe.isDark(8, 20), c.beforeBegin);
        EXPECT_EQ(probe.isDark(6, 17), c.outerCorner);
    }
    const auto hidden = lineFrom({10, 20}, {110, 20}, 4);
    hidden->ctrl_is_visible = false;
    PixelProbe probe(200, 40);
    probe.draw([&](QPainter& p) { hidden->drawContentsInView(p, false); });
    EXPECT_TRUE(probe.isBlank(50, 20));
}
