// The line object: direction flags, end points, handles, resizing past the
// other end, hit testing, undo keys and observation, copies and drawing.

#include "model/SKTLine.h"
#include "PixelProbe.h"

#include <gtest/gtest.h>
#include <QPainter>
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

struct Change {
    QString key;
    QVariant oldValue;
};

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
        {{10, 20}, {60, 50}, {10, 20, 50, 30}, true, true},
        {{60, 50}, {10, 20}, {10, 20, 50, 30}, false, false},
        {{5, 5}, {5, 5}, {5, 5, 0, 0}, false, false},        // equal coordinates give NO
        {{5, 5}, {5, 40}, {5, 5, 0, 35}, false, true},
        {{-5, 5}, {30, 5}, {-5, 5, 35, 0}, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.begin.x() << "," << c.begin.y() << " -> " << c.end.x() << ","
                                        << c.end.y());
        bool right = !c.right, down = !c.down;
        EXPECT_EQ(SKTLine::boundsWithBeginPoint(c.begin, c.end, &right, &down), c.bounds);
        EXPECT_EQ(right, c.right);
        EXPECT_EQ(down, c.down);
        EXPECT_EQ(SKTLine::boundsWithBeginPoint(c.begin, c.end), c.bounds);   // flags are optional

        const auto line = lineFrom(c.begin, c.end);
        EXPECT_EQ(line->beginPoint(), c.begin);
        EXPECT_EQ(line->endPoint(), c.end);
    }
}

TEST(SKTLine, LineGivenOnlyARectangleRunsFromLowerRightToUpperLeft)
{
    SKTLine line;
    EXPECT_FALSE(line.pointsRight());
    EXPECT_FALSE(line.pointsDown());
    line.setBounds(QRectF(10, 20, 30, 40));
    EXPECT_EQ(line.beginPoint(), QPointF(40, 60));
    EXPECT_EQ(line.endPoint(), QPointF(10, 20));
}

TEST(SKTLine, DraggingAnEndPastTheOtherKeepsTheHandleOnItsEnd)
{
    const struct {
        int handle;
        QPointF to;
        QPointF begin, end;
        bool right, down;
    } cases[] = {
        // line (10, 50) -> (60, 20)
        {1, {80, 10}, {80, 10}, {60, 20}, false, true},     // begin dragged past the end
        {1, {20, 40}, {20, 40}, {60, 20}, true, false},     // begin moved, same direction
        {2, {0, 70}, {10, 50}, {0, 70}, false, true},       // end dragged past the begin
        {2, {10, 50}, {10, 50}, {10, 50}, false, false},    // end onto the begin point
        {5, {0, 0}, {10, 50}, {60, 20}, true, false},       // a line has no other handle
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "handle " << c.handle << " to " << c.to.x() << "," << c.to.y());
        const auto line = lineFrom({10, 50}, {60, 20});
        EXPECT_EQ(line->resizeByMovingHandle(c.handle, c.to), c.handle);
        EXPECT_EQ(line->beginPoint(), c.begin);
        EXPECT_EQ(line->endPoint(), c.end);
        EXPECT_EQ(line->pointsRight(), c.right);
        EXPECT_EQ(line->pointsDown(), c.down);
        EXPECT_GE(line->bounds().width(), 0);
        EXPECT_GE(line->bounds().height(), 0);
    }
}

TEST(SKTLine, CreationDragFollowsTheMouseWithTheEndHandle)
{
    // The canvas drags the creation handle from a zero-size line at the
    // mouse-down point; the flags follow the drag, in every direction.
    EXPECT_EQ(SKTLine::creationSizingHandle(), 2);
    const QPointF start(50, 50);
    for (const QPointF& to : {QPointF(90, 80), QPointF(10, 80), QPointF(10, 10), QPointF(90, 10)}) {
        SKTLine line;
        line.setBounds(QRectF(start, QSizeF(0, 0)));
        int handle = SKTLine::creationSizingHandle();
        handle = line.resizeByMovingHandle(handle, QPointF(70, 70));
        handle = line.resizeByMovingHandle(handle, to);
        EXPECT_EQ(line.beginPoint(), start);
        EXPECT_EQ(line.endPoint(), to);
    }
}

TEST(SKTLine, HandlesSitOnTheEndsAndTheBeginWins)
{
    const auto line = lineFrom({10, 50}, {60, 20});
    EXPECT_EQ(line->handleUnderPoint({10, 50}), 1);
    EXPECT_EQ(line->handleUnderPoint({62, 22}), 2);
    EXPECT_EQ(line->handleUnderPoint({10, 20}), 0);   // a corner of the bounds, not an end
    EXPECT_EQ(line->handleUnderPoint({35, 35}), 0);

    const auto shortLine = lineFrom({10, 10}, {12, 10});
    EXPECT_EQ(shortLine->handleUnderPoint({11, 10}), 1);
    EXPECT_EQ(shortLine->handleUnderPoint({14, 10}), 2);
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
        {"horizontal, 3 below", {10, 20}, {60, 20}, 1, {30, 23}, false},
        {"horizontal, beyond the end", {10, 20}, {60, 20}, 1, {63, 20}, false},
        {"horizontal, just past the end", {10, 20}, {60, 20}, 1, {62, 20}, true},
        {"thick horizontal, 6 below", {10, 20}, {60, 20}, 10, {30, 26}, true},
        {"thick horizontal, 8 below", {10, 20}, {60, 20}, 10, {30, 28}, false},
        {"vertical, 2 left", {30, 10}, {30, 60}, 1, {28, 40}, true},
        {"vertical, 2 right", {30, 10}, {30, 60}, 1, {32, 40}, true},
        {"vertical, 3 right", {30, 10}, {30, 60}, 1, {33, 40}, false},
        {"vertical, above the top", {30, 10}, {30, 60}, 1, {30, 5}, false},
        {"diagonal, on it", {0, 0}, {100, 100}, 1, {50, 50}, true},
        {"diagonal, 2 below", {0, 0}, {100, 100}, 1, {50, 52}, true},
        {"diagonal, 4 below", {0, 0}, {100, 100}, 1, {50, 54}, false},
        {"diagonal the other way", {100, 0}, {0, 100}, 1, {50, 52}, true},
        {"diagonal, corner of the bounds", {0, 0}, {100, 100}, 1, {100, 0}, false},
        // A steep line is hit beside it as a shallow one is above it.
        {"steep, 2 beside", {0, 0}, {1, 100}, 1, {2, 50}, true},
        {"steep, on it", {0, 0}, {1, 100}, 1, {0.5, 50}, true},
        {"steep, 3 beside", {0, 0}, {1, 100}, 1, {3.4, 50}, false},
        {"steep upwards, 2 beside", {10, 100}, {12, 0}, 1, {13, 50}, true},
        {"shallow, 2 above", {0, 0}, {100, 1}, 1, {50, -1.5}, true},
        {"shallow, 3 above", {0, 0}, {100, 1}, 1, {50, -2.4}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto line = lineFrom(c.begin, c.end, c.width);
        EXPECT_EQ(line->isContentsUnderPoint(c.point), c.hit);
    }
}

TEST(SKTLine, HiddenLineIsStillHit)
{
    const auto line = lineFrom({10, 20}, {60, 20});
    line->ctrl_is_visible = false;
    EXPECT_TRUE(line->isContentsUnderPoint({30, 20}));
}

TEST(SKTLine, FixedAnswers)
{
    SKTLine line;
    line._isDrawingFill = true;
    line._isDrawingStroke = false;
    EXPECT_FALSE(line.isDrawingFill());
    EXPECT_TRUE(line.isDrawingStroke());
    EXPECT_FALSE(line.canSetDrawingFill());
    EXPECT_FALSE(line.canSetDrawingStroke());
    line.setBounds(QRectF(0, 0, 30, 50));
    EXPECT_FALSE(line.canMakeNaturalSize());
    // The stroke always counts for the drawing bounds.
    line._strokeWidth = 10;
    EXPECT_EQ(line.drawingBounds(), QRectF(-5, -5, 41, 61));

    const Colour red = Colour::rgb(1, 0, 0);
    line.setColor(red);
    EXPECT_EQ(line._strokeColor, red);
    EXPECT_EQ(line._fillColor, Colour::white());
}

TEST(SKTLine, UndoKeysAndTheirNames)
{
    SKTLine line;
    const QStringList keys = line.keysForValuesToObserveForUndo();
    EXPECT_FALSE(keys.contains("bounds"));
    for (const char* key : {"beginPoint", "endPoint", "drawingFill", "fillColor", "drawingStroke", "strokeColor",
                            "strokeWidth"})
        EXPECT_TRUE(keys.contains(key)) << key;
    EXPECT_EQ(line.presentablePropertyNameForKey("beginPoint"), "Beginpoint");
    EXPECT_EQ(line.presentablePropertyNameForKey("endPoint"), "Endpoint");
    EXPECT_EQ(line.presentablePropertyNameForKey("bounds"), "");
}

TEST(SKTLine, EveryMoveTellsTheEndPointsWithTheirOldValues)
{
    const auto line = lineFrom({10, 50}, {60, 20});
    std::vector<Change> changes;
    line->addObserver([&](Observable&, const QString& key, const QVariant& old) { changes.push_back({key, old}); });
    auto oldValueOf = [&](const QString& key) {
        for (const Change& c : changes)
            if (c.key == key)
                return c.oldValue;
        return QVariant();
    };

    // Moving the begin point past the end turns the flags; the old values
    // must still be the old points.
    line->setValueForKey(QPointF(80, 10), "beginPoint");
    EXPECT_EQ(line->beginPoint(), QPointF(80, 10));
    EXPECT_EQ(oldValueOf("beginPoint").toPointF(), QPointF(10, 50));
    EXPECT_EQ(oldValueOf("endPoint").toPointF(), QPointF(60, 20));
    EXPECT_TRUE(oldValueOf("bounds").isValid());

    // A plain move (as the canvas translates a selection) tells them too.
    changes.clear();
    SKTGraphic::translateGraphics({line}, 5, 5);
    EXPECT_EQ(oldValueOf("beginPoint").toPointF(), QPointF(80, 10));
    EXPECT_EQ(oldValueOf("endPoint").toPointF(), QPointF(60, 20));
    EXPECT_EQ(line->beginPoint(), QPointF(85, 15));

    // Undo restores through the keys, one after the other.
    line->setValueForKey(QPointF(10, 50), "beginPoint");
    line->setValueForKey(QPointF(60, 20), "endPoint");
    EXPECT_EQ(line->beginPoint(), QPointF(10, 50));
    EXPECT_EQ(line->endPoint(), QPointF(60, 20));
    EXPECT_EQ(line->valueForKey("beginPoint").toPointF(), QPointF(10, 50));
}

TEST(SKTLine, CopyRunsTheSameWay)
{
    const auto line = lineFrom({60, 20}, {10, 50});
    line->_strokeWidth = 4;
    line->_line_cap_style = 1;   // not among the fields a copy takes over
    const GraphicPtr copy = line->copy();
    ASSERT_EQ(copy->kind(), SKTGraphic::Kind::Line);
    const auto* copied = static_cast<const SKTLine*>(copy.get());
    EXPECT_EQ(copied->beginPoint(), QPointF(60, 20));
    EXPECT_EQ(copied->endPoint(), QPointF(10, 50));
    EXPECT_EQ(copied->strokeWidth(), 4);
    EXPECT_EQ(copied->_line_cap_style, 0);
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
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dash.toStdString() << " width " << c.width << " scale " << c.scale);
        const PixelProbe probe = drawHorizontalLine(c.width, c.dash, 0, c.scale);
        int total = 0;
        for (int r : c.runs)
            total += r;
        const int from = int(10 * c.scale);
        const int row = int(20 * c.scale);
        std::vector<int> runs = probe.darkLightRuns(row, from, from + total);
        EXPECT_EQ(runs, c.runs);
    }
}

TEST(SKTLineDrawing, UnknownDashCodeDrawsSolid)
{
    for (const QString& code : {QString("S"), QString("XX"), QString()}) {
        const PixelProbe probe = drawHorizontalLine(2, code, 0);
        EXPECT_EQ(probe.darkLightRuns(20, 10, 110), std::vector<int>({100})) << code.toStdString();
    }
}

TEST(SKTLineDrawing, CapCodes)
{
    const struct {
        int cap;
        bool beforeBegin;     // pixel 2 points before the begin point
        bool roundCorner;     // pixel near the outer corner of a square cap
    } cases[] = {
        {0, false, false},   // butt
        {1, true, false},    // round
        {2, true, true},     // square
        {7, false, false},   // unknown: butt
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cap);
        const PixelProbe probe = drawHorizontalLine(8, "S", c.cap);
        EXPECT_TRUE(probe.isDark(10, 20));
        EXPECT_EQ(probe.isDark(8, 20), c.beforeBegin);
        EXPECT_EQ(probe.isDark(6, 17), c.roundCorner);
    }
}

TEST(SKTLineDrawing, StrokeCarriesTheStrokeOpacityAndHiddenLinesDrawNothing)
{
    const auto line = lineFrom({10, 20}, {110, 20}, 4);
    line->_strokeColor = Colour::rgb(0, 0, 1);
    line->alpha_val_stroke = 0.5f;
    line->alpha_val = 0.0f;   // the fill opacity plays no part
    PixelProbe probe(200, 40, Qt::transparent);
    probe.draw([&](QPainter& p) { line->drawContentsInView(p, false); });
    EXPECT_NEAR(probe.at(50, 19).alphaF(), 0.5, 0.02);
    EXPECT_NEAR(probe.at(50, 19).toRgb().blue(), 255, 2);

    line->ctrl_is_visible = false;
    PixelProbe hidden(200, 40);
    hidden.draw([&](QPainter& p) { line->drawContentsInView(p, false); });
    for (int x = 0; x < 200; ++x)
        ASSERT_TRUE(hidden.isBlank(x, 19));
}
