#include "mainwindow/inspector/TextPanel.h"

#include "app/ControlHelpers.h"
#include "app/MessageBoxes.h"
#include "app/SystemHelpers.h"
#include "mainwindow/CardSettings.h"
#include "mainwindow/ColorWell.h"
#include "mainwindow/DrawWindow.h"
#include "mainwindow/inspector/FontChooser.h"
#include "mainwindow/inspector/PanelUpdateFrame.h"
#include "mainwindow/inspector/PanelWidgets.h"
#include "mainwindow/inspector/TextPanelHost.h"
#include "mainwindow/inspector/TextPanelRules.h"
#include "model/Globals.h"
#include "model/QuietUpdate.h"
#include "model/SKTText.h"
#include "ui_DrawWindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTextCursor>
#include <QVBoxLayout>

#include <exception>
#include <memory>
#include <vector>

namespace {

// Selects item `index`, or no item when it is out of range.
void selectItem(QComboBox* combo, int index)
{
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

}

TextPanel::TextPanel(TextPanelHost& host) : QObject(dynamic_cast<QObject*>(&host)), m_host(host)
{
    Ui::DrawWindow& ui = host.window()->ui();
    buildEditingPage(ui.text_edtng_tab_layout, ui.text_edtng_tab_spacer);
    buildPropertyPage(ui.text_prop_tab_layout, ui.text_prop_tab_spacer);
    connectControls();
    // the panels of a text with no border and no fill
    SetObjEnabled(Text_Border_Box, false);
    SetObjEnabled(Text_Fill_Box, false);
    enableFillControls(false);
}

TextPanel::~TextPanel() = default;

void TextPanel::buildEditingPage(QVBoxLayout* page, QSpacerItem* end)
{
    PanelWidgets::addToPage(page, end, new QLabel(tr("Text")));
    Text_value_Edit = PanelWidgets::named(new QPlainTextEdit, "Text_value_Edit");
    Text_value_Edit->setToolTip(tr("The words of the selected text"));
    Text_value_Edit->setMinimumHeight(120);
    PanelWidgets::addToPage(page, end, Text_value_Edit);

    auto* box = PanelWidgets::named(new QGroupBox(tr("Date and time")), "Text_Date_Time_Box");
    auto* grid = new QGridLayout(box);
    Text_Date_style = PanelWidgets::list("Text_Date_style", TextPanelRules::dateStyles());
    Text_Date_btn = PanelWidgets::named(new QPushButton(tr("Insert Date")), "Text_Date_btn");
    Text_Time_style = PanelWidgets::list("Text_Time_style", TextPanelRules::timeStyles());
    Text_Time_btn = PanelWidgets::named(new QPushButton(tr("Insert Time")), "Text_Time_btn");
    grid->addWidget(Text_Date_style, 0, 0);
    grid->addWidget(Text_Date_btn, 0, 1);
    grid->addWidget(Text_Time_style, 1, 0);
    grid->addWidget(Text_Time_btn, 1, 1);
    grid->setColumnStretch(0, 1);
    PanelWidgets::addToPage(page, end, box);
}

void TextPanel::buildPropertyPage(QVBoxLayout* page, QSpacerItem* end)
{
    const PanelWidgets::BorderGroup border = PanelWidgets::borderGroup(
        page, end, "Text_border_chk", "Text_Border_Box", "Text_bordr_clr", "Text_bor_Stepper", "Text_border_style");
    Text_border_chk = border.check;
    Text_Border_Box = border.box;
    Text_bordr_clr = border.colour;
    Text_bor_Stepper = border.width;
    Text_border_style = border.style;

    // fill
    Text_fill_chk = PanelWidgets::named(new QCheckBox(tr("Fill the background")), "Text_fill_chk");
    PanelWidgets::addToPage(page, end, Text_fill_chk);
    Text_Fill_Box = PanelWidgets::named(new QGroupBox(tr("Fill")), "Text_Fill_Box");
    auto* fill = new QGridLayout(Text_Fill_Box);
    Text_solid_fill_rd = PanelWidgets::named(new QRadioButton(tr("Solid")), "Text_solid_fill_rd");
    Text_fill_clr = PanelWidgets::colourWell("Text_fill_clr", tr("Fill colour"));
    Text_gradient_fill_rd = PanelWidgets::named(new QRadioButton(tr("Gradient")), "Text_gradient_fill_rd");
    Text_fill_Grd_1_clr = PanelWidgets::colourWell("Text_fill_Grd_1_clr", tr("First gradient colour"));
    Text_fill_Grd_2_clr = PanelWidgets::colourWell("Text_fill_Grd_2_clr", tr("Second gradient colour"));
    Text_grad_Stepper = PanelWidgets::floatStepper("Text_grad_Stepper", 0, 360, QStringLiteral("°"));
    Text_grad_Stepper->setDecimals(1);
    Text_grad_Stepper->setToolTip(tr("Gradient angle"));
    auto* radios = new QButtonGroup(Text_Fill_Box);
    radios->addButton(Text_solid_fill_rd);
    radios->addButton(Text_gradient_fill_rd);
    Text_solid_fill_rd->setChecked(true);
    fill->addWidget(Text_solid_fill_rd, 0, 0);
    fill->addWidget(Text_fill_clr, 0, 1);
    fill->addWidget(Text_gradient_fill_rd, 1, 0);
    fill->addWidget(Text_fill_Grd_1_clr, 1, 1);
    fill->addWidget(Text_fill_Grd_2_clr, 1, 2);
    fill->addWidget(new QLabel(tr("Angle")), 2, 0);
    fill->addWidget(Text_grad_Stepper, 2, 1, 1, 2);
    PanelWidgets::addToPage(page, end, Text_Fill_Box);

    // the characters
    auto* characters = PanelWidgets::named(new QGroupBox(tr("Characters")), "Text_Style_Box");
    auto* form = new QFormLayout(characters);
    Text_clr = PanelWidgets::colourWell("Text_clr", tr("Text colour"));
    auto* fontRow = new QWidget;
    auto* fontLayout = new QHBoxLayout(fontRow);
    fontLayout->setContentsMargins(0, 0, 0, 0);
    Text_font_value = PanelWidgets::named(new QLabel, "Text_font_value");
    // A long font name wraps rather than losing its size.
    Text_font_value->setWordWrap(true);
    Text_Font_btn = PanelWidgets::named(new QPushButton(tr("Font...")), "Text_Font_btn");
    fontLayout->addWidget(Text_font_value, 1);
    fontLayout->addWidget(Text_Font_btn);
    Text_alpha_Stepper = PanelWidgets::stepper("Text_alpha_Stepper", 0, 100, tr(" %"));
    Text_align_combo = PanelWidgets::list("Text_align_combo", TextPanelRules::alignmentItems());
    Text_case_combo = PanelWidgets::list("Text_case_combo", TextPanelRules::caseItems());
    Text_Kern_Stepper = PanelWidgets::floatStepper("Text_Kern_Stepper", -20, 100, tr(" pt"));
    Text_Kern_Stepper->setDecimals(1);
    Text_Kern_Stepper->setSingleStep(0.5);
    form->addRow(tr("Colour"), Text_clr);
    form->addRow(tr("Font"), fontRow);
    form->addRow(tr("Opacity"), Text_alpha_Stepper);
    form->addRow(tr("Alignment"), Text_align_combo);
    form->addRow(tr("Case"), Text_case_combo);
    form->addRow(tr("Letter spacing"), Text_Kern_Stepper);
    PanelWidgets::addToPage(page, end, characters);
    Text_font_value->setText(CardSettings::fontDescription(m_host.textFont()));
}

void TextPanel::connectControls()
{
    // Values set from code stay silent (show() blocks the signals); these
    // are the user's changes.
    connect(Text_value_Edit, &QPlainTextEdit::textChanged, this, &TextPanel::textDidChange);
    connect(Text_Date_btn, &QPushButton::clicked, this, &TextPanel::Text_Insert_Date);
    connect(Text_Time_btn, &QPushButton::clicked, this, &TextPanel::Text_Insert_Time);

    connect(Text_border_chk, &QCheckBox::clicked, this, &TextPanel::Text_Border_ChkBox);
    connect(Text_bor_Stepper, &QSpinBox::valueChanged, this, &TextPanel::Text_Border_Changed);
    connect(Text_fill_chk, &QCheckBox::clicked, this, &TextPanel::Text_Fill_Chk_Box);
    connect(Text_solid_fill_rd, &QRadioButton::clicked, this, &TextPanel::Text_Solid_RD_Sel);
    connect(Text_gradient_fill_rd, &QRadioButton::clicked, this, &TextPanel::Text_Gradient_RD_Sel);
    connect(Text_grad_Stepper, &QDoubleSpinBox::valueChanged, this, &TextPanel::Text_Gradient_Changed);
    connect(Text_alpha_Stepper, &QSpinBox::valueChanged, this, &TextPanel::Text_Alpha_Changed);
    connect(Text_Kern_Stepper, &QDoubleSpinBox::valueChanged, this, &TextPanel::Text_Kerning_Changed);
    for (ColorWell* well : {Text_bordr_clr, Text_fill_clr, Text_fill_Grd_1_clr, Text_fill_Grd_2_clr, Text_clr})
        connect(well, &ColorWell::colourChosen, this, &TextPanel::Set_TextControl_Clr);
    connect(Text_Font_btn, &QPushButton::clicked, this, &TextPanel::Text_Font_Changed);
    // A list's choice, by the user or from code, is written at once (while
    // the panels are filled the update writes nothing).
    for (QComboBox* combo : {Text_border_style, Text_align_combo, Text_case_combo})
        connect(combo, &QComboBox::currentIndexChanged, this, &TextPanel::Update_Text_Graphics);
}

bool TextPanel::showsKind(const SKTGraphic& graphic) const
{
    return graphic.kind() == SKTGraphic::Kind::Text;
}

void TextPanel::load(const SKTGraphic& graphic)
{
    if (graphic.kind() != SKTGraphic::Kind::Text)
        return;
    show(TextPanelRules::fromGraphic(static_cast<const SKTText&>(graphic)));
}

void TextPanel::show(const TextPanelState& s)
{
    // Nothing the filling sets off writes back.
    const QuietUpdate quiet(QuietUpdate::OnExit::Restore);
    {
        const QSignalBlocker editor(Text_value_Edit);
        Text_value_Edit->setPlainText(s.text);
        Text_value_Edit->selectAll();
    }
    const QList<QObject*> controls {Text_border_chk, Text_bor_Stepper, Text_border_style, Text_fill_chk,
                                    Text_solid_fill_rd, Text_gradient_fill_rd, Text_grad_Stepper,
                                    Text_alpha_Stepper, Text_align_combo, Text_case_combo, Text_Kern_Stepper};
    std::vector<std::unique_ptr<QSignalBlocker>> blockers;
    for (QObject* control : controls)
        blockers.push_back(std::make_unique<QSignalBlocker>(control));

    Text_border_chk->setChecked(s.borderOn);
    Text_bordr_clr->setColour(s.borderColour);
    Text_bor_Stepper->setValue(s.borderWidth);
    // A dash code without an item leaves the list as it was.
    if (s.borderStyleIndex >= 0 && s.borderStyleIndex < Text_border_style->count())
        Text_border_style->setCurrentIndex(s.borderStyleIndex);

    Text_fill_chk->setChecked(s.fillOn);
    Text_gradient_fill_rd->setChecked(s.gradientRadio);
    Text_solid_fill_rd->setChecked(!s.gradientRadio);
    Text_fill_clr->setColour(s.fillColour);
    Text_fill_Grd_1_clr->setColour(s.gradientColour1);
    Text_fill_Grd_2_clr->setColour(s.gradientColour2);
    Text_grad_Stepper->setValue(s.gradientAngle);
    SetObjEnabled(Text_Border_Box, s.borderOn);
    SetObjEnabled(Text_Fill_Box, s.fillOn);
    enableFillControls(s.gradientRadio);

    Text_clr->setColour(s.textColour);
    m_host.textFont() = s.font;
    Text_font_value->setText(CardSettings::fontDescription(s.font));
    Text_alpha_Stepper->setValue(qRound(s.alphaPercent));
    selectItem(Text_align_combo, s.alignIndex);
    selectItem(Text_case_combo, s.caseIndex);
    Text_Kern_Stepper->setValue(s.kerning);
}

TextPanelState TextPanel::state() const
{
    TextPanelState s;
    s.text = Text_value_Edit->toPlainText();
    s.borderOn = Text_border_chk->isChecked();
    s.borderColour = Text_bordr_clr->colour();
    s.borderWidth = Text_bor_Stepper->value();
    s.borderStyleIndex = Text_border_style->currentIndex();
    s.fillOn = Text_fill_chk->isChecked();
    s.solidRadio = Text_solid_fill_rd->isChecked();
    s.gradientRadio = Text_gradient_fill_rd->isChecked();
    s.fillColour = Text_fill_clr->colour();
    s.gradientColour1 = Text_fill_Grd_1_clr->colour();
    s.gradientColour2 = Text_fill_Grd_2_clr->colour();
    s.gradientAngle = Text_grad_Stepper->value();
    s.textColour = Text_clr->colour();
    s.font = m_host.textFont();
    s.alphaPercent = Text_alpha_Stepper->value();
    s.alignIndex = Text_align_combo->currentIndex();
    s.caseIndex = Text_case_combo->currentIndex();
    s.kerning = Text_Kern_Stepper->value();
    s.printObject = m_host.printObjectState();
    return s;
}

void TextPanel::Update_Text_Graphics()
{
    PanelUpdateFrame::run<TextPanelState>(
        m_host, [this] { return state(); }, &TextPanelRules::applyTo);
}

void TextPanel::enableFillControls(bool gradient)
{
    SetObjEnabled(Text_fill_clr, !gradient);
    for (QWidget* control : std::initializer_list<QWidget*> {Text_fill_Grd_1_clr, Text_fill_Grd_2_clr,
                                                             Text_grad_Stepper})
        SetObjEnabled(control, gradient);
}

void TextPanel::Text_Border_ChkBox()
{
    SetObjEnabled(Text_Border_Box, Text_border_chk->isChecked());
    Update_Text_Graphics();
}

void TextPanel::Text_Fill_Chk_Box()
{
    // (The box keeps the state of the fill colours inside it.)
    SetObjEnabled(Text_Fill_Box, Text_fill_chk->isChecked());
    Update_Text_Graphics();
}

void TextPanel::Text_Border_Changed()
{
    Update_Text_Graphics();
}

void TextPanel::Text_Gradient_Changed()
{
    Update_Text_Graphics();
}

void TextPanel::Text_Alpha_Changed()
{
    Update_Text_Graphics();
}

void TextPanel::Text_Kerning_Changed()
{
    Update_Text_Graphics();
}

void TextPanel::Set_TextControl_Clr()
{
    Update_Text_Graphics();
}

void TextPanel::Text_Solid_RD_Sel()
{
    Text_solid_fill_rd->setChecked(true);
    Text_gradient_fill_rd->setChecked(false);
    enableFillControls(false);
    Update_Text_Graphics();
}

void TextPanel::Text_Gradient_RD_Sel()
{
    Text_gradient_fill_rd->setChecked(true);
    Text_solid_fill_rd->setChecked(false);
    enableFillControls(true);
    Update_Text_Graphics();
}

void TextPanel::textDidChange()
{
    // The editor's own corrections below change its text again.
    if (m_changingText)
        return;
    m_changingText = true;
    try {
        const QString text = Text_value_Edit->toPlainText();
        const TextPanelRules::EditedText edited =
            TextPanelRules::editedText(text, Text_value_Edit->textCursor().position());
        if (edited.text != text) {
            const QSignalBlocker blocker(Text_value_Edit);
            Text_value_Edit->setPlainText(edited.text);
            QTextCursor cursor = Text_value_Edit->textCursor();
            cursor.setPosition(edited.caret);
            Text_value_Edit->setTextCursor(cursor);
        }
        Update_Text_Graphics();
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
    m_changingText = false;
}

void TextPanel::insertAtCaret(const QString& value)
{
    {
        const QSignalBlocker blocker(Text_value_Edit);
        QTextCursor cursor = Text_value_Edit->textCursor();
        cursor.insertText(value);
        Text_value_Edit->setTextCursor(cursor);
    }
    // The same limits as typing, then the update.
    textDidChange();
}

void TextPanel::Text_Insert_Date()
{
    const QString pattern = Text_Date_style->currentText().trimmed();
    if (pattern.isEmpty()) {
        Show_MessageBox(QStringLiteral("Please select Date format."));
        return;
    }
    insertAtCaret(Get_date_Value(pattern));
}

void TextPanel::Text_Insert_Time()
{
    const QString pattern = Text_Time_style->currentText().trimmed();
    if (pattern.isEmpty()) {
        Show_MessageBox(QStringLiteral("Please select Time format."));
        return;
    }
    insertAtCaret(Get_time_Value(pattern));
}

void TextPanel::Text_Font_Changed()
{
    if (std::optional<FontSpec> chosen = FontChooser::chooseFont(m_host.window(), m_host.textFont()))
        changeTextFont(*chosen);
    else
        Update_Text_Graphics();
}

void TextPanel::changeTextFont(const FontSpec& font)
{
    try {
        m_host.textFont() = font;
        Text_font_value->setText(CardSettings::fontDescription(font));
        Update_Text_Graphics();
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
}
