#include "WindowControllerFixture.h"

#include "canvas/SKTGraphicView.h"
#include "mainwindow/inspector/InspectorPanel.h"
#include "model/SKTDocument.h"
#include "model/SKTLine.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include <cstddef>
#include <new>
#include <stdexcept>

namespace {

// Counts its loads; throws from them on request.
class CountingPanel : public InspectorPanel
{
public:
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

// Two blocks of memory, the first handed out whenever it is free: an object
// made after the last one was freed lands where that one was.
struct TwoBlocks {
    alignas(std::max_align_t) std::byte first[65536];
    alignas(std::max_align_t) std::byte second[65536];
    bool firstUsed = false;
};
TwoBlocks& twoBlocks()
{
    static TwoBlocks blocks;
    return blocks;
}
template <class T>
struct SameBlock {
    using value_type = T;
    SameBlock() = default;
    template <class U>
    SameBlock(const SameBlock<U>&) {}
    T* allocate(std::size_t n)
    {
        TwoBlocks& blocks = twoBlocks();
        if (n * sizeof(T) > sizeof blocks.first)
            throw std::bad_alloc();
        std::byte* block = blocks.firstUsed ? blocks.second : blocks.first;
        blocks.firstUsed = true;
        return reinterpret_cast<T*>(block);
    }
    void deallocate(T* p, std::size_t)
    {
        if (reinterpret_cast<std::byte*>(p) == twoBlocks().first)
            twoBlocks().firstUsed = false;
    }
    template <class U>
    bool operator==(const SameBlock<U>&) const { return true; }
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
    // "page:label" of each tab, in order.
    QStringList tabs() const
    {
        const QTabWidget* tab = control<QTabWidget>("sett_tab");
        QStringList out;
        for (int i = 0; i < tab->count(); ++i)
            out << tab->widget(i)->objectName() + ":" + tab->tabText(i);
        return out;
    }
    // An object on the front side, selected alone.
    GraphicPtr placed()
    {
        CanvasController& canvas = controller->graphicView(0)->controller();
        canvas.createGraphicOfClass("Shape_Control", nullptr, false, QRectF(), "F", "", "");
        return canvas._Selected_Graphic;
    }
    std::shared_ptr<int> loads;
    std::shared_ptr<bool> fail;
};

TEST_F(InspectorTest, EachKindGetsItsTabsAndLockedObjectsTheLockTabAlone)
{
    const QString align = "aligmnt_tab:Alignment";
    const struct {
        const char* className;
        QString code;   // shape or signature code
        QString name;
        QStringList unlocked;
        QString lockLabel;
    } rows[] = {
        {"SKTText", "", "T", {"text_edtng_tab:Text", "text_prop_tab:Properties", "datasource_tab:Text Source"},
         "Text Properties"},
        {"SKTImage", "", "I", {"datasource_tab:Image Source", "image_tab:Image"}, "Image Properties"},
        {"SKTLine", "", "NONE", {"line_tab:Line"}, "Line Properties"},
        {"SKTSignature", "S", "S", {"sign_tab:Signature Properties"}, "Signature Properties"},
        {"SKTSignature", "F", "F", {"sign_tab:FingrePrint Properties"}, "Signature Properties"},
        {"SKTBarcode", "", "NONE", {"barcode_tab:Barcode"}, "Barcode Properties"},
        {"Shape_Control", "R", "NONE", {"shape_tab:Rectangle Properties"}, "Rectangle Properties"},
        {"Shape_Control", "C", "NONE", {"shape_tab:Ellipse Properties"}, "Ellipse Properties"},
        {"Shape_Control", "RR", "NONE", {"shape_tab:Rounded Rectangle Properties"}, "Rounded Rectangle Properties"},
        {"Shape_Control", "T", "NONE", {"shape_tab:Triangle Properties"}, "Triangle Properties"},
        {"Shape_Control", "D", "NONE", {"shape_tab:Diamond Properties"}, "Diamond Properties"},
        {"Shape_Control", "S", "NONE", {"shape_tab:Star Properties"}, "Star Properties"},
        {"Shape_Control", "DS", "NONE", {"shape_tab:Double Star Properties"}, "Double Star Properties"},
        {"Shape_Control", "P", "NONE", {"shape_tab:Polygon Properties"}, "Polygon Properties"},
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
            EXPECT_EQ(tabs(), locked ? QStringList {"Lock_tab:" + row.lockLabel} : row.unlocked + QStringList {align});
            EXPECT_EQ(controller->sel_control_name, row.name);
            EXPECT_EQ(*loads, before + 1);   // locked objects are loaded too
            EXPECT_EQ(control<QCheckBox>("print_object_chk")->isChecked(), locked);
            EXPECT_EQ(control<QPushButton>("Unlock_btn")->isEnabled(), locked);
        }
    }
    // the arrange buttons are on the alignment page; the card hides the print box
    EXPECT_TRUE(control<QWidget>("aligmnt_tab")->isAncestorOf(control<QToolButton>("Align_Left_btn")));
    controller->Show_RHS_Properties(nullptr);
    EXPECT_EQ(tabs(), QStringList({"card_setting_tab:Card", "card_bkgd_tab:Background", "card_brdr_tab:Border"}));
    EXPECT_TRUE(control<QCheckBox>("print_object_chk")->isHidden());
}

TEST_F(InspectorTest, SameObjectIsNotReloadedButLockingReloadsItThroughTheCard)
{
    const GraphicPtr g = placed();
    controller->Show_RHS_Properties(g.get());
    const int once = *loads;
    EXPECT_GE(once, 1);
    controller->Show_RHS_Properties(g.get());
    EXPECT_EQ(*loads, once);
    controller->Lock_Clicked();
    EXPECT_EQ(*loads, once + 1);
    EXPECT_EQ(tabs(), QStringList {"Lock_tab:Rectangle Properties"});
}

TEST_F(InspectorTest, AFailedFillLeavesTheQuietFlagClear)
{
    *fail = true;
    const GraphicPtr g = SKTGraphic::makeOfClass("SKTLine");
    controller->Show_RHS_Properties(g.get());
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
    EXPECT_EQ(tabs().value(0), "shape_tab:Rectangle Properties");
    const GraphicPtr other = SKTGraphic::makeOfClass("SKTText");
    controller->Show_RHS_Properties(other.get());
    EXPECT_EQ(controller->Selected_Control_Tool, 0);
}

TEST_F(InspectorTest, TheLastObjectShownIsForgottenWhenItIsDeleted)
{
    for (int round = 0; round < 2; ++round) {
        // an object made after the first was deleted (at its address, were
        // its memory given back) is loaded as the new object it is
        GraphicPtr g = std::allocate_shared<SKTLine>(SameBlock<SKTLine>());
        controller->Show_RHS_Properties(g.get());
        EXPECT_EQ(controller->Last_Selected_Graphic.lock(), g);
        g.reset();
        EXPECT_TRUE(controller->Last_Selected_Graphic.expired());
    }
    EXPECT_EQ(*loads, 2);
}

TEST_F(InspectorTest, PrintCheckBoxSetsTheSelectedUnlockedObjects)
{
    const GraphicPtr a = placed();
    const GraphicPtr b = placed();
    b->ctrl_is_locked = true;
    controller->graphicView(0)->controller().changeSelectionIndexes(IndexSet::range(0, 2));
    control<QCheckBox>("print_object_chk")->show();
    control<QCheckBox>("print_object_chk")->click();
    EXPECT_EQ(a->print_object, 1);
    EXPECT_EQ(b->print_object, 0);
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
    EXPECT_EQ(record.Card_fill_style(), "H");
    EXPECT_EQ(record.Card_hatch_style(), hatch->itemText(2));
    EXPECT_EQ(record.Card_border_style(), "DD");
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
        EXPECT_EQ(controller->Front_card_Prop().Card_fill_style(), row.code);
    }
}

}
