// The line panel of the inspector: filling it from a line, writing it into the
// selected objects, and the panel in the real main window; and the widths that
// the line, shape and text panels show for damaged files.

#include "WindowControllerFixture.h"

#include "canvas/SKTGraphicView.h"
#include "mainwindow/inspector/LinePanel.h"
#include "mainwindow/inspector/LinePanelRules.h"
#include "mainwindow/inspector/ShapePanelRules.h"
#include "mainwindow/inspector/TextPanelRules.h"
#include "model/SKTLine.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"

#include <QAbstractButton>
#include <QComboBox>

#include <cmath>

namespace {

const Colour kRed = Colour::rgb(1, 0, 0);
const Colour kBlue = Colour::rgb(0, 0, 1);

TEST(LinePanelRules, FillsEveryControlFromTheLine)
{
    const struct {
        double width;
        const char* dash;
        int cap, ori;
        float alpha;
        int wantWidth, wantStyle, wantCap, wantOri, wantPercent;
    } rows[] = {
        {2.5, "DA", 2, 1, 0.59f, 3, 1, 2, 1, 59},
        {1.0, "S", 0, 2, 0.4f, 1, 0, 0, 2, 40},
        {7.2, "odd", 3, -1, 0.0f, 7, -1, -1, -1, 0},   // codes with no item select none
        {0.0, "DDD", -5, 9, 2.0f, 0, 4, -1, -1, 100},
    };
    for (const auto& r : rows) {
        SKTLine line;
        line._strokeColor = kRed;
        line._strokeWidth = r.width;
        line._stroke_border_type = r.dash;
        line._line_cap_style = r.cap;
        line._line_ori = r.ori;
        line.alpha_val_stroke = r.alpha;
        line.alpha_val = 0.1f;   // the fill's opacity is not the line's
        line.print_object = 1;
        const LinePanelState s = LinePanelRules::fromGraphic(line);
        EXPECT_EQ(s.colour, kRed);
        EXPECT_EQ(s.width, r.wantWidth) << r.width;
        EXPECT_EQ(s.styleIndex, r.wantStyle) << r.dash;
        EXPECT_EQ(s.capIndex, r.wantCap) << r.cap;
        EXPECT_EQ(s.orientationIndex, r.wantOri) << r.ori;
        EXPECT_EQ(s.alphaPercent, r.wantPercent) << r.alpha;
        EXPECT_EQ(s.printObject, 1);
    }
}

// A width from a damaged file is shown within the steppers' reach, never
// converted from a number an integer cannot hold.
TEST(LinePanelRules, DamagedWidthsAreShownWithinReach)
{
    const struct {
        double width;
        int shown;
    } cases[] = {{std::nan(""), 0}, {HUGE_VAL, 0}, {-HUGE_VAL, 0}, {-5, 0}, {1e300, 1000}, {3.6, 4}};
    for (const auto& c : cases) {
        SKTLine line;
        line._strokeWidth = c.width;
        EXPECT_EQ(LinePanelRules::fromGraphic(line).width, c.shown) << c.width;
        Shape_Control shape;
        shape._strokeWidth = c.width;
        EXPECT_EQ(ShapePanelRules::fromGraphic(shape).borderWidth, c.shown) << c.width;
        SKTText text;
        text._strokeWidth = c.width;
        // the text panel reads the whole points, as its stepper does
        EXPECT_EQ(TextPanelRules::fromGraphic(text).borderWidth, c.width == 3.6 ? 3 : c.shown) << c.width;
    }
}

TEST(LinePanelRules, WritesEveryControlIntoTheObject)
{
    const struct {
        int style, cap, ori, percent;
        const char* dash;
        int wantCap, wantOri;
        float wantAlpha;
    } rows[] = {
        {3, 1, 2, 40, "DD", 1, 2, 0.4f},
        {-1, -1, -1, 100, "DO", 0, 0, 1.0f},   // no item chosen: dash kept, cap and orientation 0
        {0, 2, 0, 0, "S", 2, 0, 0.0f},
    };
    for (const auto& r : rows) {
        SKTLine line;
        line._isDrawingStroke = false;
        line._stroke_border_type = "DO";
        line._line_cap_style = 2;
        line._line_ori = 1;
        LinePanelState s;
        s.colour = kBlue;
        s.width = 4;
        s.styleIndex = r.style;
        s.capIndex = r.cap;
        s.orientationIndex = r.ori;
        s.alphaPercent = r.percent;
        s.printObject = 1;
        LinePanelRules::applyTo(s, line, true);
        EXPECT_TRUE(line._isDrawingStroke);
        EXPECT_EQ(line._strokeColor, kBlue);
        EXPECT_EQ(line._strokeWidth, 4.0);
        EXPECT_EQ(line._stroke_border_type, r.dash);
        EXPECT_EQ(line._line_cap_style, r.wantCap);
        EXPECT_EQ(line._line_ori, r.wantOri);
        EXPECT_EQ(line.alpha_val_stroke, r.wantAlpha);
        EXPECT_EQ(line.print_object, 1);
    }
}

using LinePanelWindowTest = WindowControllerFixture;

TEST_F(LinePanelWindowTest, CapChosenInThePanelReachesTheSelectedLine)
{
    control<QAbstractButton>("Line_Tool_btn")->click();
    QCoreApplication::processEvents();
    const GraphicPtr line = controller->Get_Front_Controls_Array().first();
    ASSERT_EQ(line->kind(), SKTGraphic::Kind::Line);
    line->_strokeWidth = 5;
    controller->graphicView(0)->controller().changeSelectionIndexes(IndexSet(0));
    LinePanel* panel = nullptr;
    for (const auto& p : controller->inspectorPanels()) {
        if (!panel)
            panel = dynamic_cast<LinePanel*>(p.get());
    }
    ASSERT_TRUE(panel);
    ASSERT_TRUE(panel->showsKind(*line));
    panel->load(*line);

    control<QComboBox>("Line_cap_style")->setCurrentIndex(1);
    EXPECT_EQ(line->_line_cap_style, 1);
    EXPECT_EQ(line->_strokeWidth, 5.0);
}

}
