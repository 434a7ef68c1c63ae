// The drawing area an object keeps between redraws must follow every field it
// depends on, however the field is written: directly (inspector, archive
// reading) or through a published key (undo).

#include "model/SKTGraphic.h"
#include "model/SKTLine.h"

#include <gtest/gtest.h>
#include <QImage>
#include <functional>

namespace {

using Change = std::function<void(SKTGraphic&)>;

// An object of the class with a thick outline, so that a figure's mitred
// points reach past the usual margin, after `prepare`.
GraphicPtr objectOf(const QString& className, const Change& prepare)
{
    GraphicPtr g = SKTGraphic::makeOfClass(className);
    g->_bounds = QRectF(20, 30, 80, 60);
    g->_strokeWidth = 12;
    if (prepare)
        prepare(*g);
    return g;
}

Change shapeCode(const char* code, int type = 1)
{
    return [=](SKTGraphic& g) {
        g._shape_type = QLatin1String(code);
        g.double_star_type = type;
        g.polygon_type = type;
    };
}

Picture pictureOf(int width, int height)
{
    return Picture(QImage(width, height, QImage::Format_ARGB32), QSizeF(width, height));
}

} // namespace

TEST(DrawingBoundsFreshness, FollowEveryFieldTheyDependOn)
{
    struct Row {
        QString className;
        Change prepare;
        const char* field;
        Change change;
        bool moves;   // the change is expected to change the area
    };
    QList<Row> rows;
    const QStringList kinds {"SKTGraphic", "SKTText", "SKTLine", "Shape_Control", "SKTImage", "SKTSignature",
                             "SKTBarcode"};
    for (const QString& kind : kinds) {
        const bool strokes = kind != QLatin1String("SKTBarcode");
        const bool canStopStroking = strokes && kind != QLatin1String("SKTLine");
        const Change star = kind == QLatin1String("Shape_Control") ? shapeCode("S") : Change();
        rows += {
            {kind, star, "x", [](SKTGraphic& g) { g._bounds.moveLeft(31); }, true},
            {kind, star, "y", [](SKTGraphic& g) { g._bounds.moveTop(7); }, true},
            {kind, star, "width", [](SKTGraphic& g) { g._bounds.setWidth(140); }, true},
            {kind, star, "height", [](SKTGraphic& g) { g._bounds.setHeight(25); }, true},
            {kind, star, "stroke width", [](SKTGraphic& g) { g._strokeWidth = 20; }, strokes},
            {kind, star, "stroke off", [](SKTGraphic& g) { g._isDrawingStroke = false; }, canStopStroking},
            {kind, star, "bounds key", [](SKTGraphic& g) { g.setValueForKey(QRectF(5, 6, 70, 90), "bounds"); },
             true},
            {kind, star, "stroke width key", [](SKTGraphic& g) { g.setValueForKey(2.0, "strokeWidth"); },
             strokes},
            {kind, star, "stroke key", [](SKTGraphic& g) { g.setValueForKey(false, "drawingStroke"); },
             canStopStroking},
        };
    }
    rows += {
        {"Shape_Control", shapeCode("S"), "shape code", [](SKTGraphic& g) { g._shape_type = "R"; }, true},
        {"Shape_Control", shapeCode("R"), "shape setter", [](SKTGraphic& g) { g.Set_Shape_Type("T"); }, true},
        {"Shape_Control", shapeCode("DS", 1), "double star type", [](SKTGraphic& g) { g.double_star_type = 5; },
         true},
        {"Shape_Control", shapeCode("P", 1), "polygon type", [](SKTGraphic& g) { g.polygon_type = 3; }, true},
        {"Shape_Control", shapeCode("RR"), "corner radius", [](SKTGraphic& g) { g.cor_rad_val_val = 40; },
         false},
        {"SKTBarcode", [](SKTGraphic& g) { g._barcode_image = pictureOf(60, 20); }, "picture",
         [](SKTGraphic& g) { g.Set_Barcode_image(pictureOf(200, 150)); }, true},
        {"SKTLine", {}, "line ends",
         [](SKTGraphic& g) { static_cast<SKTLine&>(g).setDirection(false, true); }, false},
        {"SKTText", {}, "text",
         [](SKTGraphic& g) {
             g._Text_contents = std::make_shared<AttributedText>("A much longer line of text", FontSpec(),
                                                                 Colour::black());
         },
         false},
    };

    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.className.toStdString() << " " << row.field);
        GraphicPtr drawn = objectOf(row.className, row.prepare);
        const QRectF before = drawn->drawingBounds();
        row.change(*drawn);
        GraphicPtr fresh = objectOf(row.className, row.prepare);
        row.change(*fresh);
        EXPECT_EQ(drawn->drawingBounds(), fresh->drawingBounds());
        if (row.moves) {
            EXPECT_NE(fresh->drawingBounds(), before);
        }
    }
}
