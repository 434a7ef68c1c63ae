#include "mainwindow/SKTWindowController.h"
#include "mainwindow/controller/ControllerInternals.h"

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

// ---- picture, signature, barcode and data-source panels ----

void SKTWindowController::createPictureSignatureBarcodeAndSourcePanels()
{
    auto source = std::make_unique<DataSourcePanel>(*this);
    auto picture = std::make_unique<PicturePanel>(*this, *source);
    addInspectorPanel(std::move(source));
    addInspectorPanel(std::move(picture));
    addInspectorPanel(std::make_unique<SignaturePanel>(*this));
    addInspectorPanel(std::make_unique<BarcodePanel>(*this));
}

PicturePanel* SKTWindowController::picturePanel() const
{
    return findPanel<PicturePanel>(m_inspectorPanels);
}

SignaturePanel* SKTWindowController::signaturePanel() const
{
    return findPanel<SignaturePanel>(m_inspectorPanels);
}

BarcodePanel* SKTWindowController::barcodePanel() const
{
    return findPanel<BarcodePanel>(m_inspectorPanels);
}

DataSourcePanel* SKTWindowController::dataSourcePanel() const
{
    return findPanel<DataSourcePanel>(m_inspectorPanels);
}

void SKTWindowController::Update_Image_Graphics()
{
    if (PicturePanel* p = picturePanel())
        p->Update_Image_Graphics();
}

void SKTWindowController::Update_Sign_Graphics()
{
    if (SignaturePanel* p = signaturePanel())
        p->Update_Sign_Graphics();
}

void SKTWindowController::Update_Barcode_Graphics(const GraphicPtr& source)
{
    if (BarcodePanel* p = barcodePanel())
        p->Update_Barcode_Graphics(source);
}

void SKTWindowController::Image_Border_ChkBox()
{
    if (PicturePanel* p = picturePanel())
        p->borderCheckChanged();
}

void SKTWindowController::Sign_Border_ChkBox()
{
    if (SignaturePanel* p = signaturePanel())
        p->borderCheckChanged();
}

void SKTWindowController::Image_Border_Changed()
{
    Update_Image_Graphics();
}

void SKTWindowController::Sign_Border_Changed()
{
    Update_Sign_Graphics();
}

void SKTWindowController::Set_ImageControl_Clr()
{
    Update_Image_Graphics();
}

void SKTWindowController::Set_SignControl_Clr()
{
    Update_Sign_Graphics();
}

void SKTWindowController::Image_Gray_Scale_Chked()
{
    Update_Image_Graphics();
}

void SKTWindowController::Image_Sepia_Chked()
{
    Update_Image_Graphics();
}

void SKTWindowController::Image_Invert_Chked()
{
    Update_Image_Graphics();
}

void SKTWindowController::Image_FIV_Chked()
{
    Update_Image_Graphics();
}

void SKTWindowController::Image_FIH_Chked()
{
    Update_Image_Graphics();
}

void SKTWindowController::Transperncy_Slider_Changed()
{
    if (PicturePanel* p = picturePanel())
        p->sliderChanged(0);
}

void SKTWindowController::Rotate_Slider_Changed()
{
    if (PicturePanel* p = picturePanel())
        p->sliderChanged(1);
}

void SKTWindowController::Hue_Slider_Changed()
{
    if (PicturePanel* p = picturePanel())
        p->sliderChanged(2);
}

void SKTWindowController::Sat_Slider_Changed()
{
    if (PicturePanel* p = picturePanel())
        p->sliderChanged(3);
}

void SKTWindowController::Brt_Slider_Changed()
{
    if (PicturePanel* p = picturePanel())
        p->sliderChanged(4);
}

void SKTWindowController::Con_Slider_Changed()
{
    if (PicturePanel* p = picturePanel())
        p->sliderChanged(5);
}

void SKTWindowController::sharp_Slider_Changed()
{
    if (PicturePanel* p = picturePanel())
        p->sliderChanged(6);
}

void SKTWindowController::EV_Slider_Changed()
{
    if (PicturePanel* p = picturePanel())
        p->sliderChanged(7);
}

void SKTWindowController::Blr_Slider_Changed()
{
    if (PicturePanel* p = picturePanel())
        p->sliderChanged(8);
}

void SKTWindowController::Reset_Image_Editing_Controls()
{
    if (PicturePanel* p = picturePanel())
        p->Reset_Image_Editing_Controls();
}

void SKTWindowController::Image_reset_Button()
{
    if (PicturePanel* p = picturePanel())
        p->Image_reset_Button();
}

bool SKTWindowController::Browse_User_Image_Manually()
{
    PicturePanel* p = picturePanel();
    return p && p->Browse_User_Image_Manually();
}

void SKTWindowController::Manual_Image_Browse_Btn()
{
    if (PicturePanel* p = picturePanel())
        p->Manual_Image_Browse_Btn();
}

void SKTWindowController::Manual_Library_Browse_Btn()
{
    if (PicturePanel* p = picturePanel())
        p->Manual_Library_Browse_Btn();
}

int SKTWindowController::Open_Image_Library_Window(const QString& mode)
{
    PicturePanel* p = picturePanel();
    return p ? p->Open_Image_Library_Window(mode) : 0;
}

void SKTWindowController::Sign_Browse_Btn()
{
    if (SignaturePanel* p = signaturePanel())
        p->Sign_Browse_Btn();
}

void SKTWindowController::Open_Barcode_Window()
{
    if (BarcodePanel* p = barcodePanel())
        p->Open_Barcode_Window();
}

void SKTWindowController::View_barcode_prop_Button()
{
    Open_Barcode_Window();
}

DataSourceLists SKTWindowController::barcodeDataSources() const
{
    return Barcode_Gen::dataSources();
}

void SKTWindowController::setImageLibraryWindow(std::function<int(const QString& mode, QString& chosenPath)> library)
{
    if (PicturePanel* p = picturePanel())
        p->setImageLibrary(std::move(library));
}

void SKTWindowController::setBarcodeDesigner(std::function<GraphicPtr(const GraphicPtr& edited)> designer)
{
    if (BarcodePanel* p = barcodePanel())
        p->setDesigner(std::move(designer));
}

void SKTWindowController::setDataSourceLists(const DataSourceLists& lists)
{
    if (DataSourcePanel* p = dataSourcePanel())
        p->setLists(lists);
}
