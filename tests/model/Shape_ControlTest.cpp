// Figures of the shape object: the corners of each shape code, the point
// counts of double stars and polygons, and hit testing by the non-zero rule.

#include "model/Shape_Control.h"

#include <gtest/gtest.h>
#include <QPolygonF>

namespace {

Shape_Control shapeOf(const QString& code, int type, QRectF bounds = {0, 0, 100, 100})
{
    Shape_Control shape;
    shape.Set_Shape_Type(code);
    shape.double_star_type = type;
    shape.polygon_type = type;
    shape._bounds = bounds;
    return shape;
}

// The corners of a closed figure of straight lines, without the closing
// repeat of the first corner.
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

} // namespace

TEST(Shape_Control, CornersOfTheStraightFigures)
{
    const QRectF b(10, 20, 80, 40);
    const QList<QPointF> custom {{10, 20}, {50, 30}, {90, 20}, {70, 40}, {90, 60}, {50, 50}, {10, 60}, {30, 40}};
    const QList<QPointF> hexagon {{50, 20}, {84.641, 30}, {84.641, 50}, {50, 60}, {15.359, 50}, {15.359, 30}};
    const struct {
        QString code;
        int type;
        QList<QPointF> corners;
    } cases[] = {
        {"T", 1, {{10, 60}, {50, 20}, {90, 60}}},
        {"D", 1, {{10, 40}, {50, 20}, {90, 40}, {50, 60}}},
        {"P", 1, custom},
        {"P", 8, custom},
        {"P", 3, hexagon + hexagon},   // traced twice from the middle of the top edge
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.code.toStdString() << " type " << c.type);
        const QPolygonF corners = cornersOf(shapeOf(c.code, c.type, b).bezierPathForDrawing());
        ASSERT_EQ(corners.size(), c.corners.size());
        for (qsizetype i = 0; i < corners.size(); ++i) {
            EXPECT_NEAR(corners[i].x(), c.corners[i].x(), 1e-3) << i;
            EXPECT_NEAR(corners[i].y(), c.corners[i].y(), 1e-3) << i;
        }
    }
}

TEST(Shape_Control, PointCountsOfStarsAndPolygons)
{
    const struct {
        QString code;
        int type;
        int corners;
    } cases[] = {
        {"S", 1, 5}, {"DS", 1, 7}, {"DS", 3, 11}, {"DS", 5, 15},
        {"DS", 6, 6},     // other values are their own count
        {"DS", 0, 0}, {"DS", -3, 0},
        {"DS", 2000000000, 0},   // absurd counts from a damaged file draw nothing
        {"P", 2, 10}, {"P", 5, 16}, {"P", 7, 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.code.toStdString() << " type " << c.type);
        const QPolygonF corners = cornersOf(shapeOf(c.code, c.type).bezierPathForDrawing());
        EXPECT_EQ(corners.size(), c.corners);
        if (!corners.isEmpty()) {
            EXPECT_NEAR(corners[0].x(), 50, 1e-4);   // first corner at the middle of the top edge
            EXPECT_NEAR(corners[0].y(), 0, 1e-4);
        }
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
        {"circle corner", "C", 1, {5, 5}, false},
        {"rounded corner", "RR", 1, {1, 1}, false},
        {"rounded edge", "RR", 1, {50, 1}, true},
        {"triangle beside the apex", "T", 1, {20, 10}, false},
        {"diamond corner", "D", 1, {10, 10}, false},
        {"star centre", "S", 1, {50, 50}, true},
        {"star point", "S", 1, {50, 5}, true},
        {"star between points", "S", 1, {20, 15}, false},
        {"double star centre", "DS", 5, {50, 50}, true},
        {"custom polygon notch", "P", 1, {50, 10}, false},
        {"hexagon centre (wound twice)", "P", 3, {50, 50}, true},
        {"hexagon outside", "P", 3, {10, 10}, false},
        {"unknown code", "X", 1, {50, 50}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Shape_Control shape = shapeOf(c.code, c.type);
        shape._strokeWidth = 20;   // the outline does not widen the area
        EXPECT_EQ(shape.isContentsUnderPoint(c.point), c.hit);
    }
}
