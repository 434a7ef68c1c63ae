// Pictures of shapes, checked pixel by pixel: filled star and polygon
// centres, gradient direction, hatch tiling and a missing pattern, rounded
// corners, mitred star points, dashes, opacity and hidden shapes.

#include "mainwindow/Globals.h"
#include "model/Shape_Control.h"
#include "PixelProbe.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

namespace {

std::shared_ptr<Shape_Control> shapeOf(const QString& code, QRectF bounds)
{
    auto shape = std::make_shared<Shape_Control>();
    shape->Set_Shape_Type(code);
    shape->_bounds = bounds;
    return shape;
}

PixelProbe render(Shape_Control& shape, int width = 120, int height = 120, QColor background = Qt::white)
{
    PixelProbe probe(width, height, background);
    probe.draw([&](QPainter& p) { shape.drawContentsInView(p, false); });
    return probe;
}

// A black shape without outline.
std::shared_ptr<Shape_Control> blackFilled(const QString& code, QRectF bounds)
{
    auto shape = shapeOf(code, bounds);
    shape->_fillColor = Colour::black();
    shape->_isDrawingStroke = false;
    return shape;
}

bool nearColour(QColor actual, QColor expected, int tolerance = 3)
{
    const QColor a = actual.toRgb();
    const QColor e = expected.toRgb();
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

    QString patternFile(const QString& name) const
    {
        return m_dir.filePath(QStringLiteral("Fill_Style_Image/") + name + QStringLiteral(".png"));
    }

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
                 {"P", 2, {11, 11}}, {"P", 3, {11, 11}}, {"P", 4, {11, 11}}, {"P", 5, {11, 11}},
                 {"C", 1, {11, 11}}, {"D", 1, {11, 11}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.code.toStdString() << " type " << c.type);
        auto shape = blackFilled(c.code, {10, 10, 100, 100});
        shape->double_star_type = c.type;
        shape->polygon_type = c.type;
        const PixelProbe probe = render(*shape);
        for (int dx = -3; dx <= 3; ++dx)
            for (int dy = -3; dy <= 3; ++dy)
                ASSERT_TRUE(probe.isDark(60 + dx, 60 + dy)) << dx << "," << dy;
        EXPECT_TRUE(probe.isBlank(c.outside.x(), c.outside.y()));
    }
}

TEST(ShapeDrawing, StarPointsAreMitred)
{
    // A five-pointed star's points are 36 degrees sharp; a mitred join runs
    // out to half the width / sin 18 degrees beyond the corner, about 9.7
    // points for a width of 6, where a bevel would stop within a point.
    auto star = shapeOf("S", {10, 20, 100, 100});
    star->_isDrawingFill = false;
    star->_strokeWidth = 6;
    const PixelProbe probe = render(*star, 120, 130);
    EXPECT_TRUE(probe.isDark(60, 13));
    EXPECT_FALSE(probe.isDark(60, 8));
}

TEST(ShapeDrawing, RoundedCornerRadius)
{
    const struct {
        float radius;
        QPoint point;
        bool dark;
    } cases[] = {
        {20, {12, 12}, false},    // outside the arc of radius 20 about (30, 30)
        {20, {17, 17}, true},
        {20, {30, 11}, true},     // the straight edge starts at the radius
        {20, {11, 30}, true},
        {10, {14, 14}, true},     // inside the smaller arc
        {10, {11, 11}, false},
        {0, {10, 10}, true},      // no radius: a sharp corner
        {-5, {10, 10}, true},
        {1000, {12, 12}, false},  // limited to half the sides: an oval
        {1000, {60, 11}, true},
        {1000, {12, 60}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "radius " << c.radius << " at " << c.point.x() << "," << c.point.y());
        auto shape = blackFilled("RR", {10, 10, 100, 100});
        shape->cor_rad_val_val = c.radius;
        const PixelProbe probe = render(*shape);
        EXPECT_EQ(probe.isDark(c.point.x(), c.point.y()), c.dark);
    }
}

TEST(ShapeDrawing, GradientAngleChoosesWhichEndHasTheFirstColour)
{
    const QColor red(255, 0, 0), blue(0, 0, 255);
    const struct {
        double angle;
        QPoint first, second;   // where the first and the second colour show
    } cases[] = {
        {0, {11, 60}, {108, 60}},     // left to right
        {90, {60, 11}, {60, 108}},    // top to bottom on the card
        {180, {108, 60}, {11, 60}},
        {270, {60, 108}, {60, 11}},
        {45, {11, 11}, {108, 108}},   // corner to corner
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.angle);
        auto shape = shapeOf("R", {10, 10, 100, 100});
        shape->_fill_type = "G";
        shape->_fill_Grad_clr1 = Colour::fromQColor(red);
        shape->_fill_Grad_clr2 = Colour::fromQColor(blue);
        shape->_fill_grad_angle = c.angle;
        shape->_isDrawingStroke = false;
        const PixelProbe probe = render(*shape);
        EXPECT_TRUE(nearColour(probe.at(c.first.x(), c.first.y()), red, 12)) << probe.at(c.first.x(), c.first.y()).name().toStdString();
        EXPECT_TRUE(nearColour(probe.at(c.second.x(), c.second.y()), blue, 12)) << probe.at(c.second.x(), c.second.y()).name().toStdString();
        // half-way it is a mix of both
        const QColor middle = probe.at(60, 60);
        EXPECT_NEAR(middle.red(), 128, 12);
        EXPECT_NEAR(middle.blue(), 128, 12);
    }
}

TEST(ShapeDrawing, GradientAndSolidCarryTheFillOpacityAndTheOutlineTheStrokeOpacity)
{
    for (const QString fill : {"S", "G"}) {
        SCOPED_TRACE(fill.toStdString());
        auto shape = shapeOf("R", {10, 10, 100, 100});
        shape->_fill_type = fill;
        shape->_fillColor = Colour::rgb(1, 0, 0);
        shape->_fill_Grad_clr1 = Colour::rgb(1, 0, 0);
        shape->_fill_Grad_clr2 = Colour::rgb(1, 0, 0);
        shape->alpha_val = 0.25f;
        shape->alpha_val_stroke = 0.75f;
        shape->_strokeWidth = 4;
        const PixelProbe probe = render(*shape, 120, 120, Qt::transparent);
        EXPECT_NEAR(probe.at(60, 60).alphaF(), 0.25, 0.02);
        // the outer half of the outline lies on nothing but the outline
        EXPECT_NEAR(probe.at(8, 60).alphaF(), 0.75, 0.02);
    }
}

TEST(ShapeDrawing, HatchPatternTilesAtItsSizeInPointsOverTheBackground)
{
    TemporaryResources resources;
    // A 10 x 10 point pattern: one black 2 x 2 square in its top-left corner,
    // transparent elsewhere, stored once at 72 and once at 144 dots per inch
    // (20 x 20 pixels, still 10 x 10 points).
    for (const int dpi : {72, 144}) {
        SCOPED_TRACE(dpi);
        const int scale = dpi / 72;
        QImage pattern(10 * scale, 10 * scale, QImage::Format_ARGB32);
        pattern.fill(Qt::transparent);
        for (int x = 0; x < 2 * scale; ++x)
            for (int y = 0; y < 2 * scale; ++y)
                pattern.setPixelColor(x, y, Qt::black);
        const int dotsPerMetre = int(std::lround(dpi / 0.0254));
        pattern.setDotsPerMeterX(dotsPerMetre);
        pattern.setDotsPerMeterY(dotsPerMetre);
        const QString name = QStringLiteral("dots%1").arg(dpi);
        ASSERT_TRUE(pattern.save(resources.patternFile(name), "PNG"));

        auto shape = shapeOf("R", {5, 5, 100, 100});
        shape->_fill_type = "H";
        shape->_fill_hatch_type = name;
        shape->_fill_htch_clr = Colour::rgb(1, 0, 0);
        shape->_isDrawingStroke = false;
        const PixelProbe probe = render(*shape);
        // The tiles lie at multiples of 10 from the canvas origin, not from
        // the shape's corner.
        for (int tx = 10; tx < 100; tx += 10) {
            for (int ty = 10; ty < 100; ty += 10) {
                ASSERT_TRUE(nearColour(probe.at(tx, ty), Qt::black)) << tx << "," << ty;
                ASSERT_TRUE(nearColour(probe.at(tx + 1, ty + 1), Qt::black)) << tx << "," << ty;
                ASSERT_TRUE(nearColour(probe.at(tx + 2, ty), Qt::red)) << tx << "," << ty;
                ASSERT_TRUE(nearColour(probe.at(tx + 5, ty + 5), Qt::red)) << tx << "," << ty;
            }
        }
        EXPECT_TRUE(probe.isBlank(2, 2));   // nothing outside the shape
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
        EXPECT_TRUE(nearColour(probe.at(60, 60), Qt::blue));
        EXPECT_TRUE(nearColour(probe.at(10, 60), Qt::black));   // the border
        EXPECT_TRUE(nearColour(probe.at(60, 109), Qt::black));
    }
}

TEST(ShapeDrawing, DashedOutlineRunsInPoints)
{
    for (const double width : {1.0, 5.0}) {
        SCOPED_TRACE(width);
        // The top edge's centre lies half-way down pixel row 10.
        auto shape = shapeOf("R", {10, 10.5, 100, 80});
        shape->_isDrawingFill = false;
        shape->_strokeWidth = width;
        shape->_stroke_border_type = "DA";
        const PixelProbe probe = render(*shape);
        // Skip the first dash, which the mitred corner widens.
        EXPECT_EQ(probe.darkLightRuns(10, 20, 60), std::vector<int>({8, 2, 8, 2, 8, 2, 8, 2}));
    }
}

TEST(ShapeDrawing, NothingForHiddenShapesUnknownCodesOrSwitchedOffFillAndStroke)
{
    auto hidden = shapeOf("R", {10, 10, 100, 100});
    hidden->_fillColor = Colour::black();
    hidden->ctrl_is_visible = false;
    auto unknown = shapeOf("Q", {10, 10, 100, 100});
    unknown->_fillColor = Colour::black();
    auto bare = shapeOf("C", {10, 10, 100, 100});
    bare->_fillColor = Colour::black();
    bare->_isDrawingFill = false;
    bare->_isDrawingStroke = false;
    for (Shape_Control* shape : {hidden.get(), unknown.get(), bare.get()}) {
        const PixelProbe probe = render(*shape);
        for (int x = 0; x < 120; x += 3)
            for (int y = 0; y < 120; y += 3)
                ASSERT_TRUE(probe.isBlank(x, y)) << shape->Get_shape_type().toStdString() << " " << x << "," << y;
    }
}
