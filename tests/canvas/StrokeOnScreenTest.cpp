// Outlines of whole points on the canvas at 100 % cover whole pixel rows and
// columns; pictures of card sides keep the outlines as Qt strokes the paths.

#include "CanvasTestSupport.h"

#include "canvas/SKTGraphicView.h"
#include "canvas/SKTRenderingView.h"
#include "model/StrokeStep.h"

#include <gtest/gtest.h>
#include <QImage>

namespace {

class WhiteCardWindow : public CanvasMainWindow
{
public:
    void Card_Base_Drawing(QPainter& painter, const QRectF& rect) override { painter.fillRect(rect, Qt::white); }
    void cardBaseDrawingForSide(QPainter& painter, const QRectF& rect, int) override { Card_Base_Drawing(painter, rect); }
};

struct Outline { const char* name; QLatin1String shape; QRectF bounds; double width; };
const Outline outlines[] = {
    {"on whole points", ShapeCode::Rectangle, {20, 20, 60, 40}, 1},
    {"between points", ShapeCode::Rectangle, {100.3, 20.6, 50.4, 40.2}, 1},
    {"rounded", ShapeCode::RoundedRectangle, {20, 80, 60, 40}, 1},
    {"two points wide", ShapeCode::Rectangle, {100, 80.5, 50, 40}, 2},
    {"three points wide", ShapeCode::Rectangle, {170.25, 20, 50, 40}, 3},
    {"thinnest line", ShapeCode::Rectangle, {170, 80.5, 50, 40}, 0},
    {"along the card's edges", ShapeCode::Rectangle, {0, 0, 243, 154}, 1},
};

std::shared_ptr<Shape_Control> outlined(const Outline& o)
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

}

TEST(StrokeOnScreen, WholePointOutlinesCoverWholePixelsOnTheCanvas)
{
    WhiteCardWindow window;
    SKTDocument document;
    SKTGraphicView view(QRectF(0, 0, 243, 154), &window);
    view.controller().bind(SKTGraphicViewGraphicsBindingName, &document, "document.graphics");
    for (const Outline& o : outlines)
        document.insertGraphics({outlined(o)}, IndexSet(0));
    view.show();
    const QImage screen = view.grab().toImage();
    for (const Outline& o : outlines) {
        // Across the four edges halfway along: only white and black, and as
        // many black pixels as the line is wide.
        const QPoint middle = o.bounds.center().toPoint();
        int dark = 0;
        for (int d = -4; d <= 4; ++d) {
            for (const QPoint p : {QPoint(int(o.bounds.left()) + d, middle.y()), QPoint(int(o.bounds.right()) + d, middle.y()),
                                   QPoint(middle.x(), int(o.bounds.top()) + d), QPoint(middle.x(), int(o.bounds.bottom()) + d)}) {
                const int grey = screen.valid(p) ? qGray(screen.pixel(p)) : 255;
                EXPECT_TRUE(grey == 0 || grey == 255) << o.name << " " << grey << " at " << p.x() << ", " << p.y();
                dark += grey == 0;
            }
        }
        EXPECT_EQ(dark, 4 * std::max(1, int(o.width))) << o.name;
    }
}

TEST(StrokeOnScreen, PicturesOfCardSidesKeepTheOutlinesAsTheyAre)
{
    WhiteCardWindow window;
    for (const Outline& o : outlines) {
        const auto shape = outlined(o);
        const QRectF card(0, 0, 243, 154);
        const QImage rendered = SKTRenderingView(&window, card, {shape}, 0).pictureOfRect(card, 72).image();
        QImage expected(rendered.size(), rendered.format());   // the path as Qt strokes it
        expected.fill(Qt::white);
        QPainter painter(&expected);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.strokePath(shape->bezierPathForDrawing(), StrokeStep::pen(painter, Qt::black, o.width, {}, Qt::FlatCap));
        painter.end();
        EXPECT_EQ(rendered, expected) << o.name;
    }
}
