#pragma once

// The template name dialog: a new template's name (the present-name field
// empty) or the new name of a template being renamed (its present name in
// that field). OK leaves the cleaned name in `export_template_name`.

#include "mainwindow/DialogFrame.h"

class QLineEdit;
class QPushButton;

class Export_Template : public FramedDialog<Export_Template>
{
    Q_OBJECT

public:
    explicit Export_Template(QWidget* parent = nullptr);

    // Runs the dialog modally: 1 for OK, 0 for Cancel.
    int runModal();

    // Checks the name; ends the run with 1 when it is taken, otherwise says
    // why not and stays.
    void OKPressed();
    // Empties the name and ends the run with 0.
    void CancelPressed();

    QLineEdit* template_name = nullptr;
    QLineEdit* template_passed = nullptr;
    QPushButton* ok_btn = nullptr;
    QPushButton* cancel_btn = nullptr;

protected:
    void reject() override;
};
