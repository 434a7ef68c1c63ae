// One step of a move drag on a canvas, as the screen sees it: the mouse
// moves, the canvas moves the selected object and marks the areas it left
// and entered, and the marked area is drawn again. The side holds the
// dragged object and either a few or many other objects away from it, so
// the step's cost should follow the dragged object's size, not the number
// of objects elsewhere on the card.
//
// Arguments: number of other objects, side of the dragged square in points.

#include "canvas/CanvasController.h"
#include "canvas/SideSelection.h"
#include "model/SKTDocument.h"
#include "model/Shape_Control.h"

#include <benchmark/benchmark.h>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

namespace {

GraphicPtr square(const QRectF& bounds)
{
    auto g = std::make_shared<Shape_Control>();
    g->_bounds = bounds;
    g->_fillColor = Colour::black();
    return g;
}

void BM_DragStep(benchmark::State& state)
{
    const int others = int(state.range(0));
    const double side = double(state.range(1));

    SKTDocument document;
    SideSelection selection;
    CanvasController canvas(QRectF(0, 0, 243, 154));
    selection.setContent(&document, SKTDocumentGraphicsKey);
    canvas.bind(SKTGraphicViewGraphicsBindingName, &document, QStringLiteral("document.graphics"));
    canvas.bind(SKTGraphicViewSelectionIndexesBindingName, &selection, QStringLiteral("selectionIndexes"));

    // The other objects fill the right part of the card, clear of the drag.
    GraphicList list {square(QRectF(4, 4, side, side))};
    for (int i = 0; i < others; ++i)
        list.append(square(QRectF(130 + (i % 25) * 4.0, 4 + (i / 25) * 7.0, 3, 5)));
    document.Enable_Disable_Undo_Registraion(false);
    document.insertGraphics(list, IndexSet::range(0, int(list.size())));
    document.Enable_Disable_Undo_Registraion(true);
    canvas.changeSelectionIndexes(IndexSet(0));

    QRectF dirty;
    QObject::connect(&canvas, &CanvasController::needsDisplayInRect,
                     [&dirty](const QRectF& r) { dirty = dirty.isNull() ? r : dirty.united(r); });

    QImage screen(243, 154, QImage::Format_ARGB32_Premultiplied);
    screen.fill(Qt::white);
    CanvasMouseEvent event;
    event.point = QPointF(5, 5);
    canvas.mouseDown(event);
    event.point = QPointF(10, 10);
    canvas.mouseDragged(event);   // past the drag threshold

    double redrawn = 0;
    bool away = false;
    for (auto _ : state) {
        away = !away;
        event.point = away ? QPointF(12, 11) : QPointF(10, 10);
        dirty = QRectF();
        canvas.mouseDragged(event);
        QPainter painter(&screen);
        painter.setClipRect(dirty);
        canvas.drawRect(painter, dirty);
        redrawn += dirty.width() * dirty.height();
    }
    canvas.mouseUp(event);
    state.counters["area_pt2"] = benchmark::Counter(redrawn / double(state.iterations()));
}

} // namespace

BENCHMARK(BM_DragStep)->Args({10, 20})->Args({500, 20})->Args({10, 90})->Args({500, 90});

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
