// Pictures of shapes, checked pixel by pixel: filled star and polygon
// centres, mitred corners, rounded corners, gradient direction, opacity,
// hatch tiling and a missing pattern, and the drawing bounds.

#include "app/Globals.h"
#include "model/Shape_Control.h"
#include "PixelProbe.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QTemporaryDir>

namespace {

std::shared_ptr<Shape_Control> shapeOf(const QString& code, QRectF bounds, bool fill = true, bool stroke = true)
{
    auto shape = std::make_shared<Shape_Control>();
    shape->Set_Shape_Type(code);
    shape->_bounds = bounds;
    shape->_fillColor = Colour::black();
    shape->_isDrawingFill = fill;
    shape->_isDrawingStroke = stroke;
    return shape;
}

PixelProbe render(Shape_Control& shape, QColor background = Qt::white)
{
    PixelProbe probe(130, 130, background);
    probe.draw([&](QPainter& p) { shape.drawContentsInView(p, false); });
    return probe;
}

bool near(QColor actual, QColor expected, int tolerance = 3)
{
    const QColor a = actual.toRgb(), e = expected.toRgb();
    return std::abs(a.red() - e.red()) <= tolerance && std::abs(a.green() - e.green()) <= tolerance
        && std::abs(a.blue() - e.blue()) <= tolerance && std::abs(a.alpha() - e.alpha()) <= tolerance;
}

// Points the resource folder at a temporary folder while it lives.
class TemporaryResources
{
public:
    TemporaryResources() : m_old(Resource_Path)
    {
        Resource_Path = m_dir.path() + QLatin1Char('/');
        QDir(m_dir.path()).mkpath(QStringLiteral("Fill_Style_Image"));
    }
    ~TemporaryResources() { Resource_Path = m_old; }
    TemporaryResources(const TemporaryResources&) = delete;
    TemporaryResources& operator=(const TemporaryResources&) = delete;
    QString patternFile(const QString& name) const { return m_dir.filePath("Fill_Style_Image/" + name + ".png"); }

private:
    QTemporaryDir m_dir;
    QString m_old;
};

} // namespace

TEST(ShapeDrawing, CentresOfStarsAndPolygonsAreFilled)
{
    const struct {
        QString code;
        int type;
        QPoint outside;   // a point of the bounds that the figure leaves empty
    } cases[] = {{"S", 1, {11, 11}}, {"DS", 1, {11, 11}}, {"DS", 5, {11, 11}}, {"P", 1, {60, 14}},
                 {"P", 2, {11, 11}}, {"P", 3, {11, 11}}, {"P", 5, {11, 11}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.code.toStdString() << " type " << c.type);
        auto shape = shapeOf(c.code, {10, 10, 100, 100}, true, false);
        shape->double_star_type = c.type;
        shape->polygon_type = c.type;
        const PixelProbe probe = render(*shape);
        for (int dx = -3; dx <= 3; ++dx)
            for (int dy = -3; dy <= 3; ++dy)
                ASSERT_TRUE(probe.isDark(60 + dx, 60 + dy)) << dx << "," << dy;
        EXPECT_TRUE(probe.isBlank(c.outside.x(), c.outside.y()));
    }
}

TEST(ShapeDrawing, CornersAreMitredUpToTheLimitAndBevelledBeyond)
{
    // A star's points are 36 degrees sharp (miter 3.2 widths): the join runs
    // out to 3 / sin 18 degrees = 9.7 points beyond the corner for width 6.
    auto star = shapeOf("S", {10, 20, 100, 100}, false);
    star->_strokeWidth = 6;
    const PixelProbe probe = render(*star);
    EXPECT_TRUE(probe.isDark(60, 13));
    EXPECT_FALSE(probe.isDark(60, 8));

    // A needle-thin triangle's apex is far beyond the limit of 10 widths:
    // bevelled, with no spike above it.
    auto needle = shapeOf("T", {50, 30, 4, 80}, false);
    needle->_strokeWidth = 2;
    const PixelProbe needleProbe = render(*needle);
    for (int y = 0; y < 28; ++y)
        ASSERT_TRUE(needleProbe.isBlank(52, y)) << y;
}

TEST(ShapeDrawing, RoundedCornerRadius)
{
    const struct {
        float radius;
        QPoint point;
        bool dark;
    } cases[] = {
        {20, {12, 12}, false},   // outside the arc of radius 20 about (30, 30)
        {20, {17, 17}, true},
        {20, {30, 11}, true},    // the straight edge starts at the radius
        {10, {14, 14}, true},
        {10, {11, 11}, false},
        {0, {10, 10}, true},     // a sharp corner
        {1000, {12, 12}, false}, // limited to half the sides: an oval
        {1000, {60, 11}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "radius " << c.radius << " at " << c.point.x() << "," << c.point.y());
        auto shape = shapeOf("RR", {10, 10, 100, 100}, true, false);
        shape->cor_rad_val_val = c.radius;
        EXPECT_EQ(render(*shape).isDark(c.point.x(), c.point.y()), c.dark);
    }
}

TEST(ShapeDrawing, GradientAngleChoosesWhichEndHasTheFirstColour)
{
    const struct {
        double angle;
        QPoint first, second;   // where the first and the second colour show
    } cases[] = {
        {0, {11, 60}, {108, 60}},    // left to right
        {90, {60, 11}, {60, 108}},   // top to bottom on the card
        {180, {108, 60}, {11, 60}},
        {45, {11, 11}, {108, 108}},  // corner to corner
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.angle);
        auto shape = shapeOf("R", {10, 10, 100, 100}, true, false);
        shape->_fill_type = "G";
        shape->_fill_Grad_clr1 = Colour::rgb(1, 0, 0);
        shape->_fill_Grad_clr2 = Colour::rgb(0, 0, 1);
        shape->_fill_grad_angle = c.angle;
        const PixelProbe probe = render(*shape);
        EXPECT_TRUE(near(probe.at(c.first.x(), c.first.y()), Qt::red, 12));
        EXPECT_TRUE(near(probe.at(c.second.x(), c.second.y()), Qt::blue, 12));
        EXPECT_TRUE(near(probe.at(60, 60), QColor(128, 0, 128), 12));
    }
}

TEST(ShapeDrawing, FillsCarryTheFillOpacityAndTheOutlineTheStrokeOpacity)
{
    for (const QString fill : {"S", "G", "H"}) {
        SCOPED_TRACE(fill.toStdString());
        auto shape = shapeOf("R", {10, 10, 100, 100});
        shape->_fill_type = fill;
        shape->_fillColor = shape->_fill_Grad_clr1 = shape->_fill_Grad_clr2 = shape->_fill_htch_clr =
            Colour::rgb(1, 0, 0);
        shape->alpha_val = 0.25f;
        shape->alpha_val_stroke = 0.75f;
        shape->_strokeWidth = 4;
        const PixelProbe probe = render(*shape, Qt::transparent);
        EXPECT_NEAR(probe.at(60, 60).alphaF(), 0.25, 0.02);
        EXPECT_NEAR(probe.at(8, 60).alphaF(), 0.75, 0.02);   // the outer half of the outline
    }
}

TEST(ShapeDrawing, HatchPatternTilesAtItsSizeInPointsOverTheBackground)
{
    TemporaryResources resources;
    // A 10 x 10 point pattern: a black 2 x 2 square in its top-left corner,
    // transparent elsewhere; stored at 72 and at 144 dots per inch.
    for (const int dpi : {72, 144}) {
        SCOPED_TRACE(dpi);
        const int scale = dpi / 72;
        QImage pattern(10 * scale, 10 * scale, QImage::Format_ARGB32);
        pattern.fill(Qt::transparent);
        for (int x = 0; x < 2 * scale; ++x)
            for (int y = 0; y < 2 * scale; ++y)
                pattern.setPixelColor(x, y, Qt::black);
        pattern.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
        pattern.setDotsPerMeterY(int(std::lround(dpi / 0.0254)));
        const QString name = QStringLiteral("dots%1").arg(dpi);
        ASSERT_TRUE(pattern.save(resources.patternFile(name), "PNG"));

        auto shape = shapeOf("R", {5, 5, 100, 100}, true, false);
        shape->_fill_type = "H";
        shape->_fill_hatch_type = name;
        shape->_fill_htch_clr = Colour::rgb(1, 0, 0);
        const PixelProbe probe = render(*shape);
        // Tiles lie at multiples of 10 from the canvas origin, not from the
        // shape's corner; the background shows through the pattern.
        for (int tx = 10; tx < 100; tx += 10) {
            for (int ty = 10; ty < 100; ty += 10) {
                ASSERT_TRUE(near(probe.at(tx + 1, ty + 1), Qt::black)) << tx << "," << ty;
                ASSERT_TRUE(near(probe.at(tx + 2, ty), Qt::red)) << tx << "," << ty;
                ASSERT_TRUE(near(probe.at(tx + 5, ty + 5), Qt::red)) << tx << "," << ty;
            }
        }
    }
}

TEST(ShapeDrawing, MissingOrUnreadablePatternDrawsBackgroundAndBorder)
{
    TemporaryResources resources;
    QFile broken(resources.patternFile("broken"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();
    for (const QString name : {"missing", "broken", "", "../Fill_Style_Image/broken"}) {
        SCOPED_TRACE(name.toStdString());
        auto shape = shapeOf("R", {10, 10, 100, 100});
        shape->_fill_type = "H";
        shape->_fill_hatch_type = name;
        shape->_fill_htch_clr = Colour::rgb(0, 0, 1);
        shape->_strokeWidth = 4;
        const PixelProbe probe = render(*shape);
        EXPECT_TRUE(near(probe.at(60, 60), Qt::blue));
        EXPECT_TRUE(near(probe.at(10, 60), Qt::black));
    }
}

TEST(ShapeDrawing, EveryPaintedPixelLiesInTheDrawingBounds)
{
    // The canvas clips each object to its drawing bounds: thick outlines'
    // mitred points must not be cut off.
    const struct {
        QString code;
        QRectF bounds;
        double width;
    } cases[] = {
        {"R", {20, 20, 60, 40}, 16},
        {"S", {20, 30, 80, 80}, 8},
        {"DS", {20, 30, 80, 80}, 8},
        {"T", {40, 20, 20, 90}, 6},
        {"P", {20, 20, 80, 80}, 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.code.toStdString() << " width " << c.width);
        auto shape = shapeOf(c.code, c.bounds, false);
        shape->_strokeWidth = c.width;
        const QRectF area = shape->drawingBounds();
        const PixelProbe probe = render(*shape);
        for (int x = 0; x < 130; ++x)
            for (int y = 0; y < 130; ++y)
                if (!probe.isBlank(x, y)) {
                    ASSERT_TRUE(area.contains(QRectF(x, y, 1, 1))) << x << "," << y;
                }
    }
    // Where the outline fits in the usual margin, the area is the usual one.
    auto rectangle = shapeOf("R", {0, 0, 10, 10});
    rectangle->_strokeWidth = 10;
    EXPECT_EQ(rectangle->drawingBounds(), QRectF(-5, -5, 21, 21));
}

TEST(ShapeDrawing, NothingForHiddenShapesOrUnknownCodes)
{
    auto hidden = shapeOf("R", {10, 10, 100, 100});
    hidden->ctrl_is_visible = false;
    auto unknown = shapeOf("Q", {10, 10, 100, 100});
    for (Shape_Control* shape : {hidden.get(), unknown.get()}) {
        const PixelProbe probe = render(*shape);
        EXPECT_TRUE(probe.isBlank(60, 60));
        EXPECT_TRUE(probe.isBlank(10, 60));
    }
}
