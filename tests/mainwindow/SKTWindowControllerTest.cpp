#include "WindowControllerFixture.h"

#include "app/Globals.h"
#include "canvas/CardPasteboard.h"
#include "canvas/SKTGraphicView.h"
#include "canvas/SKTGrid.h"
#include "canvas/SKTRenderingView.h"
#include "canvas/SKTZoomingScrollView.h"
#include "mainwindow/ColorWell.h"
#include "mainwindow/DrawWindow.h"
#include "mainwindow/SKTWindowController.h"
#include "model/Globals.h"
#include "model/SKTDocument.h"
#include "output/Globals.h"
#include "output/Preferences.h"
#include "platform/MessagePresenter.h"
#include "platform/OpenPanel.h"
#include "platform/ProcessTerminator.h"
#include "platform/ScriptedMessagePresenter.h"
#include "platform/UndoManager.h"
#include "profiles/Globals.h"

#include <QDir>
#include <QFile>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableView>
#include <QPainter>
#include <QSignalSpy>
#include <future>
#include <QTemporaryDir>
#include <QTest>
#include <QMimeData>
#include <functional>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

class ControllerTest : public WindowControllerFixture
{
protected:
    // A new object made on a side as the tools make them, placed automatically.
    GraphicPtr create(int side)
    {
        CanvasController& canvas = controller->graphicView(side)->controller();
        canvas.createGraphicOfClass("Shape_Control", nullptr, false, QRectF(), side == 0 ? "F" : "B", "", "");
        return canvas._Selected_Graphic;
    }

    QImage cardPicture(int side)
    {
        QImage image(243, 154, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        controller->cardBaseDrawingForSide(painter, QRectF(0, 0, 243, 154), side);
        return image;
    }
};

TEST_F(ControllerTest, StartsOnTheFrontOfANewEmptyCard)
{
    EXPECT_EQ(SKTWindowController::defaultInstance(), controller.get());
    for (int side : {0, 1, 2}) // the canvases report to it
        EXPECT_EQ(controller->graphicView(side)->controller().host(), controller.get()) << side;
    EXPECT_TRUE(controller->window()->isVisible());
    {
        // 1000 x 800 as asked, pulled into the offscreen screen's free area
        // (800 x 800): as high as the area, as wide as the window may be.
        const QWidget* window = controller->window();
        const QRect area = window->screen()->availableGeometry();
        const QRect frame = window->frameGeometry();
        EXPECT_EQ(frame.top(), area.top());
        EXPECT_EQ(frame.height(), area.height());
        EXPECT_EQ(window->width(), std::clamp(area.width() - (frame.width() - window->width()),
                                              window->minimumWidth(), 1000));
    }
    EXPECT_EQ(Card_Front_Or_Back, 0);
    EXPECT_EQ(control<QStackedWidget>("myTargetView")->currentIndex(), 0);
    EXPECT_EQ(controller->frontCanvasBounds(), QRectF(0, 0, 243, 154));
    for (int side = 0; side < 3; ++side)
        EXPECT_EQ(controller->graphicView(side)->controller().bounds(), QRectF(0, 0, 243, 154));
    EXPECT_EQ(controller->Get_Front_Control_Count(), 0);
    EXPECT_EQ(controller->Get_Back_Control_Count(), 0);
    EXPECT_TRUE(exits.isEmpty());

    // the card panels only, filled from the front record
    ASSERT_EQ(control<QTabWidget>("sett_tab")->count(), 3);
    EXPECT_EQ(control<QTabWidget>("sett_tab")->widget(0), control<QWidget>("card_setting_tab"));
    EXPECT_EQ(control<QTabWidget>("sett_tab")->widget(1), control<QWidget>("card_bkgd_tab"));
    EXPECT_EQ(control<QTabWidget>("sett_tab")->widget(2), control<QWidget>("card_brdr_tab"));
    EXPECT_TRUE(control<QCheckBox>("Card_border_chk")->isChecked());
    EXPECT_EQ(control<QLabel>("All_Text_font_value")->text(), "Times New Roman ( 14.00 )");
    EXPECT_EQ(control<QComboBox>("Card_hatch_style")->count(), 8);
    EXPECT_EQ(control<QComboBox>("Card_image_layout")->currentText(), "Stretch");
    EXPECT_EQ(CARD_SIDE_STR, "2");
    EXPECT_EQ(All_Text_font, FontSpec("Times New Roman", 14));

    const Card_Property front = controller->Front_card_Prop();
    EXPECT_TRUE(front.Card_border_chk());
    EXPECT_EQ(front.Card_Size(), QSizeF(243, 154));
    EXPECT_EQ(front.Card_Create_Mode(), "W");

    // the front canvas shows a white card with a black outline
    const QImage shown = controller->graphicView(0)->grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(120, 77)), QColor(Qt::white));
    EXPECT_LT(qGray(shown.pixel(0, 77)), 200);
    EXPECT_LT(qGray(shown.pixel(120, 0)), 200);

    // folders of the resource folder and the mail settings
    for (const char* folder : {"DataSet", "Background", "Fill_Style_Image", "LibraryImage", "Templates", "Templates/User"})
        EXPECT_TRUE(QDir(Resource_Path + "/" + folder).exists()) << folder;
    EXPECT_EQ(Data_Folder_Path, Resource_Path + "/DataSet");
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(Resource_Path + "/com.vesk.card.plist").constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(ControllerTest, SidesSwitchTheViewAndTheSideCommandsActOn)
{
    control<QPushButton>("Back_Side_btn")->click();
    EXPECT_EQ(Card_Front_Or_Back, 1);
    EXPECT_EQ(control<QStackedWidget>("myTargetView")->currentIndex(), 1);
    EXPECT_EQ(control<QLabel>("Front_back_label")->text(), "Back");
    EXPECT_TRUE(control<QPushButton>("Back_Side_btn")->isChecked());

    control<QPushButton>("Front_Side_btn")->click();
    EXPECT_EQ(Card_Front_Or_Back, 0);
    EXPECT_EQ(control<QStackedWidget>("myTargetView")->currentIndex(), 0);
    EXPECT_EQ(control<QLabel>("Front_back_label")->text(), "Front");

    // the temp side shows the current side's own objects and keeps the side
    const GraphicPtr a = create(0);
    const GraphicPtr b = create(0);
    create(1);
    control<QPushButton>("Back_Side_btn")->click();
    control<QPushButton>("Temp_Side_btn")->click();
    EXPECT_EQ(Card_Front_Or_Back, 1);
    EXPECT_EQ(control<QStackedWidget>("myTargetView")->currentIndex(), 2);
    EXPECT_EQ(control<QLabel>("Front_back_label")->text(), "TEMP");
    EXPECT_EQ(controller->Get_Temp_Controls_Array(), controller->Get_Back_Controls_Array());

    control<QPushButton>("Front_Side_btn")->click();
    control<QPushButton>("Temp_Side_btn")->click();
    EXPECT_EQ(Card_Front_Or_Back, 0);
    ASSERT_EQ(controller->Get_Temp_Control_Count(), 2);
    EXPECT_EQ(controller->Get_Temp_Controls_Array().at(0).get(), b.get());
    EXPECT_EQ(controller->Get_Temp_Controls_Array().at(1).get(), a.get());
}

TEST_F(ControllerTest, NewObjectsArePlacedStepByStep)
{
    QList<QPointF> front;
    for (int i = 0; i < 6; ++i)
        front.append(create(0)->_bounds.topLeft());
    EXPECT_EQ(front, (QList<QPointF> {{30, 30}, {50, 50}, {70, 70}, {90, 90}, {110, 10}, {130, 30}}));

    // the back side steps by its own count but goes on from the same place,
    // wrapping at the front canvas's size
    EXPECT_EQ(create(1)->_bounds.topLeft(), QPointF(150, 50));
    EXPECT_EQ(controller->Control_New_Point("B"), QPointF(170, 70));
    EXPECT_EQ(controller->Control_New_Point("x"), QPointF(190, 90));
    EXPECT_EQ(controller->Control_New_Point("F"), QPointF(10, 10));

    // with 25 objects on a side the step is 25
    for (int i = controller->Get_Front_Control_Count(); i < 25; ++i)
        create(0);
    last_ctrl_X = 10;
    last_ctrl_Y = 10;
    EXPECT_EQ(controller->Control_New_Point("F"), QPointF(35, 35));
}

TEST_F(ControllerTest, NewDesignResetsEverything)
{
    create(0);
    create(0);
    create(1);
    ASSERT_TRUE(document->undoManager()->canUndo());
    control<QPushButton>("Back_Side_btn")->click();
    Card_Property changed = controller->Back_card_Prop();
    changed.setCard_fill_chk(true);
    changed.setCard_Name("Old");
    controller->setBack_card_Prop(changed);
    controller->setFront_card_Prop(changed);
    controller->Front_user_profile.Name = "Ann";
    controller->Back_user_profile.phone_ds = true;
    controller->TEMP_user_profile.Name = "Temp";
    Fill_User_Profile = true;
    Project_File_Name = "/tmp/x.fcard";
    controller->grid()->setAlwaysShown(true);
    QDir(Resource_Path + "/Templates/User").removeRecursively();

    controller->New_Project_Setting_Reset();

    EXPECT_FALSE(Not_Draw_Only_Prop_Change);
    EXPECT_EQ(Card_Front_Or_Back, 0);
    EXPECT_EQ(control<QStackedWidget>("myTargetView")->currentIndex(), 0);
    EXPECT_EQ(controller->Get_Front_Control_Count(), 0);
    EXPECT_EQ(controller->Get_Back_Control_Count(), 0);
    EXPECT_EQ(controller->Get_Temp_Control_Count(), 0);
    EXPECT_FALSE(document->undoManager()->canUndo());
    EXPECT_EQ(last_ctrl_X, 10.0);
    EXPECT_EQ(last_ctrl_Y, 10.0);
    EXPECT_FALSE(Fill_User_Profile);
    EXPECT_EQ(Project_File_Name, "");
    EXPECT_FALSE(controller->grid()->isAlwaysShown());
    EXPECT_TRUE(QDir(Resource_Path + "/Templates/User").exists());
    EXPECT_EQ(controller->Front_user_profile.Name, "");
    EXPECT_EQ(controller->Front_user_profile.Name_id, "Fup_Name");
    EXPECT_FALSE(controller->Back_user_profile.phone_ds);
    EXPECT_EQ(controller->TEMP_user_profile.Name, "Temp");
    EXPECT_EQ(All_Text_font, FontSpec("Times New Roman", 14));

    for (const Card_Property& r : {controller->Front_card_Prop(), controller->Back_card_Prop()}) {
        EXPECT_TRUE(r.Card_border_chk());
        EXPECT_FALSE(r.Card_fill_chk());
        EXPECT_EQ(r.Card_Name(), "Untitled");
        EXPECT_EQ(r.Card_Side_Name(), "F");
        EXPECT_EQ(r.Card_Sub_Category(), "CR80-Credit Card Size");
        EXPECT_EQ(r.Card_Content_font(), FontSpec("Times New Roman", 14));
        EXPECT_EQ(r.Card_Content_clr(), Colour::black());
    }
}

// A new design forgets the objects this program copied, but never what
// another program, or another running copy of this one, put there.
TEST_F(ControllerTest, NewDesignClearsOnlyThePasteboardContentsItPutThere)
{
    auto marked = [](const QByteArray& mark) {
        auto* data = new QMimeData;
        data->setData(CardPasteboard::graphicsType(), "objects");
        data->setData(Pasteboard::changeMarkType, mark);
        return data;
    };
    const struct {
        const char* name;
        std::function<void()> put;
        bool kept;
    } cases[] = {
        {"own copy", [&] { pasteboard.setContents(marked("")); }, false},
        {"another copy", [&] { pasteboard.putForeign(marked("other-copy")); }, true},
        {"another program", [&] {
             auto* data = new QMimeData;
             data->setText("hello");
             pasteboard.putForeign(data);
         }, true},
    };
    for (const auto& c : cases) {
        pasteboard.setContents(marked(""));   // this program copied once before
        c.put();
        controller->New_Project_Setting_Reset();
        EXPECT_EQ(pasteboard.mimeData() != nullptr, c.kept) << c.name;
    }
}

TEST_F(ControllerTest, RedrawIsSkippedWhileBatchPicturesAreMade)
{
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Paint)
                ++paints;
            return false;
        }
    } counter;
    SKTGraphicView* front = controller->graphicView(0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(front->window()));
    front->installEventFilter(&counter);
    // An update posts a request that paints when it is delivered, so handing
    // out every posted event shows whether a redraw was asked for.
    const auto paintsOfARefresh = [&](bool batch) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        counter.paints = 0;
        Card_Value_In_Process = batch;
        controller->Refresh_Canvas();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        Card_Value_In_Process = false;
        return counter.paints;
    };

    EXPECT_EQ(paintsOfARefresh(true), 0);
    // the same handling of events does paint an ordinary refresh
    EXPECT_GT(paintsOfARefresh(false), 0);
    EXPECT_EQ(paintsOfARefresh(true), 0);
}

TEST_F(ControllerTest, CardBaseFollowsTheCurrentSidesRecord)
{
    Card_Property front = controller->Front_card_Prop();
    front.setCard_fill_chk(true);
    front.setCard_fill_clr(Colour::rgb(1, 0, 0));
    controller->setFront_card_Prop(front);
    Card_Property back = front;
    back.setCard_fill_clr(Colour::rgb(0, 0, 1));
    controller->setBack_card_Prop(back);

    EXPECT_EQ(QColor(cardPicture(0).pixel(100, 70)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(cardPicture(1).pixel(100, 70)), QColor(0, 0, 255));

    QImage image(243, 154, QImage::Format_ARGB32);
    QPainter painter(&image);
    Card_Front_Or_Back = 1;
    controller->Card_Base_Drawing(painter, QRectF(0, 0, 243, 154));
    EXPECT_EQ(QColor(image.pixel(100, 70)), QColor(0, 0, 255));
    Card_Front_Or_Back = 0;
    controller->Card_Base_Drawing(painter, QRectF(0, 0, 243, 154));
    EXPECT_EQ(QColor(image.pixel(100, 70)), QColor(255, 0, 0));
}

TEST_F(ControllerTest, SideSnapshotDrawsOnAWorkerAsTheWindowDrawsItsSide)
{
    Card_Shape = 2;
    Card_Property back = controller->Back_card_Prop();
    back.setCard_fill_chk(true);
    back.setCard_fill_style(QStringLiteral("H"));
    back.setCard_hatch_style(QStringLiteral("Checks"));
    controller->setBack_card_Prop(back);
    const GraphicPtr shape = create(1);
    create(0);   // the front's objects stay off the back

    SideSnapshot snapshot = controller->sideSnapshot(1);
    ASSERT_EQ(snapshot.graphics().size(), 1);
    EXPECT_NE(snapshot.graphics().at(0), shape);
    const QImage there = std::async(std::launch::async, [&] { return snapshot.picture(72).image(); }).get();
    EXPECT_EQ(
        there,
        SKTRenderingView::image_From_Card_Graphics(controller.get(), document->graphics_back(), 1, false, 72).image());
}

TEST_F(ControllerTest, FillPanelWritesTheCurrentSideOnly)
{
    control<QCheckBox>("Card_fill_chk")->click();
    control<QRadioButton>("Card_gradient_fill_rd")->click();
    EXPECT_TRUE(controller->Front_card_Prop().Card_fill_chk());
    EXPECT_EQ(controller->Front_card_Prop().Card_fill_style(), "G");
    EXPECT_TRUE(control<ColorWell>("Card_fill_Grd_1_clr")->isEnabled());
    EXPECT_FALSE(control<ColorWell>("Card_fill_clr")->isEnabled());

    // the back side is written only while it is current
    control<QPushButton>("Back_Side_btn")->click();
    EXPECT_FALSE(control<QCheckBox>("Card_fill_chk")->isChecked());
    control<QCheckBox>("Card_fill_chk")->click();
    control<QRadioButton>("Card_Image_fill_rd")->click();
    EXPECT_EQ(controller->Back_card_Prop().Card_fill_style(), "I");
    EXPECT_EQ(controller->Front_card_Prop().Card_fill_style(), "G");

    // fill off on the back: "S"; on again, the solid radio
    control<QCheckBox>("Card_fill_chk")->click();
    EXPECT_EQ(controller->Back_card_Prop().Card_fill_style(), "S");
    control<QCheckBox>("Card_fill_chk")->click();
    EXPECT_TRUE(control<QRadioButton>("Card_solid_fill_rd")->isChecked());
    EXPECT_EQ(controller->Back_card_Prop().Card_fill_style(), "S");

    // fill off on the front keeps the gradient, which comes back
    control<QPushButton>("Front_Side_btn")->click();
    EXPECT_TRUE(control<QRadioButton>("Card_gradient_fill_rd")->isChecked());
    control<QCheckBox>("Card_fill_chk")->click();
    EXPECT_EQ(controller->Front_card_Prop().Card_fill_style(), "G");
    control<QCheckBox>("Card_fill_chk")->click();
    EXPECT_TRUE(control<QRadioButton>("Card_gradient_fill_rd")->isChecked());
}

TEST_F(ControllerTest, OpacityIsStoredAsAFractionAndShownAsPercent)
{
    control<QCheckBox>("Card_fill_chk")->click();
    control<QSpinBox>("Card_alpha_Stepper")->setValue(50);
    EXPECT_FLOAT_EQ(controller->Front_card_Prop().Card_alpha_Stepper(), 0.5f);
    EXPECT_DOUBLE_EQ(controller->Front_card_Prop().Card_fill_clr().alpha(), 0.5);
    control<QPushButton>("Back_Side_btn")->click();
    EXPECT_EQ(control<QSpinBox>("Card_alpha_Stepper")->value(), 100);
    control<QPushButton>("Front_Side_btn")->click();
    EXPECT_EQ(control<QSpinBox>("Card_alpha_Stepper")->value(), 50);
}

TEST_F(ControllerTest, SizeFieldsResizeTheCanvases)
{
    control<QDoubleSpinBox>("width_Stepper")->setValue(85.598);
    control<QDoubleSpinBox>("height_Stepper")->setValue(54.102);
    EXPECT_NEAR(controller->frontCanvasBounds().width(), 242.64, 1e-3);
    EXPECT_NEAR(controller->frontCanvasBounds().height(), 153.36, 1e-3);
    for (int side = 0; side < 3; ++side)
        EXPECT_EQ(controller->graphicView(side)->controller().bounds(), controller->frontCanvasBounds());
    EXPECT_EQ(controller->Front_card_Prop().Card_Size(), controller->frontCanvasBounds().size());

    // the shape is one value for both sides
    control<QRadioButton>("card_shape_oval")->click();
    EXPECT_EQ(Card_Shape, 2);
    EXPECT_EQ(controller->Front_card_Prop().Card_Shape(), "E");
    control<QPushButton>("Back_Side_btn")->click();
    EXPECT_TRUE(control<QRadioButton>("card_shape_oval")->isChecked());
}

TEST_F(ControllerTest, CategoryRefillsThePresetListWithoutResizing)
{
    EXPECT_EQ(controller->Get_Item_Text(0), "CR80-Credit Card Size");
    control<QComboBox>("Category_ComboBox")->setCurrentIndex(1);
    controller->comboBoxSelectionDidChange(control<QComboBox>("Category_ComboBox"));
    EXPECT_EQ(control<QTableView>("ColList")->model()->rowCount(), 8);
    EXPECT_EQ(controller->Get_Item_Text(0), "Durable 1452 - Name Badge");
    EXPECT_EQ(controller->frontCanvasBounds(), QRectF(0, 0, 243, 154));
    controller->Mark_List_New_Selection(5);
    controller->Update_Card_Graphics();
    EXPECT_EQ(controller->Front_card_Prop().Card_Sub_Category(), "Durable 1457 - Name Badge");
    EXPECT_EQ(controller->Front_card_Prop().Card_Cat_index(), 5);
    EXPECT_EQ(controller->Front_card_Prop().Card_Category(), "Paper Badge");
    controller->Mark_List_New_Selection(-1);
    controller->Update_Card_Graphics();
    EXPECT_EQ(controller->Front_card_Prop().Card_Sub_Category(), "");
    EXPECT_EQ(controller->Front_card_Prop().Card_Cat_index(), -1);

    control<QComboBox>("Sides_ComboBox")->setCurrentIndex(1);
    controller->comboBoxSelectionDidChange(control<QComboBox>("Sides_ComboBox"));
    EXPECT_EQ(CARD_SIDE_STR, "1");
    EXPECT_FALSE(control<QPushButton>("Back_Side_btn")->isEnabled());
}

TEST_F(ControllerTest, BackgroundPictureFromTheOpenPanel)
{
    QTemporaryDir dir;
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(Qt::green);
    ASSERT_TRUE(picture.save(dir.path() + "/bg.png"));
    QStringList offered;
    OpenPanel::setHandler([&](const QString&, const QStringList& types) {
        offered = types;
        return dir.path() + "/bg.png";
    });
    control<QPushButton>("Back_Side_btn")->click();
    // the picture controls are usable with the fill on and the picture chosen
    EXPECT_FALSE(control<QPushButton>("Card_Image_Browse_btn")->isEnabled());
    control<QCheckBox>("Card_fill_chk")->click();
    EXPECT_FALSE(control<QPushButton>("Card_Image_Browse_btn")->isEnabled());
    control<QRadioButton>("Card_Image_fill_rd")->click();
    ASSERT_TRUE(control<QPushButton>("Card_Image_Browse_btn")->isEnabled());
    control<QPushButton>("Card_Image_Browse_btn")->click();
    EXPECT_EQ(offered, (QStringList {"jpg", "jpeg", "jpe", "jfif", "gif", "bmp", "png", "tif", "tiff"}));
    const Card_Property back = controller->Back_card_Prop();
    EXPECT_TRUE(back.Card_fill_chk());
    EXPECT_EQ(back.Card_fill_style(), "I");
    EXPECT_EQ(back.Card_BG_Image_Path(), dir.path() + "/bg.png");
    EXPECT_FALSE(back.Card_BG_Image().isNull());
    EXPECT_TRUE(control<QRadioButton>("Card_Image_fill_rd")->isChecked());
    EXPECT_EQ(QColor(cardPicture(1).pixel(100, 70)), QColor(Qt::green));
    EXPECT_FALSE(controller->Front_card_Prop().Card_fill_chk());

    // an unreadable file keeps the picture fill without a picture
    QFile bad(dir.path() + "/bad.png");
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("no picture");
    bad.close();
    OpenPanel::setHandler([&](const QString&, const QStringList&) { return dir.path() + "/bad.png"; });
    control<QPushButton>("Card_Image_Browse_btn")->click();
    EXPECT_EQ(controller->Back_card_Prop().Card_fill_style(), "I");
    EXPECT_TRUE(controller->Back_card_Prop().Card_BG_Image().isNull());
    EXPECT_EQ(QColor(cardPicture(1).pixel(100, 70)), QColor(Qt::white));

    // a cancelled panel changes nothing
    OpenPanel::setHandler([&](const QString&, const QStringList&) { return QString(); });
    control<QPushButton>("Card_Image_Browse_btn")->click();
    EXPECT_EQ(controller->Back_card_Prop().Card_BG_Image_Path(), dir.path() + "/bad.png");
}

TEST_F(ControllerTest, ContentColourReachesTextObjectsAgainOnEveryResize)
{
    CanvasController& canvas = controller->graphicView(0)->controller();
    canvas.createGraphicOfClass("SKTText", nullptr, false, QRectF(), "F", "", "");
    const GraphicPtr first = canvas._Selected_Graphic;
    ASSERT_TRUE(first);

    control<ColorWell>("All_Text_clr")->setColour(Colour::rgb(1, 0, 0));
    emit control<ColorWell>("All_Text_clr")->colourChosen(Colour::rgb(1, 0, 0));
    EXPECT_EQ(first->txt_clr, Colour::rgb(1, 0, 0));
    EXPECT_EQ(controller->Front_card_Prop().Card_Content_clr(), Colour::rgb(1, 0, 0));

    canvas.createGraphicOfClass("SKTText", nullptr, false, QRectF(), "F", "", "");
    const GraphicPtr second = canvas._Selected_Graphic;
    second->txt_clr = Colour::rgb(0, 1, 0);
    controller->Apply_Size_Clicked();
    EXPECT_EQ(second->txt_clr, Colour::rgb(1, 0, 0));

    controller->changeAllTextFont(FontSpec("Liberation Sans", 20));
    EXPECT_EQ(first->text_ctrl_font, FontSpec("Liberation Sans", 20));
    EXPECT_EQ(control<QLabel>("All_Text_font_value")->text(), "Liberation Sans ( 20.00 )");
}

TEST_F(ControllerTest, MailSettingsReachTheGlobals)
{
    Preferences prefs(Preferences::settingsFilePath(Resource_Path));
    prefs.setsend_email_SenderEmail("me@example.com");
    prefs.setsend_email_Password("pw");
    prefs.setsend_email_SMTP_server("smtp.example.com");
    prefs.setsend_email_PORT_num("465");
    prefs.setsend_email_enable_ssl("Y");
    ASSERT_TRUE(prefs.flush());
    controller->Get_Email_Details();
    EXPECT_EQ(sender_email, "me@example.com");
    EXPECT_EQ(sender_pwd, "pw");
    EXPECT_EQ(sending_server, "smtp.example.com");
    EXPECT_EQ(sending_port, "465");
    EXPECT_EQ(send_enable_ssl, "Y");

    QFile::remove(Preferences::settingsFilePath(Resource_Path));
    controller->Get_Email_Details();
    EXPECT_EQ(sender_email, "");
    EXPECT_EQ(send_enable_ssl, "");
}

TEST_F(ControllerTest, NewDocumentCommandRunsTheStartOnTheDesignAsItIs)
{
    control<QLabel>("Front_back_label")->show();
    control<QLineEdit>("card_name")->setText("Guest list");
    last_ctrl_X = 50;
    last_ctrl_Y = 70;

    controller->newDocumentWindow();

    EXPECT_TRUE(control<QLabel>("Front_back_label")->isHidden());
    // the card panels went into the front record; nothing was reset
    EXPECT_EQ(controller->Front_card_Prop().Card_Name(), "Guest list");
    EXPECT_EQ(last_ctrl_X, 50);
    EXPECT_EQ(last_ctrl_Y, 70);
    EXPECT_TRUE(exits.isEmpty());
    last_ctrl_X = last_ctrl_Y = 10;
}

TEST_F(ControllerTest, ClosingTheWindowAsksAndEndsWithStatusZero)
{
    presenter.scriptAnswers({false, false});
    controller->window()->close();
    EXPECT_EQ(presenter.texts(), QStringList {"Do you want to save changes before closing?"});
    EXPECT_EQ(exits, QList<int> {0});

    controller->Exit_App();
    EXPECT_EQ(presenter.texts().size(), 2);
    EXPECT_EQ(exits, (QList<int> {0, 0}));
}

// Closing the window or the Exit command: Yes saves, and a save that did not
// happen (there is no design file writer yet) is reported and keeps the
// program open; No ends it unsaved; a box left by Escape or closed answers
// nothing, so nothing is saved and the program stays open.
TEST_F(ControllerTest, OnlyNoOrASuccessfulSaveEndsTheProgram)
{
    using Answer = MessagePresenter::Answer;
    const QString question = QStringLiteral("Do you want to save changes before closing?");
    const struct {
        const char* name;
        Answer answer;
        QStringList texts;
        bool ends;
    } cases[] = {
        {"Yes", Answer::Yes, {question, "\nfail"}, false},
        {"Cancelled", Answer::Cancelled, {question}, false},
        {"No", Answer::No, {question}, true},
    };
    for (bool byWindow : {false, true}) {
        for (const auto& c : cases) {
            presenter.clear();
            exits.clear();
            presenter.scriptAnswers({c.answer});
            const bool ended = byWindow ? controller->window()->close() : controller->Exit_App();
            EXPECT_EQ(ended, c.ends) << c.name << (byWindow ? " closing the window" : " Exit");
            EXPECT_EQ(presenter.texts(), c.texts) << c.name;
            EXPECT_EQ(exits, c.ends ? QList<int> {0} : QList<int> {}) << c.name;
        }
    }
}

TEST(ProgramStart, TheDocumentsWindowControllerIsTheMainWindow)
{
    ASSERT_TRUE(setUpResourceFolder());
    ScriptedMessagePresenter presenter;
    MessagePresenter::install(&presenter);
    first = 0;
    SKTDocument::setWindowControllerMaker([](SKTDocument& document) -> std::unique_ptr<QObject> {
        return std::make_unique<SKTWindowController>(document);
    });
    {
        SKTDocument document;
        document.makeWindowControllers();
        ASSERT_EQ(document.windowControllers().size(), 1);
        auto* controller = qobject_cast<SKTWindowController*>(document.windowControllers().first());
        ASSERT_TRUE(controller);
        EXPECT_EQ(SKTWindowController::defaultInstance(), controller);
        EXPECT_TRUE(controller->window()->isVisible());
        // a second document gets no window
        SKTDocument second;
        second.makeWindowControllers();
        EXPECT_TRUE(second.windowControllers().isEmpty());
    }
    EXPECT_EQ(SKTWindowController::defaultInstance(), nullptr);
    SKTDocument::setWindowControllerMaker({});
    MessagePresenter::install(nullptr);
}

}

TEST_F(ControllerTest, ZoomPopUpsMoveTheThreeCanvasesTogether)
{
    const char* names[] = {"_zoomingScrollView", "_zoomingScrollView_BACK", "_zoomingScrollView_TEMP"};
    EXPECT_EQ(controller->zoomFactor(), 1.0);
    emit control<SKTZoomingScrollView>(names[1])->factorPopUpButton()->activated(7);   // "200%"
    EXPECT_EQ(controller->zoomFactor(), 2.0);
    for (int side = 0; side < 3; ++side) {
        SKTZoomingScrollView* zooming = control<SKTZoomingScrollView>(names[side]);
        EXPECT_EQ(zooming->factor(), 2.0) << side;
        EXPECT_EQ(zooming->factorPopUpButton()->currentText(), QStringLiteral("200%")) << side;
        EXPECT_EQ(zooming->clipBounds().size(), QSizeF(zooming->viewport()->size()) / 2.0) << side;
        EXPECT_EQ(zooming->widget(), controller->graphicView(side));
        EXPECT_EQ(controller->graphicView(side)->scale(), 2.0);
    }
}
