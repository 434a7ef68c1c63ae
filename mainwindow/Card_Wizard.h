#pragma once

// The card-size wizard: the card's outline (rectangle, rounded rectangle or
// oval) and a size preset; OK gives the document the chosen size.

#include "mainwindow/DialogFrame.h"

class CardSizeChooser;
class QButtonGroup;
class QComboBox;
class QPushButton;
class QRadioButton;
class WizardHost;

class Card_Wizard : public FramedDialog<Card_Wizard>
{
    Q_OBJECT

public:
    explicit Card_Wizard(WizardHost* controller, QWidget* parent = nullptr);
    ~Card_Wizard() override;

    // Starts on the rectangle and the first preset, runs modally: 1 after
    // OK, 0 after Cancel.
    int Open_Wnd();

    // The steppers' millimetres, in points, to the document and the
    // canvases; ends with 1.
    void OK_Click();
    // The rectangle again; ends with 0.
    void CancelClick();
    // `Card_Shape` becomes the chosen shape row (0 rectangle, 1 rounded, 2 oval).
    void card_shape_CellClick();
    // Opens the profile dialog's wizard form (the button is enabled while
    // the main window has one).
    void User_Profile_Click();

    QButtonGroup* card_shape = nullptr;
    QRadioButton* card_shape_rect = nullptr;
    QRadioButton* card_shape_rounded = nullptr;
    QRadioButton* card_shape_oval = nullptr;
    QComboBox* Sides_ComboBox = nullptr;
    CardSizeChooser* sizes = nullptr;
    QPushButton* profile_btn = nullptr;
    QPushButton* ok_btn = nullptr;
    QPushButton* cancel_btn = nullptr;

protected:
    void reject() override;

private:
    WizardHost* m_controller = nullptr;
};
