#pragma once

// The main window controller: the one main window of the program and the hub
// of its parts. It is the host of its canvases, their grid and the renderer
// (CanvasHost) and of the profile placement (ProfilePlacementHost). It owns
// the canvases of the front, back and temp sides, the two card-side records,
// the three holder profiles and the grid; it starts the program's first
// design, switches between the sides, places new objects, asks for redraws,
// and runs the card settings panels and the drawing of the card base under
// each side.

#include "canvas/CanvasHost.h"
#include "canvas/CanvasMenuValidation.h"
#include "canvas/SideSnapshot.h"
#include "data/BatchBinding.h"
#include "data/SeriesStore.h"
#include "mainwindow/BannerHost.h"
#include "mainwindow/CardPanelState.h"
#include "mainwindow/MenuBarHost.h"
#include "mainwindow/ProfileDialog.h"
#include "mainwindow/WindowHandOffs.h"
#include "mainwindow/WizardHost.h"
#include "mainwindow/barcode/BarcodeDesignerHost.h"
#include "mainwindow/controller/ControllerState.h"
#include "mainwindow/help/HelpLinksHost.h"
#include "mainwindow/inspector/BarcodePanelHost.h"
#include "mainwindow/inspector/DataSourcePanelHost.h"
#include "mainwindow/inspector/PicturePanelHost.h"
#include "mainwindow/inspector/SignaturePanelHost.h"
#include "mainwindow/inspector/TextPanelHost.h"
#include "mainwindow/print/PrintWindowHost.h"
#include "mainwindow/profile/ProfileDialogHost.h"
#include "output/BatchPictureExport.h"
#include "profiles/ProfilePlacementHost.h"
#include "mainwindow/inspector/InspectorTabs.h"
#include "model/Card_Property.h"
#include "model/DesignFile.h"
#include "model/SKTDocument.h"
#include "model/SKTGraphic.h"
#include "platform/Colour.h"
#include "platform/FontSpec.h"
#include "platform/Picture.h"
#include "profiles/User_Profile_Class.h"

#include <QObject>
#include <QPointer>
#include <QRectF>
#include <QSizeF>
#include <QStringList>
#include <QVariantList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class Email_Setting;
class ExportWindow;
class QThread;
class ArrangeCommands;
class BarcodePanel;
class DataSourcePanel;
struct DataSourceLists;
class LinePanel;
class PicturePanel;
class ShapePanel;
class SignaturePanel;
class DrawWindow;
class InspectorPanel;
class MainMenuBar;
class QAction;
class QButtonGroup;
class PresetListModel;
class QComboBox;
class SideSelection;
class SKTDocument;
class SKTGraphicView;
class SKTGrid;

class Send_Mail;
class Image_Library;
class PictureBrowser;
class Help_Support;
class Review_Form;
class Share_It_Dlg;

class SKTWindowController : public QObject,
                            public CanvasHost,
                            public ProfilePlacementHost,
                            public BannerHost,
                            public MenuBarHost,
                            public WizardHost,
                            public TextPanelHost,
                            public PicturePanelHost,
                            public SignaturePanelHost,
                            public BarcodePanelHost,
                            public DataSourcePanelHost,
                            public BarcodeDesignerHost,
                            public HelpLinksHost,
                            public PrintWindowHost,
                            public ProfileDialogHost,
                            private ControllerState
{
    Q_OBJECT

public:
    // Sets up the controller and its window for `document` and shows the
    // window; the program's first design starts as soon as the event loop
    // runs. Becomes the default instance.
    explicit SKTWindowController(SKTDocument& document, QObject* parent = nullptr);
    ~SKTWindowController() override;

    // The controller made for the first document; never makes one.
    static SKTWindowController* defaultInstance();

    // ---- fields as the windows' host interfaces give them ----
    int selectedTool() const override { return Selected_Control_Tool; }
    const Picture& bannerImage() const override { return banner_image; }
    FontSpec& textFont() override { return Text_font; }
    const QStringList& spreadsheetColumnTitles() const override { return Excel_Column_Titles; }
    const SheetColumns& spreadsheetSheetColumns() const override { return m_sheetColumns; }
    bool spreadsheetTableLoaded() const override { return !ListData.isEmpty(); }
    QString spreadsheetSourceNote() const override { return m_workbookNote; }
    User_Profile_Class& frontUserProfile() override { return Front_user_profile; }
    User_Profile_Class& backUserProfile() override { return Back_user_profile; }
    User_Profile_Class& tempUserProfile() override { return TEMP_user_profile; }

    DrawWindow* window() const override { return m_window.get(); }
    SKTDocument* document() const override { return m_document; }
    SKTGrid* grid() const override { return _grid.get(); }
    // The canvas of side 0 (front), 1 (back) or 2 (temp).
    SKTGraphicView* graphicView(int side) const;

    // The zoom of the three canvases, 1.0 at start; the three scroll views'
    // pop-ups set it and follow it.
    double zoomFactor() const { return _zoomFactor; }
    void setZoomFactor(double factor);

    // ---- start-up and new designs ----
    // Runs the start of a new card: the start wizard, then the card laid out
    // from its answers.
    void Open_Start_Window();
    // The New-document command: the start of a new card on the design as it
    // is (no reset).
    void newDocumentWindow();
    // Resets everything to a new, empty, untitled design on the front side.
    void New_Project_Setting_Reset();
    // The reset, then the start of a new card.
    void New_Project();

    // ---- sides ----
    void Select_front_side();
    void Select_back_side();
    // Shows the temp side; the side that commands act on stays as it was.
    void Select_temp_design_side();
    void Front_Card_Btn_Clicked();
    void Back_Card_Btn_Clicked();
    void Temp_Card_Btn_Clicked();
    // Puts the objects of the current side (the same objects, not copies) on
    // the temp side in place of what it showed.
    void Temp_Design_Control_Assign();
    // Shows the view of side 0 (front), 1 (back) or 2 (temp); any other
    // index changes nothing.
    void changeViewController(int index);

    GraphicList Get_Front_Controls_Array() const override;
    GraphicList Get_Back_Controls_Array() const override;
    GraphicList Get_Temp_Controls_Array() const override;
    int Get_Front_Control_Count() const;
    int Get_Back_Control_Count() const;
    int Get_Temp_Control_Count() const;

    // ---- the card-side records ----
    // Copies of the records, safe to take on any thread.
    Card_Property Front_card_Prop() const;
    Card_Property Back_card_Prop() const;
    // The record of side 1 (back) or of any other value (front).
    Card_Property cardProperty(int side) const;
    // Replaces a record (GUI thread).
    void setFront_card_Prop(const Card_Property& record);
    void setBack_card_Prop(const Card_Property& record);
    void setCardProperty(int side, const Card_Property& record);
    // A snapshot of side 1 (back) or of any other value (front) for drawing
    // on a worker thread: copies of that side's objects and its card base as
    // the canvas draws it (GUI thread).
    SideSnapshot sideSnapshot(int side) const;

    // ---- call-backs of the canvases and the renderer ----
    QPointF Control_New_Point(const QString& side) override;
    QRectF frontCanvasBounds() const override;
    void Card_Base_Drawing(QPainter& painter, const QRectF& rect) override;
    void cardBaseDrawingForSide(QPainter& painter, const QRectF& rect, int side) override;
    void Refresh_Canvas() override;
    void Show_RHS_Properties(SKTGraphic* graphic) override;

    // ---- tool palette ----
    // The current tool number, 0 the arrow tool. Each tool button sets it to
    // its number and runs Select_tool_action.
    int Selected_Control_Tool = 0;
    int selectedControlTool() const override { return Selected_Control_Tool; }
    void setSelectedControlTool(int tool) override { Selected_Control_Tool = tool; }
    void Arrow_Tool_Clicked();
    void Line_Tool_Clicked();
    void Text_Tool_Clicked();
    void Rect_Tool_Clicked();
    void Circle_Tool_Clicked();
    void Round_Rect_Tool_Clicked();
    void Triangle_Tool_Clicked();
    void Diamond_Tool_Clicked();
    void Image_Tool_Clicked();
    void Image_Library_Tool_Clicked();
    void Barcode_Tool_Clicked();
    void Signature_Tool_Clicked();
    void Fingure_Print_Tool_Clicked();
    void Star_Tool_Clicked();
    void Double_Star_Tool_Clicked();
    void Polygon_Tool_Clicked();
    // Announces the tool change (which places the tool's object on the
    // current side at once), redraws, and shows the current canvas's last
    // selected object in the inspector.
    void Select_tool_action();
    // Tool 0 and the announcement; makes nothing.
    void selectArrowTool();
    // Places an object of the current tool on the current side's canvas,
    // the size the tool table gives, at the side's next placement point. The
    // picture tool asks for the picture file first; a cancelled choice makes
    // nothing.
    void selectedToolDidChange();
    QString currentGraphicClass() const override;

    // ---- edit commands, on the current side's canvas ----
    void Undo_Clicked() override;
    void Redo_Clicked() override;
    void Cut_Clicked() override;
    void Copy_Clicked() override;
    void Paste_Clicked() override;
    void Delete_Clicked() override;
    // Undo and Redo enabled by whether the document's undo manager can undo
    // and redo.
    void Undo_Redo_Button_state() override;
    // Paste enabled when the pasteboard offers card objects.
    void Set_Paste_Button_Status() override;
    // Pasted objects carrying a column's title follow it in this design's
    // table; one message names those that take the column at their place
    // or none.
    void graphicsPasted(const GraphicList& graphics) override;

    // ---- mail settings ----
    // Copies the stored mail settings into `sender_email`, `sender_pwd`,
    // `sending_server`, `sending_port` and `send_enable_ssl` ("" for a
    // setting never stored).
    void Get_Email_Details();

    // ---- card size ----
    QSizeF Get_My_card_Size(const QString& category, const QString& preset, int list_index) const override;
    // Shows a size in millimetres in the size fields.
    void Set_Card_Size_In_Control(const QSizeF& millimetres) override;
    // Asks the document for the canvas size of `points` (it keeps nothing).
    void Set_Document_Size(const QSizeF& points) override;
    // Makes the three canvases `points` large and redraws.
    void SetDocumentCanvasSize(const QSizeF& points) override;
    // Applies the size fields to the canvases, then the content colour and
    // font to the side's text objects.
    void Apply_Size_Clicked();

    // ---- preset list ----
    void Create_List(const QString& text);
    QString Get_Item_Text(int row) const;
    // Selects that row alone.
    void Mark_List_New_Selection(int row);

    // ---- card panel actions ----
    void Card_Prop_Clicked();
    void Card_Width_Changed();
    void Card_Height_Changed();
    void card_shape_CellClick();
    void Card_Border_ChkBox();
    void Card_Border_Changed();
    void Card_Gradient_Changed();
    void Card_Alpha_Changed();
    void Set_Card_Clr();
    void Card_Fill_Chk_Box();
    void Card_Solid_RD_Sel();
    void Card_Gradient_RD_Sel();
    void Card_Hatch_RD_Sel();
    void Card_Image_RD_Sel();
    void Card_Image_Browse_Btn();
    void Contect_Color_Clicked();
    void Content_Font_Clicked();
    void changeAllTextFont(const FontSpec& font);
    // The background picture of a side: the path is shown; a path that is not
    // empty also becomes the side's picture fill (a file that cannot be read
    // leaves the fill without a picture).
    void set_Front_BG_Image(const QString& path);
    void set_Back_BG_Image(const QString& path);

    // Writes the card panels into the current side's record and redraws;
    // nothing while the panels are being filled.
    void Update_Card_Graphics();
    // Gives the current side's text objects the content colour and font when
    // they differ from what the card panels last showed, then writes the
    // panels.
    void Update_All_Card_Content();

    // ---- card panels of the inspector ----
    void Remove_All_Tab_Items();
    // Sets the fill radios and the enabled fill controls for a fill code.
    void card_prop_set(const QString& fillCode);
    // A combo box of the card panels chose an item.
    void comboBoxSelectionDidChange(QComboBox* comboBox);
    // The values the card panels show now.
    CardPanelState cardPanelState() const;

    // ---- design files ----
    // Writes the design file to `Project_File_Name`, asking for a path
    // first when there is none or `save_as` is set (a cancelled panel keeps
    // the old path and writes nothing). The file is replaced whole or not
    // at all. With `show_msg` the outcome is shown and the title set.
    // False when nothing was written (the caller then goes no further).
    bool Save_project_file(bool save_as, bool show_msg);
    // Reads a design file into the design: mode "L" makes it the open file,
    // any other mode loads it without a path. The file is read whole first:
    // one that is no design file, is damaged anywhere or is far too large
    // gives false with a message, the reason logged and the open design
    // untouched.
    bool Read_and_load_design_Log(const QString& path, const QString& log_or_template);
    // Lets the user choose a design file and reads it in mode "L".
    bool Open_Log_File() override;
    // "App ( file.fcard )" while the open file exists, else the app's name.
    void Set_Log_Name_In_Title();
    void New_Btn_Clicked() override;
    void Open_Btn_Clicked() override;
    void Save_Btn_Clicked() override;
    void SaveAs_Btn_Clicked() override;
    // The spreadsheet table's column titles (the row-number column "No."
    // first) and rows, as the design file saves and reads them.
    QStringList Excel_Column_Titles {QStringLiteral("No.")};
    QList<DesignFileRow> ListData;
    // Where the table's columns stood in their sheet, and the sheet's first
    // row when it was read; unknown for a table of an older design.
    SheetColumns m_sheetColumns;

    // ---- leaving ----
    // Asks whether to save, saves on Yes and ends the program with status 0;
    // No ends it without saving. Returns false when the program goes on:
    // the question was left unanswered (Escape, or the box closed), or the
    // save asked for did not happen (reported with the writer's "fail").
    bool Exit_App() override;

    // ---- fields ----
    QString App_Name;
    QString act_path_location;
    QStringList paper_card_arry;
    QStringList pvc_card_arry;
    Picture banner_image;
    Picture promotion_pattern_image;
    FontSpec Text_font;
    User_Profile_Class Front_user_profile;
    User_Profile_Class Back_user_profile;
    User_Profile_Class TEMP_user_profile;
    // The object whose panels the inspector shows; empty while it shows the
    // card panels. Held weakly: an object deleted meanwhile is no longer it.
    std::weak_ptr<SKTGraphic> Last_Selected_Graphic;
    double _zoomFactor = 1.0;
    // the table of bound series values of batch output
    QVariantList data_table_content;
    // what the card panels showed when they were last filled
    Colour All_Text_clr_COPY;
    std::optional<FontSpec> All_Text_font_COPY;

    // ---- stacking and lock, on the current side's canvas ----
    void Begin_Front_Clicked();
    void Send_Back_Clicked();
    // Locks (or unlocks) the selected objects and shows the selection again;
    // with nothing selected, asks for a selection and leaves the buttons as
    // the empty selection has them.
    void Lock_Clicked() override;
    void Unlock_Clicked() override;

    // ---- arrange, on the current side's canvas, then a redraw ----
    void Align_Center_Clicked();
    void Align_Left_Clicked();
    void Align_Right_Clicked();
    void Align_Top_Clicked();
    void Align_Bottom_Clicked();
    void Align_Horz_Clicked();
    void Align_Vert_Clicked();
    // Need two or more selected objects; with fewer they say so.
    void Make_Same_Width_Clicked();
    void Make_Same_Height_Clicked();
    void Make_Natural_Clicked();
    // Needs the grid shown; without it says so.
    void Align_To_Grid_Clicked();

    // ---- the edit buttons for what is selected ----
    // An unlocked object: Cut, Copy, Delete, Front, Back and Lock on, Unlock
    // off, Paste by the pasteboard, Undo and Redo by the undo history.
    void Enable_Standard_Button_For_Control();
    // The same, after an Unlock.
    void Enable_Standard_Button_For_Unlock();
    // Nothing selected (the card is shown): all off but Paste, which follows
    // the pasteboard; Undo and Redo stay.
    void Disable_Standard_Button_For_Card();
    // A locked object: all off but Unlock; Undo and Redo stay.
    void Disable_Standard_Button_For_Lock();
    void setAlignWithGridButtonEnabled(bool enabled) override;
    void setSameSizeButtonsEnabled(bool enabled) override;

    // ---- toolbar ----
    // Sets the call that opens another part's window (or takes it away);
    // the toolbar button of that window is enabled exactly while it is set.
    void setHandOff(WindowHandOffs::HandOff which, std::function<void()> call);
    bool hasHandOff(WindowHandOffs::HandOff which) const override { return m_handOffs.has(which); }
    // Lists the names of the system's printers for Print_method; an empty
    // lister brings back the system's list.
    void setPrinterLister(std::function<QStringList()> lister);
    void Mail_Button() override;
    // Prints, unless the cards come from a series or workbook that gives
    // none ("List is empty.").
    void Print_Button() override;
    // Opens the print window, or says "No printer found.".
    void Print_method();
    void Help_Button() override;
    // The About box: the program's name, version and what it does.
    void About_Button() override;
    void Batch_Series_Button() override;
    void Import_Wizard_Button() override;
    void Create_Series_Button() override;
    void Exit_Btn_Clicked();

    // ---- menus, the current tool and the grid ----
    MainMenuBar* mainMenuBar() const;
    // The canvas the commands act on: the back canvas while the back side is
    // being edited, otherwise the front canvas (the temp side shown too).
    SKTGraphicView* commandCanvas() const override { return currentSideCanvas(); }
    CanvasHost* canvasHost() override { return this; }
    // Sets the current tool and runs Select_tool_action, as its palette
    // button does.
    void selectTool(int tool) override;
    // The state of a menu item of a canvas command: the rule of the canvas
    // the command goes to; undo and redo besides only while the front side
    // is edited and shown, the one side that records undo.
    MenuItemState menuItemState(CanvasCommand command) override;
    // The side being edited is the front and its view is shown.
    bool frontSideShown() const;
    // Brings the menu items up to date; not while a canvas follows the
    // mouse (asking the undo history then would cut the drag's undo step
    // short), after which the closing of that step brings them up to date.
    void validateMenus();

    // Snapping to the grid on when off, off when on.
    void toggleGridConstraining() override;
    // Loads the grid into the grid settings window and runs it.
    void toggleGridShowing() override;
    // The grid takes the window's colour (or spacing) and is shown.
    void Grid_Clr_Changed();
    void Grid_Slider_Changed();
    // The grid is shown, and its options enabled, while the check box is on.
    void Grid_Show_Hide_Changed();
    // Switches the rulers of the front, back and temp canvases.
    void Show_Hide_Ruler_ChkBox() override;

    // Watches presses on the canvases: a press while a drawing tool is
    // current draws out a new object.
    bool eventFilter(QObject* watched, QEvent* event) override;

    // ---- the property inspector's object panels ----
    // Takes over `panel`; Show_RHS_Properties fills every panel that shows
    // the kind of the object shown.
    void addInspectorPanel(std::unique_ptr<InspectorPanel> panel);
    const std::vector<std::unique_ptr<InspectorPanel>>& inspectorPanels() const { return m_inspectorPanels; }
    // The objects an update operation of a panel writes into: the selected
    // objects of the side being edited; none while the panels are being
    // filled (the quiet-update flag).
    GraphicList graphicsToUpdate() const override;
    // Ends an update operation: each written object is handed to its canvas
    // (startEditingGraphic), then the side is drawn again.
    void finishUpdate(const GraphicList& written) override;
    // The print check box under the inspector: 1 when the objects are to
    // be left out of pictures and prints, else 0.
    int printObjectState() const override;

    // ---- the text object's panels (mainwindow/inspector/TextPanel) ----
    // Builds the text panels into their pages and registers them.
    void createTextPanels();
    // The registered text panels; null before createTextPanels.
    class TextPanel* textPanel() const;
    void Update_Text_Graphics();
    void Text_Border_ChkBox();
    void Text_Fill_Chk_Box();
    void Text_Border_Changed();
    void Text_Gradient_Changed();
    void Text_Alpha_Changed();
    void Text_Kerning_Changed();
    void Set_TextControl_Clr();
    void Text_Solid_RD_Sel();
    void Text_Gradient_RD_Sel();
    void textDidChange();
    void Text_Insert_Date();
    void Text_Insert_Time();
    void Text_Font_Changed();
    void changeTextFont(const FontSpec& font);

    // ---- the inspector's switching and loading ----
    // The kind the inspector last loaded: "T" text, "I" picture, a
    // signature's code, else "NONE".
    QString sel_control_name = QStringLiteral("NONE");
    // The page of the tab view that stands for `page`.
    QWidget* inspectorPage(InspectorPage page) const;
    // Shows `state` in the card panels, as if the user had set each control,
    // and writes it into the current side's record (Update_Card_Graphics).
    void applyCardPanelState(const CardPanelState& state);
    // The print check box: the selected, unlocked objects of the side being
    // edited take its value as their print flag.
    void Print_object_chk_changed();

    // ---- picture, signature, barcode and data-source panels ----
    // Makes the panels of pictures, signatures, barcodes and data sources.
    void createPictureSignatureBarcodeAndSourcePanels();
    void Update_Image_Graphics() override;
    void Update_Sign_Graphics() override;
    // Copies the barcode designer's settings of `source` into the selected
    // objects; the edited object gets the designer's picture.
    void Update_Barcode_Graphics(const GraphicPtr& source);
    void Image_Border_ChkBox() override;
    void Sign_Border_ChkBox() override;
    void Image_Border_Changed() override;
    void Sign_Border_Changed() override;
    void Set_ImageControl_Clr() override;
    void Set_SignControl_Clr() override;
    void Image_Gray_Scale_Chked() override;
    void Image_Sepia_Chked() override;
    void Image_Invert_Chked() override;
    void Image_FIV_Chked() override;
    void Image_FIH_Chked() override;
    void Transperncy_Slider_Changed() override;
    void Rotate_Slider_Changed() override;
    void Hue_Slider_Changed() override;
    void Sat_Slider_Changed() override;
    void Brt_Slider_Changed() override;
    void Con_Slider_Changed() override;
    void sharp_Slider_Changed() override;
    void EV_Slider_Changed() override;
    void Blr_Slider_Changed() override;
    // The picture sliders at their neutral values and the picture flags off;
    // writes nothing into objects.
    void Reset_Image_Editing_Controls() override;
    // Asks first; on Yes resets the picture controls and writes them.
    void Image_reset_Button() override;
    // The file panel for pictures: true when a file was chosen (then in
    // `Library_Selected_Image` and shown as the picture's path).
    bool Browse_User_Image_Manually();
    void Manual_Image_Browse_Btn() override;
    void Manual_Library_Browse_Btn() override;
    // Runs the picture library in `mode`; its result (1: a picture was
    // chosen, now in `lib_window_sel_file`); 0 while there is no library.
    int Open_Image_Library_Window(const QString& mode);
    void Sign_Browse_Btn() override;
    // Opens the barcode designer on the edited object (nothing while there
    // is no designer).
    void Open_Barcode_Window() override;
    void View_barcode_prop_Button() override;
    DataSourceLists barcodeDataSources() const override;
    // The picture library: gets the mode, runs modally, answers its result
    // and the chosen path. Its button is enabled while one is set.
    void setImageLibraryWindow(std::function<int(const QString& mode, QString& chosenPath)> library);
    // The barcode designer: opens on the edited object and answers the
    // object whose settings are to be copied (null for none).
    void setBarcodeDesigner(std::function<GraphicPtr(const GraphicPtr& edited)> designer);
    // Where the data-source page reads series and spreadsheet columns.
    void setDataSourceLists(const DataSourceLists& lists);
    PicturePanel* picturePanel() const;
    SignaturePanel* signaturePanel() const;
    BarcodePanel* barcodePanel() const;
    DataSourcePanel* dataSourcePanel() const;

    // ---- the shape and line panels of the inspector ----
    // Makes the two panels in their pages and hands them to the inspector.
    void createShapeAndLinePanels();
    ShapePanel* shapePanel() const;
    LinePanel* linePanel() const;
    void Update_Shape_Graphics();
    void Update_Line_Graphics();
    void Shape_Border_ChkBox();
    void Shape_Fill_Chk_Box();
    void Shape_Border_Changed();
    void Shape_Gradient_Changed();
    void Shape_Alpha_Changed();
    void Shape_Corner_Radius_Changed();
    void Double_Star_Shape_Changed();
    void Polygon_Shape_Changed();
    void Set_Control_Clr();
    void Shape_Solid_RD_Sel();
    void Shape_Gradient_RD_Sel();
    void Shape_Hatch_RD_Sel();
    void Line_Alpha_Changed();
    void Line_Width_Changed();
    void Set_LineControl_Clr();

signals:
    // The current tool changed (Select_tool_action, selectArrowTool).
    void selectedToolChanged();

private:
    // Writes the design file; the outcome says whether it was written.
    SaveOutcome saveDesign(bool save_as, bool show_msg);
    // saveDesign(), with what it throws logged as a failed write.
    SaveOutcome saveDesignCaught(bool save_as, bool show_msg);
    // "fail", with the reason of the last failed save when there is one.
    QString saveFailedMessage() const;
    // Replacing the design file only when it is as `known` says (what this
    // window last read or wrote, or a change already said Yes to), or the
    // user says Yes to replacing it; false when the user kept it.
    bool mayReplaceDesignFile(const QString& path, DesignFileOnDisk& known);
    // The save question of New and Open; false when the command must stop:
    // the question was left unanswered (Escape, the box closed), or Yes was
    // answered and the design was not saved (the write failed, or the file
    // changed on disk and was kept).
    bool saveBeforeReplacing(const QString& question);
    // The design as the design file holds it.
    DesignFileContents designFileContents() const;
    // Puts a design file's contents into the design (quiet, no undo): the
    // records, the card's size, outline and sides, the table and objects.
    void loadDesignFileContents(const DesignFileContents& contents);
    void init();
    void awakeFromNib();
    void connectCardPanels();
    void connectToolPalette();
    // Cut, Copy and Delete (buttons and keys) enabled while the current
    // side's canvas has a selection.
    void updateSelectionButtons();
    // The undo buttons are brought up to date once control is back in the
    // event loop, after the undo history may have changed.
    void scheduleUndoButtonUpdate();
    void bindCanvases();
    void startFirstDesign();
    int runStartWizard();

    SKTGraphicView* currentSideCanvas() const;
    void fillCardPanels(const CardPanelState& state);
    void loadCardPanels();
    void refillPresetList();
    void applyFillControlStates(const QString& fillCode);
    void selectFillRadio(const QString& fillCode);
    void setBackgroundImage(int side, const QString& path);
    void showCardShape();
    // `CARD_SIDE_STR` from a sides value ("1" one side, anything else two),
    // shown in the Sides list (quietly) and the back-side button.
    void showCardSides(const QString& sides);
    void setSideButtons(int view);

    // stacking, lock, arrange and toolbar buttons
    void connectCommandButtons();
    void updateToolbarButtons();
    // Sets the edit buttons: Cut, Copy, Delete, Front and Back together,
    // Lock, Unlock, and Paste when given.
    void setEditButtons(bool standard, bool lock, bool unlock, std::optional<bool> paste);
    // Runs an arrange command on the current side's canvas, then redraws.
    void arrange(void (ArrangeCommands::*command)());
    void setLocked(bool locked);
    // menus, the current tool and the grid
    void setUpMenusAndTools();
    // The palette button and the Tools item of the current tool are checked.
    void showSelectedTool();
    // true when Show_RHS_Properties shows what the current tool has just
    // made, so the tool stays; may put the object made by a drag in place of
    // `graphic`.
    bool showsObjectJustMade(SKTGraphic*& graphic);
    // The menu items are brought up to date once control is back in the
    // event loop, after the selection changed.
    void scheduleMenuValidation();

    // ---- the shared small windows ----
public:
    // The progress sheet of batch mail and export; goes with the window.
    QPointer<class Send_Modeless> send_modls_wnd;
    // Runs the export-finished box for `Export_File_Path` on the GUI thread;
    // 1 for OK, 0 for Cancel.
    int Open_Export_File_Box();

private:
    void setUpSmallDialogs();

    // the inspector's switching and loading
    void createInspectorPages();
    void showCardPanels();
    void showObjectPanels(SKTGraphic& graphic);
    // Loads the shown object's properties into the inspector again (after
    // something they show changed, such as the spreadsheet columns), on the
    // page the user is looking at; showing the same object again loads
    // nothing.
    void reloadShownObjectPanels();
    void insertInspectorTabs(const InspectorTabSet& set);
    // The objects selected on the side being edited, in list order.
    GraphicList editedSelection() const;
    // Notes the selection the object panels were filled for (none for the
    // card panels).
    void notePanelsFilledFor(const GraphicList& selection);
    QList<const SKTGraphic*> panelsFilledFor() const;
    // After the selection changed, once control is back in the event loop:
    // the inspector shows the selected objects' own values
    // (InspectorSelection), so that no panel writes values it filled from
    // another selection.
    void scheduleInspectorSync();
    void syncInspectorWithSelection();

    // ---- invitation texts ----
public:
    // Places one text object per start-wizard answer on the front side, each
    // with its control_ID ("PARTY_TITLE", "PARTY_TO", ...), then sets the
    // chosen picture as the front background.
    void Fill_Party_Invidation_Details();

    // ---- spreadsheet imports and the series import wizard ----
public:
    // The imported spreadsheet table's window, bound to
    // `Excel_Column_Titles` and `ListData`, and the import windows.
    class Data_From_Excel* excelTableWindow() const override;
    class Import_Excel* importExcelWindow() const override;
    class Import_Excel_DataSheet* importExcelDataSheetWindow() const;
    class Import_Wizard* importWizardWindow() const;

    // Shows, once, the message naming the objects that took the column at
    // their place, or none, when the spreadsheet table was last replaced.
    void tellColumnsNotFollowed() override;

private:
    void setUpSpreadsheetImports();
    // After a newly read table replaced the spreadsheet table: bindings
    // follow their column titles, bound objects show the new first values
    // and the inspector offers the new columns.
    void excelTableReplaced(const QStringList& previousTitles, const SheetColumns& previousColumns);
    // Record 0 of the spreadsheet table in every object bound to a column,
    // on both sides, or of `graphics`.
    void showFirstSpreadsheetValues();
    void showFirstSpreadsheetValues(const GraphicList& graphics);
    // On opening a design with a spreadsheet table: reads its workbook
    // again and, when it reads differently, offers to take it.
    void checkSavedWorkbook();

    // ---- data series and batch binding ----
public:
    // The names of the stored series, in the one order every list shows.
    QStringList Get_datasheet_File_Name_Array() const override;
    // Whether a bound object of the card uses the series `name`.
    bool Check_Batch_File_In_Use_Validation(const QString& name);
    // Builds the binding from the sides, the stored series and the
    // spreadsheet rows, and sets Use_Data_Sheet_Values,
    // Use_Excel_Binding_Values, Data_table_rows, Excel_table_rows and
    // Total_Batch_Excel_Card. Starts a batch run: its first failing
    // object is reported, later ones are logged.
    void Check_Series_Or_Excel_Use_or_not() override;
    void Check_Data_Sheet_Value_Use_or_Not();
    void Check_Excel_Binding_Value_Use_or_Not();
    // Recounts the records from the two flags as they are now.
    void Get_total_Card_count() override;
    bool Check_Front_Side_Dataset_Is_Used();
    bool Check_Back_Side_Dataset_Is_Used();
    bool Check_Front_Side_Excel_Binding_Is_Used();
    bool Check_Back_Side_Excel_Binding_Is_Used();
    void Create_Dataset_binding_table();
    void Calculate_data_table_rows();
    void Calculate_Excel_table_rows();
    // Record N written into the live objects of side "F" (front) or any
    // other text (back), which becomes Card_Front_Or_Back, and that side's
    // picture; null when none could be made (GUI thread).
    Picture Set_data_table_value_to_card(int N, const QString& card_side, bool print_box);
    // Record N written into the objects of Graphics_array_Batch.
    void Assign_Batch_Values_To_Control(int N);
    QString Get_sel_row_col_value_of_dataset(int row, int slot);
    QString Get_sel_row_col_value_of_Excel(int row, int column);
    QString Get_First_Value_Of_Dataset(const QString& name) const override;
    QString Get_First_Value_Of_Excel_Binding(int column) const override;
    // Fill a combo box (quietly) with the series names or the spreadsheet
    // table's column titles, the row-number column first.
    void Fill_Data_Set_File_Name_In_Combo(QComboBox* combo);
    void Fill_Excel_Col_Name_In_Combo(QComboBox* combo);
    // Offers "Excel" in a source combo box holding exactly 2 items, or
    // withdraws it from one holding exactly 3; any other count is left.
    static void Add_Excel_Col_Name_In_Combo(QComboBox* combo);
    static void Remove_Excel_Col_Name_In_Combo(QComboBox* combo);
    // The inspector's buttons: the values of the chosen series or the
    // spreadsheet table shown, and the data-source help.
    void View_batch_Series_Button();
    void Data_Source_Help_Button() override;
    // Record 0 back into the front side and, on a two-sided card, the
    // back side; Card_Value_In_Process cleared and the canvas redrawn.
    void Select_first_row_value_for_design(bool print_box) override;

    // Batch output away from the GUI thread: a snapshot of side 1 (back)
    // or any other value (front) taken on the GUI thread, and record N
    // written into it on any thread with the binding the last check built
    // (made now when there is none). "" when it went well, else the
    // reason (also reported once per batch run).
    SideSnapshot batchSideSnapshot(int side) override;
    QString bindRecordIntoSnapshot(SideSnapshot& snapshot, int N) override;
    BatchShortfall batchShortfall(int cards, const QString& sides) const override;
    // The binding of the last check; it is never changed afterwards.
    std::shared_ptr<const BatchBinding> batchBinding() const;

    // Makes barcode pictures of record values from a barcode object's
    // settings; unset, bound barcodes keep their pictures.
    void setBatchBarcodeMaker(BatchBinding::BarcodeMaker maker);
    // Opens the series viewer on a series name; and the spreadsheet table.
    void setSeriesViewer(std::function<void(const QString& name)> viewer);
    void setSpreadsheetTableViewer(std::function<void()> viewer);
    // Removes the folder into which workbooks are unpacked, with its
    // content; failures are ignored.
    static void Delete_Excel_File_Temp_Folder();

    // the object list the live binding writes into
    GraphicList Graphics_array_Batch;

private:
    // The store of Data_Folder_Path.
    SeriesStore seriesStore() const;
    // A binding of the current sides and rows, not yet checked.
    std::shared_ptr<BatchBinding> freshBinding() const;
    // The binding of the last check, copied for a change and put back with
    // the globals written from it (the old one stays with its readers).
    std::shared_ptr<BatchBinding> bindingToChange();
    void publishBinding(std::shared_ptr<BatchBinding> binding);
    // The first failure of a batch run in a message box, later ones logged.
    void reportBatchFailure(const QString& reason);
    // The data-source page's and the barcode designer's lists, set from the
    // store and the table, and the barcode maker of batch records.
    void connectDataSourceLists();

    // ---- series windows ----
private:
    // Makes the series manager, the series generator and the series viewer
    // (children of the window) and sets what opens them: the toolbar and
    // menu hand-offs, the data-source page's viewer, the manager's check of
    // series in use.
    void createSeriesWindows();

    // ---- card picture export ----
public:
    // Runs the export dialog, then the save panel (one card) or the folder
    // panel (one card per record) and starts the export.
    void Export_Button() override;
    // The side matrix: row 0 "BOTH" enables the combined box, 1 "F" and
    // any other "B" disable it (its tick stays).
    void export_card_side_CellClick(int row);
    // The sides of export_card_side drawn from the card on screen and
    // written at `path` (the back at its "_Back" path); with show_msg the
    // export-finished box or the failure is shown, else nothing is.
    void Export_Single_File(const QString& path, bool show_msg);
    // The front above the back in one picture written at file_path.
    bool Export_Combined_Image(const Picture& front, const Picture& back, const QString& file_path,
                               bool show_msg);
    // Writes one picture; with show_msg the export-finished box follows.
    bool Export_File_Function(const QString& path, const Picture& original, bool show_msg);
    // The picture writer (encoded by the extension, replaced atomically);
    // a failure shows the path and the reason when `report` is set.
    bool Save_gen_image(const Picture& image, const QString& file_path_val, bool report = true);
    static QString Create_Front_Card_Path(const QString& path);
    static QString Create_Back_Card_Path(const QString& path);
    // Starts the batch into `folder`/"Vesk Brightfold" and returns at once;
    // the progress sheet shows until it ends, then record 0 is put back and
    // the outcome shown.
    void Export_Batch_File(const QString& folder);
    bool isBatchExportRunning() const { return m_exportThread != nullptr; }
    ExportWindow* exportWindow() const { return m_exportWindow; }

private:
    void createExportWindow();
    void finishBatchExport(const BatchPictureExport::Result& result, const QString& folder, int savedSide);

    // ---- print window ----
private:
    // Makes the print window (a child of the window) over the print
    // system's printers and sets what opens it: the Print hand-off.
    void createPrintWindow();

    // ---- mail settings ----
public:
    Email_Setting* mailSettingsWindow() const { return m_mailSettings; }

private:
    // Makes the mail settings dialog (a child of the window) and sets what
    // opens it: the MailSettings hand-off, after which the mail strings are
    // read again whatever the outcome.
    void createMailSettingsWindow();

    // ---- mail window ----
public:
    Send_Mail* mailWindow() const { return m_mailWindow; }

private:
    // Makes the Send E-mail window over this window's card and sets what
    // opens it: the Mail hand-off.
    void createMailWindow();

    // ---- templates, the card-size wizard and the start screen ----
public:
    // Saves the design and a picture of both sides under a name the user
    // gives into the user templates folder (replacing a template of that
    // name). The open design keeps its path and title; a design or picture
    // that could not be written is reported and leaves no half template.
    void Export_As_Template_Clicked() override;
    // The template picker; its OK opens the chosen template's design as a
    // new, untitled design (after the save question of New).
    void New_From_Template_Clicked() override;
    // The card-size wizard; its OK gives the card its size and shape.
    void Card_Size_Wizard_Clicked() override;
    // The start screen; its choices lead to the template picker, the
    // card-size wizard or Open. Cancel only closes it.
    void Start_Screen_Clicked() override;

    static inline const QString templateExportedMessage = QStringLiteral("Template exported successfully.");
    static inline const QString templateFailedMessage =
        QStringLiteral("The template could not be exported; no template of that name was saved.");

private:
    // Makes the template name dialog, the template picker, the card-size
    // wizard and the start screen (children of the window).
    void setUpTemplateWindows();
    // Opens a template's design file as a new, untitled design.
    bool openTemplateDesign(const QString& designPath);

    // ---- picture library and the card panel's background browser ----
public:
    // The browser of card backgrounds below the card settings, filled once
    // at start; choosing a picture there sets the front side's background.
    PictureBrowser* backgroundBrowser() const { return imageBrowser; }
    Image_Library* imageLibrary() const { return m_imageLibrary; }
    // The pictures of "Background" into the background browser (a missing
    // folder changes nothing).
    void Load_and_fill_backgrounds();
    void addImageWithPath(const QString& path, const QString& imageName, const QString& image_UID);
    // The chosen picture becomes the FRONT side's background, whichever side
    // is edited, and the canvas is redrawn; no selection changes nothing.
    void imageBrowserSelectionDidChange();
    // The card panel's library button: the library of backgrounds; a chosen
    // picture becomes the current side's background.
    void Card_Image_Library_Btn();

private:
    // Makes the library window and the background browser and wires them:
    // the picture panel's library, tool 9 and the card panel's button.
    void createPictureLibrary();
    // ---- holder profiles ----
public:
    // The profile dialog (opened for one side) and the wizard form (opened
    // with an empty side letter); neither is owned here. Until they are
    // set, opening answers Cancel.
    void setProfileDialogs(ProfileDialog* dialog, ProfileDialog* wizardForm);
    ProfileDialog* profileDialog() const override { return m_profileDialog; }
    ProfileDialog* profileWizardForm() const override { return m_profileWizardForm; }
    // The profile button: the dialog for the side being edited ("F" or
    // "B"); after OK that side's profile is placed on it. The canvas is
    // redrawn in every case.
    void User_Profile_Button_Clicked() override;
    // Runs the profile dialog with `side` (trimmed) in its load_side, or
    // the wizard form when the trimmed side is empty; OK (1) sets
    // Fill_User_Profile. Returns the dialog's result.
    int Open_User_Profile_Window(bool load, const QString& side) override;
    // The placements of Front_user_profile, Back_user_profile and
    // TEMP_user_profile on their sides. Front and back first offer the
    // inspector's "Excel" source exactly while Excel_Binding_Use is set,
    // then place only once Fill_User_Profile is set; the temp side always
    // places.
    void Fill_User_profile_info_front_side();
    void Fill_User_profile_info_back_side();
    void Fill_User_profile_info_TEMP_side() override;
    // The front placement, then the back placement.
    void Fill_User_profile_Details();
    // The default rectangle of a new profile object (front card's size).
    QRectF Get_Control_Rect_From_Template(const QString& id) const;
    // Puts copies of the current side's objects on the temp side in place
    // of what it showed, for a profile preview: whatever the preview does to
    // them leaves the front and back objects as they were.
    void Temp_Design_Control_Assign_Copies() override;

private:
    // The profile toolbar button (beside Print) and the Edit menu's item.
    void createProfileCommands();
    void placeProfile(SKTGraphicView* view, const User_Profile_Class& profile, bool frontOrBack);

    // ---- help, review, share and promotion windows ----
public:
    // The maker's links, handed to the desktop (MakerLinks); a failure is
    // logged, never shown.
    void Open_Support_Mail() override;
    void Open_Reseller_Mail() override;
    void Open_Website_1() override;
    void Open_Website_2() override;
    void Open_Website_3() override;
    void Open_Google_Plus() override;
    void Open_FaceBook() override;
    void Open_Twitter() override;
    void Open_FB_Like() override;
    // the maker's page of user comments
    void Open_Share_It_Dl() override;
    // the page on which sharing the program earns it free
    void Open_Share_It_And_Get_It_Free() override;
    // The promotion window on product "S", "R" or "B".
    void Promotion_S_Button() override;
    void Promotion_R_Button() override;
    void Promotion_B_Button() override;
    // Runs the share window (the Help menu's "Share Brightfold...").
    void Share_It_Button() override;

    Help_Support* HelpWindow = nullptr;
    Review_Form* Review_Window = nullptr;
    Share_It_Dlg* shareWindow() const { return m_shareWindow; }

private:
    // Makes the help, review, share and promotion windows (children of the
    // window) and their toolbar buttons, and sets what opens them: the Help
    // hand-off runs the help window, the Review hand-off the review window
    // on Exit.
    void createHelpWindows();
    void openPromotion(const QString& code);

    // ---- profile dialogs ----
private:
    // Makes the profile dialog and its wizard form (children of the window)
    // and hands them to setProfileDialogs.
    void createProfileDialogs();

    // Declared last, so destroyed first: a batch export still running stops
    // before any other field of the controller goes.
    ExportThreadGuard m_exportGuard {&m_exportThread};
};
