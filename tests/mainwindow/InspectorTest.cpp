#include "WindowControllerFixture.h"

#include "canvas/SKTGraphicView.h"
#include "mainwindow/inspector/InspectorPanel.h"
#include "mainwindow/inspector/InspectorSelection.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include <stdexcept>

namespace {

TEST(InspectorSelectionTest, AnObjectLeftOutOfTheSelectionIsNeverShown)
{
    using Step = InspectorSelection::Step;
    const GraphicPtr a = SKTGraphic::makeOfClass("SKTText"), b = SKTGraphic::makeOfClass("SKTText"),
                     c = SKTGraphic::makeOfClass("SKTLine");
    // name; shown; filled for; selected; current; expected
    const std::tuple<const char*, GraphicPtr, QList<const SKTGraphic*>, GraphicList, GraphicPtr,
                     InspectorSelection::Answer>
        rows[] = {
            {"card panels stay", nullptr, {}, {a}, a, {Step::Keep, nullptr}},
            {"nothing selected", a, {a.get()}, {}, nullptr, {Step::ShowCard, nullptr}},
            {"the same selection", a, {b.get(), a.get()}, {a, b}, b, {Step::Keep, nullptr}},
            {"the other one deselected", a, {a.get(), b.get()}, {a}, b, {Step::Reload, nullptr}},
            {"one filled for is gone", a, {nullptr}, {a}, a, {Step::Reload, nullptr}},
            {"the shown one deselected", b, {a.get(), b.get()}, {a}, b, {Step::ShowObject, a}},
            {"the current one selected", a, {a.get()}, {b, c}, c, {Step::ShowObject, c}},
            {"else the topmost", a, {a.get()}, {b, c}, a, {Step::ShowObject, b}},
        };
    for (const auto& [name, shown, filledFor, selected, current, expected] : rows)
        EXPECT_EQ(InspectorSelection::afterSelectionChange(shown.get(), filledFor, selected, current), expected)
            << name;
}

// Counts its loads; throws from them on request.
struct CountingPanel : InspectorPanel {
    bool showsKind(const SKTGraphic&) const override { return true; }
    void load(const SKTGraphic&) override
    {
        ++*loads;
        if (*fail)
            throw std::runtime_error("broken field");
    }
    std::shared_ptr<int> loads = std::make_shared<int>(0);
    std::shared_ptr<bool> fail = std::make_shared<bool>(false);
};

class InspectorTest : public WindowControllerFixture
{
protected:
    void SetUp() override
    {
        WindowControllerFixture::SetUp();
        auto panel = std::make_unique<CountingPanel>();
        loads = panel->loads;
        fail = panel->fail;
        controller->addInspectorPanel(std::move(panel));
    }
    // "page:label" of each tab, joined by "|".
    QString tabs() const
    {
        const QTabWidget* tab = control<QTabWidget>("sett_tab");
        QStringList out;
        for (int i = 0; i < tab->count(); ++i)
            out << tab->widget(i)->objectName() + ":" + tab->tabText(i);
        return out.join("|");
    }
    std::shared_ptr<int> loads;
    std::shared_ptr<bool> fail;
};

TEST_F(InspectorTest, EachKindGetsItsTabsAndLockedObjectsTheLockTabAlone)
{
    const struct {
        const char* className;
        QString code, name, tabs, lockLabel;   // code: shape or signature code
    } rows[] = {
        {"SKTText", "", "T", "text_edtng_tab:Text|text_prop_tab:Properties|datasource_tab:Text Source",
         "Text Properties"},
        {"SKTImage", "", "I", "datasource_tab:Image Source|image_tab:Image", "Image Properties"},
        {"SKTLine", "", "NONE", "line_tab:Line", "Line Properties"},
        {"SKTSignature", "S", "S", "sign_tab:Signature Properties", "Signature Properties"},
        {"SKTSignature", "F", "F", "sign_tab:FingrePrint Properties", "Signature Properties"},
        {"SKTBarcode", "", "NONE", "barcode_tab:Barcode", "Barcode Properties"},
        {"Shape_Control", "R", "NONE", "", "Rectangle Properties"},
        {"Shape_Control", "C", "NONE", "", "Ellipse Properties"},
        {"Shape_Control", "RR", "NONE", "", "Rounded Rectangle Properties"},
        {"Shape_Control", "T", "NONE", "", "Triangle Properties"},
        {"Shape_Control", "D", "NONE", "", "Diamond Properties"},
        {"Shape_Control", "S", "NONE", "", "Star Properties"},
        {"Shape_Control", "DS", "NONE", "", "Double Star Properties"},
        {"Shape_Control", "P", "NONE", "", "Polygon Properties"},
    };
    for (const auto& row : rows) {
        for (bool locked : {false, true}) {
            SCOPED_TRACE(std::string(row.className) + " " + row.code.toStdString() + (locked ? " locked" : ""));
            const GraphicPtr g = SKTGraphic::makeOfClass(row.className);
            g->Set_Shape_Type(row.code);
            g->sign_or_fingureprint = row.code;
            g->ctrl_is_locked = locked;
            g->print_object = locked ? 1 : 0;
            const int before = *loads;
            controller->Show_RHS_Properties(g.get());
            const QString unlocked = row.tabs.isEmpty() ? "shape_tab:" + row.lockLabel : row.tabs;
            EXPECT_EQ(tabs(), locked ? "Lock_tab:" + row.lockLabel : unlocked + "|aligmnt_tab:Alignment");
            EXPECT_EQ(controller->sel_control_name, row.name);
            EXPECT_EQ(*loads, before + 1);   // locked objects are loaded too
            EXPECT_EQ(control<QCheckBox>("print_object_chk")->isChecked(), locked);
            EXPECT_EQ(control<QPushButton>("Unlock_btn")->isEnabled(), locked);
        }
    }
    // the arrange buttons are on the alignment page; the card hides the print box
    EXPECT_TRUE(control<QWidget>("aligmnt_tab")->isAncestorOf(control<QToolButton>("Align_Left_btn")));
    controller->Show_RHS_Properties(nullptr);
    EXPECT_EQ(tabs(), "card_setting_tab:Card|card_bkgd_tab:Background|card_brdr_tab:Border");
    EXPECT_TRUE(control<QCheckBox>("print_object_chk")->isHidden());
}

TEST_F(InspectorTest, SameObjectIsNotReloadedButLockingReloadsItThroughTheCard)
{
    CanvasController& canvas = controller->graphicView(0)->controller();
    canvas.createGraphicOfClass("Shape_Control", nullptr, false, QRectF(), "F", "", "");
    const GraphicPtr g = canvas._Selected_Graphic;
    controller->Show_RHS_Properties(g.get());
    const int once = *loads;
    controller->Show_RHS_Properties(g.get());
    EXPECT_EQ(*loads, once);
    controller->Lock_Clicked();
    EXPECT_EQ(*loads, once + 1);
    EXPECT_EQ(tabs(), "Lock_tab:Rectangle Properties");
}

TEST_F(InspectorTest, AFailedFillLeavesTheQuietFlagClear)
{
    *fail = true;
    controller->Show_RHS_Properties(SKTGraphic::makeOfClass("SKTLine").get());
    EXPECT_FALSE(Not_Draw_Only_Prop_Change);
    *fail = false;
    const GraphicPtr other = SKTGraphic::makeOfClass("SKTText");
    controller->Show_RHS_Properties(other.get());
    EXPECT_EQ(*loads, 2);
    EXPECT_EQ(controller->sel_control_name, "T");
}

TEST_F(InspectorTest, AToolKeepsItsOwnNewObjectAndAnotherObjectBringsTheArrow)
{
    control<QToolButton>("Rect_Tool_btn")->click();
    EXPECT_NE(controller->Selected_Control_Tool, 0);
    EXPECT_TRUE(tabs().startsWith("shape_tab:Rectangle Properties"));
    controller->Show_RHS_Properties(SKTGraphic::makeOfClass("SKTText").get());
    EXPECT_EQ(controller->Selected_Control_Tool, 0);
}

TEST_F(InspectorTest, TheLastObjectShownIsForgottenWhenItIsDeleted)
{
    GraphicPtr g = SKTGraphic::makeOfClass("SKTLine");
    controller->Show_RHS_Properties(g.get());
    EXPECT_EQ(controller->Last_Selected_Graphic.lock(), g);
    g.reset();
    EXPECT_TRUE(controller->Last_Selected_Graphic.expired());
    // whatever is made next, wherever it lands, is loaded as new
    controller->Show_RHS_Properties(SKTGraphic::makeOfClass("SKTLine").get());
    EXPECT_EQ(*loads, 2);
}

TEST_F(InspectorTest, CardPanelsTakeAStateAndLoadTheRecordBack)
{
    QComboBox* hatch = control<QComboBox>("Card_hatch_style");
    ASSERT_GE(hatch->count(), 3);
    CardPanelState state = controller->cardPanelState();
    state.fillOn = true;
    state.solidRadio = false;
    state.hatchRadio = true;
    state.hatchStyle = hatch->itemText(2);
    state.alphaPercent = 53;
    state.borderStyleIndex = 3;
    state.sidesIndex = 1;
    controller->applyCardPanelState(state);
    Card_Property record = controller->Front_card_Prop();
    EXPECT_EQ(record.Card_fill_style() + record.Card_border_style(), "HDD");
    EXPECT_EQ(record.Card_hatch_style(), hatch->itemText(2));
    EXPECT_EQ(CARD_SIDE_STR, "1");
    EXPECT_FALSE(control<QPushButton>("Back_Side_btn")->isEnabled());

    // loading: the hatch item only for fill code "H"; place and size from the canvas
    const struct {
        QString code, pattern;
        int shown;
    } rows[] = {{"S", hatch->itemText(1), 2}, {"H", hatch->itemText(1), 1}, {"H", "", -1}, {"H", "Nothing", -1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.code.toStdString() + " " + row.pattern.toStdString());
        hatch->setCurrentIndex(2);
        record.setCard_fill_style(row.code);
        record.setCard_hatch_style(row.pattern);
        record.setCard_Location(QPointF(7, 9));
        record.setCard_Size(QSizeF(1, 1));
        controller->setFront_card_Prop(record);
        controller->Show_RHS_Properties(nullptr);
        EXPECT_EQ(hatch->currentIndex(), row.shown);
        EXPECT_EQ(controller->cardPanelState().alphaPercent, 53);
        EXPECT_EQ(controller->Front_card_Prop().Card_Location(), QPointF(0, 0));
        EXPECT_EQ(controller->Front_card_Prop().Card_Size(), controller->frontCanvasBounds().size());
    }
}

}
