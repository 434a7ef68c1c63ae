// The properties of a card side: defaults, the name rule, opacity and copies.

#include "model/Card_Property.h"
#include "model/Globals.h"

#include <gtest/gtest.h>

TEST(Card_Property, NewRecordIsAnOpaqueTwoSidedUntitledFront)
{
    const Card_Property p;
    EXPECT_FALSE(p.Card_border_chk());
    EXPECT_EQ(p.Card_bor_Stepper(), 1);
    EXPECT_EQ(p.Card_bordr_clr(), Colour::black());
    EXPECT_EQ(p.Card_border_style(), "S");
    EXPECT_FALSE(p.Card_fill_chk());
    EXPECT_EQ(p.Card_fill_style(), "S");
    EXPECT_EQ(p.Card_fill_clr(), Colour::white());
    EXPECT_EQ(p.Card_fill_Grd_1_clr(), Colour::white());
    EXPECT_EQ(p.Card_fill_Grd_2_clr(), Colour::white());
    EXPECT_EQ(p.Card_hatch_bk_clr(), Colour::white());
    EXPECT_TRUE(p.Card_hatch_style().isEmpty());
    EXPECT_EQ(p.Card_grad_Stepper(), 0);
    EXPECT_FLOAT_EQ(p.Card_alpha_Stepper(), 1.0f);
    EXPECT_EQ(p.Card_Cat_index(), 0);
    EXPECT_TRUE(p.Card_BG_Image().isNull());
    EXPECT_TRUE(p.Card_BG_Image_Path().isEmpty());
    EXPECT_EQ(p.Card_BG_Image_Layout(), "Stretch");
    EXPECT_EQ(p.Card_Side(), "2");
    EXPECT_EQ(p.Card_Side_Name(), "F");
    EXPECT_EQ(p.Card_Shape(), "R");
    EXPECT_EQ(p.Card_Name(), "Untitled");
    EXPECT_EQ(p.Card_Location(), QPointF(0, 0));
    EXPECT_EQ(p.Card_Size(), QSizeF(0, 0));
    EXPECT_EQ(p.Card_Preset(), "Horizontal");
    EXPECT_EQ(p.Card_Category(), "PVC Card");
    EXPECT_EQ(p.Card_Sub_Category(), "CR80-Credit Card Size");
    EXPECT_EQ(p.Card_Create_Mode(), "W");
    EXPECT_EQ(p.Card_Content_clr(), Colour::black());
    EXPECT_EQ(p.Card_Content_font(), FontSpec("Times New Roman", 14));
}

TEST(Card_Property, ContentFontFollowsTheTextControlFont)
{
    const QString old = Text_Ctrl_Font;
    Text_Ctrl_Font = "Liberation Serif";
    const Card_Property p;
    Text_Ctrl_Font = old;
    EXPECT_EQ(p.Card_Content_font(), FontSpec("Liberation Serif", 14));
}

TEST(Card_Property, EmptyNameIsStoredAsUntitled)
{
    const struct {
        QString given;
        QString stored;
    } cases[] = {
        {"Party", "Party"},
        {"", "Untitled"},
        {QString(), "Untitled"},
        {" ", " "},
    };
    for (const auto& c : cases) {
        Card_Property p;
        p.setCard_Name("Before");
        p.setCard_Name(c.given);
        EXPECT_EQ(p.Card_Name(), c.stored) << c.given.toStdString();
    }
}

TEST(Card_Property, OpacityAboveOneActsAsOne)
{
    const struct {
        float stored;
        double applied;
    } cases[] = {{1.0f, 1.0}, {0.4f, 0.4f}, {1.5f, 1.0}, {100.0f, 1.0}, {-1.0f, 0.0}, {0.0f, 0.0}};
    for (const auto& c : cases) {
        Card_Property p;
        p.setCard_alpha_Stepper(c.stored);
        EXPECT_FLOAT_EQ(p.Card_alpha_Stepper(), c.stored);   // kept as stored
        EXPECT_DOUBLE_EQ(p.cardOpacity(), c.applied);
    }
}
