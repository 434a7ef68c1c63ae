#pragma once

// The shape panel of the property inspector: the border, fill, opacity and
// figure controls of a shape, built into the page `shape_tab` of the main
// window. It shows a shape's values when the inspector loads it and writes the
// whole panel into the selected objects of the side being edited whenever one
// of its controls changes.

#include "mainwindow/inspector/InspectorPanel.h"
#include "mainwindow/inspector/ShapePanelState.h"

#include <QObject>
#include <QString>

class ColorWell;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFormLayout;
class QGroupBox;
class QLabel;
class QRadioButton;
class QSpinBox;
class InspectorHost;

class ShapePanel : public QObject, public InspectorPanel
{
    Q_OBJECT

public:
    explicit ShapePanel(InspectorHost& host);
    ~ShapePanel() override;

    // Shapes, and any object that is none of the other kinds.
    bool showsKind(const SKTGraphic& graphic) const override;
    // Shows the object's values, its title and the figure controls of its
    // shape code. Writes nothing back, whatever the quiet-update flag.
    void load(const SKTGraphic& graphic) override;

    // Sets the controls to `state` and enables them to match; writes nothing.
    void show(const ShapePanelState& state);
    // The values the controls show now, with the print check box's state.
    ShapePanelState state() const;

    // Writes the panel into each object the controller gives to update, then
    // has them drawn again. Records no undo.
    void Update_Shape_Graphics();

    // The controls' actions; each ends with the update.
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

private:
    void build();
    void connectControls();
    // Turns on one fill radio and the others off.
    void selectFillRadio(QRadioButton* radio);
    // Enables the fill controls of the fill radio that is on.
    void enableFillControls();
    // Shows the title and the figure rows of a shape code.
    void showFigureControls(const QString& shapeCode, bool locked);

    InspectorHost& m_host;

    QLabel* Shape_prop_title = nullptr;
    QCheckBox* Shape_border_chk = nullptr;
    QGroupBox* Shape_Border_Box = nullptr;
    ColorWell* shape_bordr_clr = nullptr;
    QSpinBox* shape_bor_Stepper = nullptr;
    QComboBox* shape_border_style = nullptr;

    QCheckBox* Shape_fill_chk = nullptr;
    QGroupBox* Shape_Fill_Box = nullptr;
    QRadioButton* Shape_solid_fill_rd = nullptr;
    QRadioButton* Shape_gradient_fill_rd = nullptr;
    QRadioButton* Shape_Style_fill_rd = nullptr;
    ColorWell* shape_fill_clr = nullptr;
    ColorWell* shape_fill_Grd_1_clr = nullptr;
    ColorWell* shape_fill_Grd_2_clr = nullptr;
    QDoubleSpinBox* shape_grad_Stepper = nullptr;
    QComboBox* shape_hatch_style = nullptr;
    ColorWell* shape_hatch_bk_clr = nullptr;

    QFormLayout* m_figureForm = nullptr;
    QSpinBox* shape_alpha_Stepper = nullptr;
    QLabel* shape_cor_radius_Label = nullptr;
    QDoubleSpinBox* shape_cor_radius_Stepper = nullptr;
    QLabel* double_star_Label = nullptr;
    QSpinBox* double_star_Stepper = nullptr;
    QLabel* polygon_Label = nullptr;
    QSpinBox* polygon_Stepper = nullptr;
};
