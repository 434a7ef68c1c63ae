#pragma once

// The line panel of the property inspector: colour, width, dash style, cap,
// orientation and opacity of a line, built into the page `line_tab` of the
// main window. It shows a line's values when the inspector loads it and writes
// the whole panel into the selected objects of the side being edited whenever
// one of its controls changes.

#include "mainwindow/inspector/InspectorPanel.h"
#include "mainwindow/inspector/LinePanelState.h"

#include <QObject>

class ColorWell;
class QComboBox;
class QSpinBox;
class InspectorHost;

class LinePanel : public QObject, public InspectorPanel
{
    Q_OBJECT

public:
    explicit LinePanel(InspectorHost& host);
    ~LinePanel() override;

    bool showsKind(const SKTGraphic& graphic) const override;
    // Shows the line's values. Writes nothing back, whatever the
    // quiet-update flag.
    void load(const SKTGraphic& graphic) override;

    // Sets the controls to `state`; writes nothing.
    void show(const LinePanelState& state);
    // The values the controls show now, with the print check box's state.
    LinePanelState state() const;

    // Writes the panel into each object the controller gives to update, then
    // has them drawn again. Records no undo.
    void Update_Line_Graphics();

    // The controls' actions; each ends with the update.
    void Line_Alpha_Changed();
    void Line_Width_Changed();
    void Set_LineControl_Clr();

private:
    void build();
    void connectControls();

    InspectorHost& m_host;

    ColorWell* Line_clr = nullptr;
    QSpinBox* Line_Wdt_Stepper = nullptr;
    QComboBox* Line_border_style = nullptr;
    QComboBox* Line_cap_style = nullptr;
    QComboBox* Line_ori_style = nullptr;
    QSpinBox* Line_alpha_Stepper = nullptr;
};
