#include "mainwindow/CardSettings.h"
#include "model/Globals.h"

#include <gtest/gtest.h>

namespace {

const QRectF kFront(0, 0, 243, 154);

Card_Property write(const CardPanelState& panel, int side = 0, int shape = 0, const Card_Property& start = {})
{
    return CardSettings::recordFromPanel(start, panel, side, shape, kFront);
}

TEST(CardSettings, BorderOffChangesOnlyTheFlag)
{
    Card_Property start;
    start.setCard_bordr_clr(Colour::rgb(1, 0, 0));
    start.setCard_bor_Stepper(7);
    CardPanelState panel;
    panel.borderOn = false;
    panel.borderColour = Colour::rgb(0, 0, 1);
    panel.borderWidth = 2;
    Card_Property r = write(panel, 0, 0, start);
    EXPECT_FALSE(r.Card_border_chk());
    EXPECT_EQ(r.Card_bordr_clr(), Colour::rgb(1, 0, 0));
    EXPECT_EQ(r.Card_bor_Stepper(), 7);

    panel.borderOn = true;
    r = write(panel, 0, 0, start);
    EXPECT_TRUE(r.Card_border_chk());
    EXPECT_EQ(r.Card_bordr_clr(), Colour::rgb(0, 0, 1));
    EXPECT_EQ(r.Card_bor_Stepper(), 2);
}

TEST(CardSettings, BorderStyleByListItem)
{
    const char* codes[] = {"S", "DA", "DO", "DD", "DDD"};
    for (int i = 0; i < 5; ++i) {
        CardPanelState panel;
        panel.borderStyleIndex = i;
        EXPECT_EQ(write(panel).Card_border_style(), codes[i]);
        EXPECT_EQ(CardSettings::indexForDashCode(codes[i]), i);
    }
    // no item selected: the code stays
    Card_Property start;
    start.setCard_border_style("DD");
    CardPanelState none;
    none.borderStyleIndex = -1;
    EXPECT_EQ(write(none, 0, 0, start).Card_border_style(), "DD");
    EXPECT_EQ(CardSettings::indexForDashCode("XX"), std::nullopt);
    EXPECT_EQ(CardSettings::dashCodeForIndex(5), std::nullopt);
}

TEST(CardSettings, OpacityGoesIntoEveryFillColour)
{
    CardPanelState panel;
    panel.fillOn = true;
    panel.alphaPercent = 50;
    panel.fillColour = Colour::rgb(1, 0, 0);
    panel.gradientColour1 = Colour::rgb(0, 1, 0);
    panel.gradientColour2 = Colour::rgb(0, 0, 1);
    panel.hatchBackground = Colour::grey(0.5);
    const Card_Property r = write(panel);
    EXPECT_FLOAT_EQ(r.Card_alpha_Stepper(), 0.5f);
    EXPECT_EQ(r.Card_fill_clr(), Colour::rgb(1, 0, 0, 0.5));
    EXPECT_EQ(r.Card_fill_Grd_1_clr(), Colour::rgb(0, 1, 0, 0.5));
    EXPECT_EQ(r.Card_fill_Grd_2_clr(), Colour::rgb(0, 0, 1, 0.5));
    EXPECT_EQ(r.Card_hatch_bk_clr(), Colour::grey(0.5, 0.5));

    // shown again as 50 percent
    EXPECT_DOUBLE_EQ(CardSettings::panelFromRecord(r, CardPanelState()).alphaPercent, 50.0);
}

TEST(CardSettings, FillOffKeepsTheFillColourButWritesTheRest)
{
    Card_Property start;
    start.setCard_fill_clr(Colour::rgb(1, 1, 0));
    CardPanelState panel;
    panel.fillOn = false;
    panel.fillColour = Colour::rgb(0, 0, 0);
    panel.gradientColour1 = Colour::rgb(0, 1, 0);
    panel.gradientAngle = 45.9;
    panel.hatchStyle = "Cross";
    panel.imagePath = "/tmp/x.png";
    panel.imageLayout = "Tile";
    const Card_Property r = write(panel, 0, 0, start);
    EXPECT_FALSE(r.Card_fill_chk());
    EXPECT_EQ(r.Card_fill_clr(), Colour::rgb(1, 1, 0));
    EXPECT_EQ(r.Card_fill_Grd_1_clr(), Colour::rgb(0, 1, 0));
    EXPECT_EQ(r.Card_grad_Stepper(), 45);
    EXPECT_EQ(r.Card_hatch_style(), "Cross");
    EXPECT_EQ(r.Card_BG_Image_Path(), "/tmp/x.png");
    EXPECT_EQ(r.Card_BG_Image_Layout(), "Tile");
}

struct FillCase {
    bool fillOn;
    int radio;   // 0 solid, 1 gradient, 2 hatch, 3 picture
    int side;
    const char* code;
};

class FillCodeBySide : public ::testing::TestWithParam<FillCase> {};

TEST_P(FillCodeBySide, FollowsTheRadios)
{
    const FillCase c = GetParam();
    CardPanelState panel;
    panel.fillOn = c.fillOn;
    CardSettings::setFillRadios(panel, QStringList {"S", "G", "H", "I"}.at(c.radio));
    EXPECT_EQ(write(panel, c.side).Card_fill_style(), c.code);
}

INSTANTIATE_TEST_SUITE_P(
    Sides, FillCodeBySide,
    ::testing::Values(FillCase {true, 0, 0, "S"}, FillCase {true, 1, 0, "G"}, FillCase {true, 2, 0, "H"},
                      FillCase {true, 3, 0, "I"}, FillCase {true, 0, 1, "S"}, FillCase {true, 1, 1, "G"},
                      FillCase {true, 2, 1, "H"}, FillCase {true, 3, 1, "I"},
                      // fill off: the front keeps the radio's code, the back gets "S"
                      FillCase {false, 1, 0, "G"}, FillCase {false, 2, 0, "H"}, FillCase {false, 3, 0, "I"},
                      FillCase {false, 1, 1, "S"}, FillCase {false, 2, 1, "S"}, FillCase {false, 3, 1, "S"}));

TEST(CardSettings, BackSideFillOffComesBackSolid)
{
    CardPanelState panel;
    panel.fillOn = false;
    CardSettings::setFillRadios(panel, "I");
    const Card_Property back = write(panel, 1);
    // loading the record again selects the solid radio
    const CardPanelState shown = CardSettings::panelFromRecord(back, panel);
    EXPECT_TRUE(shown.solidRadio);
    EXPECT_FALSE(shown.pictureRadio);
    const Card_Property front = write(panel, 0);
    EXPECT_TRUE(CardSettings::panelFromRecord(front, panel).pictureRadio);
}

TEST(CardSettings, CardFieldsOfTheRecord)
{
    CardPanelState panel;
    panel.sidesIndex = 0;
    panel.cardName = "  Party \n";
    panel.preset = "Vertical";
    panel.category = "Paper Badge";
    panel.presetRow = 3;
    panel.presetRowText = "Durable 1455 - Name Badge";
    Card_Property start;
    start.setCard_Create_Mode("T");
    Card_Property r = write(panel, 1, 1, start);
    EXPECT_EQ(r.Card_Side(), "2");
    EXPECT_EQ(r.Card_Side_Name(), "B");
    EXPECT_EQ(r.Card_Shape(), "RR");
    EXPECT_EQ(r.Card_Name(), "Party");
    EXPECT_EQ(r.Card_Location(), QPointF(0, 0));
    EXPECT_EQ(r.Card_Size(), QSizeF(243, 154));
    EXPECT_EQ(r.Card_Preset(), "Vertical");
    EXPECT_EQ(r.Card_Category(), "Paper Badge");
    EXPECT_EQ(r.Card_Sub_Category(), "Durable 1455 - Name Badge");
    EXPECT_EQ(r.Card_Cat_index(), 3);
    EXPECT_EQ(r.Card_Create_Mode(), "W");

    panel.sidesIndex = 1;
    panel.cardName = " \t";
    panel.presetRow = -1;
    r = write(panel, 0, 2);
    EXPECT_EQ(r.Card_Side(), "1");
    EXPECT_EQ(r.Card_Side_Name(), "F");
    EXPECT_EQ(r.Card_Shape(), "E");
    EXPECT_EQ(r.Card_Name(), "Untitled");
    EXPECT_EQ(r.Card_Sub_Category(), "");
    EXPECT_EQ(r.Card_Cat_index(), -1);
    EXPECT_EQ(CardSettings::shapeCode(0), "R");
    EXPECT_EQ(CardSettings::shapeCode(7), "E");
}

TEST(CardSettings, LoadingLeavesUnknownStylesAsTheyWere)
{
    CardPanelState current;
    current.borderStyleIndex = 2;
    current.hatchStyle = "Dots";
    current.sidesIndex = 1;
    Card_Property r;
    r.setCard_border_style("??");
    r.setCard_fill_style("G");
    r.setCard_hatch_style("Cross");
    r.setCard_grad_Stepper(30);
    CardPanelState shown = CardSettings::panelFromRecord(r, current);
    EXPECT_EQ(shown.borderStyleIndex, 2);
    EXPECT_EQ(shown.hatchStyle, "Dots");
    EXPECT_EQ(shown.sidesIndex, 1);
    EXPECT_DOUBLE_EQ(shown.gradientAngle, 30);
    EXPECT_TRUE(shown.gradientRadio);

    r.setCard_fill_style("H");
    r.setCard_border_style("DDD");
    shown = CardSettings::panelFromRecord(r, current);
    EXPECT_EQ(shown.hatchStyle, "Cross");
    EXPECT_EQ(shown.borderStyleIndex, 4);
    EXPECT_TRUE(shown.hatchRadio);
}

TEST(CardSettings, FillControlsPerCode)
{
    using F = CardSettings::FillControls;
    EXPECT_EQ(CardSettings::fillControlsForCode("S"), (F {true, false, false, false}));
    EXPECT_EQ(CardSettings::fillControlsForCode("G"), (F {false, true, false, false}));
    EXPECT_EQ(CardSettings::fillControlsForCode("H"), (F {false, false, true, false}));
    EXPECT_EQ(CardSettings::fillControlsForCode("I"), (F {false, false, false, true}));
    EXPECT_EQ(CardSettings::fillControlsForCode("?"), (F {true, false, false, false}));
}

TEST(CardSettings, ContentReachesTextObjectsOnly)
{
    const GraphicPtr text = SKTGraphic::makeOfClass("SKTText");
    const GraphicPtr shape = SKTGraphic::makeOfClass("Shape_Control");
    ASSERT_TRUE(text && shape);
    const Colour oldColour = text->txt_clr;
    const FontSpec font("Liberation Serif", 20);

    CardSettings::applyContent({text, shape, nullptr}, false, Colour::rgb(1, 0, 0), true, font);
    EXPECT_EQ(text->txt_clr, oldColour);
    EXPECT_EQ(text->text_ctrl_font, font);
    EXPECT_NE(shape->text_ctrl_font, font);

    CardSettings::applyContent({text, shape}, true, Colour::rgb(1, 0, 0), false, FontSpec("X", 1));
    EXPECT_EQ(text->txt_clr, Colour::rgb(1, 0, 0));
    EXPECT_EQ(text->text_ctrl_font, font);
    EXPECT_NE(shape->txt_clr, Colour::rgb(1, 0, 0));
}

TEST(CardSettings, FontDescription)
{
    EXPECT_EQ(CardSettings::fontDescription(FontSpec("Times New Roman", 14)), "Times New Roman ( 14.00 )");
    EXPECT_EQ(CardSettings::fontDescription(FontSpec("A", 9.126)), "A ( 9.13 )");
}

}
