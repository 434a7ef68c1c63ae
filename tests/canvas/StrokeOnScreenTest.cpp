// Outlines of whole points on the canvas at 100 % cover whole pixel rows and
// columns; pictures of card sides keep the outlines exactly as Qt strokes
// the paths.

#include "CanvasTestSupport.h"

#include "canvas/SKTGraphicView.h"
#include "canvas/SKTRenderingView.h"
#include "model/StrokeStep.h"

#include <gtest/gtest.h>
#include <QImage>

namespace {

// A canvas with a white card base.
class WhiteCardWindow : public CanvasMainWindow
{
public:
    void Card_Base_Drawing(QPainter& painter, const QRectF& rect) override { painter.fillRect(rect, Qt::white); }
    void cardBaseDrawingForSide(QPainter& painter, const QRectF& rect, int) override
    {
        painter.fillRect(rect, Qt::white);
    }
};

struct Outline {
    const char* name;
    QLatin1String shape;
    QRectF bounds;
    double width;
};

const Outline outlines[] = {
    {"rectangle on whole points", ShapeCode::Rectangle, {20, 20, 60, 40}, 1},
    {"rectangle between points", ShapeCode::Rectangle, {100.3, 20.6, 50.4, 40.2}, 1},
    {"rounded rectangle", ShapeCode::RoundedRectangle, {20, 80, 60, 40}, 1},
    {"two points wide", ShapeCode::Rectangle, {100, 80.5, 50, 40}, 2},
    {"three points wide", ShapeCode::Rectangle, {170.25, 20, 50, 40}, 3},
    {"thinnest line", ShapeCode::Rectangle, {170, 80.5, 50, 40}, 0},
    {"along the card's edges", ShapeCode::Rectangle, {0, 0, 243, 154}, 1},
};

GraphicPtr outlined(const Outline& o)
{
    auto shape = std::make_shared<Shape_Control>();
    shape->Set_Shape_Type(o.shape);
    shape->_bounds = o.bounds;
    shape->cor_rad_val_val = 8;
    shape->_isDrawingFill = false;
    shape->_isDrawingStroke = true;
    shape->_strokeColor = Colour::black();
    shape->_strokeWidth = o.width;
    return shape;
}

// The grey values crossing the outline's four edges halfway along, within
// the picture.
std::vector<int> acrossEdges(const QImage& image, const QRectF& bounds)
{
    std::vector<int> greys;
    const QPoint middle = bounds.center().toPoint();
    for (int d = -4; d <= 4; ++d) {
        for (const QPoint p : {QPoint(int(bounds.left()) + d, middle.y()), QPoint(int(bounds.right()) + d, middle.y()),
                               QPoint(middle.x(), int(bounds.top()) + d), QPoint(middle.x(), int(bounds.bottom()) + d)})
            if (image.valid(p))
                greys.push_back(qGray(image.pixel(p)));
    }
    return greys;
}

}

TEST(StrokeOnScreen, WholePointOutlinesCoverWholePixelsOnTheCanvas)
{
    WhiteCardWindow window;
    SKTDocument document;
    SKTGraphicView view(QRectF(0, 0, 243, 154));
    view.controller().bind(SKTGraphicViewGraphicsBindingName, &document, "document.graphics");
    GraphicList graphics;
    for (const Outline& o : outlines)
        graphics.append(outlined(o));
    document.Enable_Disable_Undo_Registraion(false);
    document.insertGraphics(graphics, IndexSet::range(0, int(graphics.size())));
    view.show();
    const QImage screen = view.grab().toImage();

    for (const Outline& o : outlines) {
        SCOPED_TRACE(o.name);
        const std::vector<int> greys = acrossEdges(screen, o.bounds);
        int dark = 0;
        for (const int grey : greys) {
            EXPECT_TRUE(grey == 0 || grey == 255) << grey;   // no grey pairs
            dark += grey == 0;
        }
        EXPECT_EQ(dark, 4 * std::max(1, int(o.width)));
    }
}

TEST(StrokeOnScreen, PicturesOfCardSidesKeepTheOutlinesAsTheyAre)
{
    WhiteCardWindow window;
    for (const Outline& o : outlines) {
        SCOPED_TRACE(o.name);
        const GraphicPtr shape = outlined(o);
        const QImage rendered =
            SKTRenderingView(QRectF(0, 0, 243, 154), {shape}, 0).pictureOfRect(QRectF(0, 0, 243, 154), 72).image();

        // The path stroked by Qt alone, unaligned.
        QImage expected(rendered.size(), rendered.format());
        expected.fill(Qt::white);
        QPainter painter(&expected);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.strokePath(std::static_pointer_cast<Shape_Control>(shape)->bezierPathForDrawing(),
                           StrokeStep::pen(painter, Qt::black, o.width, QString(), Qt::FlatCap));
        painter.end();
        EXPECT_EQ(rendered, expected);
        if (o.bounds == QRectF(20, 20, 60, 40)) {
            // On whole points that is a pair of half-grey pixels across each edge.
            for (const QPoint p : {QPoint(19, 40), QPoint(20, 40), QPoint(79, 40), QPoint(80, 40)})
                EXPECT_NEAR(qGray(rendered.pixel(p)), 128, 2);
        }
    }
}
