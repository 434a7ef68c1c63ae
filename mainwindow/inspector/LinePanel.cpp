#include "mainwindow/inspector/LinePanel.h"

#include "mainwindow/ColorWell.h"
#include "mainwindow/DrawWindow.h"
#include "mainwindow/inspector/InspectorHost.h"
#include "mainwindow/inspector/LinePanelRules.h"
#include "mainwindow/inspector/PanelUpdateFrame.h"
#include "mainwindow/inspector/PanelWidgets.h"
#include "model/QuietUpdate.h"
#include "model/SKTLine.h"
#include "ui_DrawWindow.h"

#include <QComboBox>
#include <QFormLayout>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QWidget>

LinePanel::LinePanel(InspectorHost& host) : m_host(host)
{
    build();
    connectControls();
}

LinePanel::~LinePanel() = default;

void LinePanel::build()
{
    Ui::DrawWindow& ui = m_host.window()->ui();
    auto* controls = new QWidget;
    controls->setObjectName(QStringLiteral("Line_Box"));
    auto* form = new QFormLayout(controls);
    form->setContentsMargins(0, 0, 0, 0);
    Line_clr = PanelWidgets::colourWell("Line_clr", tr("Line colour"));
    Line_Wdt_Stepper = PanelWidgets::stepper("Line_Wdt_Stepper", 0, 50, tr(" pt"));
    Line_border_style = PanelWidgets::dashList("Line_border_style");
    Line_cap_style = PanelWidgets::list("Line_cap_style", LinePanelRules::capItems());
    Line_ori_style = PanelWidgets::list("Line_ori_style", LinePanelRules::orientationItems());
    Line_alpha_Stepper = PanelWidgets::stepper("Line_alpha_Stepper", 0, 100, tr(" %"));
    form->addRow(tr("Colour"), Line_clr);
    form->addRow(tr("Width"), Line_Wdt_Stepper);
    form->addRow(tr("Style"), Line_border_style);
    form->addRow(tr("Ends"), Line_cap_style);
    form->addRow(tr("Orientation"), Line_ori_style);
    form->addRow(tr("Opacity"), Line_alpha_Stepper);
    PanelWidgets::addToPage(ui.line_tab_layout, ui.line_tab_spacer, controls);
    show(LinePanelState());
}

void LinePanel::connectControls()
{
    connect(Line_clr, &ColorWell::colourChosen, this, &LinePanel::Set_LineControl_Clr);
    connect(Line_Wdt_Stepper, &QSpinBox::valueChanged, this, &LinePanel::Line_Width_Changed);
    connect(Line_alpha_Stepper, &QSpinBox::valueChanged, this, &LinePanel::Line_Alpha_Changed);
    // A chosen item counts, whether the user or the program chose it.
    for (QComboBox* combo : {Line_border_style, Line_cap_style, Line_ori_style})
        connect(combo, &QComboBox::currentIndexChanged, this, &LinePanel::Update_Line_Graphics);
}

bool LinePanel::showsKind(const SKTGraphic& graphic) const
{
    return graphic.kind() == SKTGraphic::Kind::Line;
}

void LinePanel::load(const SKTGraphic& graphic)
{
    if (!showsKind(graphic))
        return;
    show(LinePanelRules::fromGraphic(static_cast<const SKTLine&>(graphic)));
}

void LinePanel::show(const LinePanelState& s)
{
    // Nothing the filling sets off writes back.
    const QuietUpdate quiet(QuietUpdate::OnExit::Restore);
    Line_clr->setColour(s.colour);
    Line_Wdt_Stepper->setValue(s.width);
    // An unknown dash code leaves the list as it is.
    if (s.styleIndex >= 0 && s.styleIndex < Line_border_style->count())
        Line_border_style->setCurrentIndex(s.styleIndex);
    Line_cap_style->setCurrentIndex(s.capIndex < Line_cap_style->count() ? s.capIndex : -1);
    Line_ori_style->setCurrentIndex(s.orientationIndex < Line_ori_style->count() ? s.orientationIndex : -1);
    Line_alpha_Stepper->setValue(s.alphaPercent);
}

LinePanelState LinePanel::state() const
{
    LinePanelState s;
    s.colour = Line_clr->colour();
    s.width = Line_Wdt_Stepper->value();
    s.styleIndex = Line_border_style->currentIndex();
    s.capIndex = Line_cap_style->currentIndex();
    s.orientationIndex = Line_ori_style->currentIndex();
    s.alphaPercent = Line_alpha_Stepper->value();
    s.printObject = m_host.printObjectState();
    return s;
}

void LinePanel::Update_Line_Graphics()
{
    PanelUpdateFrame::run<LinePanelState>(
        m_host, [this] { return state(); }, &LinePanelRules::applyTo);
}

// The steppers show their values in their own text fields.
void LinePanel::Line_Alpha_Changed() { Update_Line_Graphics(); }
void LinePanel::Line_Width_Changed() { Update_Line_Graphics(); }
void LinePanel::Set_LineControl_Clr() { Update_Line_Graphics(); }
