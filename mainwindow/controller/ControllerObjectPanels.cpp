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

// ---- the text object's panels ----

void SKTWindowController::createTextPanels()
{
    addInspectorPanel(std::make_unique<TextPanel>(*this));
}

TextPanel* SKTWindowController::textPanel() const
{
    return findPanel<TextPanel>(m_inspectorPanels);
}

void SKTWindowController::Update_Text_Graphics()
{
    if (TextPanel* p = textPanel())
        p->Update_Text_Graphics();
}

void SKTWindowController::Text_Border_ChkBox()
{
    if (TextPanel* p = textPanel())
        p->Text_Border_ChkBox();
}

void SKTWindowController::Text_Fill_Chk_Box()
{
    if (TextPanel* p = textPanel())
        p->Text_Fill_Chk_Box();
}

void SKTWindowController::Text_Border_Changed()
{
    if (TextPanel* p = textPanel())
        p->Text_Border_Changed();
}

void SKTWindowController::Text_Gradient_Changed()
{
    if (TextPanel* p = textPanel())
        p->Text_Gradient_Changed();
}

void SKTWindowController::Text_Alpha_Changed()
{
    if (TextPanel* p = textPanel())
        p->Text_Alpha_Changed();
}

void SKTWindowController::Text_Kerning_Changed()
{
    if (TextPanel* p = textPanel())
        p->Text_Kerning_Changed();
}

void SKTWindowController::Set_TextControl_Clr()
{
    if (TextPanel* p = textPanel())
        p->Set_TextControl_Clr();
}

void SKTWindowController::Text_Solid_RD_Sel()
{
    if (TextPanel* p = textPanel())
        p->Text_Solid_RD_Sel();
}

void SKTWindowController::Text_Gradient_RD_Sel()
{
    if (TextPanel* p = textPanel())
        p->Text_Gradient_RD_Sel();
}

void SKTWindowController::textDidChange()
{
    if (TextPanel* p = textPanel())
        p->textDidChange();
}

void SKTWindowController::Text_Insert_Date()
{
    if (TextPanel* p = textPanel())
        p->Text_Insert_Date();
}

void SKTWindowController::Text_Insert_Time()
{
    if (TextPanel* p = textPanel())
        p->Text_Insert_Time();
}

void SKTWindowController::Text_Font_Changed()
{
    if (TextPanel* p = textPanel())
        p->Text_Font_Changed();
}

void SKTWindowController::changeTextFont(const FontSpec& font)
{
    if (TextPanel* p = textPanel())
        p->changeTextFont(font);
}

// ---- the shape and line panels of the inspector ----

void SKTWindowController::createShapeAndLinePanels()
{
    addInspectorPanel(std::make_unique<ShapePanel>(*this));
    addInspectorPanel(std::make_unique<LinePanel>(*this));
}

ShapePanel* SKTWindowController::shapePanel() const
{
    return findPanel<ShapePanel>(m_inspectorPanels);
}

LinePanel* SKTWindowController::linePanel() const
{
    return findPanel<LinePanel>(m_inspectorPanels);
}

void SKTWindowController::Update_Shape_Graphics()
{
    if (ShapePanel* p = shapePanel())
        p->Update_Shape_Graphics();
}

void SKTWindowController::Shape_Border_ChkBox()
{
    if (ShapePanel* p = shapePanel())
        p->Shape_Border_ChkBox();
}

void SKTWindowController::Shape_Fill_Chk_Box()
{
    if (ShapePanel* p = shapePanel())
        p->Shape_Fill_Chk_Box();
}

void SKTWindowController::Shape_Border_Changed()
{
    if (ShapePanel* p = shapePanel())
        p->Shape_Border_Changed();
}

void SKTWindowController::Shape_Gradient_Changed()
{
    if (ShapePanel* p = shapePanel())
        p->Shape_Gradient_Changed();
}

void SKTWindowController::Shape_Alpha_Changed()
{
    if (ShapePanel* p = shapePanel())
        p->Shape_Alpha_Changed();
}

void SKTWindowController::Shape_Corner_Radius_Changed()
{
    if (ShapePanel* p = shapePanel())
        p->Shape_Corner_Radius_Changed();
}

void SKTWindowController::Double_Star_Shape_Changed()
{
    if (ShapePanel* p = shapePanel())
        p->Double_Star_Shape_Changed();
}

void SKTWindowController::Polygon_Shape_Changed()
{
    if (ShapePanel* p = shapePanel())
        p->Polygon_Shape_Changed();
}

void SKTWindowController::Set_Control_Clr()
{
    if (ShapePanel* p = shapePanel())
        p->Set_Control_Clr();
}

void SKTWindowController::Shape_Solid_RD_Sel()
{
    if (ShapePanel* p = shapePanel())
        p->Shape_Solid_RD_Sel();
}

void SKTWindowController::Shape_Gradient_RD_Sel()
{
    if (ShapePanel* p = shapePanel())
        p->Shape_Gradient_RD_Sel();
}

void SKTWindowController::Shape_Hatch_RD_Sel()
{
    if (ShapePanel* p = shapePanel())
        p->Shape_Hatch_RD_Sel();
}

void SKTWindowController::Update_Line_Graphics()
{
    if (LinePanel* p = linePanel())
        p->Update_Line_Graphics();
}

void SKTWindowController::Line_Alpha_Changed()
{
    if (LinePanel* p = linePanel())
        p->Line_Alpha_Changed();
}

void SKTWindowController::Line_Width_Changed()
{
    if (LinePanel* p = linePanel())
        p->Line_Width_Changed();
}

void SKTWindowController::Set_LineControl_Clr()
{
    if (LinePanel* p = linePanel())
        p->Set_LineControl_Clr();
}
