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

// ---- picture library and the card panel's background browser ----

void SKTWindowController::createPictureLibrary()
{
    Ui::DrawWindow& ui = m_window->ui();

    m_imageLibrary = new Image_Library(m_window.get());
    setImageLibraryWindow([library = m_imageLibrary](const QString& mode, QString& chosenPath) {
        library->control_or_BG = mode;
        const int result = library->Open_Library_Window();
        if (result == 1)
            chosenPath = library->selected_image;
        return result;
    });
    ui.Image_Library_Tool_btn->setEnabled(true);
    if (QAction* item = m_menuBar ? m_menuBar->toolAction(ToolTable::LibraryPicture) : nullptr)
        item->setEnabled(true);

    // The library button beside the background's Browse button.
    auto* libraryButton = new QPushButton(tr("Library…"), ui.Card_image_box);
    libraryButton->setObjectName(QStringLiteral("Card_Image_Library_btn"));
    libraryButton->setToolTip(tr("Background from the picture library"));
    ui.card_image_grid->addWidget(libraryButton, 2, 0);
    connect(libraryButton, &QPushButton::clicked, this, &SKTWindowController::Card_Image_Library_Btn);

    // The background browser fills the free space below the card settings.
    imageBrowser = new PictureBrowser(ui.card_setting_tab);
    imageBrowser->setObjectName(QStringLiteral("imageBrowser"));
    imageBrowser->setMinimumHeight(120);
    imageBrowser->setZoomValue(0.3); // three pictures a row in the panel
    auto* heading = new QLabel(tr("Backgrounds"), ui.card_setting_tab);
    heading->setObjectName(QStringLiteral("background_browser_lbl"));
    const int spacer = ui.card_setting_layout->indexOf(ui.card_setting_spacer);
    if (spacer >= 0)
        delete ui.card_setting_layout->takeAt(spacer);
    ui.card_setting_spacer = nullptr;
    ui.card_setting_layout->addWidget(heading);
    ui.card_setting_layout->addWidget(imageBrowser, 1);
    connect(imageBrowser, &PictureBrowser::imageBrowserSelectionDidChange, this,
            &SKTWindowController::imageBrowserSelectionDidChange);
    Load_and_fill_backgrounds();
}

void SKTWindowController::Load_and_fill_backgrounds()
{
    const QString folder = PictureFolders::backgroundFolder();
    if (!imageBrowser || !QFileInfo(folder).isDir())
        return;
    imageBrowser->pictures()->clear();
    imageBrowser->pictures()->addPicturesOfFolder(folder);
}

void SKTWindowController::addImageWithPath(const QString& path, const QString& imageName, const QString& image_UID)
{
    if (imageBrowser)
        imageBrowser->pictures()->addImageWithPath(path, imageName, image_UID);
}

void SKTWindowController::imageBrowserSelectionDidChange()
{
    const QString path = imageBrowser ? imageBrowser->selectedPath() : QString();
    if (path.isEmpty())
        return;
    selected_image = path;
    set_Front_BG_Image(selected_image);
    Refresh_Canvas();
}

void SKTWindowController::Card_Image_Library_Btn()
{
    if (Open_Image_Library_Window(QStringLiteral("B")) == 1) {
        if (Card_Front_Or_Back == 1)
            set_Back_BG_Image(lib_window_sel_file);
        else
            set_Front_BG_Image(lib_window_sel_file);
    }
    Update_Card_Graphics();
}
