// The main window's profile commands: button and menu item over a scripted
// dialog, the side placements' gates, the preview's copies, and a bound
// profile carried through batch output record by record.

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

namespace {

// Records how it was opened; writes a name into the side's record and answers.
struct ScriptedProfileDialog : ProfileDialog {
    int Open_Wnd(bool load) override
    {
        openings.append({load, load_side});
        if (record)
            record->Name = "Name " + load_side;
        return answer;
    }
    User_Profile_Class* record = nullptr;
    int answer = 0;
    QList<std::pair<bool, QString>> openings;
};

class ProfileCommandsTest : public WindowControllerFixture
{
protected:
    GraphicPtr onSide(int side, const char* id) const
    {
        for (const GraphicPtr& g : controller->graphicView(side)->controller().graphics())
            if (g->control_ID == QLatin1String(id))
                return g;
        return nullptr;
    }
    static QString textOf(const GraphicPtr& g) { return g ? g->Text_contents()->string() : "<none>"; }
};

TEST_F(ProfileCommandsTest, ButtonAndMenuItemPlaceOnTheEditedSideOnlyAfterOk)
{
    ScriptedProfileDialog dialog, wizard;
    auto* button = control<QToolButton>("User_Profile_btn");
    controller->setProfileDialogs(nullptr, nullptr);
    EXPECT_FALSE(button->isEnabled());
    EXPECT_EQ(controller->Open_User_Profile_Window(true, "F"), 0);   // no dialog yet
    controller->setProfileDialogs(&dialog, &wizard);
    EXPECT_TRUE(button->isEnabled());
    QAction* item = nullptr;
    for (QAction* action : controller->window()->findChildren<QAction*>())
        item = action->text() == "User Profile..." ? action : item;
    ASSERT_TRUE(item);

    // side, answer; the back side through the menu item
    for (const auto& [side, answer] : {std::pair(0, 0), {1, 0}, {0, 1}, {1, 1}}) {
        SCOPED_TRACE(testing::Message() << side << answer);
        dialog.openings.clear();
        dialog.answer = answer;
        dialog.record = side ? &controller->Back_user_profile : &controller->Front_user_profile;
        side ? controller->Select_back_side() : controller->Select_front_side();
        side ? item->trigger() : button->click();
        const QString letter = side ? "B" : "F";
        EXPECT_EQ(dialog.openings, (QList<std::pair<bool, QString>> {{true, letter}}));
        EXPECT_EQ(Fill_User_Profile, answer == 1);
        EXPECT_EQ(textOf(onSide(side, "Fup_Name")), answer ? "Name " + letter : "<none>");
        EXPECT_EQ(onSide(2, "Fup_Name"), nullptr);
    }
    EXPECT_TRUE(wizard.openings.isEmpty());
    wizard.answer = 1;
    Fill_User_Profile = false;
    EXPECT_EQ(controller->Open_User_Profile_Window(false, "  "), 1);   // no side letter: the wizard form
    EXPECT_EQ(wizard.openings, (QList<std::pair<bool, QString>> {{false, ""}}));
    EXPECT_TRUE(Fill_User_Profile);
}

TEST_F(ProfileCommandsTest, SidePlacementGatesAndTheFrontCardSize)
{
    auto* source = control<QComboBox>("Data_source_type");
    ASSERT_EQ(source->count(), 2);
    controller->Front_user_profile.Name = "Ann";
    controller->Back_user_profile.Name = "Bo";
    controller->TEMP_user_profile.Name = "Cy";
    Card_Property back = controller->Back_card_Prop();
    back.setCard_Size(QSizeF(153, 243));   // the front card's shape decides on every side
    controller->setBack_card_Prop(back);
    // before any OK, front and back only offer or withdraw the inspector's "Excel"
    Excel_Binding_Use = true;
    controller->Fill_User_profile_info_front_side();
    EXPECT_EQ(source->count(), 3);
    Excel_Binding_Use = false;
    controller->Fill_User_profile_info_back_side();
    EXPECT_EQ(source->count(), 2);
    EXPECT_FALSE(onSide(0, "Fup_Name") || onSide(1, "Fup_Name"));
    Excel_Binding_Use = true;
    controller->Fill_User_profile_info_TEMP_side();   // always places; the inspector left alone
    EXPECT_EQ(source->count(), 2);
    EXPECT_EQ(textOf(onSide(2, "Fup_Name")), "Cy");

    Fill_User_Profile = true;
    controller->Fill_User_profile_Details();
    EXPECT_EQ(textOf(onSide(0, "Fup_Name")) + textOf(onSide(1, "Fup_Name")), "AnnBo");
    ASSERT_GE(controller->Front_card_Prop().Card_Size().width(), controller->Front_card_Prop().Card_Size().height());
    EXPECT_EQ(onSide(1, "Fup_Name")->bounds(), controller->Get_Control_Rect_From_Template("Fup_Name"));

    controller->New_Project_Setting_Reset();
    EXPECT_FALSE(Fill_User_Profile);
    EXPECT_EQ(controller->Front_user_profile.Name + controller->Back_user_profile.Name, "");
}

TEST_F(ProfileCommandsTest, PreviewPlacesOnCopiesAndLeavesTheCardAlone)
{
    Fill_User_Profile = true;
    controller->Front_user_profile.Name = "Ann";
    controller->Front_user_profile.email = "ann@example.com";
    controller->Fill_User_profile_info_front_side();
    const GraphicList before = controller->Get_Front_Controls_Array();
    User_Profile_Class& temp = controller->TEMP_user_profile;
    temp = controller->Front_user_profile;
    temp.Name = "Preview";
    temp.email.clear();
    temp.Title = "Editor";
    temp.Title_ds = true;
    controller->Temp_Design_Control_Assign_Copies();
    controller->Fill_User_profile_info_TEMP_side();

    EXPECT_EQ(controller->Get_Front_Controls_Array(), before);
    EXPECT_EQ(textOf(onSide(0, "Fup_Name")), "Ann");
    for (const GraphicPtr& g : before)
        EXPECT_TRUE(g->ctrl_is_visible && g->data_source_type == 0);
    EXPECT_EQ(controller->Get_Temp_Control_Count(), 3);
    EXPECT_EQ(textOf(onSide(2, "Fup_Name")), "Preview");
    EXPECT_FALSE(onSide(2, "Fup_EmailID")->ctrl_is_visible);
    EXPECT_EQ(onSide(2, "Fup_Title")->data_source_type, 1);
}

// Name from a series, company from a spreadsheet column, photo from a
// series of picture paths; each record bound into a snapshot of the side
// and rendered, as printing, export and mail do.
TEST_F(ProfileCommandsTest, BoundProfileVariesPerRecordInBatchOutput)
{
    QDir(Data_Folder_Path).removeRecursively();
    QDir().mkpath(Data_Folder_Path);
    QTemporaryDir dir;
    const QRgb colours[] = {qRgb(220, 0, 0), qRgb(0, 170, 0), qRgb(0, 0, 220)};
    QFile photos(Data_Folder_Path + "/photos.txt"), names(Data_Folder_Path + "/names.txt");
    ASSERT_TRUE(photos.open(QIODevice::WriteOnly) && names.open(QIODevice::WriteOnly));
    for (int i = 0; i < 3; ++i) {
        const QString path = dir.filePath(QStringLiteral("%1.png").arg(i));
        ASSERT_TRUE(TestPictures::solid(40, 50, colours[i]).save(path));
        photos.write(path.toUtf8() + "\n");
    }
    names.write("Ada\nBo\nCy\n");
    photos.close();
    names.close();
    controller->Excel_Column_Titles = {"No.", "Company"};
    for (const char* company : {"Acme", "Bolt", "Crane"})
        controller->ListData.append({{"Extension", "1"}, {"Column1", company}});

    User_Profile_Class& p = controller->Front_user_profile;
    std::tie(p.Name, p.Name_ds, p.Name_ds_name) = std::tuple("Ada", true, "names");
    std::tie(p.Company_name, p.Company_name_xl, p.Company_name_xl_col_indx) = std::tuple("Acme", true, 1);
    std::tie(p.image, p.image_ds, p.image_ds_name) = std::tuple(dir.filePath("0.png"), true, "photos");
    p.Title = "Guest";
    Fill_User_Profile = Excel_Binding_Use = true;
    controller->Fill_User_profile_info_front_side();
    controller->Check_Series_Or_Excel_Use_or_not();
    ASSERT_EQ(Total_Batch_Excel_Card, 3);

    const char* expected[] = {"Ada Acme Guest", "Bo Bolt Guest", "Cy Crane Guest"};
    for (int record = 0; record < 3; ++record) {
        SideSnapshot shot;
        QMap<QString, GraphicPtr> byId;
        ASSERT_EQ(bindRecord(shot, record, byId), "");
        EXPECT_EQ(QStringList({textOf(byId["Fup_Name"]), textOf(byId["Fup_Company"]), textOf(byId["Fup_Title"])})
                      .join(' '),
                  expected[record]);
        const QImage image = shot.picture(72).image();
        const QPoint centre = (byId["Fup_Photo"]->bounds().center() - shot.card().topLeft()).toPoint();
        EXPECT_LE(TestPictures::channelDistance(image.pixel(centre), colours[record]), 8) << record;
    }
    EXPECT_TRUE(presenter.texts().isEmpty()) << presenter.texts().join("|").toStdString();
}

}   // namespace
