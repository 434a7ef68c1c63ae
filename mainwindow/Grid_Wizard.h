#pragma once

// The grid settings window: the grid's colour, its spacing, whether it is
// shown, and OK and Cancel. The main window controller loads the grid into
// the controls before the window runs and applies each change as it is made;
// the buttons only end the run.

#include <QDialog>
#include <functional>

class ColorWell;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;

class Grid_Wizard : public QDialog
{
    Q_OBJECT

public:
    // The window made last becomes the default instance.
    explicit Grid_Wizard(QWidget* parent = nullptr);
    ~Grid_Wizard() override;

    static Grid_Wizard* defaultInstance();

    // Runs the window modally and takes it off the screen afterwards;
    // answers 1 for OK and 0 for Cancel (or the window closed).
    int Open_Wnd();
    void OK_Btn_Clicked();
    void Cancel_Btn_Clicked();

    // Replaces the modal run (tests drive the controls and answer instead);
    // an empty function brings back the real run.
    using ModalRun = std::function<int(Grid_Wizard&)>;
    static void setModalRun(ModalRun run);

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
