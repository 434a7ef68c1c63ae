#include "mainwindow/inspector/ShapePanel.h"

#include "app/ControlHelpers.h"
#include "app/Globals.h"
#include "mainwindow/ColorWell.h"
#include "mainwindow/DrawWindow.h"
#include "mainwindow/inspector/InspectorHost.h"
#include "mainwindow/inspector/PanelUpdateFrame.h"
#include "mainwindow/inspector/PanelWidgets.h"
#include "mainwindow/inspector/ShapePanelRules.h"
#include "model/QuietUpdate.h"
#include "model/SKTGraphic.h"
#include "ui_DrawWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFont>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

ShapePanel::ShapePanel(InspectorHost& host) : m_host(host)
{
    build();
    connectControls();
}

ShapePanel::~ShapePanel() = default;

void ShapePanel::build()
{
    Ui::DrawWindow& ui = m_host.window()->ui();
    QVBoxLayout* page = ui.shape_tab_layout;
    QSpacerItem* end = ui.shape_tab_spacer;

    Shape_prop_title = PanelWidgets::named(new QLabel, "Shape_prop_title");
    QFont titleFont = Shape_prop_title->font();
    titleFont.setBold(true);
    Shape_prop_title->setFont(titleFont);
    PanelWidgets::addToPage(page, end, Shape_prop_title);

    // border
    const PanelWidgets::BorderGroup border = PanelWidgets::borderGroup(page, end, "Shape_border_chk", "Shape_Border_Box",
                                                                       "shape_bordr_clr", "shape_bor_Stepper",
                                                                       "shape_border_style");
    Shape_border_chk = border.check;
    Shape_Border_Box = border.box;
    shape_bordr_clr = border.colour;
    shape_bor_Stepper = border.width;
    shape_border_style = border.style;

    // fill
    Shape_fill_chk = PanelWidgets::named(new QCheckBox(tr("Fill")), "Shape_fill_chk");
    PanelWidgets::addToPage(page, end, Shape_fill_chk);
    Shape_Fill_Box = PanelWidgets::named(new QGroupBox(tr("Fill")), "Shape_Fill_Box");
    auto* fill = new QFormLayout(Shape_Fill_Box);
    auto* radios = new QHBoxLayout;
    Shape_solid_fill_rd = PanelWidgets::named(new QRadioButton(tr("Solid")), "Shape_solid_fill_rd");
    Shape_gradient_fill_rd = PanelWidgets::named(new QRadioButton(tr("Gradient")), "Shape_gradient_fill_rd");
    Shape_Style_fill_rd = PanelWidgets::named(new QRadioButton(tr("Pattern")), "Shape_Style_fill_rd");
    for (QRadioButton* radio : {Shape_solid_fill_rd, Shape_gradient_fill_rd, Shape_Style_fill_rd})
        radios->addWidget(radio);
    fill->addRow(radios);
    shape_fill_clr = PanelWidgets::colourWell("shape_fill_clr", tr("Fill colour"));
    fill->addRow(tr("Colour"), shape_fill_clr);
    auto* gradient = new QHBoxLayout;
    shape_fill_Grd_1_clr = PanelWidgets::colourWell("shape_fill_Grd_1_clr", tr("Gradient start colour"));
    shape_fill_Grd_2_clr = PanelWidgets::colourWell("shape_fill_Grd_2_clr", tr("Gradient end colour"));
    gradient->addWidget(shape_fill_Grd_1_clr);
    gradient->addWidget(shape_fill_Grd_2_clr);
    gradient->addStretch();
    fill->addRow(tr("Gradient"), gradient);
    shape_grad_Stepper = PanelWidgets::floatStepper("shape_grad_Stepper", 0, 360, tr(" °"));
    fill->addRow(tr("Angle"), shape_grad_Stepper);
    shape_hatch_style = PanelWidgets::list("shape_hatch_style", ShapePanelRules::hatchPatternNames(Resource_Path));
    fill->addRow(tr("Pattern"), shape_hatch_style);
    shape_hatch_bk_clr = PanelWidgets::colourWell("shape_hatch_bk_clr", tr("Pattern background colour"));
    fill->addRow(tr("Background"), shape_hatch_bk_clr);
    PanelWidgets::addToPage(page, end, Shape_Fill_Box);

    // opacity and the figure of the shape
    auto* more = new QWidget;
    m_figureForm = new QFormLayout(more);
    m_figureForm->setContentsMargins(0, 0, 0, 0);
    shape_alpha_Stepper = PanelWidgets::stepper("shape_alpha_Stepper", 0, 100, tr(" %"));
    m_figureForm->addRow(tr("Opacity"), shape_alpha_Stepper);
    shape_cor_radius_Label = PanelWidgets::named(new QLabel(tr("Corner radius")), "shape_cor_radius_Label");
    shape_cor_radius_Stepper = PanelWidgets::floatStepper("shape_cor_radius_Stepper", 0, 1000, tr(" pt"));
    m_figureForm->addRow(shape_cor_radius_Label, shape_cor_radius_Stepper);
    double_star_Label = PanelWidgets::named(new QLabel(tr("Double star")), "double_star_Label");
    double_star_Stepper = PanelWidgets::stepper("double_star_Stepper", 1, 5);
    m_figureForm->addRow(double_star_Label, double_star_Stepper);
    polygon_Label = PanelWidgets::named(new QLabel(tr("Polygon")), "polygon_Label");
    polygon_Stepper = PanelWidgets::stepper("polygon_Stepper", 1, 5);
    m_figureForm->addRow(polygon_Label, polygon_Stepper);
    PanelWidgets::addToPage(page, end, more);

    show(ShapePanelState());
    showFigureControls(QString(), false);
}

void ShapePanel::connectControls()
{
    connect(Shape_border_chk, &QCheckBox::clicked, this, &ShapePanel::Shape_Border_ChkBox);
    connect(Shape_fill_chk, &QCheckBox::clicked, this, &ShapePanel::Shape_Fill_Chk_Box);
    connect(shape_bor_Stepper, &QSpinBox::valueChanged, this, &ShapePanel::Shape_Border_Changed);
    connect(shape_grad_Stepper, &QDoubleSpinBox::valueChanged, this, &ShapePanel::Shape_Gradient_Changed);
    connect(shape_alpha_Stepper, &QSpinBox::valueChanged, this, &ShapePanel::Shape_Alpha_Changed);
    connect(shape_cor_radius_Stepper, &QDoubleSpinBox::valueChanged, this, &ShapePanel::Shape_Corner_Radius_Changed);
    connect(double_star_Stepper, &QSpinBox::valueChanged, this, &ShapePanel::Double_Star_Shape_Changed);
    connect(polygon_Stepper, &QSpinBox::valueChanged, this, &ShapePanel::Polygon_Shape_Changed);
    for (ColorWell* w : {shape_bordr_clr, shape_fill_clr, shape_fill_Grd_1_clr, shape_fill_Grd_2_clr,
                         shape_hatch_bk_clr})
        connect(w, &ColorWell::colourChosen, this, &ShapePanel::Set_Control_Clr);
    connect(Shape_solid_fill_rd, &QRadioButton::clicked, this, &ShapePanel::Shape_Solid_RD_Sel);
    connect(Shape_gradient_fill_rd, &QRadioButton::clicked, this, &ShapePanel::Shape_Gradient_RD_Sel);
    connect(Shape_Style_fill_rd, &QRadioButton::clicked, this, &ShapePanel::Shape_Hatch_RD_Sel);
    // A chosen item counts, whether the user or the program chose it.
    for (QComboBox* combo : {shape_border_style, shape_hatch_style})
        connect(combo, &QComboBox::currentIndexChanged, this, &ShapePanel::Update_Shape_Graphics);
}

bool ShapePanel::showsKind(const SKTGraphic& graphic) const
{
    switch (graphic.kind()) {
    case SKTGraphic::Kind::Text:
    case SKTGraphic::Kind::Image:
    case SKTGraphic::Kind::Line:
    case SKTGraphic::Kind::Signature:
    case SKTGraphic::Kind::Barcode:
        return false;
    default:
        return true;
    }
}

void ShapePanel::load(const SKTGraphic& graphic)
{
    const QuietUpdate quiet(QuietUpdate::OnExit::Restore);
    show(ShapePanelRules::fromGraphic(graphic));
    showFigureControls(graphic.Get_shape_type(), graphic.Is_Control_Locked());
}

void ShapePanel::show(const ShapePanelState& s)
{
    // Nothing the filling sets off writes back.
    const QuietUpdate quiet(QuietUpdate::OnExit::Restore);
    Shape_border_chk->setChecked(s.borderOn);
    shape_bordr_clr->setColour(s.borderColour);
    shape_bor_Stepper->setValue(s.borderWidth);
    // An unknown dash code leaves the list as it is.
    if (s.borderStyleIndex >= 0 && s.borderStyleIndex < shape_border_style->count())
        shape_border_style->setCurrentIndex(s.borderStyleIndex);
    SetObjEnabled(Shape_Border_Box, s.borderOn);

    Shape_fill_chk->setChecked(s.fillOn);
    shape_fill_clr->setColour(s.fillColour);
    // One radio is on; should the state have none, solid stands in.
    selectFillRadio(s.gradientRadio ? Shape_gradient_fill_rd
                    : s.hatchRadio  ? Shape_Style_fill_rd
                                    : Shape_solid_fill_rd);
    shape_fill_Grd_1_clr->setColour(s.gradientColour1);
    shape_fill_Grd_2_clr->setColour(s.gradientColour2);
    shape_grad_Stepper->setValue(s.gradientAngle);
    shape_hatch_style->setCurrentIndex(s.hatchStyle.isEmpty() ? -1 : shape_hatch_style->findText(s.hatchStyle));
    shape_hatch_bk_clr->setColour(s.hatchBackground);
    SetObjEnabled(Shape_Fill_Box, s.fillOn);
    enableFillControls();

    shape_alpha_Stepper->setValue(s.alphaPercent);
    shape_cor_radius_Stepper->setValue(s.cornerRadius);
    double_star_Stepper->setValue(s.doubleStarType);
    polygon_Stepper->setValue(s.polygonType);
}

ShapePanelState ShapePanel::state() const
{
    ShapePanelState s;
    s.borderOn = Shape_border_chk->isChecked();
    s.borderColour = shape_bordr_clr->colour();
    s.borderWidth = shape_bor_Stepper->value();
    s.borderStyleIndex = shape_border_style->currentIndex();
    s.fillOn = Shape_fill_chk->isChecked();
    s.solidRadio = Shape_solid_fill_rd->isChecked();
    s.gradientRadio = Shape_gradient_fill_rd->isChecked();
    s.hatchRadio = Shape_Style_fill_rd->isChecked();
    s.fillColour = shape_fill_clr->colour();
    s.gradientColour1 = shape_fill_Grd_1_clr->colour();
    s.gradientColour2 = shape_fill_Grd_2_clr->colour();
    s.gradientAngle = shape_grad_Stepper->value();
    s.hatchStyle = shape_hatch_style->currentIndex() >= 0 ? shape_hatch_style->currentText() : QString();
    s.hatchBackground = shape_hatch_bk_clr->colour();
    s.alphaPercent = shape_alpha_Stepper->value();
    s.cornerRadius = shape_cor_radius_Stepper->value();
    s.doubleStarType = double_star_Stepper->value();
    s.polygonType = polygon_Stepper->value();
    s.printObject = m_host.printObjectState();
    return s;
}

void ShapePanel::Update_Shape_Graphics()
{
    PanelUpdateFrame::run<ShapePanelState>(
        m_host, [this] { return state(); }, &ShapePanelRules::applyTo);
}

void ShapePanel::Shape_Border_ChkBox()
{
    SetObjEnabled(Shape_Border_Box, Shape_border_chk->isChecked());
    Update_Shape_Graphics();
}

void ShapePanel::Shape_Fill_Chk_Box()
{
    SetObjEnabled(Shape_Fill_Box, Shape_fill_chk->isChecked());
    Update_Shape_Graphics();
}

// The steppers show their values in their own text fields.
void ShapePanel::Shape_Border_Changed() { Update_Shape_Graphics(); }
void ShapePanel::Shape_Gradient_Changed() { Update_Shape_Graphics(); }
void ShapePanel::Shape_Alpha_Changed() { Update_Shape_Graphics(); }
void ShapePanel::Shape_Corner_Radius_Changed() { Update_Shape_Graphics(); }
void ShapePanel::Double_Star_Shape_Changed() { Update_Shape_Graphics(); }
void ShapePanel::Polygon_Shape_Changed() { Update_Shape_Graphics(); }
void ShapePanel::Set_Control_Clr() { Update_Shape_Graphics(); }

void ShapePanel::Shape_Solid_RD_Sel()
{
    selectFillRadio(Shape_solid_fill_rd);
    Update_Shape_Graphics();
}

void ShapePanel::Shape_Gradient_RD_Sel()
{
    selectFillRadio(Shape_gradient_fill_rd);
    Update_Shape_Graphics();
}

void ShapePanel::Shape_Hatch_RD_Sel()
{
    selectFillRadio(Shape_Style_fill_rd);
    Update_Shape_Graphics();
}

void ShapePanel::selectFillRadio(QRadioButton* radio)
{
    for (QRadioButton* r : {Shape_solid_fill_rd, Shape_gradient_fill_rd, Shape_Style_fill_rd})
        r->setChecked(r == radio);
    enableFillControls();
}

void ShapePanel::enableFillControls()
{
    ShapePanelState radios;
    radios.solidRadio = Shape_solid_fill_rd->isChecked();
    radios.gradientRadio = Shape_gradient_fill_rd->isChecked();
    radios.hatchRadio = Shape_Style_fill_rd->isChecked();
    const ShapePanelRules::FillControls on = ShapePanelRules::fillControls(radios);
    SetObjEnabled(shape_fill_clr, on.solidColour);
    for (QWidget* w : std::initializer_list<QWidget*> {shape_fill_Grd_1_clr, shape_fill_Grd_2_clr, shape_grad_Stepper})
        SetObjEnabled(w, on.gradient);
    for (QWidget* w : std::initializer_list<QWidget*> {shape_hatch_style, shape_hatch_bk_clr})
        SetObjEnabled(w, on.hatch);
}

void ShapePanel::showFigureControls(const QString& shapeCode, bool locked)
{
    Shape_prop_title->setText(ShapePanelRules::titleForShapeCode(shapeCode));
    const ShapePanelRules::FigureControls shown = ShapePanelRules::figureControls(shapeCode, locked);
    m_figureForm->setRowVisible(shape_cor_radius_Stepper, shown.cornerRadius);
    m_figureForm->setRowVisible(double_star_Stepper, shown.doubleStar);
    m_figureForm->setRowVisible(polygon_Stepper, shown.polygon);
}
