#pragma once

// The series generator: values made by rule, sequential numbers (prefix,
// from, to, suffix, optional zero padding), one value repeated, or random
// numbers of a digit length (prefix, suffix, count). They go into a new
// series file named in the window, or after the values of the series open
// in the series manager. The rules themselves are SeriesGeneratorRules.

#include "mainwindow/DialogFrame.h"
class PleaseWait_Modeless;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

class Generate_List : public FramedDialog<Generate_List>
{
    Q_OBJECT

public:
    // The window made last becomes the default instance and `Gen_List_Window`.
    explicit Generate_List(QWidget* parent = nullptr);
    ~Generate_List() override;

    // the caller's input fields: 1 to write a new series file (else the
    // values go to the series manager's open series); 1 to have the manager
    // list its series again afterwards
    int file_name_required = 0;
    int file_name_Insert = 0;

    // Resets the window and runs it modally: 1 after values were made, 0
    // after Cancel.
    int Open_Wnd();
    void OKPressed();
    void CancelPressed();
    void Sequintial_Radio_Pressed();
    void Constant_Radio_Pressed();
    void Random_Radio_Pressed();
    void Count_Stepper_Pressed(QObject* sender);
    void Random_Length_Stepper_Pressed(QObject* sender);
    void Random_Count_Stepper_Pressed(QObject* sender);
    // The field limits, applied to the field the user is typing in.
    void controlTextDidChange(QLineEdit* field);
    void Help_btn_Pressed();

    QRadioButton* radioButton_Sequntial = nullptr;
    QRadioButton* radioButton_Constant = nullptr;
    QRadioButton* radioButton_Random = nullptr;
    QGroupBox* sequential_box = nullptr;
    QGroupBox* constant_box = nullptr;
    QGroupBox* random_box = nullptr;
    QLineEdit* seq_file_name = nullptr;
    QLineEdit* prefix_txt = nullptr;
    QLineEdit* from_txt = nullptr;
    QLineEdit* to_txt = nullptr;
    QLineEdit* suffix_txt = nullptr;
    QCheckBox* manage_digit_chk = nullptr;
    QPushButton* help_btn = nullptr;
    QLineEdit* const_file_name = nullptr;
    QLineEdit* value_txt = nullptr;
    QLineEdit* count_txt = nullptr;
    QSpinBox* count_stepper = nullptr;
    QLineEdit* rndm_file_name = nullptr;
    QLineEdit* rand_prefix_txt = nullptr;
    QLineEdit* rand_length_txt = nullptr;
    QSpinBox* rand_length_stepper = nullptr;
    QLineEdit* rand_suffix_txt = nullptr;
    QLineEdit* rand_count_txt = nullptr;
    QSpinBox* rand_count_stepper = nullptr;
    QPushButton* ok_btn = nullptr;
    QPushButton* cancel_btn = nullptr;
    PleaseWait_Modeless* plz_wait_Window = nullptr;

protected:
    void reject() override;

private:
    enum class Group { Sequential, Constant, Random };
    void chooseGroup(Group group);
    // Writes the values as a new series file; false (the window stays open)
    // when the user keeps an existing series or the file cannot be written.
    bool writeSeriesFile(const QString& name, const QStringList& values);
    Group m_group = Group::Sequential;
    // the name labels, hidden with the name fields
    QList<QWidget*> m_nameLabels;
};
