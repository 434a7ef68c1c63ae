// Geometry shared by every card object: drawing bounds, handles, hit tests,
// resizing with flips, natural size and random points.

#include "model/SKTGraphic.h"

#include <gtest/gtest.h>
#include <QImage>
#include <QPainter>
#include <set>

namespace {

// Counts the flips a resize sends.
class FlipCountingGraphic : public SKTGraphic
{
public:
    void flipHorizontally() override { ++horizontalFlips; }
    void flipVertically() override { ++verticalFlips; }
    int horizontalFlips = 0;
    int verticalFlips = 0;
};

} // namespace

TEST(SKTGraphicGeometry, DrawingBoundsGrowByHandleOrHalfStroke)
{
    const struct {
        bool stroke;
        double width;
        QRectF expected;
    } cases[] = {
        {true, 1, {-3, -3, 17, 17}},
        {true, 6, {-3, -3, 17, 17}},    // half the stroke equals the handle margin
        {true, 8, {-4, -4, 19, 19}},
        {true, 10, {-5, -5, 21, 21}},
        {false, 10, {-3, -3, 17, 17}},
        {true, 0, {-3, -3, 17, 17}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "stroke " << c.stroke << " width " << c.width);
        SKTGraphic g;
        g._bounds = QRectF(0, 0, 10, 10);
        g._isDrawingStroke = c.stroke;
        g._strokeWidth = c.width;
        EXPECT_EQ(g.drawingBounds(), c.expected);
    }
}

TEST(SKTGraphicGeometry, HandleHitIsHalfOpen)
{
    SKTGraphic g;
    g._bounds = QRectF(10, 10, 50, 20);   // handle 1 at (10, 10), handle 8 at (60, 30)
    const struct {
        QPointF point;
        int handle;
    } cases[] = {
        {{7, 7}, 1},            // lower edges of the square belong to it
        {{12.999, 12.999}, 1},
        {{13, 10}, 0},          // upper edges do not
        {{10, 13}, 0},
        {{6.999, 10}, 0},
        {{35, 10}, 2},
        {{32, 7}, 2},
        {{38, 10}, 0},
        {{60, 10}, 3},
        {{10, 20}, 4},
        {{60, 20}, 5},
        {{10, 30}, 6},
        {{35, 30}, 7},
        {{57, 27}, 8},
        {{62.9, 32.9}, 8},
        {{63, 30}, 0},
        {{60, 33}, 0},
        {{35, 20}, 0},          // the middle of the object is no handle
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x() << "," << c.point.y());
        EXPECT_EQ(g.handleUnderPoint(c.point), c.handle);
    }
}

TEST(SKTGraphicGeometry, OverlappingHandlesAnswerTheFirstInOrder)
{
    SKTGraphic g;
    g._bounds = QRectF(0, 0, 4, 4);   // every square overlaps its neighbours
    EXPECT_EQ(g.handleUnderPoint({1, 1}), 1);
    EXPECT_EQ(g.handleUnderPoint({2.5, 1}), 1);
    EXPECT_EQ(g.handleUnderPoint({3.5, -2}), 2);
    EXPECT_EQ(g.handleUnderPoint({6, 6}), 8);
}

TEST(SKTGraphicGeometry, ContentsHitIsHalfOpen)
{
    SKTGraphic g;
    g._bounds = QRectF(10, 10, 50, 20);
    EXPECT_TRUE(g.isContentsUnderPoint({10, 10}));
    EXPECT_TRUE(g.isContentsUnderPoint({59.99, 29.99}));
    EXPECT_FALSE(g.isContentsUnderPoint({60, 20}));
    EXPECT_FALSE(g.isContentsUnderPoint({20, 30}));
    EXPECT_FALSE(g.isContentsUnderPoint({9.99, 20}));
}

TEST(SKTGraphicGeometry, ResizeFlipsInBothPasses)
{
    // Every handle of (10, 10, 50, 20) dragged within and across the
    // opposite edges. The vertical pass works with the handle that the
    // horizontal pass left.
    const struct {
        int handle;
        QPointF to;
        QRectF bounds;
        int result;
        int hFlips;
        int vFlips;
    } cases[] = {
        {1, {0, 0}, {0, 0, 60, 30}, 1, 0, 0},
        {1, {70, 40}, {60, 30, 10, 10}, 8, 1, 1},
        {1, {70, 0}, {60, 0, 10, 30}, 3, 1, 0},
        {2, {30, 45}, {10, 30, 50, 15}, 7, 0, 1},
        {2, {99, 0}, {10, 0, 50, 30}, 2, 0, 0},
        {3, {0, 40}, {0, 30, 10, 10}, 6, 1, 1},
        {3, {80, 5}, {10, 5, 70, 25}, 3, 0, 0},
        {4, {70, 99}, {60, 10, 10, 20}, 5, 1, 0},
        {4, {0, -50}, {0, 10, 60, 20}, 4, 0, 0},
        {5, {5, 0}, {5, 10, 5, 20}, 4, 1, 0},
        {6, {70, 0}, {60, 0, 10, 10}, 3, 1, 1},
        {6, {0, 5}, {0, 5, 60, 5}, 1, 0, 1},
        {7, {0, 5}, {10, 5, 50, 5}, 2, 0, 1},
        {7, {0, 50}, {10, 10, 50, 40}, 7, 0, 0},
        {8, {0, 40}, {0, 10, 10, 30}, 6, 1, 0},
        {8, {70, 50}, {10, 10, 60, 40}, 8, 0, 0},
        {8, {0, 0}, {0, 0, 10, 10}, 1, 1, 1},
        {8, {10, 10}, {10, 10, 0, 0}, 8, 0, 0},   // onto the opposite corner: no flip
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "handle " << c.handle << " to " << c.to.x() << "," << c.to.y());
        FlipCountingGraphic g;
        g._bounds = QRectF(10, 10, 50, 20);
        EXPECT_EQ(g.resizeByMovingHandle(c.handle, c.to), c.result);
        EXPECT_EQ(g.bounds(), c.bounds);
        EXPECT_EQ(g.horizontalFlips, c.hFlips);
        EXPECT_EQ(g.verticalFlips, c.vFlips);
        EXPECT_GE(g.width(), 0);
        EXPECT_GE(g.height(), 0);
    }
}

TEST(SKTGraphicGeometry, DragContinuesWithTheReturnedHandle)
{
    // A drag of the lower-right corner past the upper-left one and back again.
    FlipCountingGraphic g;
    g._bounds = QRectF(10, 10, 50, 20);
    int handle = SKTGraphic::LowerRightHandle;
    handle = g.resizeByMovingHandle(handle, {0, 0});
    EXPECT_EQ(handle, SKTGraphic::UpperLeftHandle);
    EXPECT_EQ(g.bounds(), QRectF(0, 0, 10, 10));
    handle = g.resizeByMovingHandle(handle, {30, 40});
    EXPECT_EQ(handle, SKTGraphic::LowerRightHandle);
    EXPECT_EQ(g.bounds(), QRectF(10, 10, 20, 30));
    EXPECT_EQ(g.horizontalFlips, 2);
    EXPECT_EQ(g.verticalFlips, 2);
}

TEST(SKTGraphicGeometry, NaturalSizeSquaresWithTheShorterSide)
{
    const struct {
        QRectF from;
        QRectF to;
        bool can;
    } cases[] = {
        {{0, 0, 30, 50}, {0, 0, 30, 30}, true},
        {{5, 7, 50, 30}, {5, 7, 30, 30}, true},
        {{5, 7, 20, 20}, {5, 7, 20, 20}, false},
    };
    for (const auto& c : cases) {
        SKTGraphic g;
        g._bounds = c.from;
        EXPECT_EQ(g.canMakeNaturalSize(), c.can);
        g.makeNaturalSize();
        EXPECT_EQ(g.bounds(), c.to);
    }
}

TEST(SKTGraphicGeometry, RandomPointsLieOnWholePointsInside)
{
    const QRectF r(5.5, 2, 3, 2);
    std::set<std::pair<double, double>> seen;
    for (int i = 0; i < 400; ++i) {
        const QPointF p = SKTGraphic::randomPoint(r);
        EXPECT_TRUE(p.x() == 5.5 || p.x() == 6.5 || p.x() == 7.5) << p.x();
        EXPECT_TRUE(p.y() == 2 || p.y() == 3) << p.y();
        seen.insert({p.x(), p.y()});
    }
    EXPECT_EQ(seen.size(), 6u);
}

TEST(SKTGraphicGeometry, RandomPointOfAThinRectangleIsItsOrigin)
{
    const QRectF thin[] = {{4, 5, 0.5, 10}, {4, 5, 10, 0}, {4, 5, 0, 0}, {4, 5, -3, 8}, {4, 5, 1, 0.99}};
    for (const QRectF& r : thin)
        EXPECT_EQ(SKTGraphic::randomPoint(r), QPointF(4, 5));
    EXPECT_EQ(SKTGraphic::randomPoint({4, 5, 1, 1}), QPointF(4, 5));
}

namespace {

QImage canvasImage()
{
    QImage image(100, 100, QImage::Format_ARGB32);
    image.fill(Qt::white);
    return image;
}

} // namespace

TEST(SKTGraphicHandles, LockedHandlesAreRedSquaresWithAShadow)
{
    SKTGraphic g;
    g._bounds = QRectF(20, 20, 40, 30);
    QImage image = canvasImage();
    {
        QPainter p(&image);
        g.drawHandlesInView(p, true);
    }
    const QRgb red = qRgb(255, 0, 0);
    for (int h = 1; h <= 8; ++h) {
        const QPoint c = SKTGraphic::handlePoint(g.bounds(), h).toPoint();
        SCOPED_TRACE(h);
        // the square covers centre - 3 .. centre + 2
        EXPECT_EQ(image.pixel(c), red);
        EXPECT_EQ(image.pixel(c + QPoint(-3, -3)), red);
        EXPECT_EQ(image.pixel(c + QPoint(2, 2)), red);
        // the shadow shows one pixel below and to the right
        const QRgb shadow = image.pixel(c + QPoint(3, 3));
        EXPECT_NE(shadow, red);
        EXPECT_NE(shadow, qRgb(255, 255, 255));
        EXPECT_LT(qGray(shadow), 128);
        EXPECT_EQ(image.pixel(c + QPoint(4, 4)), qRgb(255, 255, 255));
        EXPECT_EQ(image.pixel(c + QPoint(-4, -4)), qRgb(255, 255, 255));
    }
    EXPECT_EQ(image.pixel(40, 35), qRgb(255, 255, 255));   // nothing inside the object
}

TEST(SKTGraphicHandles, FreeHandlesAreNotRed)
{
    SKTGraphic g;
    g._bounds = QRectF(20, 20, 40, 30);
    QImage image = canvasImage();
    {
        QPainter p(&image);
        g.drawHandlesInView(p, false);
    }
    const QRgb knob = image.pixel(20, 20);
    EXPECT_NE(knob, qRgb(255, 0, 0));
    EXPECT_NE(knob, qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(60, 50), knob);
}

TEST(SKTGraphicHandles, SquaresAreAlignedToDevicePixels)
{
    // A handle at a half point, and one under a 1.5 zoom: with antialiasing
    // on, an unaligned square would leave blended pixels on its edges.
    const struct {
        double scale;
        QPointF at;
        QRect square;   // in device pixels
    } cases[] = {
        {1.0, {20.5, 20.5}, {18, 18, 6, 6}},
        {1.5, {20, 20}, {26, 26, 9, 9}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scale);
        SKTGraphic g;
        QImage image = canvasImage();
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(c.scale, c.scale);
            g.drawHandleInView(p, c.at, true);
        }
        const QRgb red = qRgb(255, 0, 0);
        const QRgb white = qRgb(255, 255, 255);
        const QRgb shadow = image.pixel(c.square.bottomRight() + QPoint(1, 1));
        EXPECT_NE(shadow, white);
        for (int y = c.square.top() - 1; y <= c.square.bottom() + 1; ++y) {
            for (int x = c.square.left() - 1; x <= c.square.right() + 1; ++x) {
                const QRgb px = image.pixel(x, y);
                if (c.square.contains(x, y))
                    EXPECT_EQ(px, red) << x << "," << y;
                else
                    EXPECT_TRUE(px == white || px == shadow) << "blended edge at " << x << "," << y;
            }
        }
    }
}
