#pragma once

#include "mainwindow/inspector/PanelBorder.h"

#include <QString>

class ColorWell;
class QBoxLayout;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QSpinBox;
class QWidget;

// The border controls of an object panel, built as every panel's border
// group (PanelWidgets::makeBorderGroup): the check box "<prefix>_border_chk"
// and, in the group box "<prefix>_Border_Box" that it enables, the colour well
// "<prefix>_bordr_clr", the width stepper "<prefix>_bor_Stepper" and the line
// style list "<prefix>_border_style" (solid, dash, dot, dash-dot,
// dash-dot-dot, in the order of the dash codes).
class BorderControls
{
public:
    // Builds the controls into `layout` of `page` at `index`.
    BorderControls(QWidget* page, QBoxLayout* layout, int index, const QString& prefix);

    // Shows `border` without setting off any action; the group box is
    // enabled while the border is on.
    void show(const PanelBorder& border);
    PanelBorder state() const;
    // The group box follows the check box.
    void enableBoxByCheck();

    QCheckBox* check = nullptr;
    QGroupBox* box = nullptr;
    ColorWell* colour = nullptr;
    QSpinBox* width = nullptr;
    QComboBox* style = nullptr;
};
