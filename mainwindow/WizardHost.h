#pragma once

// What the card-size chooser and the card, template and invitation wizards
// ask of the main window: the preset sizes, the card's size, the profile
// wizard form and opening a design. The main window controller implements it.

#include <QSizeF>
#include <QString>

struct ProfileDialog;

class WizardHost
{
public:
    // The size in points of row `list_index` of a preset list.
    virtual QSizeF Get_My_card_Size(const QString& category, const QString& preset, int list_index) const = 0;
    // Shows a size in millimetres in the card panel's size fields.
    virtual void Set_Card_Size_In_Control(const QSizeF& millimetres) = 0;
    // Asks the document for the canvas size of `points`.
    virtual void Set_Document_Size(const QSizeF& points) = 0;
    // Makes the canvases `points` large and redraws.
    virtual void SetDocumentCanvasSize(const QSizeF& points) = 0;
    // The profile wizard form; null until it is set.
    virtual ProfileDialog* profileWizardForm() const = 0;
    // Runs the profile dialog of `side`, or the wizard form for an empty
    // side; the dialog's result.
    virtual int Open_User_Profile_Window(bool load, const QString& side) = 0;
    // Lets the user choose a design file and opens it.
    virtual bool Open_Log_File() = 0;

protected:
    ~WizardHost() = default;
};
