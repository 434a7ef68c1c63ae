#pragma once

// The grid settings window: the grid's colour, its spacing, whether it is
// shown, and OK and Cancel. The main window controller loads the grid into
// the controls before the window runs and applies each change as it is made;
// the buttons only end the run.

#include "mainwindow/DialogFrame.h"

class ColorWell;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;

class Grid_Wizard : public FramedDialog<Grid_Wizard>
{
    Q_OBJECT

public:
    // The window made last becomes the default instance.
    explicit Grid_Wizard(QWidget* parent = nullptr);

    // Runs the window modally and takes it off the screen afterwards;
    // answers 1 for OK and 0 for Cancel (or the window closed).
    int Open_Wnd();
    void OK_Btn_Clicked();
    void Cancel_Btn_Clicked();

    // The spacing slider's range, in points.
    static constexpr int minimumSpacing = 2;
    static constexpr int maximumSpacing = 72;

    ColorWell* Grid_clr = nullptr;
    QSlider* Grid_Space_slidr = nullptr;
    QCheckBox* Show_hide_grid_chk = nullptr;
    // Holds the colour and spacing; enabled while the grid is shown.
    QGroupBox* Grid_Opt_box = nullptr;
    QPushButton* OK_btn = nullptr;
    QPushButton* Cancel_btn = nullptr;

private:
    // The spacing in points beside the slider (also after the slider was
    // set quietly).
    void showSpacing();
    QLabel* m_spacingValue = nullptr;
};
