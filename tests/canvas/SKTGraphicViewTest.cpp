// The canvas widget with real mouse and key events: it hands them to its
// controller in canvas coordinates and paints what the controller draws.

#include "CanvasTestSupport.h"

#include "canvas/SKTGraphicView.h"
#include "model/SKTBarcode.h"

#include <gtest/gtest.h>
#include <QImage>
#include <QTest>

namespace {

struct ShownCanvas {
    ShownCanvas() : view(QRectF(0, 0, 243, 154))
    {
        selection.setContent(&document, SKTDocumentGraphicsKey);
        view.controller().bind(SKTGraphicViewGraphicsBindingName, &document, QStringLiteral("document.graphics"));
        view.controller().bind(SKTGraphicViewSelectionIndexesBindingName, &selection,
                               QStringLiteral("selectionIndexes"));
        view.show();
        view.activateWindow();
        active = QTest::qWaitForWindowActive(&view);
    }
    void fill(const GraphicList& graphics)
    {
        document.Enable_Disable_Undo_Registraion(false);
        document.insertGraphics(graphics, IndexSet::range(0, int(graphics.size())));
        document.Enable_Disable_Undo_Registraion(true);
    }
    QColor pixel(int x, int y) { return view.grab().toImage().pixelColor(x, y); }

    SKTDocument document;
    SideSelection selection;
    SKTGraphicView view;
    bool active = false;
};

GraphicPtr blackSquare(const QRectF& bounds)
{
    GraphicPtr g = rectangleAt(bounds);
    g->_fillColor = Colour::black();
    return g;
}

} // namespace

TEST(SKTGraphicView, TakesTheCardSizeAndPaintsTheSide)
{
    CanvasMainWindow window;
    ShownCanvas canvas;
    EXPECT_EQ(canvas.view.size(), QSize(243, 154));
    canvas.view.setFrameSize({300.5, 200});
    EXPECT_EQ(canvas.view.size(), QSize(301, 200));
    EXPECT_EQ(canvas.view.controller().bounds(), QRectF(0, 0, 300.5, 200));

    const GraphicPtr square = blackSquare({20, 20, 40, 40});
    canvas.fill({square});
    EXPECT_EQ(canvas.pixel(40, 40), QColor(Qt::black));
    EXPECT_FALSE(window.cardBaseRects.isEmpty());
    EXPECT_EQ(window.cardBaseRects.back(), QRectF(0, 0, 300.5, 200));

    square->setBounds({120, 20, 40, 40});
    EXPECT_NE(canvas.pixel(40, 40), QColor(Qt::black));
    EXPECT_EQ(canvas.pixel(140, 40), QColor(Qt::black));
}

TEST(SKTGraphicView, MouseDragMovesAndShiftClickToggles)
{
    CanvasMainWindow window;
    ShownCanvas canvas;
    const GraphicPtr a = blackSquare({20, 20, 40, 40});
    const GraphicPtr b = blackSquare({120, 20, 40, 40});
    canvas.fill({a, b});

    QTest::mousePress(&canvas.view, Qt::LeftButton, Qt::NoModifier, QPoint(30, 30));
    QTest::mouseMove(&canvas.view, QPoint(35, 40));
    QTest::mouseMove(&canvas.view, QPoint(40, 45));
    QTest::mouseRelease(&canvas.view, Qt::LeftButton, Qt::NoModifier, QPoint(40, 45));
    EXPECT_EQ(a->bounds(), QRectF(30, 35, 40, 40));
    EXPECT_EQ(canvas.selection.selectionIndexes(), IndexSet(0));
    if (canvas.active) {
        EXPECT_TRUE(canvas.view.hasFocus());
    }

    QTest::mouseClick(&canvas.view, Qt::LeftButton, Qt::ShiftModifier, QPoint(130, 30));
    EXPECT_EQ(canvas.selection.selectionIndexes(), IndexSet({0, 1}));
    QTest::mouseClick(&canvas.view, Qt::LeftButton, Qt::ShiftModifier, QPoint(40, 45));
    EXPECT_EQ(canvas.selection.selectionIndexes(), IndexSet(1));

    // Only the left button selects.
    QTest::mouseClick(&canvas.view, Qt::RightButton, Qt::NoModifier, QPoint(40, 45));
    EXPECT_EQ(canvas.selection.selectionIndexes(), IndexSet(1));

    // The drag was one undo step.
    canvas.document.undoManager()->undo();
    EXPECT_EQ(a->bounds(), QRectF(20, 20, 40, 40));
}

TEST(SKTGraphicView, ArrowKeysNudgeTheSelection)
{
    CanvasMainWindow window;
    ShownCanvas canvas;
    const GraphicPtr a = blackSquare({20, 20, 40, 40});
    canvas.fill({a});
    canvas.view.controller().changeSelectionIndexes(IndexSet(0));

    QTest::keyClick(&canvas.view, Qt::Key_Right);
    QTest::keyClick(&canvas.view, Qt::Key_Right);
    QTest::keyClick(&canvas.view, Qt::Key_Up);
    EXPECT_EQ(a->bounds(), QRectF(22, 19, 40, 40));
    EXPECT_TRUE(canvas.view.controller().isHidingHandles());
    canvas.document.undoManager()->undo();
    EXPECT_EQ(a->bounds(), QRectF(22, 20, 40, 40));
}

TEST(SKTGraphicView, DrawingOutAnObjectAndDoubleClickingABarcode)
{
    CanvasMainWindow window;
    ShownCanvas canvas;
    window.Selected_Control_Tool = 10;
    window.toolClass = QStringLiteral("SKTBarcode");

    QTest::mousePress(&canvas.view, Qt::LeftButton, Qt::NoModifier, QPoint(20, 30));
    QTest::mouseMove(&canvas.view, QPoint(100, 60));
    QTest::mouseMove(&canvas.view, QPoint(140, 90));
    QTest::mouseRelease(&canvas.view, Qt::LeftButton, Qt::NoModifier, QPoint(140, 90));
    ASSERT_EQ(canvas.document.graphics().size(), 1);
    const GraphicPtr barcode = canvas.document.graphics().at(0);
    EXPECT_EQ(barcode->kind(), SKTGraphic::Kind::Barcode);
    EXPECT_EQ(barcode->bounds(), QRectF(20, 30, 120, 60));

    window.toolClass.clear();
    QTest::mouseDClick(&canvas.view, Qt::LeftButton, Qt::NoModifier, QPoint(60, 60));
    EXPECT_EQ(window.barcodeWindowOpenings, 1);
    EXPECT_EQ(canvas.view.controller()._Selected_Graphic, barcode);
}
