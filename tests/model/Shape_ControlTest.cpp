// Figures of the shape object: the corners of each shape code, the point
// counts of double stars and polygons, and hit testing by the non-zero rule.

#include "model/Shape_Control.h"

#include <gtest/gtest.h>
#include <QPolygonF>

namespace {

Shape_Control shapeOf(const QString& code, QRectF bounds = {0, 0, 100, 100})
{
    Shape_Control shape;
    shape.Set_Shape_Type(code);
    shape._bounds = bounds;
    return shape;
}

// The corners of a closed figure made of straight lines, without the
// closing repeat of the first corner.
QPolygonF cornersOf(const QPainterPath& path)
{
    const QList<QPolygonF> polygons = path.toSubpathPolygons();
    if (polygons.isEmpty())
        return {};
    QPolygonF corners = polygons.first();
    if (corners.size() > 1 && corners.first() == corners.last())
        corners.removeLast();
    return corners;
}

void expectCorners(const QPolygonF& actual, const QList<QPointF>& expected, double tolerance)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(actual.at(i).x(), expected.at(i).x(), tolerance) << "corner " << i;
        EXPECT_NEAR(actual.at(i).y(), expected.at(i).y(), tolerance) << "corner " << i;
    }
}

} // namespace

TEST(Shape_Control, NewShapeIsTheRectangleOfItsBounds)
{
    Shape_Control shape;
    EXPECT_EQ(shape.Get_shape_type(), "R");
    shape.setBounds(QRectF(10, 20, 30, 40));
    EXPECT_EQ(shape.bezierPathForDrawing().boundingRect(), QRectF(10, 20, 30, 40));
    EXPECT_EQ(shape.bezierPathForDrawing().fillRule(), Qt::WindingFill);
}

TEST(Shape_Control, CornersOfTheStraightFigures)
{
    const QRectF b(10, 20, 80, 40);
    const struct {
        QString code;
        int type;
        QList<QPointF> corners;
    } cases[] = {
        {"T", 1, {{10, 60}, {50, 20}, {90, 60}}},
        {"D", 1, {{10, 40}, {50, 20}, {90, 40}, {50, 60}}},
        {"P", 1, {{10, 20}, {50, 30}, {90, 20}, {70, 40}, {90, 60}, {50, 50}, {10, 60}, {30, 40}}},
        {"P", 8, {{10, 20}, {50, 30}, {90, 20}, {70, 40}, {90, 60}, {50, 50}, {10, 60}, {30, 40}}},
        // a hexagon traced twice, first corner at the middle of the top edge
        {"P", 3, {{50, 20}, {84.641, 30}, {84.641, 50}, {50, 60}, {15.359, 50}, {15.359, 30},
                  {50, 20}, {84.641, 30}, {84.641, 50}, {50, 60}, {15.359, 50}, {15.359, 30}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.code.toStdString() << " type " << c.type);
        Shape_Control shape = shapeOf(c.code, b);
        shape.polygon_type = c.type;
        expectCorners(cornersOf(shape.bezierPathForDrawing()), c.corners, 1e-3);
    }
}

TEST(Shape_Control, StarPolygonsJoinEverySecondCornerOfTheEllipse)
{
    Shape_Control star = shapeOf("S");
    const QPolygonF corners = cornersOf(star.bezierPathForDrawing());
    ASSERT_EQ(corners.size(), 5);
    EXPECT_NEAR(corners.at(0).x(), 50, 1e-4);
    EXPECT_NEAR(corners.at(0).y(), 0, 1e-4);
    // The second corner is two fifths of a turn on: lower right.
    EXPECT_NEAR(corners.at(1).x(), 50 + 50 * std::sin(4 * M_PI / 5), 1e-4);
    EXPECT_NEAR(corners.at(1).y(), 50 - 50 * std::cos(4 * M_PI / 5), 1e-4);
}

TEST(Shape_Control, PointCountsOfDoubleStarsAndPolygons)
{
    const struct {
        QString code;
        int type;
        int corners;
    } cases[] = {
        {"DS", 1, 7}, {"DS", 2, 9}, {"DS", 3, 11}, {"DS", 4, 13}, {"DS", 5, 15},
        {"DS", 6, 6},     // other values are their own count
        {"DS", 0, 0},     // no point: empty
        {"DS", -3, 0},
        {"DS", 2000000000, 0},   // absurd counts from a damaged file draw nothing
        {"P", 2, 10}, {"P", 4, 14}, {"P", 5, 16},
        {"P", 7, 7},
        {"P", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.code.toStdString() << " type " << c.type);
        Shape_Control shape = shapeOf(c.code);
        shape.double_star_type = c.type;
        shape.polygon_type = c.type;
        EXPECT_EQ(cornersOf(shape.bezierPathForDrawing()).size(), c.corners);
    }
}

TEST(Shape_Control, HitTestFollowsTheFigureByTheNonZeroRule)
{
    const struct {
        const char* name;
        QString code;
        int type;
        QPointF point;
        bool hit;
    } cases[] = {
        {"rectangle inside", "R", 1, {5, 95}, true},
        {"rectangle outside", "R", 1, {-1, 50}, false},
        {"circle centre", "C", 1, {50, 50}, true},
        {"circle corner", "C", 1, {5, 5}, false},
        {"rounded corner", "RR", 1, {1, 1}, false},
        {"rounded edge", "RR", 1, {50, 1}, true},
        {"triangle apex", "T", 1, {50, 2}, true},
        {"triangle beside the apex", "T", 1, {20, 10}, false},
        {"diamond centre", "D", 1, {50, 50}, true},
        {"diamond corner", "D", 1, {10, 10}, false},
        {"star centre", "S", 1, {50, 50}, true},
        {"star point", "S", 1, {50, 5}, true},
        {"star between points", "S", 1, {20, 15}, false},
        {"double star centre", "DS", 5, {50, 50}, true},
        {"custom polygon centre", "P", 1, {50, 50}, true},
        {"custom polygon notch", "P", 1, {50, 10}, false},
        {"hexagon centre (wound twice)", "P", 3, {50, 50}, true},
        {"hexagon side", "P", 3, {8, 50}, true},
        {"hexagon outside", "P", 3, {10, 10}, false},
        {"octagon centre", "P", 5, {50, 50}, true},
        {"unknown code", "X", 1, {50, 50}, false},
        {"empty code", "", 1, {50, 50}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Shape_Control shape = shapeOf(c.code);
        shape.double_star_type = c.type;
        shape.polygon_type = c.type;
        shape._strokeWidth = 20;   // the outline does not widen the area
        EXPECT_EQ(shape.isContentsUnderPoint(c.point), c.hit);
    }
}

TEST(Shape_Control, OutlineWidthDoesNotWidenTheHitArea)
{
    Shape_Control shape = shapeOf("R", {10, 10, 50, 50});
    shape._strokeWidth = 30;
    EXPECT_FALSE(shape.isContentsUnderPoint({8, 30}));
    EXPECT_TRUE(shape.isContentsUnderPoint({11, 30}));
}
