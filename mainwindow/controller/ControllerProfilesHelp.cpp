#include "mainwindow/SKTWindowController.h"

#include "app/ControlHelpers.h"
#include "app/FileHelpers.h"
#include "app/Globals.h"
#include "app/MessageBoxes.h"
#include "app/ResourceSetup.h"
#include "app/StringHelpers.h"
#include "app/UnitConversions.h"
#include "barcodes/BarcodeProducer.h"
#include "barcodes/Globals.h"
#include "canvas/ArrangeCommands.h"
#include "canvas/CardPasteboard.h"
#include "canvas/SKTGraphicView.h"
#include "canvas/SKTRenderingView.h"
#include "canvas/SKTGrid.h"
#include "canvas/SKTZoomingScrollView.h"
#include "canvas/SideSelection.h"
#include "canvas/CardBaseDrawing.h"
#include "canvas/ToolTable.h"
#include "data/Globals.h"
#include "data/UnpackFolder.h"
#include "mainwindow/CardSettings.h"
#include "mainwindow/barcode/Barcode_Gen.h"
#include "mainwindow/mail/Email_Setting.h"
#include "mainwindow/CardSizePresets.h"
#include "mainwindow/CommandIcons.h"
#include "mainwindow/DrawWindow.h"
#include "mainwindow/Globals.h"
#include "mainwindow/Grid_Wizard.h"
#include "mainwindow/Invitation_Wizard.h"
#include "mainwindow/CardSizeChooser.h"
#include "mainwindow/Card_Wizard.h"
#include "mainwindow/Export_Template.h"
#include "mainwindow/Start_Card.h"
#include "mainwindow/TemplateStore.h"
#include "mainwindow/Template_Wizard.h"
#include "mainwindow/Long_SMS_Dlg.h"
#include "mainwindow/inspector/BarcodePanel.h"
#include "mainwindow/series/BatchWizard.h"
#include "mainwindow/series/Generate_List.h"
#include "mainwindow/series/View_Data_Series.h"
#include "mainwindow/print/Print_Wnd.h"
#include "mainwindow/inspector/DataSourcePanel.h"
#include "mainwindow/inspector/InspectorPanel.h"
#include "mainwindow/inspector/LinePanel.h"
#include "mainwindow/inspector/PicturePanel.h"
#include "mainwindow/inspector/ShapePanel.h"
#include "mainwindow/inspector/SignaturePanel.h"
#include "mainwindow/inspector/TextPanel.h"
#include "mainwindow/MainMenuBar.h"
#include "mainwindow/NewObjectPlacement.h"
#include "mainwindow/Open_Export_Log.h"
#include "mainwindow/PresetListModel.h"
#include "mainwindow/Send_Modeless.h"
#include "mainwindow/SmallDialogs.h"
#include "mainwindow/ToolPaletteIcons.h"
#include "mainwindow/WindowBackground.h"
#include "mainwindow/ScreenFitter.h"
#include "mainwindow/WindowPlacement.h"
#include "mainwindow/series/Import_Wizard.h"
#include "mainwindow/PleaseWaitRun.h"
#include "mainwindow/PleaseWait_Modeless.h"
#include "mainwindow/spreadsheet/Data_From_Excel.h"
#include "mainwindow/mail/Send_Mail.h"
#include "mainwindow/spreadsheet/Import_Excel.h"
#include "mainwindow/spreadsheet/Import_Excel_DataSheet.h"
#include "mainwindow/profile/Show_User_Profile.h"
#include "mainwindow/profile/User_profile.h"
#include "model/Globals.h"
#include "model/PicturePath.h"
#include "model/QuietUpdate.h"
#include "model/SKTDocument.h"
#include "model/UndoRegistrationPause.h"
#include "output/Globals.h"
#include "output/Preferences.h"
#include "output/PrinterCatalog.h"
#include "platform/AtomicFile.h"
#include "platform/IndexSet.h"
#include "platform/OpenPanel.h"
#include "platform/Pasteboard.h"
#include "platform/ProcessTerminator.h"
#include "platform/RegularFile.h"
#include "platform/SavePanel.h"
#include "platform/UndoManager.h"
#include "profiles/Globals.h"
#include "profiles/ProfilePlacement.h"
#include "ui_DrawWindow.h"
#include "mainwindow/ExportWindow.h"
#include "mainwindow/Image_Library.h"
#include "mainwindow/PictureBrowser.h"
#include "mainwindow/PictureFolders.h"
#include "mainwindow/PictureListModel.h"
#include "output/CardExportPlan.h"
#include "output/Globals.h"
#include "app/BatchDialogs.h"
#include "app/MakerLinks.h"
#include "app/PromotedProducts.h"
#include "mainwindow/help/Help_Support.h"
#include "mainwindow/help/Promotion_Form.h"
#include "mainwindow/help/Review_Form.h"
#include "mainwindow/help/Share_It_Dlg.h"

#include <QComboBox>
#include <QDir>
#include <QBoxLayout>
#include <QThread>
#include <QToolButton>

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QEvent>
#include <QFileInfo>
#include <QFontDialog>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QMutexLocker>
#include <QPainter>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>

#include <exception>

// ---- holder profiles ----

void SKTWindowController::setProfileDialogs(ProfileDialog* dialog, ProfileDialog* wizardForm)
{
    m_profileDialog = dialog;
    m_profileWizardForm = wizardForm;
    if (m_profileButton)
        m_profileButton->setEnabled(dialog != nullptr);
}

void SKTWindowController::createProfileCommands()
{
    // A toolbar button after Export (or Print).
    Ui::DrawWindow& ui = m_window->ui();
    QWidget* bar = ui.Print_btn->parentWidget();
    auto* box = bar ? qobject_cast<QBoxLayout*>(bar->layout()) : nullptr;
    if (!box)
        return;
    auto* button = new QToolButton(bar);
    button->setObjectName(QStringLiteral("User_Profile_btn"));
    button->setText(tr("Profile"));
    button->setToolTip(tr("Fill the card with a holder's profile"));
    button->setToolButtonStyle(ui.Print_btn->toolButtonStyle());
    button->setIcon(CommandIcons::toolbarIcon(CommandIcons::Toolbar::Profile));
    button->setIconSize(ui.Print_btn->iconSize());
    button->setAutoRaise(ui.Print_btn->autoRaise());
    button->setFocusPolicy(ui.Print_btn->focusPolicy());
    // Offered once the profile dialog is there.
    button->setEnabled(m_profileDialog != nullptr);
    m_profileButton = button;
    QWidget* before = bar->findChild<QToolButton*>(QStringLiteral("Export_btn"));
    const int at = box->indexOf(before ? before : ui.Print_btn);
    box->insertWidget(at + 1, button);
    connect(button, &QToolButton::clicked, this, &SKTWindowController::User_Profile_Button_Clicked);
}

void SKTWindowController::User_Profile_Button_Clicked()
{
    const bool back = Card_Front_Or_Back != 0;
    if (Open_User_Profile_Window(true, back ? QStringLiteral("B") : QStringLiteral("F")) == 1) {
        if (back)
            Fill_User_profile_info_back_side();
        else
            Fill_User_profile_info_front_side();
    }
    Refresh_Canvas();
}

int SKTWindowController::Open_User_Profile_Window(bool load, const QString& side)
{
    const QString letter = Trim_Str(side);
    ProfileDialog* dialog = letter.isEmpty() ? m_profileWizardForm : m_profileDialog;
    if (!dialog)
        return 0;
    dialog->load_side = letter;
    const int result = dialog->Open_Wnd(load);
    if (result == 1)
        setFillUserProfile(true);
    return result;
}

void SKTWindowController::placeProfile(SKTGraphicView* view, const User_Profile_Class& profile, bool frontOrBack)
{
    if (frontOrBack) {
        // The inspector offers the spreadsheet as a source exactly while a
        // spreadsheet binding is in use.
        auto* source = m_window->findChild<QComboBox*>(QStringLiteral("Data_source_type"));
        if (Excel_Binding_Use)
            Add_Excel_Col_Name_In_Combo(source);
        else
            Remove_Excel_Col_Name_In_Combo(source);
        if (!Fill_User_Profile)
            return;
    }
    if (view)
        ProfilePlacement(view->controller(), *this, profile, Front_card_Prop().Card_Size()).place();
}

void SKTWindowController::Fill_User_profile_info_front_side()
{
    placeProfile(_graphicView, Front_user_profile, true);
}

void SKTWindowController::Fill_User_profile_info_back_side()
{
    placeProfile(_graphicView_BACK, Back_user_profile, true);
}

void SKTWindowController::Fill_User_profile_info_TEMP_side()
{
    placeProfile(_graphicView_TEMP, TEMP_user_profile, false);
}

void SKTWindowController::Fill_User_profile_Details()
{
    Fill_User_profile_info_front_side();
    Fill_User_profile_info_back_side();
}

QRectF SKTWindowController::Get_Control_Rect_From_Template(const QString& id) const
{
    return ProfilePlacement::defaultRect(id, Front_card_Prop().Card_Size());
}

void SKTWindowController::Temp_Design_Control_Assign_Copies()
{
    if (!m_document)
        return;
    _graphicView_TEMP->controller().delete_all_control();
    const GraphicList source = Card_Front_Or_Back == 1 ? Get_Back_Controls_Array() : Get_Front_Controls_Array();
    GraphicList copies;
    copies.reserve(source.size());
    for (const GraphicPtr& g : source) {
        if (g)
            copies.append(g->deepCopy());
    }
    if (!copies.isEmpty())
        m_document->insertGraphicsForKey(SKTDocumentGraphicsKey_temp, copies, IndexSet::range(0, int(copies.size())));
    _graphicView_TEMP->update();
}

// ---- help, review, share and promotion windows ----

void SKTWindowController::Open_Support_Mail()
{
    MakerLinks::open(MakerLinks::Role::SupportMail);
}

void SKTWindowController::Open_Reseller_Mail()
{
    MakerLinks::open(MakerLinks::Role::ResellerMail);
}

void SKTWindowController::Open_Website_1()
{
    MakerLinks::open(MakerLinks::Role::Website1);
}

void SKTWindowController::Open_Website_2()
{
    MakerLinks::open(MakerLinks::Role::Website2);
}

void SKTWindowController::Open_Website_3()
{
    MakerLinks::open(MakerLinks::Role::Website3);
}

void SKTWindowController::Open_Google_Plus()
{
    MakerLinks::open(MakerLinks::Role::ShareGooglePlus);
}

void SKTWindowController::Open_FaceBook()
{
    MakerLinks::open(MakerLinks::Role::ShareFacebook);
}

void SKTWindowController::Open_Twitter()
{
    MakerLinks::open(MakerLinks::Role::ShareTwitter);
}

void SKTWindowController::Open_FB_Like()
{
    MakerLinks::open(MakerLinks::Role::FacebookLike);
}

void SKTWindowController::Open_Share_It_Dl()
{
    MakerLinks::open(MakerLinks::Role::UserComments);
}

void SKTWindowController::Open_Share_It_And_Get_It_Free()
{
    MakerLinks::open(MakerLinks::Role::GetItFree);
}

void SKTWindowController::Promotion_S_Button()
{
    openPromotion(QStringLiteral("S"));
}

void SKTWindowController::Promotion_R_Button()
{
    openPromotion(QStringLiteral("R"));
}

void SKTWindowController::Promotion_B_Button()
{
    openPromotion(QStringLiteral("B"));
}

void SKTWindowController::openPromotion(const QString& code)
{
    if (Promotion_Form* promotion = Promotion_Form::defaultInstance()) {
        promotion->software_type = code;
        promotion->Open_Promotion_Window();
    }
}

void SKTWindowController::Share_It_Button()
{
    if (m_shareWindow)
        m_shareWindow->runModal();
}

void SKTWindowController::createHelpWindows()
{
    HelpWindow = new Help_Support(*this, m_window.get());
    Review_Window = new Review_Form(*this, m_window.get());
    m_shareWindow = new Share_It_Dlg(*this, m_window.get());
    auto* promotion = new Promotion_Form(*this, App_Name, promotion_pattern_image.image(), m_window.get());

    setHandOff(WindowHandOffs::HandOff::Help, [this] { HelpWindow->runModal(); });
    setHandOff(WindowHandOffs::HandOff::Review, [this] { Review_Window->runModal(); });

    // A toolbar button per promoted product, after About, showing its picture.
    Ui::DrawWindow& ui = m_window->ui();
    auto* bar = qobject_cast<QBoxLayout*>(ui.About_btn->parentWidget() ? ui.About_btn->parentWidget()->layout()
                                                                       : nullptr);
    if (!bar)
        return;
    const struct
    {
        const char* name;
        const char* code;
        const char* text;
        void (SKTWindowController::*action)();
    } buttons[] = {
        {"Promotion_S_btn", "S", "Stickers", &SKTWindowController::Promotion_S_Button},
        {"Promotion_R_btn", "R", "Receipts", &SKTWindowController::Promotion_R_Button},
        {"Promotion_B_btn", "B", "Bundle", &SKTWindowController::Promotion_B_Button},
    };
    int at = bar->indexOf(ui.About_btn) + 1;
    for (const auto& b : buttons) {
        auto* button = new QToolButton(ui.About_btn->parentWidget());
        button->setObjectName(QString::fromLatin1(b.name));
        button->setText(tr(b.text));
        if (const auto product = PromotedProducts::product(QString::fromLatin1(b.code), App_Name))
            button->setToolTip(product->title);
        button->setIcon(QIcon(QPixmap::fromImage(promotion->productPicture(QString::fromLatin1(b.code)))));
        button->setToolButtonStyle(ui.About_btn->toolButtonStyle());
        button->setIconSize(ui.About_btn->iconSize());
        button->setAutoRaise(ui.About_btn->autoRaise());
        button->setFocusPolicy(ui.About_btn->focusPolicy());
        bar->insertWidget(at++, button);
        connect(button, &QToolButton::clicked, this, b.action);
    }
}

// ---- profile dialogs ----

void SKTWindowController::createProfileDialogs()
{
    setProfileDialogs(new Show_User_Profile(this, m_window.get()), new User_profile(this, m_window.get()));
}
