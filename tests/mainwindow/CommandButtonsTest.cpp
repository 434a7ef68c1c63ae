// The main window's stacking, lock and arrange buttons, the states of the
// edit buttons, and the toolbar's hand-offs.

#include "WindowControllerFixture.h"

#include "canvas/CardPasteboard.h"
#include "canvas/SKTGraphicView.h"
#include "canvas/SKTGrid.h"
#include "data/Globals.h"
#include "platform/UndoManager.h"

#include <QApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QToolButton>

#include <cmath>
#include <stdexcept>

namespace {

class CommandButtonsTest : public WindowControllerFixture
{
protected:
    QAbstractButton* button(const char* name) const { return control<QAbstractButton>(name); }
    GraphicList front() const { return controller->Get_Front_Controls_Array(); }
    CanvasController& canvas() const { return controller->graphicView(0)->controller(); }
    // Two rectangles on the front, (50,50) above (30,30); both selected.
    void twoSelected()
    {
        button("Rect_Tool_btn")->click();
        button("Rect_Tool_btn")->click();
        canvas().changeSelectionIndexes(IndexSet::range(0, 2));
    }
    // Enabled states of Cut, Copy, Delete, Front, Back, Lock, Unlock, Paste, Undo, Redo.
    std::string states() const
    {
        std::string s;
        for (const char* name : {"Cut_btn", "Copy_btn", "Delete_btn", "Begin_Front_btn", "Send_Back_btn", "Lock_btn",
                                 "Unlock_btn", "Paste_btn", "Undo_btn", "Redo_btn"})
            s += button(name)->isEnabled() ? '1' : '0';
        return s;
    }
};

TEST_F(CommandButtonsTest, EachButtonStateSetsTheEditButtonsAsItsRowSays)
{
    using Op = void (SKTWindowController::*)();
    const struct {
        const char* name;
        Op op;
        bool cardsOnPasteboard;
        const char* expected;   // as states(); 'k' keeps what the button had
    } rows[] = {
        {"control", &SKTWindowController::Enable_Standard_Button_For_Control, true, "1111110100"},
        {"control, no cards", &SKTWindowController::Enable_Standard_Button_For_Control, false, "1111110000"},
        {"unlock", &SKTWindowController::Enable_Standard_Button_For_Unlock, true, "1111110100"},
        {"card", &SKTWindowController::Disable_Standard_Button_For_Card, true, "00000001kk"},
        {"card, no cards", &SKTWindowController::Disable_Standard_Button_For_Card, false, "00000000kk"},
        // a paste passes a locked object by: Paste goes by the pasteboard
        {"lock", &SKTWindowController::Disable_Standard_Button_For_Lock, true, "00000011kk"},
    };
    for (const auto& row : rows) {
        for (bool before : {false, true}) {
            SCOPED_TRACE(std::string(row.name) + (before ? ", all on before" : ", all off before"));
            auto* data = new QMimeData;
            if (row.cardsOnPasteboard)
                data->setData(CardPasteboard::graphicsType(), "cards");
            pasteboard.putForeign(data);
            for (QAbstractButton* b : controller->window()->findChildren<QAbstractButton*>())
                b->setEnabled(before);
            (controller.get()->*row.op)();
            std::string expected = row.expected;
            for (char& c : expected)
                c = c == 'k' ? (before ? '1' : '0') : c;
            EXPECT_EQ(states(), expected);
        }
    }
}

TEST_F(CommandButtonsTest, LockAndUnlockChangeTheSelectionAndTheButtonsFollowIt)
{
    button("Rect_Tool_btn")->click();
    EXPECT_EQ(states().substr(0, 7), "1111110");
    button("Lock_btn")->click();
    EXPECT_TRUE(front().at(0)->ctrl_is_locked);
    EXPECT_EQ(canvas().selectionIndexes(), IndexSet(0));
    EXPECT_EQ(states().substr(0, 8), "00000010");

    button("Unlock_btn")->click();
    EXPECT_FALSE(front().at(0)->ctrl_is_locked);
    EXPECT_EQ(canvas().selectionIndexes(), IndexSet(0));
    EXPECT_EQ(states().substr(0, 7), "1111110");

    // With nothing selected the command asks for a selection and the buttons
    // stay as the empty selection has them (not in the locked state).
    canvas().changeSelectionIndexes(IndexSet());
    controller->Lock_Clicked();
    controller->Unlock_Clicked();
    EXPECT_EQ(presenter.texts(),
              QStringList({"\nPlease select a control to Lock.", "\nPlease select a control to Unlock."}));
    EXPECT_EQ(states().substr(0, 7), "0000000");
    EXPECT_FALSE(front().at(0)->ctrl_is_locked);
}

TEST_F(CommandButtonsTest, ArrangeCommandsActOnTheCurrentSideOrSayWhatTheyNeed)
{
    using Op = void (SKTWindowController::*)();
    const struct {
        const char* name;
        Op op;
        bool both;   // both objects selected, else the upper one only
        bool grid;
        QString message;
        QRectF lower;   // the lower object's bounds afterwards
    } rows[] = {
        {"same width, one", &SKTWindowController::Make_Same_Width_Clicked, false, false,
         "\nPlease select more than one control.", {30, 30, 50, 50}},
        {"same height, one", &SKTWindowController::Make_Same_Height_Clicked, false, false,
         "\nPlease select more than one control.", {30, 30, 50, 50}},
        {"grid not shown", &SKTWindowController::Align_To_Grid_Clicked, true, false, "\nPlease use grid option first.",
         {30, 30, 50, 50}},
        {"left", &SKTWindowController::Align_Left_Clicked, true, false, "", {50, 30, 50, 50}},
        {"bottom", &SKTWindowController::Align_Bottom_Clicked, true, false, "", {30, 50, 50, 50}},
        {"card centre", &SKTWindowController::Align_Center_Clicked, true, false, "", {96.5, 52, 50, 50}},
        {"grid", &SKTWindowController::Align_To_Grid_Clicked, true, true, "", {25, 25, 50, 50}},
        {"to the back", &SKTWindowController::Send_Back_Clicked, false, false, "", {50, 50, 50, 50}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        if (&row != rows) {   // each row on a new design
            TearDown();
            SetUp();
        }
        twoSelected();
        if (!row.both)
            canvas().changeSelectionIndexes(IndexSet(0));
        controller->grid()->setSpacing(25);
        controller->grid()->setAlwaysShown(row.grid);
        EXPECT_EQ(button("Align_with_grid_btn")->isEnabled(), row.grid);
        EXPECT_EQ(button("Make_same_width_btn")->isEnabled(), row.both);
        presenter.clear();
        (controller.get()->*row.op)();
        EXPECT_EQ(presenter.texts().join(""), row.message);
        EXPECT_EQ(front().at(1)->bounds(), row.lower);
    }
}

TEST_F(CommandButtonsTest, PrintDecidesByTheBatchDataAndThePrinters)
{
    const struct {
        bool sheet, workbook;
        int cards;
        QStringList printers;
        QString message;
    } rows[] = {
        {false, false, 0, {"desk"}, ""},
        {false, false, 0, {}, "\nNo printer found."},
        {true, false, 0, {"desk"}, "\nList is empty."},
        {false, true, 0, {}, "\nList is empty."},
        {true, false, 3, {}, "\nNo printer found."},
        {false, true, 3, {"desk"}, ""},
    };
    int printed = 0;
    EXPECT_TRUE(button("Print_btn")->isEnabled());   // the print window is made with the main window
    controller->setHandOff(WindowHandOffs::HandOff::Print, {});
    EXPECT_FALSE(button("Print_btn")->isEnabled());
    controller->setHandOff(WindowHandOffs::HandOff::Print, [&] { ++printed; });
    EXPECT_TRUE(button("Print_btn")->isEnabled());
    for (const auto& row : rows) {
        SCOPED_TRACE(row.message.toStdString() + " " + std::to_string(row.cards));
        // The batch data is decided first, when the button is pressed.
        controller->setHandOff(WindowHandOffs::HandOff::BatchDataChoice, [&] {
            Use_Data_Sheet_Values = row.sheet;
            Use_Excel_Binding_Values = row.workbook;
            Total_Batch_Excel_Card = row.cards;
        });
        controller->setPrinterLister([&] { return row.printers; });
        presenter.clear();
        printed = 0;
        button("Print_btn")->click();
        EXPECT_EQ(presenter.texts().join(""), row.message);
        EXPECT_EQ(printed, row.message.isEmpty() ? 1 : 0);
    }
    // a print window that fails ends the command, and the program goes on
    controller->setHandOff(WindowHandOffs::HandOff::Print, [] { throw std::runtime_error("no paper"); });
    controller->Print_method();
}

TEST_F(CommandButtonsTest, ToolbarButtonsWaitForTheirWindowsAndExitShowsTheReviewWindow)
{
    // the help window is made with the main window
    EXPECT_TRUE(button("Help_btn")->isEnabled());
    // the series windows, the import wizard and the mail window are made with the main window
    for (const char* name : {"Batch_Series_btn", "Import_Wizard_btn", "Create_Series_btn", "Mail_btn"})
        EXPECT_TRUE(button(name)->isEnabled()) << name;
    EXPECT_TRUE(button("About_btn")->isEnabled());
    int helped = 0;
    controller->setHandOff(WindowHandOffs::HandOff::Help, [&] { ++helped; });
    button("Help_btn")->click();
    EXPECT_EQ(helped, 1);

    QString about;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            about = box->text() + "|" + box->informativeText();
            box->accept();
        }
    });
    button("About_btn")->click();
    EXPECT_TRUE(about.contains(QRegularExpression("^" + controller->App_Name + "\nVersion \\d+\\.\\d+\\|")))
        << about.toStdString();

    QList<int> order;
    controller->setHandOff(WindowHandOffs::HandOff::Review, [&] { order.append(-1); });
    ProcessTerminator::setHandler([&](int status) { order.append(status); });
    presenter.scriptAnswers({MessagePresenter::Answer::Cancelled, MessagePresenter::Answer::No});
    button("Exit_btn")->click();
    EXPECT_TRUE(order.isEmpty());
    button("Exit_btn")->click();
    EXPECT_EQ(order, QList<int>({-1, 0}));
}

}
