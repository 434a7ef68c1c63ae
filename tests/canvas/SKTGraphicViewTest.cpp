// The canvas widget under real mouse and key events: it hands them to its
// controller in canvas points and paints what the controller draws.

#include "CanvasTestSupport.h"

#include "canvas/SKTGraphicView.h"

#include <gtest/gtest.h>
#include <QImage>
#include <QTest>

namespace {
struct ShownCanvas {
    explicit ShownCanvas(CanvasHost* host) : view(QRectF(0, 0, 243, 154), host)
    {
        selection.setContent(&document, SKTDocumentGraphicsKey);
        view.controller().bind(SKTGraphicViewGraphicsBindingName, &document, "document.graphics");
        view.controller().bind(SKTGraphicViewSelectionIndexesBindingName, &selection, "selectionIndexes");
        view.show();
        view.activateWindow();
        active = QTest::qWaitForWindowActive(&view);
    }
    GraphicPtr add(const QRectF& bounds)
    {
        GraphicPtr g = rectangleAt(bounds);
        g->_fillColor = Colour::black();
        document.Enable_Disable_Undo_Registraion(false);
        document.insertGraphics({g}, IndexSet(int(document.graphics().size())));
        document.Enable_Disable_Undo_Registraion(true);
        return g;
    }
    QColor pixel(int x, int y) { return view.grab().toImage().pixelColor(x, y); }

    SKTDocument document;
    SideSelection selection;
    SKTGraphicView view;
    bool active = false;
};
}

TEST(SKTGraphicView, TakesTheCardSizeAndRepaintsWhatChanged)
{
    CanvasMainWindow window;
    ShownCanvas canvas(&window);
    canvas.view.setFrameSize({300.5, 200});
    EXPECT_EQ(canvas.view.size(), QSize(301, 200));

    const GraphicPtr square = canvas.add({20, 20, 40, 40});
    EXPECT_EQ(canvas.pixel(40, 40), QColor(Qt::black));
    EXPECT_EQ(window.cardBase.back().first, QRectF(0, 0, 300.5, 200));
    square->setBounds({120, 20, 40, 40});
    EXPECT_NE(canvas.pixel(40, 40), QColor(Qt::black));
    EXPECT_EQ(canvas.pixel(140, 40), QColor(Qt::black));
}

TEST(SKTGraphicView, MouseAndKeys)
{
    CanvasMainWindow window;
    ShownCanvas canvas(&window);
    const GraphicPtr a = canvas.add({20, 20, 40, 40});
    const GraphicPtr b = canvas.add({120, 20, 40, 40});

    QTest::mousePress(&canvas.view, Qt::LeftButton, {}, QPoint(30, 30));
    QTest::mouseMove(&canvas.view, QPoint(35, 40));
    QTest::mouseRelease(&canvas.view, Qt::LeftButton, {}, QPoint(40, 45));
    EXPECT_EQ(a->bounds(), QRectF(30, 35, 40, 40));
    if (canvas.active) {
        EXPECT_TRUE(canvas.view.hasFocus());
    }

    QTest::mouseClick(&canvas.view, Qt::LeftButton, Qt::ShiftModifier, QPoint(130, 30));
    QTest::mouseClick(&canvas.view, Qt::RightButton, {}, QPoint(200, 130));   // only the left button selects
    EXPECT_EQ(canvas.selection.selectionIndexes(), IndexSet({0, 1}));
    QTest::keyClick(&canvas.view, Qt::Key_Right);
    QTest::keyClick(&canvas.view, Qt::Key_Down);
    EXPECT_EQ(b->bounds(), QRectF(121, 21, 40, 40));

    canvas.document.undoManager()->undo();
    canvas.document.undoManager()->undo();
    canvas.document.undoManager()->undo();
    EXPECT_EQ(a->bounds(), QRectF(20, 20, 40, 40));

    window.Selected_Control_Tool = 10;
    window.toolClass = "SKTBarcode";
    QTest::mousePress(&canvas.view, Qt::LeftButton, {}, QPoint(20, 80));
    QTest::mouseMove(&canvas.view, QPoint(100, 100));
    QTest::mouseRelease(&canvas.view, Qt::LeftButton, {}, QPoint(140, 140));
    const GraphicPtr barcode = canvas.document.graphics().at(0);
    EXPECT_EQ(barcode->className(), QLatin1String("SKTBarcode"));
    EXPECT_EQ(barcode->bounds(), QRectF(20, 80, 120, 60));

    window.toolClass.clear();
    QTest::mouseDClick(&canvas.view, Qt::LeftButton, {}, QPoint(60, 100));
    EXPECT_EQ(window.barcodeWindowOpenings, 1);
}
