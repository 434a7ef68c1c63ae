// The profile dialog on a main window: opened from the profile button, a
// typed row, a series-bound row and a photo filled through the controls, a
// preview that leaves the card alone, Cancel and OK.

#include "WindowControllerFixture.h"

#include "app/Globals.h"
#include "canvas/CanvasController.h"
#include "canvas/SKTGraphicView.h"
#include "common/TestPictures.h"
#include "data/Globals.h"
#include "model/SKTImage.h"
#include "mainwindow/profile/Show_User_Profile.h"
#include "mainwindow/print/Print_Wnd.h"
#include "mainwindow/profile/User_profile.h"
#include "profiles/Globals.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

class ProfileDialogTest : public WindowControllerFixture
{
protected:
    void SetUp() override
    {
        WindowControllerFixture::SetUp();
        QDir(Data_Folder_Path).removeRecursively();
        QDir().mkpath(Data_Folder_Path);
        QFile series(Data_Folder_Path + "/titles.txt");
        ASSERT_TRUE(series.open(QIODevice::WriteOnly));
        series.write("Chair\nTreasurer\n");
        series.close();
        photo = dir.filePath("me.png");
        ASSERT_TRUE(TestPictures::solid(30, 40, qRgb(200, 30, 30)).save(photo));
        OpenPanel::setHandler([this](const QString&, const QStringList&) { return photo; });
        dialog = Show_User_Profile::defaultInstance();
        ASSERT_TRUE(dialog);
    }
    void TearDown() override
    {
        ProfileDialogBase::setModalRun({});
        WindowControllerFixture::TearDown();
    }

    GraphicList front() const { return controller->graphicView(0)->controller().graphics(); }
    static QStringList describe(const GraphicList& list)
    {
        QStringList out;
        for (const GraphicPtr& g : list) {
            // a text by its text, a picture by its file
            const bool picture = g->className() == "SKTImage";
            out << QStringLiteral("%1|%2|%3|%4")
                       .arg(g->className(), g->control_ID, picture ? g->FilePath() : g->Text_contents()->string())
                       .arg(g->ctrl_is_visible);
        }
        return out;
    }
    template <class T>
    T* in(const char* name) const
    {
        T* found = dialog->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            ADD_FAILURE() << "no control " << name;
        return found;
    }

    QTemporaryDir dir;
    QString photo;
    Show_User_Profile* dialog = nullptr;
};

TEST_F(ProfileDialogTest, FillPreviewCancelThenOkPlacesTheProfile)
{
    ASSERT_EQ(controller->profileDialog(), dialog);
    ASSERT_TRUE(User_profile::defaultInstance());
    EXPECT_EQ(controller->profileWizardForm(), User_profile::defaultInstance());

    const QStringList cardBefore = describe(front());
    const double x = last_ctrl_X, y = last_ctrl_Y;

    // Fill the name, bind the title to the series, choose a photo, preview
    // twice, then cancel.
    ProfileDialogBase::setModalRun([&](ProfileDialogBase& d) {
        EXPECT_EQ(d.windowTitle(), "Front Side User Profile Information");
        EXPECT_EQ(d.load_side, "F");
        QTest::keyClicks(in<QLineEdit>("name_value"), "Ada Lovelace");
        EXPECT_TRUE(in<QCheckBox>("name_value_chk")->isChecked());
        auto* source = in<QComboBox>("title_ds_combo");
        source->setCurrentIndex(1);
        auto* series = in<QComboBox>("title_ser_col_cb");
        EXPECT_TRUE(series->isEnabled());
        EXPECT_EQ(series->currentIndex(), -1);   // filling the list chose nothing
        series->setCurrentIndex(series->findText("titles"));
        EXPECT_EQ(in<QLineEdit>("title_value")->text(), "Chair");
        EXPECT_TRUE(in<QLineEdit>("title_value")->isReadOnly());
        in<QPushButton>("browse_pic_btn")->click();
        EXPECT_EQ(in<QLineEdit>("image_path_val")->text(), photo);
        EXPECT_FALSE(d.photo().isNull());

        in<QPushButton>("preview_btn")->click();
        in<QPushButton>("preview_btn")->click();
        EXPECT_FALSE(in<QLabel>("Preivew_picture")->pixmap().isNull());
        EXPECT_EQ(describe(front()), cardBefore);   // the preview used copies
        EXPECT_EQ(last_ctrl_X, x);
        EXPECT_EQ(last_ctrl_Y, y);
        EXPECT_EQ(controller->TEMP_user_profile.Title, "Chair");
        in<QPushButton>("cancel_btn")->click();
        return d.result();
    });
    controller->User_Profile_Button_Clicked();
    EXPECT_EQ(describe(front()), cardBefore);
    EXPECT_EQ(controller->Front_user_profile.Name, "");
    EXPECT_FALSE(Fill_User_Profile);

    // Again: the same rows filled, OK places them on the front side.
    ProfileDialogBase::setModalRun([&](ProfileDialogBase& d) {
        QTest::keyClicks(in<QLineEdit>("name_value"), "Ada Lovelace");
        in<QComboBox>("title_ds_combo")->setCurrentIndex(1);
        in<QComboBox>("title_ser_col_cb")->setCurrentIndex(in<QComboBox>("title_ser_col_cb")->findText("titles"));
        in<QPushButton>("browse_pic_btn")->click();
        in<QPushButton>("ok_btn")->click();
        return d.result();
    });
    controller->User_Profile_Button_Clicked();
    EXPECT_TRUE(Fill_User_Profile);
    EXPECT_EQ(controller->Front_user_profile.Name, "Ada Lovelace");
    EXPECT_TRUE(controller->Front_user_profile.Title_ds);
    EXPECT_EQ(controller->Front_user_profile.Title_ds_name, "titles");
    EXPECT_EQ(controller->Back_user_profile.Name, "");
    const QStringList placed = describe(front()).mid(0, 3);
    EXPECT_EQ(placed, (QStringList {"SKTImage|Fup_Photo|" + photo + "|1", "SKTText|Fup_Title|Chair|1",
                                    "SKTText|Fup_Name|Ada Lovelace|1"}));

    // Opening again loads the placed objects back, the photo by its path.
    ProfileDialogBase::setModalRun([&](ProfileDialogBase&) {
        EXPECT_EQ(in<QComboBox>("title_ser_col_cb")->currentText(), "titles");
        EXPECT_EQ(in<QLineEdit>("image_path_val")->text(), photo);
        return 0;
    });
    controller->User_Profile_Button_Clicked();
}

// The first guest has no name, company or photo: bound through the window
// and OK pressed twice, the objects stay placed and bound, the print window
// offers series and spreadsheet, and later records show their own values.
TEST_F(ProfileDialogTest, ColumnsWithAnEmptyFirstRecordStayBoundThroughOkTwice)
{
    const QRgb colours[] = {qRgb(0, 160, 0), qRgb(0, 0, 210)};
    QFile series(Data_Folder_Path + "/guests.txt");
    ASSERT_TRUE(series.open(QIODevice::WriteOnly));
    series.write("\nBo\nCy\n");
    series.close();
    controller->Excel_Column_Titles = {"No.", "Company", "Photo"};
    controller->ListData.append({{"Extension", "1"}, {"Column1", ""}, {"Column2", ""}});
    for (int i = 0; i < 2; ++i) {
        const QString path = dir.filePath(QStringLiteral("guest%1.png").arg(i));
        ASSERT_TRUE(TestPictures::solid(40, 50, colours[i]).save(path));
        controller->ListData.append(
            {{"Extension", QString::number(i + 2)}, {"Column1", i ? "Crane" : "Bolt"}, {"Column2", path}});
    }
    auto rowSources = [this] {
        QStringList out;
        for (const char* row : {"name", "comp_name", "image"})
            out << in<QComboBox>((row + std::string("_ds_combo")).c_str())->currentText() + "/"
                    + in<QComboBox>((row + std::string("_ser_col_cb")).c_str())->currentText();
        return out;
    };
    ProfileDialogBase::setModalRun([&](ProfileDialogBase& d) {
        d.Add_Excel_in_Data_Source_Combo();
        in<QPushButton>("browse_pic_btn")->click(); // a photo in the well first
        EXPECT_FALSE(d.photo().isNull());
        for (const char* row : {"comp_name", "image"}) {
            in<QComboBox>((row + std::string("_ds_combo")).c_str())->setCurrentIndex(2);
            in<QComboBox>((row + std::string("_ser_col_cb")).c_str())->setCurrentIndex(row[0] == 'c' ? 1 : 2);
        }
        in<QComboBox>("name_ds_combo")->setCurrentIndex(1);
        in<QComboBox>("name_ser_col_cb")->setCurrentIndex(in<QComboBox>("name_ser_col_cb")->findText("guests"));
        EXPECT_TRUE(d.photo().isNull()); // the first guest's photo: none
        in<QPushButton>("preview_btn")->click();
        const GraphicList temp = controller->Get_Temp_Controls_Array();
        EXPECT_EQ(temp.size(), 3);
        EXPECT_TRUE(!temp.isEmpty() && temp[0]->ctrl_is_visible && static_cast<SKTImage&>(*temp[0])._contents.isNull());
        in<QPushButton>("ok_btn")->click();
        return d.result();
    });
    controller->User_Profile_Button_Clicked();
    ProfileDialogBase::setModalRun([&](ProfileDialogBase& d) {
        EXPECT_EQ(rowSources(), (QStringList {"Series/guests", "Excel/Company", "Excel/Photo"}));
        in<QPushButton>("ok_btn")->click();
        return d.result();
    });
    controller->User_Profile_Button_Clicked();
    // saved, opened again, and OK pressed once more without a change
    const QString design = dir.filePath("badge.fcard");
    SavePanel::setHandler([&](const QString&, const QString&) { return design; });
    ASSERT_TRUE(controller->Save_project_file(true, false));
    controller->New_Project_Setting_Reset();
    ASSERT_TRUE(controller->Read_and_load_design_Log(design, QStringLiteral("L")));
    controller->User_Profile_Button_Clicked();

    EXPECT_EQ(describe(front()).mid(0, 3),
              (QStringList {"SKTImage|Fup_Photo||1", "SKTText|Fup_Company||1", "SKTText|Fup_Name||1"}));
    std::pair<bool, bool> ticked;
    Print_Wnd::setModalRun([&](QDialog& window) {
        auto& print = static_cast<Print_Wnd&>(window);
        ticked = {print.print_with_batch_chk->isChecked(), print.print_with_excel_chk->isChecked()};
        return 0;
    });
    controller->setPrinterLister([] { return QStringList {"office"}; });
    control<QToolButton>("Print_btn")->click();
    Print_Wnd::setModalRun({});
    EXPECT_EQ(ticked, std::pair(true, true));
    ASSERT_EQ(Total_Batch_Excel_Card, 3);
    for (int record = 0; record < 3; ++record) {
        SideSnapshot shot;
        QMap<QString, GraphicPtr> byId;
        ASSERT_EQ(bindRecord(shot, record, byId), "");
        EXPECT_EQ(byId["Fup_Name"]->Text_contents()->string() + "/" + byId["Fup_Company"]->Text_contents()->string(),
                  QStringList({"/", "Bo/Bolt", "Cy/Crane"})[record]);
        const GraphicPtr picture = byId["Fup_Photo"];
        const QImage image = shot.picture(72).image();
        const QRgb centre = image.pixel((picture->bounds().center() - shot.card().topLeft()).toPoint());
        if (record == 0)
            EXPECT_TRUE(static_cast<SKTImage&>(*picture)._contents.isNull());
        else
            EXPECT_LE(TestPictures::channelDistance(centre, colours[record - 1]), 8) << record;
    }
}
}

namespace {

TEST_F(ProfileDialogTest, WizardFormCommitsBothSidesAndShowsItsSideChoosersOnlyWithoutASide)
{
    User_profile* wizard = User_profile::defaultInstance();
    ASSERT_TRUE(wizard);
    EXPECT_FALSE(wizard->findChild<QCheckBox*>());   // no caption or value boxes
    Card_Front_Or_Back = 1;
    auto* chooser = wizard->findChild<QComboBox*>("phone_side_combo");
    ASSERT_TRUE(chooser);
    ProfileDialogBase::setModalRun([&](ProfileDialogBase& d) {
        EXPECT_EQ(d.windowTitle(), "Back Side User Profile Information");
        EXPECT_TRUE(chooser->isHidden());
        EXPECT_EQ(chooser->currentIndex(), 1);
        EXPECT_FALSE(d.Template_picture->pixmap().isNull());
        QTest::keyClicks(d.findChild<QLineEdit*>("name_value"), "Zed");
        d.OK_Btn_Clicked();
        return d.result();
    });
    EXPECT_EQ(controller->Open_User_Profile_Window(true, " "), 1);
    EXPECT_EQ(controller->Front_user_profile.Name, "Zed");
    EXPECT_EQ(controller->Back_user_profile.Name, "Zed");

    ProfileDialogBase::setModalRun([&](ProfileDialogBase& d) {
        EXPECT_EQ(d.windowTitle(), "User Profile Information");
        EXPECT_FALSE(chooser->isHidden());
        EXPECT_EQ(chooser->currentIndex(), 2);
        EXPECT_EQ(d.findChild<QLineEdit*>("name_value")->text(), "");
        d.Cancel_Btn_Clicked();
        return d.result();
    });
    EXPECT_EQ(controller->Open_User_Profile_Window(false, ""), 0);
}

}
