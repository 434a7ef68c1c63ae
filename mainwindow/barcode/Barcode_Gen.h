#pragma once

// The barcode designer: a modal window over one BarcodeSettings value. It is
// opened on a barcode object, loads the object's settings into the value
// and its controls, draws a preview on every change, and on OK writes the
// value back into the object and leaves the preview in
// `Barcode_output_image`. Cancel leaves the object as it was. Each numeric
// setting is one spin box (the text field and its stepper in one control).

#include "barcodes/BarcodeSettings.h"
#include "barcodes/Pdf417Picture.h"
#include "mainwindow/DialogFrame.h"
#include "mainwindow/inspector/DataSourceLists.h"
#include "model/SKTGraphic.h"
#include "platform/Picture.h"

#include <functional>
#include <vector>

class BarcodeDesignerHost;
class ColorWell;
class NKDBarcode;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QTabWidget;
class QWidget;
class SteppingSpinBox;

class Barcode_Gen : public DialogFrame, public ModalRunSeam<Barcode_Gen>
{
    Q_OBJECT

public:
    // The window made last becomes the default instance.
    explicit Barcode_Gen(QWidget* parent = nullptr);
    ~Barcode_Gen() override;

    // The designer of the program, made on first use.
    static Barcode_Gen* defaultInstance();

    // Edits `object` modally. After OK the settings are written into it and
    // it is returned; after Cancel (or for no object) nothing is written and
    // null is returned.
    GraphicPtr Open_Wnd(const GraphicPtr& object);
    // Loads an object's settings into the value and the controls.
    void Set_Barcode_Prop_To_Control(const SKTGraphic& object);

    // OK: with a value the symbology draws, the preview goes to
    // `Barcode_output_image` and the run ends with 1; otherwise the window
    // stays open with the error shown.
    void OK_Btn_Clicked();
    void Cancel_Btn_Clicked();

    // Draws the preview from the value (the value test first).
    void goButtonActionPerformed();
    void Encode_btn() { goButtonActionPerformed(); }
    // Not empty and, for a linear symbology, ASCII only; a failure blanks
    // the preview and shows the error label.
    bool Check_And_Validat_Barcode();

    // The factory: the barcode of a value with a header and footer, as the
    // value being edited says. On the panel (`panel`) the picture is shown
    // and the barcode kept in `testBarcode`; quietly it is kept in
    // `testBarcode_EXP` and the panel is left alone. Null for a
    // two-dimensional symbol (its picture is left in `image_2d`) and for a
    // value that gives no barcode.
    std::shared_ptr<const NKDBarcode> Generate_Barcode_Variable(bool panel, const QString& Barcode_Value,
                                                                const QString& Barcode_Header,
                                                                const QString& Barcode_Footer);
    // Draws a linear barcode on the panel (after the value test).
    void Get_Image_From_Barcode(const std::shared_ptr<const NKDBarcode>& barcode);
    // Frames a two-dimensional symbol with the header and footer and shows it.
    void Get_Image_From_barcode_image(const Picture& image);
    // Frames the current symbol again after a change of its look, without
    // encoding it again.
    void Get_2d_barcode_from_image();
    // Shows a picture in the preview at its own size.
    void Set_Barcode_On_Panel(const Picture& image);
    void Set_Blank_Image(const QString& reason = QString());

    // The please-wait sheet over the designer.
    void Show_Create_Modeless();
    void Hide_Destroy_Modeless();
    // Replace an image view's picture by its mirror image.
    static void flipImageVertically(QLabel* view);
    static void flipImageHorizontally(QLabel* view);

    void Liner_Barcode_Opt_Select();
    void two_d_barcode_Opt_Select();
    void _setLabels();

    // ---- handlers of the controls ----
    void barcodeTypeChanged();
    // A list's choice, for every list of the window.
    void comboBoxSelectionDidChange(QComboBox* list);
    // A keystroke in the value, header or footer field; the value text view's.
    void controlTextDidChange(QObject* field);
    void textDidChange();
    // Editing of a value, header or footer field ended.
    void textDidEndEditing(QObject* field);
    void View_batch_Series_Button();
    void DPI_Value_Changed();
    void Value_Font_Changed();
    void Header_Font_Changed();
    void Footer_Font_Changed();
    void changeFont(const FontSpec& font);
    void header_changeFont(const FontSpec& font);
    void footer_changeFont(const FontSpec& font);
    void Value_Margin_Changed();
    void Header_Margin_Changed();
    void Footer_Margin_Changed();
    void TB_Margin_Changed();
    void LR_Margin_Changed();
    void heightChanged();
    void widthChanged();
    void pdf_heightChanged();
    void PDF_Row_Changed();
    void PDF_Col_Changed();
    void PDF_EC_Lvl_Changed();
    void dm_widthChanged();
    void dm_heightChanged();
    // From the stepper the size rule runs too; a typed size only re-encodes.
    void dm_modulesizeChanged(bool fromStepper);
    void captionChanged();
    void showinTopChanged();
    void hideHeaderChanged();
    void hideFooterChanged();
    void kerningChanged();
    void Header_Color_Changed();
    void Set_Font_Clr();
    // Raises the QR side to the least a version index allows.
    void Check_And_Set_QR_size_Acc_Version(int version);
    // Raises the Data Matrix size fields to the chosen format at the module size.
    void data_matrix_barcode_size_acc_format();
    void QR_Version_Help_Btn();
    void QR_EC_Lvl_Help_Btn();
    void PDF_row_Help_btn();
    void PDF_col_Help_btn();
    void PDF_ec_lvl_Help_btn();
    void DM_format_Help_btn();
    void DM_Encoding_Help_btn();
    void DPI_Help_Label();

    // The barcodes of the last panel and quiet runs; the bare
    // two-dimensional symbol of the preview; 0 linear, 1 two-dimensional.
    std::shared_ptr<const NKDBarcode> testBarcode;
    std::shared_ptr<const NKDBarcode> testBarcode_EXP;
    Picture image_2d;
    // The preview's PDF417 symbol: it takes the error level chosen in the
    // window, and the value being edited takes the level from it.
    Pdf417Picture pdf_barcode;
    int liner_or_2D_font = 0;
    // The object being edited (null while none is).
    GraphicPtr pass_barcode_control;
    QDialog* plz_wait_Window = nullptr;

    // The value being edited and the preview drawn from it (null when the
    // value draws nothing).
    const BarcodeSettings& value() const { return m_value; }
    const Picture& preview() const { return m_preview; }
    QString previewError() const { return m_previewError; }

    // Where series and spreadsheet columns come from (the main window sets it).
    static void setDataSources(const DataSourceLists& sources);
    static const DataSourceLists& dataSources();

    // The window whose canvas takes the edited barcode (the main window sets
    // itself when it is made; null when there is none).
    static void setHost(BarcodeDesignerHost* host);
    static BarcodeDesignerHost* host();

    // ---- controls ----
    QComboBox* barcodeTypePopup = nullptr;
    QComboBox* Data_source_type = nullptr;
    QComboBox* Batch_Series = nullptr;
    QPushButton* view_series_btn = nullptr;
    QLineEdit* dataText = nullptr;
    QPlainTextEdit* dataText_2D = nullptr;
    QLineEdit* HeaderText = nullptr;
    QLineEdit* FooterText = nullptr;
    QScrollArea* image_scroll = nullptr;
    QLabel* barcodeImage = nullptr;
    QLabel* barcode_error_label = nullptr;
    QTabWidget* sett_tab = nullptr;
    QWidget* dpi_tab_item = nullptr;

    QGroupBox* linear_sett_box = nullptr;
    QLabel* barHeightLabel = nullptr;
    QLabel* barWidthLabel = nullptr;
    QDoubleSpinBox* HeightText = nullptr;
    QDoubleSpinBox* widthText = nullptr;

    QGroupBox* two_d_sett_box = nullptr;
    QSpinBox* HeightText_2D = nullptr;
    QComboBox* qr_enc_mode_ComboBox = nullptr;
    QComboBox* qr_version_ComboBox = nullptr;
    QComboBox* qr_ec_lvl_ComboBox = nullptr;

    QGroupBox* pdf_2d_sett_box = nullptr;
    QSpinBox* pdf_row_Text = nullptr;
    QSpinBox* pdf_col_Text = nullptr;
    QSpinBox* pdf_ec_lvl_Text = nullptr;
    QSpinBox* pdf_HeightText_2D = nullptr;
    QSpinBox* Pdf_widthText_2D = nullptr;

    QGroupBox* dm_2d_sett_box = nullptr;
    QSpinBox* dm_HeightText_2D = nullptr;
    QSpinBox* dm_widthText_2D = nullptr;
    SteppingSpinBox* dm_moduleText_2D = nullptr;
    QComboBox* dm_format_ComboBox = nullptr;
    QComboBox* dm_encoding_ComboBox = nullptr;

    QCheckBox* captionCheckbox = nullptr;
    QCheckBox* showinTopCheckbox = nullptr;
    QCheckBox* hideHeaderCheckbox = nullptr;
    QCheckBox* hideFooterCheckbox = nullptr;
    QCheckBox* kerning_value_Checkbox = nullptr;
    QComboBox* align_hdr_combo = nullptr;
    QComboBox* align_ftr_combo = nullptr;
    QComboBox* bar_align_combo = nullptr;
    QComboBox* bar_orient_combo = nullptr;
    QLabel* val_font_label = nullptr;
    QLabel* value_font_value = nullptr;
    QPushButton* val_font_btn = nullptr;
    QLabel* header_font_value = nullptr;
    QLabel* footer_font_value = nullptr;

    QGroupBox* margin_box = nullptr;
    QLabel* val_mar_label = nullptr;
    QDoubleSpinBox* val_mar_Text = nullptr;
    QDoubleSpinBox* hdr_mar_Text = nullptr;
    QDoubleSpinBox* ftr_mar_Text = nullptr;
    QDoubleSpinBox* TB_mar_Text = nullptr;
    QDoubleSpinBox* LR_mar_Text = nullptr;

    QLabel* bar_clr_label = nullptr;
    QLabel* bar_bk_clr_label = nullptr;
    QLabel* val_clr_label = nullptr;
    ColorWell* barcode_clr = nullptr;
    ColorWell* bar_back_clr = nullptr;
    ColorWell* bar_val_clr = nullptr;
    ColorWell* bar_hdr_clr = nullptr;
    ColorWell* bar_ftr_clr = nullptr;

    QComboBox* DPI_ComboBox = nullptr;
    QSpinBox* dpi_Text = nullptr;

    QPushButton* ok_button = nullptr;
    QPushButton* cancel_button = nullptr;

protected:
    // Escape and the window's close button cancel.
    void reject() override;

private:
    void buildWindow();
    QWidget* buildSizeTab();
    QWidget* buildTextTab();
    QWidget* buildMarginTab();
    QWidget* buildResolutionTab();
    void connectControls();
    // How a change reaches the preview: encoded again, or (for the look of
    // a two-dimensional symbol) the symbol framed again.
    enum class Refresh { Encode, Reframe };
    void refreshPreview(Refresh refresh);
    void dataSourceTypeChanged();
    void batchSeriesChanged();
    void qrVersionChanged();
    void barAlignChanged();
    void chooseFont(FontSpec BarcodeSettings::*font, void (Barcode_Gen::*apply)(const FontSpec&));
    void applyFont(FontSpec BarcodeSettings::*font, QLabel* label, const FontSpec& chosen);
    // The canvas shows the edited object's new value and edits it.
    void startEditingOnCanvas();

    // Puts the value into every control, without running a handler.
    void showValue();
    void showControls();
    void showFonts();
    // Fills the series list for the value's source; false when "Series" has
    // no series to offer.
    bool fillSourceList();
    void showSourceState();
    // Shows a bound value's first value in the value field of its kind.
    void showBoundValue(const QString& value);
    // The value-text, bar-colour and linear-size controls only the linear
    // layout shows.
    std::vector<QWidget*> linearOnlyControls() const;
    void showHelp(int which);

    BarcodeSettings m_value;
    Picture m_preview;
    QString m_previewError;
};
