// The main window's profile commands: the profile button and menu item with
// a scripted dialog, the placements of the three sides and their gates, the
// preview's copies of the side, and a profile bound to series and a
// spreadsheet column carried through batch output record by record.

#include "WindowControllerFixture.h"

#include "app/Globals.h"
#include "canvas/CanvasController.h"
#include "canvas/SKTGraphicView.h"
#include "common/TestPictures.h"
#include "data/Globals.h"
#include "profiles/Globals.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QToolButton>

#include <functional>

namespace {

// A profile dialog that records how it was opened and answers as scripted.
struct ScriptedProfileDialog : ProfileDialog {
    int Open_Wnd(bool load) override
    {
        openings.append({load, load_side});
        return run ? run(*this) : 0;
    }
    std::function<int(ScriptedProfileDialog&)> run;
    QList<std::pair<bool, QString>> openings;
};

class ProfileCommandsTest : public WindowControllerFixture
{
protected:
    void TearDown() override
    {
        Fill_User_Profile = false;
        Excel_Binding_Use = false;
        CARD_SIDE_STR = QStringLiteral("1");
        Use_Data_Sheet_Values = Use_Excel_Binding_Values = false;
        Total_Batch_Excel_Card = 0;
        WindowControllerFixture::TearDown();
    }
    GraphicList side(int index) const { return controller->graphicView(index)->controller().graphics(); }
    static GraphicPtr withId(const GraphicList& list, const QString& id)
    {
        for (const GraphicPtr& g : list)
            if (g->control_ID == id)
                return g;
        return nullptr;
    }
    static QString textOf(const GraphicPtr& g) { return g ? g->Text_contents()->string() : QString("<none>"); }
};

TEST_F(ProfileCommandsTest, ProfileButtonPlacesOnTheEditedSideOnlyAfterOk)
{
    ScriptedProfileDialog dialog, wizard;
    auto* button = control<QToolButton>("User_Profile_btn");
    EXPECT_TRUE(button->isEnabled());   // the program's own dialogs
    controller->setProfileDialogs(nullptr, nullptr);
    EXPECT_FALSE(button->isEnabled());   // no dialog
    EXPECT_EQ(controller->Open_User_Profile_Window(true, "F"), 0);
    controller->setProfileDialogs(&dialog, &wizard);
    EXPECT_TRUE(button->isEnabled());
    QAction* item = nullptr;
    for (QAction* action : controller->window()->findChildren<QAction*>())
        if (action->text() == "User Profile...")
            item = action;
    ASSERT_TRUE(item);

    // side being edited, answer, through the menu item (else the button)
    const std::tuple<int, int, bool> rows[] = {{0, 0, false}, {1, 0, true}, {0, 1, false}, {1, 1, true}};
    bool okSeen = false;
    for (const auto& [sideIndex, answer, menu] : rows) {
        SCOPED_TRACE(testing::Message() << "side " << sideIndex << " answer " << answer);
        dialog.openings.clear();
        dialog.run = [&, answer = answer](ScriptedProfileDialog& d) {
            User_Profile_Class& record = d.load_side == "B" ? controller->Back_user_profile
                                                            : controller->Front_user_profile;
            record.Name = d.load_side == "B" ? "Back name" : "Front name";
            return answer;
        };
        sideIndex == 1 ? controller->Select_back_side() : controller->Select_front_side();
        menu ? item->trigger() : button->click();
        EXPECT_EQ(dialog.openings, (QList<std::pair<bool, QString>> {{true, sideIndex == 1 ? "B" : "F"}}));
        okSeen = okSeen || answer == 1;
        EXPECT_EQ(Fill_User_Profile, okSeen);
        const GraphicPtr placed = withId(side(sideIndex), "Fup_Name");
        if (answer == 1)
            EXPECT_EQ(textOf(placed), sideIndex == 1 ? "Back name" : "Front name");
        else
            EXPECT_EQ(placed, nullptr);
        EXPECT_EQ(withId(side(2), "Fup_Name"), nullptr);
    }
    EXPECT_TRUE(wizard.openings.isEmpty());

    // an empty side letter opens the wizard form, with the load flag as given
    wizard.run = [](ScriptedProfileDialog&) { return 1; };
    Fill_User_Profile = false;
    EXPECT_EQ(controller->Open_User_Profile_Window(false, "  "), 1);
    EXPECT_EQ(wizard.openings, (QList<std::pair<bool, QString>> {{false, ""}}));
    EXPECT_TRUE(Fill_User_Profile);
}

TEST_F(ProfileCommandsTest, SidePlacementsGatesAndTheFrontCardSize)
{
    auto* source = control<QComboBox>("Data_source_type");
    ASSERT_EQ(source->count(), 2);
    controller->Front_user_profile.Name = "Ann";
    controller->Back_user_profile.Name = "Bo";
    controller->TEMP_user_profile.Name = "Cy";
    Card_Property back = controller->Back_card_Prop();
    back.setCard_Size(QSizeF(153, 243));   // the front card's shape decides on every side
    controller->setBack_card_Prop(back);

    // before any OK: front and back only set the inspector's "Excel" item
    Excel_Binding_Use = true;
    controller->Fill_User_profile_info_front_side();
    EXPECT_EQ(source->count(), 3);
    Excel_Binding_Use = false;
    controller->Fill_User_profile_info_back_side();
    EXPECT_EQ(source->count(), 2);
    EXPECT_EQ(withId(side(0), "Fup_Name"), nullptr);
    EXPECT_EQ(withId(side(1), "Fup_Name"), nullptr);
    // the temp side always places and leaves the inspector alone
    Excel_Binding_Use = true;
    controller->Fill_User_profile_info_TEMP_side();
    EXPECT_EQ(source->count(), 2);
    EXPECT_EQ(textOf(withId(side(2), "Fup_Name")), "Cy");

    Fill_User_Profile = true;
    controller->Fill_User_profile_Details();
    EXPECT_EQ(source->count(), 3);
    const QSizeF front = controller->Front_card_Prop().Card_Size();
    ASSERT_GE(front.width(), front.height());
    for (int index : {0, 1}) {
        const GraphicPtr name = withId(side(index), "Fup_Name");
        EXPECT_EQ(textOf(name), index == 0 ? "Ann" : "Bo");
        EXPECT_EQ(name->bounds(), controller->Get_Control_Rect_From_Template("Fup_Name"));
    }

    // a new design starts with empty profiles and no placement
    controller->New_Project_Setting_Reset();
    EXPECT_FALSE(Fill_User_Profile);
    EXPECT_EQ(controller->Front_user_profile.Name, "");
    EXPECT_EQ(controller->Back_user_profile.Name_id, "Fup_Name");
}

TEST_F(ProfileCommandsTest, PreviewWorksOnCopiesAndLeavesTheCardAlone)
{
    Fill_User_Profile = true;
    controller->Front_user_profile.Name = "Ann";
    controller->Front_user_profile.email = "ann@example.com";
    controller->Fill_User_profile_info_front_side();
    const GraphicList before = side(0);
    const GraphicPtr name = withId(before, "Fup_Name");
    ASSERT_TRUE(name);

    // the preview's placement: the name changed, the e-mail emptied and
    // bound to a series
    controller->TEMP_user_profile = controller->Front_user_profile;
    controller->TEMP_user_profile.Name = "Preview";
    controller->TEMP_user_profile.email.clear();
    controller->TEMP_user_profile.Title = "Editor";
    controller->TEMP_user_profile.Title_ds = true;
    controller->TEMP_user_profile.Title_ds_name = "titles";
    controller->Temp_Design_Control_Assign_Copies();
    controller->Fill_User_profile_info_TEMP_side();

    EXPECT_EQ(side(0), before);
    EXPECT_EQ(textOf(name), "Ann");
    for (const GraphicPtr& g : before) {
        EXPECT_TRUE(g->ctrl_is_visible);
        EXPECT_EQ(g->data_source_type, 0);
    }
    const GraphicList temp = side(2);
    EXPECT_EQ(temp.size(), before.size() + 1);
    EXPECT_EQ(textOf(withId(temp, "Fup_Name")), "Preview");
    EXPECT_NE(withId(temp, "Fup_Name"), name);
    EXPECT_FALSE(withId(temp, "Fup_EmailID")->ctrl_is_visible);
    EXPECT_EQ(withId(temp, "Fup_Title")->batch_list_name, "titles");
}

// A profile whose name comes from a series, whose company comes from a
// spreadsheet column and whose photo comes from a series of picture paths,
// output record by record the way printing, export and mail take the card.
TEST_F(ProfileCommandsTest, BoundProfileVariesPerRecordInBatchOutput)
{
    QDir(Data_Folder_Path).removeRecursively();
    QDir().mkpath(Data_Folder_Path);
    QTemporaryDir dir;
    const QRgb colours[] = {qRgb(220, 0, 0), qRgb(0, 170, 0), qRgb(0, 0, 220)};
    QByteArray photos;
    for (int i = 0; i < 3; ++i) {
        const QString path = dir.filePath(QStringLiteral("photo%1.png").arg(i));
        ASSERT_TRUE(TestPictures::solid(40, 50, colours[i]).save(path));
        photos += path.toUtf8() + "\n";
    }
    auto writeSeries = [](const QString& name, const QByteArray& bytes) {
        QFile file(Data_Folder_Path + "/" + name + ".txt");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    writeSeries("names", "Ada\nBo\nCy\n");
    writeSeries("photos", photos);
    controller->Excel_Column_Titles = {"No.", "Company"};
    controller->ListData = {{{"Extension", "1"}, {"Column1", "Acme"}},
                            {{"Extension", "2"}, {"Column1", "Bolt"}},
                            {{"Extension", "3"}, {"Column1", "Crane"}}};

    User_Profile_Class& p = controller->Front_user_profile;
    p.Name = "Ada";
    p.Name_ds = true;
    p.Name_ds_name = "names";
    p.Company_name = "Acme";
    p.Company_name_xl = true;
    p.Company_name_xl_col_indx = 1;
    p.Title = "Guest";
    p.image = dir.filePath("photo0.png");
    p.image_ds = true;
    p.image_ds_name = "photos";
    Fill_User_Profile = true;
    Excel_Binding_Use = true;
    controller->Fill_User_profile_info_front_side();
    controller->Check_Series_Or_Excel_Use_or_not();
    ASSERT_EQ(Total_Batch_Excel_Card, 3);

    const char* names[] = {"Ada", "Bo", "Cy"};
    const char* companies[] = {"Acme", "Bolt", "Crane"};
    for (int record = 0; record < 3; ++record) {
        SCOPED_TRACE(record);
        SideSnapshot shot = controller->batchSideSnapshot(0);
        ASSERT_EQ(controller->bindRecordIntoSnapshot(shot, record), "");
        EXPECT_EQ(textOf(withId(shot.graphics(), "Fup_Name")), names[record]);
        EXPECT_EQ(textOf(withId(shot.graphics(), "Fup_Company")), companies[record]);
        EXPECT_EQ(textOf(withId(shot.graphics(), "Fup_Title")), "Guest");
        const GraphicPtr photo = withId(shot.graphics(), "Fup_Photo");
        ASSERT_TRUE(photo);
        const QImage image = shot.picture(72).image();
        ASSERT_FALSE(image.isNull());
        const QPointF centre = photo->bounds().center() - shot.card().topLeft();
        EXPECT_LE(TestPictures::channelDistance(image.pixel(centre.toPoint()), colours[record]), 8)
            << std::hex << image.pixel(centre.toPoint());
    }
    EXPECT_TRUE(presenter.texts().isEmpty()) << presenter.texts().join("|").toStdString();
}

}   // namespace
