// The main window's menu bar, the current tool, undo on the shown side, the
// keyboard focus and the grid settings window, driven as a user drives them.

#include "WindowControllerFixture.h"

#include "canvas/CanvasRulers.h"
#include "canvas/CardPasteboard.h"
#include "canvas/SKTGraphicView.h"
#include "canvas/SKTGrid.h"
#include "model/SKTGraphicArchive.h"
#include "mainwindow/ColorWell.h"
#include "mainwindow/Grid_Wizard.h"
#include "mainwindow/MainMenuBar.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class MainMenuBarTest : public WindowControllerFixture
{
protected:
    void TearDown() override
    {
        Grid_Wizard::setModalRun({});
        WindowControllerFixture::TearDown();
    }
    MainMenuBar& menus() const { return *controller->mainMenuBar(); }
    QAction* item(CanvasCommand command) const { return menus().action(command); }
    GraphicList side(int s) const
    {
        return s == 1 ? controller->Get_Back_Controls_Array() : controller->Get_Front_Controls_Array();
    }
    void showWindow() const
    {
        QWidget* window = controller->window();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
};

struct FakeRulers : CanvasRulers {
    bool shown = false;
    bool rulersVisible() const override { return shown; }
    void setRulersVisible(bool visible) override { shown = visible; }
    void moveRulerMarker(Qt::Orientation, int, double, double) override {}
};

TEST_F(MainMenuBarTest, TheMenusCarryTheStandardKeysWithoutClashes)
{
    for (const char* title : {"File", "Edit", "Arrange", "View", "Tools", "Help"})
        EXPECT_NE(menus().menu(title), nullptr) << title;
    const struct {
        CanvasCommand command;
        QList<QKeySequence> keys;
    } cases[] = {
        {CanvasCommand::Undo, {QKeySequence("Ctrl+Z")}},
        {CanvasCommand::Redo, {QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")}},
        {CanvasCommand::Delete, {QKeySequence(Qt::Key_Delete), QKeySequence(Qt::Key_Backspace)}},
        {CanvasCommand::SelectAll, {QKeySequence("Ctrl+A")}},
        {CanvasCommand::Copy, {QKeySequence("Ctrl+C")}},
        {CanvasCommand::Paste, {QKeySequence("Ctrl+V")}},
    };
    for (const auto& c : cases)
        for (const QKeySequence& key : c.keys)
            EXPECT_TRUE(item(c.command)->shortcuts().contains(key)) << key.toString().toStdString();
    EXPECT_TRUE(menus().exitAction()->shortcuts().contains(QKeySequence("Ctrl+Q")));

    // a key on two items would trigger neither
    QList<QKeySequence> seen;
    for (QAction* action : menus().menuBar()->findChildren<QAction*>()) {
        for (const QKeySequence& key : action->shortcuts()) {
            EXPECT_FALSE(seen.contains(key)) << key.toString().toStdString();
            seen.append(key);
        }
    }
    int tools = 0;
    for (QAction* action : menus().menu("Tools")->actions())
        tools += action->isCheckable() && action->actionGroup() && action->actionGroup()->isExclusive();
    EXPECT_EQ(tools, 16);
}

// The items of other parts' windows are offered once the window is there.
TEST_F(MainMenuBarTest, WindowItemsWaitForTheirWindowAndLockActsOnTheSelection)
{
    auto findItem = [this](const char* menu, const QString& title) -> QAction* {
        for (QAction* action : menus().menu(menu)->actions())
            if (action->text() == title)
                return action;
        return nullptr;
    };
    QAction* print = findItem("File", "Print...");
    ASSERT_NE(print, nullptr);
    EXPECT_TRUE(print->isEnabled());   // the print window is made with the main window
    controller->setHandOff(WindowHandOffs::HandOff::Print, {});
    EXPECT_FALSE(print->isEnabled());
    int printed = 0;
    controller->setPrinterLister([] { return QStringList {"office"}; });
    controller->setHandOff(WindowHandOffs::HandOff::Print, [&] { ++printed; });
    EXPECT_TRUE(print->isEnabled());
    print->trigger();
    EXPECT_EQ(printed, 1);
    EXPECT_TRUE(findItem("Help", "About Brightfold")->isEnabled());

    controller->Rect_Tool_Clicked();
    findItem("Arrange", "Lock")->trigger();
    ASSERT_EQ(side(0).size(), 1);
    EXPECT_TRUE(side(0).at(0)->ctrl_is_locked);
    findItem("Arrange", "Unlock")->trigger();
    EXPECT_FALSE(side(0).at(0)->ctrl_is_locked);
}

TEST_F(MainMenuBarTest, ItemsFollowTheSelectionOfTheSideBeingEditedAndActThere)
{
    control<QPushButton>("Back_Side_btn")->click();
    controller->Rect_Tool_Clicked();
    controller->Circle_Tool_Clicked();
    CanvasController& back = controller->graphicView(1)->controller();

    // clang-format off
    const struct {
        CanvasCommand command;
        bool withNone, withOne, withTwo;
    } cases[] = {
        {CanvasCommand::Cut, false, true, true},           {CanvasCommand::Copy, false, true, true},
        {CanvasCommand::Delete, false, true, true},        {CanvasCommand::BringToFront, false, true, true},
        {CanvasCommand::AlignLeftEdges, false, false, true}, {CanvasCommand::MakeSameWidth, false, false, true},
        {CanvasCommand::AlignWithGrid, false, true, true}, {CanvasCommand::Paste, false, false, false},
        {CanvasCommand::SelectAll, true, true, true},
    };
    // clang-format on
    const IndexSet selections[] = {IndexSet(), IndexSet(0), IndexSet::range(0, 2)};
    for (int n = 0; n < 3; ++n) {
        back.changeSelectionIndexes(selections[n]);
        QCoreApplication::processEvents();
        for (const auto& c : cases) {
            const bool expected = n == 0 ? c.withNone : n == 1 ? c.withOne : c.withTwo;
            EXPECT_EQ(item(c.command)->isEnabled(), expected) << int(c.command) << " with " << n;
        }
    }

    // the item acts on the back canvas: the second object takes the first's left edge
    item(CanvasCommand::AlignLeftEdges)->trigger();
    EXPECT_EQ(side(1).at(1)->bounds().x(), side(1).at(0)->bounds().x());

    // the front has no selection of its own
    control<QPushButton>("Front_Side_btn")->click();
    EXPECT_FALSE(item(CanvasCommand::Copy)->isEnabled());
    EXPECT_TRUE(side(0).isEmpty());
}

// Edit > Paste, its key and the Paste button are enabled exactly when a
// paste makes something, whatever is selected.
TEST_F(MainMenuBarTest, PasteItemAndButtonAgreeOnWhatThePasteboardHolds)
{
    QImage picture(12, 7, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QByteArray png;
    QBuffer buffer(&png);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && picture.save(&buffer, "PNG"));
    const auto star = std::make_shared<Shape_Control>();
    star->Set_Shape_Type(ShapeCode::Star);
    // format ("": an empty pasteboard), bytes, class of the object a paste makes ("": none)
    const std::tuple<QString, QByteArray, QString> rows[] = {
        {CardPasteboard::graphicsType(), SKTGraphicArchive::pasteboardDataWithGraphics({star}), "Shape_Control"},
        {"image/png", png, "SKTImage"},
        {"text/plain", "Ada Lovelace", ""},
        {"text/uri-list", "file:///tmp/a.png\r\n", ""},
        {"image/x-nothing-known", "???", ""},
        {"", "", ""}};
    controller->Rect_Tool_Clicked();
    const GraphicPtr rect = side(0).first();
    for (bool locked : {false, true}) {
        rect->ctrl_is_locked = locked;
        for (const auto& [format, bytes, pasted] : rows) {
            SCOPED_TRACE(format.toStdString() + (locked ? ", a locked object selected" : ""));
            auto* contents = format.isEmpty() ? nullptr : new QMimeData;
            if (contents)
                contents->setData(format, bytes);
            pasteboard.putForeign(contents);
            controller->Set_Paste_Button_Status(); // as a change of the clipboard does
            controller->graphicView(0)->controller().changeSelectionIndexes(IndexSet(int(side(0).indexOf(rect))));
            controller->Show_RHS_Properties(rect.get());
            const bool expected = !pasted.isEmpty();
            EXPECT_EQ(control<QPushButton>("Paste_btn")->isEnabled(), expected);
            EXPECT_EQ(item(CanvasCommand::Paste)->isEnabled(), expected);
            menus().validate(); // as opening the menu does
            EXPECT_EQ(item(CanvasCommand::Paste)->isEnabled(), expected);
            const qsizetype before = side(0).size();
            controller->Paste_Clicked();
            ASSERT_EQ(side(0).size(), before + (expected ? 1 : 0));
            EXPECT_EQ(expected ? side(0).first()->className() : QString(), pasted);
        }
    }
}

TEST_F(MainMenuBarTest, UndoIsOfferedOnlyWhileTheFrontIsEditedAndShown)
{
    showWindow();
    controller->Rect_Tool_Clicked();
    auto undoOn = [this] {
        EXPECT_EQ(item(CanvasCommand::Undo)->isEnabled(), control<QPushButton>("Undo_btn")->isEnabled());
        return item(CanvasCommand::Undo)->isEnabled();
    };
    EXPECT_TRUE(undoOn());

    control<QPushButton>("Back_Side_btn")->click();
    EXPECT_FALSE(undoOn());
    QTest::keyClick(controller->window(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(side(0).size(), 1);

    control<QPushButton>("Front_Side_btn")->click();
    control<QPushButton>("Temp_Side_btn")->click();
    EXPECT_FALSE(undoOn());

    control<QPushButton>("Front_Side_btn")->click();
    EXPECT_TRUE(undoOn());
    QTest::keyClick(controller->window(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(side(0).isEmpty());
}

TEST_F(MainMenuBarTest, ADrawingToolStaysAndDrawsByDragUntilTheArrowIsChosen)
{
    showWindow();
    SKTGraphicView* view = controller->graphicView(0);
    QToolButton* rectangle = control<QToolButton>("Rect_Tool_btn");
    QTest::mouseClick(rectangle, Qt::LeftButton);
    ASSERT_EQ(side(0).size(), 1);
    EXPECT_TRUE(rectangle->isChecked());
    EXPECT_TRUE(menus().toolAction(3)->isChecked());

    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(150, 20));
    QTest::mouseMove(view, QPoint(180, 40));
    QTest::mouseMove(view, QPoint(210, 60));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(210, 60));
    ASSERT_EQ(side(0).size(), 2);
    const GraphicPtr drawn = side(0).at(0);
    EXPECT_EQ(drawn->Get_shape_type(), "R");
    EXPECT_EQ(drawn->bounds(), QRectF(150, 20, 60, 40));
    EXPECT_EQ(controller->Selected_Control_Tool, 3);
    EXPECT_TRUE(rectangle->isChecked());
    // the drawing is one step
    QCoreApplication::processEvents();
    item(CanvasCommand::Undo)->trigger();
    EXPECT_EQ(side(0).size(), 1);
    item(CanvasCommand::Redo)->trigger();
    ASSERT_EQ(side(0).size(), 2);

    // the arrow from the Tools menu: a drag moves the object
    menus().toolAction(0)->trigger();
    EXPECT_TRUE(control<QToolButton>("Arrow_Tool_btn")->isChecked());
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(170, 30));
    QTest::mouseMove(view, QPoint(175, 40));
    QTest::mouseMove(view, QPoint(180, 50));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(180, 50));
    EXPECT_EQ(side(0).size(), 2);
    EXPECT_EQ(drawn->bounds(), QRectF(160, 40, 60, 40));
}

TEST_F(MainMenuBarTest, TheCanvasKeepsTheKeysAndTheNameFieldKeepsItsOwn)
{
    showWindow();
    controller->Rect_Tool_Clicked();
    controller->Arrow_Tool_Clicked();
    SKTGraphicView* view = controller->graphicView(0);
    view->setFocus();
    QTest::mouseClick(control<QPushButton>("Copy_btn"), Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), view);

    // Delete, Ctrl+A and Ctrl+Z in the name field edit the field
    auto* name = control<QLineEdit>("card_name");
    name->setFocus();
    name->clear();
    QTest::keyClicks(name, "Gala");
    QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(name, Qt::Key_Delete);
    EXPECT_EQ(name->text(), "");
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(name->text(), "Gala");
    EXPECT_EQ(side(0).size(), 1);
    EXPECT_EQ(view->controller().selectionIndexes(), IndexSet(0));
}

TEST_F(MainMenuBarTest, TheGridWindowShowsTheGridAndAppliesEachChangeAtOnce)
{
    SKTGrid& grid = *controller->grid();
    Grid_Wizard* window = Grid_Wizard::defaultInstance();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->palette().color(QPalette::Window), QColor(241, 244, 250));

    Grid_Wizard::setModalRun([&](Grid_Wizard& w) {
        EXPECT_EQ(w.Grid_Space_slidr->value(), 9);
        EXPECT_FALSE(w.Show_hide_grid_chk->isChecked());
        EXPECT_FALSE(w.Grid_Opt_box->isEnabled());
        w.Show_hide_grid_chk->click();
        EXPECT_TRUE(grid.isAlwaysShown());
        EXPECT_TRUE(w.Grid_Opt_box->isEnabled());
        w.Grid_Space_slidr->setValue(18);
        EXPECT_EQ(grid.spacing(), 18.0);
        w.Grid_clr->setColour(Colour::fromQColor(Qt::red));
        emit w.Grid_clr->colourChosen(w.Grid_clr->colour());
        EXPECT_EQ(grid.color().toQColor(), QColor(Qt::red));
        return 0;   // Cancel keeps what was changed
    });
    menus().gridAction()->trigger();
    EXPECT_TRUE(grid.isAlwaysShown());

    // the window opens again on the grid as it is now
    Grid_Wizard::setModalRun([&](Grid_Wizard& w) {
        EXPECT_EQ(w.Grid_Space_slidr->value(), 18);
        w.Show_hide_grid_chk->click();
        return 1;
    });
    controller->toggleGridShowing();
    EXPECT_FALSE(grid.isAlwaysShown());
    EXPECT_FALSE(window->Grid_Opt_box->isEnabled());

    QAction* snap = menus().snapToGridAction();
    snap->trigger();
    EXPECT_TRUE(grid.isConstraining());
    EXPECT_TRUE(snap->isChecked());
    snap->trigger();
    EXPECT_FALSE(snap->isChecked());
}

TEST_F(MainMenuBarTest, TheRulerItemSwitchesAllThreeCanvasesAndNamesTheNextStep)
{
    FakeRulers rulers[3];
    for (int s = 0; s < 3; ++s)
        controller->graphicView(s)->controller().setRulers(&rulers[s]);
    QAction* ruler = item(CanvasCommand::ShowOrHideRulers);
    controller->validateMenus();
    EXPECT_EQ(ruler->text(), "Show Ruler");
    ruler->trigger();
    for (const FakeRulers& r : rulers)
        EXPECT_TRUE(r.shown);
    EXPECT_EQ(ruler->text(), "Hide Ruler");

    presenter.scriptAnswers({MessagePresenter::Answer::No});
    menus().exitAction()->trigger();
    EXPECT_EQ(exits, QList<int>({0}));
    for (int s = 0; s < 3; ++s)
        controller->graphicView(s)->controller().setRulers(nullptr);
}

}
