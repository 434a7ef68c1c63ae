// The shape panel of the inspector: filling it from a shape, writing it into
// the selected objects, and the panel in the real main window.

#include "WindowControllerFixture.h"

#include "canvas/SKTGraphicView.h"
#include "mainwindow/ColorWell.h"
#include "mainwindow/inspector/ShapePanel.h"
#include "mainwindow/inspector/ShapePanelRules.h"
#include "model/Shape_Control.h"
#include "platform/UndoManager.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include <cmath>
#include <limits>

namespace {

const Colour kRed = Colour::rgb(1, 0, 0);
const Colour kGreen = Colour::rgb(0, 1, 0);
const Colour kBlue = Colour::rgb(0, 0, 1);

TEST(ShapePanelRules, FillsEveryControlFromTheShape)
{
    Shape_Control g;
    g._isDrawingStroke = false;
    g._strokeColor = kRed;
    g._strokeWidth = 3.6;
    g._stroke_border_type = "DD";
    g._isDrawingFill = true;
    g._fillColor = kGreen;
    g._fill_type = "H";
    g._fill_Grad_clr1 = kBlue;
    g._fill_Grad_clr2 = kRed;
    g._fill_grad_angle = 45.5;
    g._fill_htch_clr = kGreen;
    g._fill_hatch_type = "Dots";
    g.alpha_val = 0.53f;   // 52.99.. as a float product: shown rounded
    g.cor_rad_val_val = 7.5f;
    g.double_star_type = 4;
    g.polygon_type = 2;
    g.print_object = 1;

    const ShapePanelState s = ShapePanelRules::fromGraphic(g);
    EXPECT_FALSE(s.borderOn);
    EXPECT_EQ(s.borderColour, kRed);
    EXPECT_EQ(s.borderWidth, 4);
    EXPECT_EQ(s.borderStyleIndex, 3);
    EXPECT_TRUE(s.fillOn);
    EXPECT_EQ(s.fillColour, kGreen);
    EXPECT_TRUE(s.hatchRadio && !s.gradientRadio && !s.solidRadio);
    EXPECT_EQ(s.gradientColour1, kBlue);
    EXPECT_EQ(s.gradientColour2, kRed);
    EXPECT_DOUBLE_EQ(s.gradientAngle, 45.5);
    EXPECT_EQ(s.hatchBackground, kGreen);
    EXPECT_EQ(s.hatchStyle, "Dots");
    EXPECT_EQ(s.alphaPercent, 53);
    EXPECT_DOUBLE_EQ(s.cornerRadius, 7.5);
    EXPECT_EQ(s.doubleStarType, 4);
    EXPECT_EQ(s.polygonType, 2);
    EXPECT_EQ(s.printObject, 1);
}

TEST(ShapePanelRules, RadiosStyleAndOpacityByCode)
{
    const struct {
        const char* fill;
        const char* dash;
        float alpha;
        bool solid, gradient, hatch;
        int style, percent;
    } rows[] = {
        {"G", "S", 0.59f, false, true, false, 0, 59},
        {"H", "DDD", 0.0f, false, false, true, 4, 0},
        {"S", "DA", 1.0f, true, false, false, 1, 100},
        {"I", "x", 1.7f, true, false, false, -1, 100},   // unknown dash code: no item
        {"", "", std::numeric_limits<float>::quiet_NaN(), true, false, false, -1, 100},
    };
    for (const auto& r : rows) {
        Shape_Control g;
        g._fill_type = r.fill;
        g._stroke_border_type = r.dash;
        g.alpha_val = r.alpha;
        const ShapePanelState s = ShapePanelRules::fromGraphic(g);
        EXPECT_EQ(s.solidRadio, r.solid) << r.fill;
        EXPECT_EQ(s.gradientRadio, r.gradient) << r.fill;
        EXPECT_EQ(s.hatchRadio, r.hatch) << r.fill;
        EXPECT_EQ(s.borderStyleIndex, r.style) << r.dash;
        EXPECT_EQ(s.alphaPercent, r.percent) << r.alpha;
    }
}

TEST(ShapePanelRules, WritesEveryControlIntoTheObject)
{
    ShapePanelState s;
    s.borderOn = true;
    s.borderColour = kBlue;
    s.borderWidth = 5;
    s.borderStyleIndex = 2;
    s.fillOn = true;
    s.fillColour = kRed;
    s.gradientColour1 = kGreen;
    s.gradientColour2 = kBlue;
    s.gradientAngle = 30.25;
    s.hatchBackground = kRed;
    s.hatchStyle = "Grid";
    s.alphaPercent = 40;
    s.cornerRadius = 12.5;
    s.doubleStarType = 3;
    s.polygonType = 5;
    s.printObject = 1;

    Shape_Control g;
    ShapePanelRules::applyTo(s, g, false);
    EXPECT_TRUE(g._isDrawingStroke);
    EXPECT_EQ(g._strokeColor, kBlue);
    EXPECT_EQ(g._strokeWidth, 5.0);
    EXPECT_EQ(g._stroke_border_type, "DO");
    EXPECT_TRUE(g._isDrawingFill);
    EXPECT_EQ(g._fillColor, kRed);
    EXPECT_EQ(g._fill_type, "S");
    EXPECT_EQ(g._fill_Grad_clr1, kGreen);
    EXPECT_EQ(g._fill_Grad_clr2, kBlue);
    EXPECT_DOUBLE_EQ(g._fill_grad_angle, 30.25);
    EXPECT_EQ(g._fill_htch_clr, kRed);
    EXPECT_EQ(g._fill_hatch_type, "Grid");
    EXPECT_EQ(g.alpha_val, 0.4f);
    EXPECT_EQ(g.cor_rad_val_val, 12.5f);
    EXPECT_EQ(g.double_star_type, 3);
    EXPECT_EQ(g.polygon_type, 5);
    EXPECT_EQ(g.print_object, 1);
}

TEST(ShapePanelRules, OffSwitchesAndFillCodes)
{
    const struct {
        bool borderOn, fillOn, gradient, hatch;
        int style;
        const char* fillCode;
        const char* dashCode;
    } rows[] = {
        {false, false, true, false, 1, "S", "DA"},   // fill off: "S" whatever the radio
        {true, true, true, false, -1, "G", "DDD"},   // no dash item: the object's code stays
        {true, true, false, true, 0, "H", "S"},
        {false, true, false, false, 7, "S", "DDD"},
    };
    for (const auto& r : rows) {
        Shape_Control g;
        g._strokeColor = kRed;
        g._strokeWidth = 9;
        g._fillColor = kGreen;
        g._stroke_border_type = "DDD";
        ShapePanelState s;
        s.borderOn = r.borderOn;
        s.borderColour = kBlue;
        s.borderWidth = 2;
        s.fillOn = r.fillOn;
        s.fillColour = kBlue;
        s.solidRadio = !r.gradient && !r.hatch;
        s.gradientRadio = r.gradient;
        s.hatchRadio = r.hatch;
        s.borderStyleIndex = r.style;
        ShapePanelRules::applyTo(s, g, true);
        EXPECT_EQ(g._isDrawingStroke, r.borderOn);
        // a border or fill turned off keeps its colour and width
        EXPECT_EQ(g._strokeColor, r.borderOn ? kBlue : kRed);
        EXPECT_EQ(g._strokeWidth, r.borderOn ? 2.0 : 9.0);
        EXPECT_EQ(g._isDrawingFill, r.fillOn);
        EXPECT_EQ(g._fillColor, r.fillOn ? kBlue : kGreen);
        EXPECT_EQ(g._fill_type, r.fillCode);
        EXPECT_EQ(g._stroke_border_type, r.dashCode);
    }
}

TEST(ShapePanelRules, FigureControlsAndTitlePerShapeCode)
{
    const struct {
        const char* code;
        bool locked, radius, doubleStar, polygon;
        const char* title;
    } rows[] = {
        {"R", false, false, false, false, "Rectangle Properties"},
        {"C", false, false, false, false, "Ellipse Properties"},
        {"RR", false, true, false, false, "Rounded Rectangle Properties"},
        {"RR", true, false, false, false, "Rounded Rectangle Properties"},
        {"T", false, false, false, false, "Triangle Properties"},
        {"D", false, false, false, false, "Diamond Properties"},
        {"S", false, false, false, false, "Star Properties"},
        {"DS", false, false, true, false, "Double Star Properties"},
        {"DS", true, false, false, false, "Double Star Properties"},
        {"P", false, false, false, true, "Polygon Properties"},
        {"X", false, false, false, false, ""},
    };
    for (const auto& r : rows) {
        const ShapePanelRules::FigureControls shown = ShapePanelRules::figureControls(r.code, r.locked);
        EXPECT_EQ(shown, (ShapePanelRules::FigureControls {r.radius, r.doubleStar, r.polygon})) << r.code;
        EXPECT_EQ(ShapePanelRules::titleForShapeCode(r.code), r.title);
    }
}

TEST(ShapePanelRules, HatchPatternsAreTheSortedFileNames)
{
    QTemporaryDir resources;
    ASSERT_TRUE(QDir(resources.path()).mkpath("Fill_Style_Image/folder"));
    for (const char* name : {"Grid.png", "Checks.png", ".hidden.png", "Dots.png"}) {
        QFile file(resources.filePath(QStringLiteral("Fill_Style_Image/") + name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(ShapePanelRules::hatchPatternNames(resources.path()), QStringList({"Checks", "Dots", "Grid"}));
    EXPECT_TRUE(ShapePanelRules::hatchPatternNames(resources.filePath("none")).isEmpty());
}

class ShapePanelWindowTest : public WindowControllerFixture
{
protected:
    CanvasController& canvas() const { return controller->graphicView(0)->controller(); }
    ShapePanel& panel() const
    {
        for (const auto& p : controller->inspectorPanels()) {
            if (auto* found = dynamic_cast<ShapePanel*>(p.get()))
                return *found;
        }
        throw std::logic_error("no shape panel");
    }
    // Makes a shape with a tool button; returns the front objects, newest first.
    GraphicList make(const char* tool)
    {
        control<QAbstractButton>(tool)->click();
        QCoreApplication::processEvents();
        return controller->Get_Front_Controls_Array();
    }
};

TEST_F(ShapePanelWindowTest, FillColourFromThePanelReachesTheShapeAndRedraws)
{
    const GraphicPtr shape = make("Rect_Tool_btn").first();
    canvas().changeSelectionIndexes(IndexSet(0));
    panel().load(*shape);
    document->undoManager()->removeAllActions();

    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            paints += e->type() == QEvent::Paint;
            return false;
        }
    } counter;
    SKTGraphicView* front = controller->graphicView(0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(front->window()));
    QCoreApplication::processEvents();
    front->installEventFilter(&counter);

    ColorWell* well = control<ColorWell>("shape_fill_clr");
    const Colour purple = Colour::rgb(0.5, 0, 0.5);
    well->setColour(purple);
    emit well->colourChosen(purple);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();

    EXPECT_EQ(shape->_fillColor, purple);
    EXPECT_GT(counter.paints, 0);
    // the panel's writes are not undone
    EXPECT_FALSE(document->undoManager()->canUndo());
}

TEST_F(ShapePanelWindowTest, TwoSelectedShapesBothGetTheWholePanel)
{
    make("Rect_Tool_btn");
    const GraphicList both = make("Round_Rect_Tool_btn");
    const GraphicPtr shown = both[0];
    const GraphicPtr other = both[1];
    shown->_fillColor = kRed;
    shown->_fill_type = "G";
    shown->_stroke_border_type = "DO";
    shown->_strokeWidth = 6;
    shown->cor_rad_val_val = 4;
    other->_fillColor = kBlue;
    canvas().changeSelectionIndexes(IndexSet::range(0, 2));

    // Loading writes nothing back, even with the quiet-update flag off.
    panel().load(*shown);
    EXPECT_EQ(other->_fillColor, kBlue);

    control<QSpinBox>("shape_alpha_Stepper")->setValue(40);
    for (const GraphicPtr& g : both) {
        EXPECT_EQ(g->alpha_val, 0.4f);
        EXPECT_EQ(g->_fillColor, kRed);
        EXPECT_EQ(g->_fill_type, "G");
        EXPECT_EQ(g->_stroke_border_type, "DO");
        EXPECT_EQ(g->_strokeWidth, 6.0);
        EXPECT_EQ(g->cor_rad_val_val, 4.0f);
    }

    // The shape's code decides which figure rows the page shows.
    QWidget* page = control<QWidget>("shape_tab");
    const auto visible = [&](const char* name) { return control<QWidget>(name)->isVisibleTo(page); };
    EXPECT_TRUE(visible("shape_cor_radius_Stepper"));
    EXPECT_FALSE(visible("double_star_Stepper") || visible("polygon_Label"));
    EXPECT_EQ(control<QWidget>("Shape_prop_title")->property("text").toString(), "Rounded Rectangle Properties");
}

}
