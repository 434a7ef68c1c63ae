#pragma once

// The card-size choice of the template picker and the card-size wizard: an
// orientation and a category combo box over the category's preset list, and
// the chosen preset's width and height in millimetres.

#include <QSizeF>
#include <QWidget>

class PresetListModel;
class QComboBox;
class QDoubleSpinBox;
class QTableView;
class WizardHost;

class CardSizeChooser : public QWidget
{
    Q_OBJECT

public:
    // `controller` gives the presets' sizes (CardSizePresets without one).
    explicit CardSizeChooser(WizardHost* controller, QWidget* parent = nullptr);

    // Both combo boxes at their first items, the list filled and row 0 chosen.
    void reset();

    // The category combo box's first item lists the plastic card names,
    // any other the paper badge names; row 0 is chosen.
    void comboBoxSelectionDidChange(QComboBox* comboBox);
    // Shows the size of the chosen row in the steppers.
    void tableViewSelectionDidChange();
    void Create_List(const QString& text);
    void Mark_List_New_Selection(int row);

    // The steppers' values in millimetres.
    QSizeF millimetres() const;

    QComboBox* Preset_ComboBox = nullptr;
    QComboBox* Category_ComboBox = nullptr;
    QTableView* ColList = nullptr;
    QDoubleSpinBox* width_Stepper = nullptr;
    QDoubleSpinBox* height_Stepper = nullptr;
    PresetListModel* ListData = nullptr;

private:
    WizardHost* m_controller = nullptr;
};
