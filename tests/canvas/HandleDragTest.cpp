// The selection handles of every kind of card object, on the canvas widget
// under real mouse events: all of them are drawn, and a drag on each one
// resizes the object, on a fresh object and after the things a user does in
// between (editing a text, undo, reading the object back from its archive,
// zooming). A filled text lies on top of the object's right half, as texts
// of a design often overlap: the handles of the selected object stay above
// it and take the mouse before it.

#include "CanvasTestSupport.h"

#include "canvas/SKTGraphicView.h"
#include "model/SKTBarcode.h"
#include "model/SKTGraphicArchive.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTSignature.h"
#include "model/SKTText.h"
#include "platform/AttributedText.h"

#include <gtest/gtest.h>
#include <QImage>
#include <QTest>

#include <functional>

namespace {

const QRectF objectBounds(60, 40, 80, 50);
const QRectF coverBounds(110, 20, 60, 90);
const QColor knob(122, 150, 200);

GraphicPtr textObject()
{
    auto t = std::make_shared<SKTText>();
    t->Text_contents()->setString(QStringLiteral("Dear guest"));
    t->text_ctrl_font = FontSpec(QStringLiteral("DejaVu Sans"), 14);
    return t;
}

GraphicPtr lineObject()
{
    auto l = std::make_shared<SKTLine>();
    l->setBeginPoint(objectBounds.topLeft());
    l->setEndPoint(objectBounds.bottomRight());
    return l;
}

GraphicPtr ovalObject()
{
    auto s = std::make_shared<Shape_Control>();
    s->Set_Shape_Type(ShapeCode::Circle);
    return s;
}

GraphicPtr barcodeObject()
{
    auto b = std::make_shared<SKTBarcode>();
    QImage bars(160, 100, QImage::Format_RGB32);
    bars.fill(Qt::white);
    b->Set_Barcode_image(Picture(bars));
    return b;
}

struct Kind {
    const char* name;
    std::function<GraphicPtr()> make;
};

const Kind kinds[] = {
    {"line", lineObject},
    {"rectangle", [] { return GraphicPtr(std::make_shared<Shape_Control>()); }},
    {"oval", ovalObject},
    {"text", textObject},
    {"picture", [] { return GraphicPtr(std::make_shared<SKTImage>()); }},
    {"signature", [] { return GraphicPtr(std::make_shared<SKTSignature>()); }},
    {"barcode", barcodeObject},
};

enum class Path { Fresh, TextEdited, Undone, Archived, Zoom50, Zoom200 };
const std::pair<Path, const char*> paths[] = {
    {Path::Fresh, "fresh"},        {Path::TextEdited, "after a text edit"},
    {Path::Undone, "after undo"},  {Path::Archived, "read from its archive"},
    {Path::Zoom50, "at 50 %"},     {Path::Zoom200, "at 200 %"},
};

struct HandleCanvas {
    explicit HandleCanvas(CanvasHost* host) : view(QRectF(0, 0, 243, 154), host)
    {
        selection.setContent(&document, SKTDocumentGraphicsKey);
        view.controller().bind(SKTGraphicViewGraphicsBindingName, &document, "document.graphics");
        view.controller().bind(SKTGraphicViewSelectionIndexesBindingName, &selection, "selectionIndexes");
        view.show();
    }
    // The object under test at index 1, below the cover.
    void put(const GraphicPtr& g)
    {
        document.Enable_Disable_Undo_Registraion(false);
        if (document.graphics().isEmpty()) {
            cover = textObject();
            cover->_bounds = coverBounds;
            cover->_isDrawingFill = true;
            cover->_fillColor = Colour::white();
            document.insertGraphics({cover}, IndexSet(0));
        } else {
            document.removeGraphicsAtIndexes(IndexSet(1));
        }
        document.insertGraphics({g}, IndexSet(1));
        document.Enable_Disable_Undo_Registraion(true);
    }
    QPoint pixel(QPointF cardPoint) const { return (cardPoint * view.scale()).toPoint(); }
    void drag(QPointF from, QPointF to)
    {
        QTest::mousePress(&view, Qt::LeftButton, {}, pixel(from));
        QMouseEvent move(QEvent::MouseMove, QPointF(pixel(to)), view.mapToGlobal(QPointF(pixel(to))),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(&view, &move);
        QTest::mouseRelease(&view, Qt::LeftButton, {}, pixel(to));
    }

    SKTDocument document;
    SideSelection selection;
    SKTGraphicView view;
    GraphicPtr cover;
};

// The handle points of an object: the two ends of a line, else the corners
// and edge middles of its bounds.
QList<QPointF> handlePoints(const SKTGraphic& g)
{
    if (g.kind() == SKTGraphic::Kind::Line) {
        const auto& line = static_cast<const SKTLine&>(g);
        return {line.beginPoint(), line.endPoint()};
    }
    QList<QPointF> points;
    for (int h = SKTGraphic::UpperLeftHandle; h <= SKTGraphic::LowerRightHandle; ++h)
        points.append(SKTGraphic::handlePoint(g.bounds(), h));
    return points;
}

// The bounds a drag of handle `index` by (dx, dy) gives.
QRectF resized(QRectF b, bool line, int index, double dx, double dy)
{
    if (line)
        return index == 0 ? QRectF(b.topLeft() + QPointF(dx, dy), b.bottomRight()).normalized()
                          : QRectF(b.topLeft(), b.bottomRight() + QPointF(dx, dy)).normalized();
    const int h = index + 1;
    if (h == SKTGraphic::UpperLeftHandle || h == SKTGraphic::MiddleLeftHandle || h == SKTGraphic::LowerLeftHandle)
        b.setLeft(b.left() + dx);
    if (h == SKTGraphic::UpperRightHandle || h == SKTGraphic::MiddleRightHandle || h == SKTGraphic::LowerRightHandle)
        b.setRight(b.right() + dx);
    if (h == SKTGraphic::UpperLeftHandle || h == SKTGraphic::UpperMiddleHandle || h == SKTGraphic::UpperRightHandle)
        b.setTop(b.top() + dy);
    if (h == SKTGraphic::LowerLeftHandle || h == SKTGraphic::LowerMiddleHandle || h == SKTGraphic::LowerRightHandle)
        b.setBottom(b.bottom() + dy);
    return b;
}

} // namespace

TEST(SelectionHandles, EveryKindDrawsAllHandlesAndResizesByEachOfThem)
{
    CanvasMainWindow window;
    for (const Kind& kind : kinds) {
        for (const auto& [path, pathName] : paths) {
            SCOPED_TRACE(std::string(kind.name) + ", " + pathName);
            HandleCanvas canvas(&window);
            canvas.view.setScale(path == Path::Zoom50 ? 0.5 : path == Path::Zoom200 ? 2.0 : 1.0);
            GraphicPtr g = kind.make();
            if (g->kind() != SKTGraphic::Kind::Line)
                g->_bounds = objectBounds;
            canvas.put(g);
            CanvasController& controller = canvas.view.controller();
            controller.changeSelectionIndexes(IndexSet(1));

            if (path == Path::TextEdited) {
                // What the inspector does while the text is typed: new
                // characters, then the object handed to the canvas; the
                // next press on the canvas ends the editing.
                if (g->kind() == SKTGraphic::Kind::Text)
                    g->Text_contents()->setString(QStringLiteral("Dear guests and friends"));
                controller.startEditingGraphic(g);
                controller.stopEditing();
            } else if (path == Path::Undone) {
                canvas.drag(QPointF(76, 50), QPointF(96, 60));
                canvas.document.undoManager()->undo();
                ASSERT_EQ(g->bounds(), objectBounds);
            } else if (path == Path::Archived) {
                g = SKTGraphicArchive::graphicWithArchivedData(SKTGraphicArchive::archivedData(*g));
                ASSERT_TRUE(g);
                canvas.put(g);
                controller.changeSelectionIndexes(IndexSet(1));
            }

            const bool line = g->kind() == SKTGraphic::Kind::Line;
            const QList<QPointF> handles = handlePoints(*g);
            ASSERT_EQ(handles.size(), line ? 2 : 8);
            const QImage drawn = canvas.view.grab().toImage();
            int shown = 0;
            for (const QPointF& h : handles)
                shown += drawn.pixelColor(canvas.pixel(h)) == knob;
            EXPECT_EQ(shown, handles.size());

            for (int i = 0; i < handles.size(); ++i) {
                SCOPED_TRACE("handle " + std::to_string(i + 1));
                const QRectF before = g->bounds();
                // Whole pixels at every zoom: 8 and 6 points are 4 and 3 at 50 %.
                const QPointF by(8, 6);
                canvas.drag(handlePoints(*g).at(i), handlePoints(*g).at(i) + by);
                EXPECT_EQ(g->bounds(), resized(before, line, i, by.x(), by.y()));
                EXPECT_EQ(canvas.cover->bounds(), coverBounds);
                canvas.document.undoManager()->undo();
                EXPECT_EQ(g->bounds(), before);
            }
        }
    }
}

