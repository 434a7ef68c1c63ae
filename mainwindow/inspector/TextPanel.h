#pragma once

// The text object's pages of the inspector: `text_edtng_tab` (the text
// editor and the date and time insertion) and `text_prop_tab` (border, fill,
// text colour, font, opacity, alignment, case and letter spacing). Every
// change of a control writes the whole panel into the selected objects
// (Update_Text_Graphics); filling the panels from an object writes nothing.

#include "mainwindow/inspector/InspectorPanel.h"
#include "mainwindow/inspector/TextPanelState.h"

#include <QObject>

class ColorWell;
class QAbstractButton;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpacerItem;
class QSpinBox;
class QVBoxLayout;
class QWidget;
class TextPanelHost;
class FontSpec;

class TextPanel : public QObject, public InspectorPanel
{
    Q_OBJECT

public:
    // Builds the controls into the text pages of the controller's window.
    explicit TextPanel(TextPanelHost& host);
    ~TextPanel() override;

    bool showsKind(const SKTGraphic& graphic) const override;
    // Shows fromGraphic(graphic) of a text object; other kinds change nothing.
    void load(const SKTGraphic& graphic) override;

    // Shows `state` (also the controller's text font); writes nothing.
    void show(const TextPanelState& state);
    // The values the controls show now, with the controller's text font and
    // the print check box.
    TextPanelState state() const;

    // Writes the panels into the selected objects of the side being edited
    // and hands them to the canvas; nothing while the panels are filled.
    void Update_Text_Graphics();

    // ---- the controls' actions; each ends with the update ----
    // The check box's group enabled while it is on.
    void Text_Border_ChkBox();
    void Text_Fill_Chk_Box();
    void Text_Border_Changed();
    void Text_Gradient_Changed();
    void Text_Alpha_Changed();
    void Text_Kerning_Changed();
    void Set_TextControl_Clr();
    // The radio on, the other off; the colour wells of its fill enabled.
    void Text_Solid_RD_Sel();
    void Text_Gradient_RD_Sel();
    // The editor's text changed: "Text here" removed and the length
    // limited (TextPanelRules::editedText), then the update.
    void textDidChange();
    // Puts the current date (time) in the chosen format over the editor's
    // selection, or at its caret; asks for a format when none is chosen.
    void Text_Insert_Date();
    void Text_Insert_Time();
    // Opens the font chooser on the controller's text font; its answer goes
    // through changeTextFont.
    void Text_Font_Changed();
    // The controller's text font becomes `font`, its label shows it, and
    // the panel updates.
    void changeTextFont(const FontSpec& font);

private:
    void buildEditingPage(QVBoxLayout* page, QSpacerItem* end);
    void buildPropertyPage(QVBoxLayout* page, QSpacerItem* end);
    void connectControls();
    // Enables the fill colour for a solid fill, the gradient controls for a
    // gradient one.
    void enableFillControls(bool gradient);
    void insertAtCaret(const QString& value);

    TextPanelHost& m_host;
    bool m_changingText = false;

    QPlainTextEdit* Text_value_Edit = nullptr;
    QComboBox* Text_Date_style = nullptr;
    QComboBox* Text_Time_style = nullptr;
    QPushButton* Text_Date_btn = nullptr;
    QPushButton* Text_Time_btn = nullptr;

    QCheckBox* Text_border_chk = nullptr;
    QGroupBox* Text_Border_Box = nullptr;
    ColorWell* Text_bordr_clr = nullptr;
    QSpinBox* Text_bor_Stepper = nullptr;
    QComboBox* Text_border_style = nullptr;

    QCheckBox* Text_fill_chk = nullptr;
    QGroupBox* Text_Fill_Box = nullptr;
    QRadioButton* Text_solid_fill_rd = nullptr;
    QRadioButton* Text_gradient_fill_rd = nullptr;
    ColorWell* Text_fill_clr = nullptr;
    ColorWell* Text_fill_Grd_1_clr = nullptr;
    ColorWell* Text_fill_Grd_2_clr = nullptr;
    QDoubleSpinBox* Text_grad_Stepper = nullptr;

    ColorWell* Text_clr = nullptr;
    QLabel* Text_font_value = nullptr;
    QPushButton* Text_Font_btn = nullptr;
    QSpinBox* Text_alpha_Stepper = nullptr;
    QComboBox* Text_align_combo = nullptr;
    QComboBox* Text_case_combo = nullptr;
    QDoubleSpinBox* Text_Kern_Stepper = nullptr;
};
