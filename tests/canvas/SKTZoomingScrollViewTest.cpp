// The zooming scroll view: the card centred on the desk, the zoom pop-up
// beside the scroll bar, clicks, drags, handles and the rubber band landing
// on card points at every factor with and without rulers, the rulers' ticks
// and markers over the card points they stand for, and the desk's shadow
// following the card's shape.

#include "CanvasTestSupport.h"

#include "canvas/CanvasRuler.h"
#include "canvas/SKTGraphicView.h"
#include "canvas/SKTZoomingScrollView.h"
#include "canvas/SWCenteringClipView.h"
#include "canvas/ZoomFactors.h"
#include "model/Globals.h"

#include <gtest/gtest.h>
#include <QComboBox>
#include <QScrollBar>
#include <QTest>
#include <QWindow>

#include <cmath>

namespace {
struct ZoomedCanvas {
    explicit ZoomedCanvas(CanvasHost* host) : view(new SKTGraphicView(QRectF(0, 0, 243, 154), host))
    {
        selection.setContent(&document, SKTDocumentGraphicsKey);
        view->controller().bind(SKTGraphicViewGraphicsBindingName, &document, "document.graphics");
        view->controller().bind(SKTGraphicViewSelectionIndexesBindingName, &selection, "selectionIndexes");
        area.setWidget(view);
        area.show();
        // a visible area of 600 x 400
        area.resize(area.size() + QSize(600, 400) - area.viewport()->size());
        // The window is shown and its layouts (the scroll bar row with the
        // pop-up among them) have settled, however busy the machine is.
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&area));
        for (int pass = 0; pass < 3; ++pass) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            QCoreApplication::processEvents();
        }
    }
    GraphicPtr add(const QRectF& bounds)
    {
        document.Enable_Disable_Undo_Registraion(false);
        document.insertGraphics({rectangleAt(bounds)}, IndexSet(int(document.graphics().size())));
        document.Enable_Disable_Undo_Registraion(true);
        return document.graphics().back();
    }
    // The canvas pixel of a card point, and the window point over it.
    QPoint pixel(QPointF point) const { return (point * area.factor()).toPoint(); }
    QPoint windowPoint(QPointF point) const { return view->mapTo(&area, pixel(point)); }
    // Mouse events as the window system delivers them: to whatever widget
    // lies under the point (a ruler, the desk or the canvas).
    void press(QPointF point) { QTest::mousePress(area.windowHandle(), Qt::LeftButton, {}, windowPoint(point)); }
    void moveTo(QPointF point) { QTest::mouseMove(area.windowHandle(), windowPoint(point)); }
    void release(QPointF point) { QTest::mouseRelease(area.windowHandle(), Qt::LeftButton, {}, windowPoint(point)); }
    // Scrolled so that the drag starts 10 pixels inside the visible area;
    // returns the distance dragged in card points, after the mouse lands on pixels.
    QPointF windowDrag(QPointF from, QPointF to)
    {
        area.scrollToPoint(from - QPointF(10, 10) / area.factor());
        press(from);
        moveTo((from + to) / 2);
        moveTo(to);
        release(to);
        return QPointF(pixel(to) - pixel(from)) / area.factor();
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
    ZoomedCanvas canvas(&window);
    ASSERT_EQ(canvas.area.viewport()->size(), QSize(600, 400));
    EXPECT_EQ(canvas.area.clipBounds(), QRectF(-179, -123, 600, 400));
    EXPECT_EQ(canvas.view->pos(), QPoint(179, 123));
    // A small card does not scroll.
    canvas.area.scrollToPoint({50, -300});
    EXPECT_EQ(canvas.view->pos(), QPoint(179, 123));
    // A new card size places the card again: wider than the view, it starts
    // at the view's left edge; still lower than the view, it stays centred
    // on that axis.
    canvas.view->setFrameSize(QSizeF(800, 200));
    EXPECT_EQ(canvas.view->pos(), QPoint(0, 100));
    canvas.view->setFrameSize(QSizeF(243, 154));
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
    // Card points that are multiples of 20 lie on whole pixels at every factor.
    for (int row = 0; row < ZoomFactors::count; ++row) {
        for (const bool rulers : {false, true}) {
            const double f = ZoomFactors::factor(row);
            SCOPED_TRACE(ZoomFactors::label(row).toStdString() + (rulers ? " with rulers" : ""));
            CanvasMainWindow window;
            ZoomedCanvas canvas(&window);
            canvas.area.setRulersVisible(rulers);
            canvas.area.setFactor(f);
            const GraphicPtr a = canvas.add({100, 60, 40, 40});
            const GraphicPtr b = canvas.add({20, 20, 20, 20});
            // a card smaller than the visible area lies in its middle
            const QSize visible = canvas.area.viewport()->size();
            EXPECT_EQ(visible.height(), rulers ? 380 : 400);
            const QPointF centre = QPointF(canvas.view->pos()) + QPointF(243, 154) * f / 2
                                   - QPointF(visible.width(), visible.height()) / 2;
            EXPECT_TRUE(243 * f >= visible.width() || std::abs(centre.x()) <= 0.5 + f / 2) << centre.x();
            EXPECT_TRUE(154 * f >= visible.height() || std::abs(centre.y()) <= 0.5 + f / 2) << centre.y();

            // a click at a's centre selects it; a drag moves it by the distance dragged
            canvas.windowDrag({120, 80}, {120, 80});
            EXPECT_EQ(canvas.selection.selectionIndexes(), IndexSet(0));
            const QPointF moved = canvas.windowDrag({120, 80}, {140, 100});
            EXPECT_NEAR(a->bounds().x(), 100 + moved.x(), 1e-9);
            EXPECT_NEAR(a->bounds().y(), 60 + moved.y(), 1e-9);
            // the lower right handle takes the corner to the point dragged to
            const QPointF origin = a->bounds().topLeft();
            canvas.windowDrag({160, 120}, {180, 140});
            EXPECT_NEAR(a->bounds().right(), canvas.pixel({180, 140}).x() / f, 1e-9);
            EXPECT_NEAR(a->bounds().bottom(), canvas.pixel({180, 140}).y() / f, 1e-9);
            EXPECT_EQ(a->bounds().topLeft(), origin);
            // a rubber band over b alone
            canvas.windowDrag({10, 10}, {25, 25});
            EXPECT_EQ(canvas.selection.selectionIndexes(), IndexSet(1));
            EXPECT_EQ(b->bounds(), QRectF(20, 20, 20, 20));
        }
    }
}

TEST(CanvasRuler, TicksLieOverTheirCardPointsAndMarkersFollowADrag)
{
    CanvasMainWindow window;
    ZoomedCanvas canvas(&window);
    CanvasRuler* const rulers[] = {canvas.area.ruler(Qt::Horizontal), canvas.area.ruler(Qt::Vertical)};
    EXPECT_TRUE(rulers[0]->isHidden());
    canvas.view->controller().showOrHideRulers();   // the canvas's command reaches its scroll view
    ASSERT_TRUE(canvas.area.rulersVisible() && rulers[0]->isVisible() && rulers[1]->isVisible());

    // Along a ruler: where the canvas draws card point p, in the ruler's pixels.
    const auto rulerPixel = [&](CanvasRuler* ruler, double p) {
        const int along = int(std::floor(p * canvas.area.factor()));
        const bool horizontal = ruler->orientation() == Qt::Horizontal;
        const QPoint inView = horizontal ? QPoint(along, 0) : QPoint(0, along);
        const QPoint at = ruler->mapFromGlobal(canvas.view->mapToGlobal(inView));
        return horizontal ? at.x() : at.y();
    };
    // A ruler's colour at a pixel along it, `fromCard` pixels from the edge next to the card.
    const auto colour = [](CanvasRuler* ruler, int along, int fromCard) {
        const QImage image = ruler->grab().toImage();
        return ruler->orientation() == Qt::Horizontal ? image.pixelColor(along, image.height() - 1 - fromCard)
                                                      : image.pixelColor(image.width() - 1 - fromCard, along);
    };
    const std::pair<double, QPointF> cases[] = {{0.5, {}}, {1.0, {}}, {4.0, {}}, {4.0, {60, 30}}};
    for (const auto& [factor, scrolledTo] : cases) {
        SCOPED_TRACE(factor);
        canvas.area.setFactor(factor);
        canvas.area.scrollToPoint(scrolledTo);
        for (CanvasRuler* ruler : rulers) {
            int labelled = 0;
            const int length = ruler->orientation() == Qt::Horizontal ? ruler->width() : ruler->height();
            for (const RulerTick& tick : ruler->scale().ticks(2, length - 3)) {
                if (tick.level != 0)
                    continue;
                ++labelled;
                const int at = rulerPixel(ruler, tick.millimetres * 72 / 25.4);
                EXPECT_LT(colour(ruler, at, 2).lightness(), 100) << tick.millimetres;
                EXPECT_GT(std::min(colour(ruler, at - 2, 2).lightness(), colour(ruler, at + 2, 2).lightness()), 150);
            }
            EXPECT_GE(labelled, 2);
        }
    }
    EXPECT_EQ(rulerPixel(rulers[0], 60), 0);   // scrolled by 60 and 30 points at 400 %
    EXPECT_EQ(rulerPixel(rulers[1], 30), 0);

    canvas.area.setFactor(1.0);
    const GraphicPtr a = canvas.add({100, 60, 40, 40});
    canvas.press({120, 80});
    canvas.moveTo({130, 85});
    canvas.moveTo({140, 90});
    ASSERT_EQ(a->bounds(), QRectF(120, 70, 40, 40));
    for (int m = 0; m < 3; ++m) {
        for (const auto& [ruler, location] : {std::pair {rulers[0], 120.0 + 20 * m}, {rulers[1], 70.0 + 20 * m}}) {
            EXPECT_EQ(ruler->markerLocation(m), location);
            EXPECT_EQ(colour(ruler, rulerPixel(ruler, location), 10), ruler->palette().color(QPalette::Highlight));
        }
    }
    canvas.release({140, 90});
    for (int m = 0; m < 3; ++m)
        EXPECT_EQ(rulers[0]->markerLocation(m) + rulers[1]->markerLocation(m), 2 * CanvasRuler::hiddenMarker);

    // hidden again: the visible area has its full size, the card its centre
    canvas.view->controller().showOrHideRulers();
    EXPECT_EQ(canvas.area.viewport()->size(), QSize(600, 400));
    EXPECT_EQ(canvas.view->pos(), QPoint(179, 123));
}

TEST(SWCenteringClipView, ShadowFallsRightAndDownUnderTheCardsShape)
{
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
}

TEST(CanvasRuler, NoLabelIsCutAtTheRulersStart)
{
    // At 50 % labels stand every 20 mm; at 200 % every 5 mm. The card origin
    // puts a labelled tick (-100 mm, -25 mm) a few pixels before the ruler,
    // so only the end of its label would show ("0" before "-80").
    const std::pair<double, double> rows[] = {{0.5, 100.0}, {2.0, 25.0}};
    for (const auto& [factor, millimetres] : rows) {
        SCOPED_TRACE(factor);
        CanvasRuler ruler(Qt::Horizontal);
        ruler.resize(400, CanvasRuler::thickness);
        const double origin = millimetres / RulerScale::millimetresPerPoint * factor - 6.0;
        ruler.setScale(factor, origin);
        const QImage image = ruler.grab().toImage();
        const QColor background = ruler.palette().color(QPalette::Window);
        // Before the first tick on the ruler, the label row holds no ink.
        const int firstTick = int(std::floor(ruler.scale().ticks(0, 400).front().pixel));
        ASSERT_GT(firstTick, 0);
        int ink = 0;
        for (int x = 0; x < firstTick; ++x) {
            for (int y = 0; y < CanvasRuler::thickness / 2 - 1; ++y)
                ink += image.pixelColor(x, y) != background;
        }
        EXPECT_EQ(ink, 0);
    }
}
