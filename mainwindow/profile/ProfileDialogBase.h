#pragma once

// What the profile dialog and its wizard form share: a modal window over a
// ProfileDialogState with one row of controls per profile field (built from
// the field table), the spreadsheet path and its buttons, the photo with its
// well, the side picture, and Preview, Reset, Help, OK and Cancel. The
// controls only show the state and hand the user's actions to it; the main
// window opens the dialog through the ProfileDialog interface.

#include "mainwindow/DialogFrame.h"
#include "mainwindow/ProfileDialog.h"
#include "model/SKTGraphic.h"
#include "profiles/ProfileDialogState.h"

#include <QPixmap>

#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class ProfileDialogHost;

class ProfileDialogBase : public DialogFrame, public ModalRunSeam<ProfileDialogBase>, public ProfileDialog
{
    Q_OBJECT

public:
    ~ProfileDialogBase() override;

    // Opens the dialog modally; with `load` on the side Card_Front_Or_Back
    // names (its picture shown, its profile objects loaded), without on no
    // side. 1 after OK, 0 after Cancel.
    int Open_Wnd(bool load) override;

    void Reset_all_Ctrl();
    bool Check_Validation();
    bool Fill_Front_User_profile_value_in_Variable();
    bool Fill_Back_User_profile_value_in_Variable();
    bool Fill_TEMP_User_profile_value_in_Variable();

    void OK_Btn_Clicked();
    void Cancel_Btn_Clicked();
    void Reset_Btn_Clicked() { Reset_all_Ctrl(); }
    void Help_Btn_Clicked();
    void Browse_excel_Btn_Clicked();
    void Add_Excel_in_Data_Source_Combo();
    void Remove_Excel_in_Data_Source_Combo();
    void View_Excel_Btn_Clicked();
    void Batch_Series_Btn_Clicked();
    void Browse_image_Btn_Clicked();
    void Clear_image_Btn_Clicked();
    void Set_User_Image(const QString& path);
    // The series chosen in row `row` in the series viewer.
    void View_Data_Series_By_Name(int row);
    // Commits into the temp profile, places it on a copy of the current
    // side and shows that in the side picture; the card stays as it was.
    void Preview_Btn_Clicked();
    // The side picture shows `Graphics_array`.
    void Create_and_Set_Preview_picture();

    ProfileDialogState& state() { return m_state; }
    const ProfileDialogState& state() const { return m_state; }
    // the objects the side picture shows
    GraphicList Graphics_array;

    // setModalRun(): tests work the controls and answer instead.

    // ---- controls; a row's controls are named after its prefix ("name",
    // "title", ... "image") and the control ("name_value", "name_ds_combo") ----
    struct RowControls
    {
        QLineEdit* label = nullptr;        // caption (text rows)
        QCheckBox* label_chk = nullptr;    // profile dialog, text rows
        QLineEdit* value = nullptr;        // value (text rows); image_path_val for the photo
        QCheckBox* value_chk = nullptr;    // profile dialog, text rows
        QComboBox* ds_combo = nullptr;
        QComboBox* ser_col_cb = nullptr;
        QPushButton* view_btn = nullptr;
        QComboBox* side_combo = nullptr;   // wizard form
    };
    QList<RowControls> rowControls;
    QLineEdit* excel_path_field = nullptr;
    // Why the table is not what the named workbook holds now; hidden when it is.
    QLabel* excel_note_label = nullptr;
    QPushButton* excel_browse_btn = nullptr;
    QPushButton* view_excel_btn = nullptr;
    QPushButton* batch_series_btn = nullptr;
    QLineEdit* image_path_val = nullptr;
    QLabel* user_picture = nullptr;
    QPushButton* browse_pic_btn = nullptr;
    QPushButton* clear_pic_btn = nullptr;
    QLabel* Preivew_picture = nullptr;
    QLabel* Template_picture = nullptr;    // wizard form
    QLabel* select_side_label = nullptr;   // wizard form
    QPushButton* preview_btn = nullptr;
    QPushButton* reset_btn = nullptr;
    QPushButton* help_btn = nullptr;
    QPushButton* ok_btn = nullptr;
    QPushButton* cancel_btn = nullptr;

    // the photo well's picture (null when empty)
    const QPixmap& photo() const { return m_photo; }

protected:
    // `wizardForm`: side choosers and the template picture in place of the
    // check boxes.
    ProfileDialogBase(ProfileDialogHost* controller, bool wizardForm, QWidget* parent);

    // Writes the state into every control, quietly.
    void showState();
    void reject() override;

private:
    void buildWindow();
    void connectRow(int row);
    void showPhoto(const QString& path);
    void showSidePicture(QLabel* label, const GraphicList& graphics);
    // After a new table replaced the one before: the side picture shows
    // the new first row (a preview is made again when the rows allow it,
    // else the side itself is shown).
    void showNewTableInPicture();
    ProfileDialogState::Sources sources() const;

    ProfileDialogHost* m_controller = nullptr;
    bool m_wizardForm = false;
    ProfileDialogState m_state;
    QPixmap m_photo;
    // what the side picture shows
    enum class Shown { Nothing, Side, Preview };
    Shown m_pictureShows = Shown::Nothing;
};
