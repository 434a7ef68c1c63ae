// The zooming scroll view: the card centred on the desk, the zoom pop-up
// beside the scroll bar, clicks, drags, handles and the rubber band landing
// on card points at every factor, and the desk's shadow following the
// card's shape.

#include "CanvasTestSupport.h"

#include "canvas/SKTGraphicView.h"
#include "canvas/SKTZoomingScrollView.h"
#include "canvas/SWCenteringClipView.h"
#include "model/Globals.h"

#include <gtest/gtest.h>
#include <QComboBox>
#include <QScrollBar>
#include <QTest>

namespace {
struct ZoomedCanvas {
    ZoomedCanvas() : view(new SKTGraphicView(QRectF(0, 0, 243, 154)))
    {
        selection.setContent(&document, SKTDocumentGraphicsKey);
        view->controller().bind(SKTGraphicViewGraphicsBindingName, &document, "document.graphics");
        view->controller().bind(SKTGraphicViewSelectionIndexesBindingName, &selection, "selectionIndexes");
        area.setWidget(view);
        area.show();
        // a visible area of 600 x 400
        area.resize(area.size() + QSize(600, 400) - area.viewport()->size());
        QCoreApplication::processEvents();
    }
    GraphicPtr add(const QRectF& bounds)
    {
        document.Enable_Disable_Undo_Registraion(false);
        document.insertGraphics({rectangleAt(bounds)}, IndexSet(int(document.graphics().size())));
        document.Enable_Disable_Undo_Registraion(true);
        return document.graphics().back();
    }
    // A press, one step and a release at card points, through the widget.
    void drag(QPointF from, QPointF to)
    {
        const double f = area.factor();
        QTest::mousePress(view, Qt::LeftButton, {}, (from * f).toPoint());
        QTest::mouseMove(view, ((from + to) / 2 * f).toPoint());
        QTest::mouseMove(view, (to * f).toPoint());
        QTest::mouseRelease(view, Qt::LeftButton, {}, (to * f).toPoint());
    }

    SKTDocument document;
    SideSelection selection;
    SKTZoomingScrollView area;
    SKTGraphicView* view;
};
}

TEST(SKTZoomingScrollView, CentresTheCardAndZoomsFromThePopUp)
{
    CanvasMainWindow window;
    ZoomedCanvas canvas;
    ASSERT_EQ(canvas.area.viewport()->size(), QSize(600, 400));
    EXPECT_EQ(canvas.area.clipBounds(), QRectF(-179, -123, 600, 400));
    EXPECT_EQ(canvas.view->pos(), QPoint(179, 123));
    // A small card does not scroll.
    canvas.area.scrollToPoint({50, -300});
    EXPECT_EQ(canvas.view->pos(), QPoint(179, 123));

    // The pop-up takes the left end of the scroll bar's row, at its height.
    QComboBox* popUp = canvas.area.factorPopUpButton();
    QScrollBar* bar = canvas.area.horizontalScrollBar();
    const QRect popUpFrame(popUp->mapTo(&canvas.area, QPoint(0, 0)), popUp->size());
    const QRect barFrame(bar->mapTo(&canvas.area, QPoint(0, 0)), bar->size());
    EXPECT_EQ(popUpFrame.left(), canvas.area.viewport()->geometry().left());
    EXPECT_EQ(popUpFrame.height(), barFrame.height());
    EXPECT_EQ(popUpFrame.top(), barFrame.top());
    EXPECT_EQ(popUpFrame.right() + 1, barFrame.left());
    EXPECT_EQ(popUp->currentText(), QStringLiteral("100%"));

    std::vector<double> reported;
    QObject::connect(&canvas.area, &SKTZoomingScrollView::factorChanged, [&](double f) { reported.push_back(f); });
    emit popUp->activated(7);
    EXPECT_EQ(reported, std::vector<double>({2.0}));
    EXPECT_EQ(canvas.area.clipBounds(), QRectF(-29, -23, 300, 200));
    EXPECT_EQ(canvas.view->geometry(), QRect(58, 46, 486, 308));

    // 1600 %: the card is larger than the view and scrolls within its edges.
    canvas.area.setFactor(16.0);
    EXPECT_EQ(popUp->currentText(), QStringLiteral("1600%"));
    canvas.area.scrollToPoint({1000, -5});
    // 243 - 600 / 16 = 205.5 rounds away from zero
    EXPECT_EQ(canvas.area.clipBounds().topLeft(), QPointF(206, 0));
    EXPECT_EQ(bar->value(), 206);
    EXPECT_EQ(canvas.view->pos(), QPoint(-3296, 0));
}

TEST(SKTZoomingScrollView, MouseLandsOnCardPointsAtEveryFactor)
{
    for (const double f : {0.5, 1.0, 2.0, 4.0}) {
        SCOPED_TRACE(f);
        CanvasMainWindow window;
        ZoomedCanvas canvas;
        canvas.area.setFactor(f);
        const GraphicPtr a = canvas.add({100, 60, 40, 30});
        const GraphicPtr b = canvas.add({20, 20, 20, 20});

        canvas.drag({120, 75}, {120, 75});
        EXPECT_EQ(canvas.selection.selectionIndexes(), IndexSet(0));
        // 24 widget pixels to the right, 16 down
        canvas.drag({120, 75}, QPointF(120, 75) + QPointF(24, 16) / f);
        EXPECT_EQ(a->bounds(), QRectF(QPointF(100, 60) + QPointF(24, 16) / f, QSizeF(40, 30)));
        // the lower right handle grows the selected object
        const QPointF corner = a->bounds().bottomRight();
        canvas.drag(corner, corner + QPointF(8, 4));
        EXPECT_EQ(a->bounds().size(), QSizeF(48, 34));
        // a rubber band around b alone
        canvas.drag({10, 10}, {50, 50});
        EXPECT_EQ(canvas.selection.selectionIndexes(), IndexSet(1));
        EXPECT_EQ(b->bounds(), QRectF(20, 20, 20, 20));
    }
}

TEST(SWCenteringClipView, ShadowFallsRightAndDownUnderTheCardsShape)
{
    const int savedShape = Card_Shape;
    SWCenteringClipView desk;
    desk.resize(300, 200);
    desk.setDocumentRect({50, 50, 200, 100});
    const QColor control = desk.palette().color(QPalette::Button);
    struct Case {
        int shape;
        bool cornerFilled;   // 2 points in from the corner
        bool nearCornerFilled;   // 12 points in from the corner
    };
    for (const Case c : {Case {0, true, true}, Case {1, false, true}, Case {2, false, false}, Case {7, true, true}}) {
        SCOPED_TRACE(c.shape);
        Card_Shape = c.shape;
        const QImage image = desk.grab().toImage();
        EXPECT_EQ(image.pixelColor(52, 52) == control, c.cornerFilled);
        EXPECT_EQ(image.pixelColor(62, 62) == control, c.nearCornerFilled);
        EXPECT_EQ(image.pixelColor(150, 100), control);
        // darker beside the card than far from it, more so right and below
        const int right = image.pixelColor(295, 100).lightness() - image.pixelColor(253, 100).lightness();
        const int left = image.pixelColor(5, 100).lightness() - image.pixelColor(47, 100).lightness();
        const int below = image.pixelColor(150, 195).lightness() - image.pixelColor(150, 153).lightness();
        EXPECT_GT(left, 0);
        EXPECT_GT(right, left);
        EXPECT_GT(below, 0);
    }
    Card_Shape = savedShape;
}
