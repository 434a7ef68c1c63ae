#pragma once

// The series import wizard: a data series made from a spreadsheet, a text
// file (plain, CSV or RTF), typed or pasted text, or a folder of pictures.
// Opened to write a series file under a name the user gives, or to hand the
// values to the series manager's value list.

#include "mainwindow/DialogFrame.h"

#include <QStringList>

#include <functional>

class PleaseWait_Modeless;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

class Import_Wizard : public FramedDialog<Import_Wizard>
{
    Q_OBJECT

public:
    explicit Import_Wizard(QWidget* parent = nullptr);

    // Resets the fields (keeping the two flags the caller set) and runs the
    // wizard modally: 1 after a finished import, 0 after Cancel.
    int Open_Wnd();

    // The three commands that open the wizard, each with its flags: the main
    // window's import command writes a series file (1, 0); the series
    // manager's import button writes one and has the manager list its series
    // again (1, 1); its import-values button sends the values to the
    // manager's value list (0, 1). Nothing happens while no wizard is made.
    static void openFromMainWindow();
    static void openForSeriesManager();
    static void openForSeriesManagerValues();
    // Opens the wizard with the two flags; its modal code, 0 when no
    // wizard is made.
    static int openWith(int fileNameRequired, int fileNameInsert);

    void Excel_RD_Pressed();
    void Text_RD_Pressed();
    void Manual_RD_Pressed();
    void Image_RD_Pressed();
    // Each Browse... panel puts the chosen path into its source's field;
    // the import waits for OK.
    void Browse_Excel_Pressed();
    void Browse_Text_Pressed();
    void Browse_Image_Pressed();
    void HelpPressed();
    void OKPressed();
    void CancelPressed();

    bool Create_And_Save_Text_Data_Sheet(const QString& path);
    bool Create_And_Save_Manual_Paste_data_Sheet();
    bool Create_And_Save_Image_data_Sheet(const QString& folder);

    // Replaces the folder panel of the picture source (tests answer with a
    // scripted folder; "" is a cancelled panel).
    using FolderPanel = std::function<QString()>;
    static void setFolderPanel(FolderPanel panel);

    QRadioButton* Excel_RD = nullptr;
    QRadioButton* Text_RD = nullptr;
    QRadioButton* Mnul_RD = nullptr;
    QRadioButton* Image_RD = nullptr;
    QLineEdit* Excel_path = nullptr;
    QPushButton* Excel_btn = nullptr;
    QLineEdit* Text_file_name = nullptr;
    QLineEdit* Text_path = nullptr;
    QPushButton* Text_btn = nullptr;
    QPlainTextEdit* ManualEdit = nullptr;
    QLineEdit* Manual_file_name = nullptr;
    QLineEdit* Image_file_name = nullptr;
    QLineEdit* Image_path = nullptr;
    QPushButton* Image_btn = nullptr;
    int import_option = 0;
    int file_name_required = 0;
    int file_name_Insert = 0;
    PleaseWait_Modeless* plz_wait_Window = nullptr;

private:
    void Enable_Disable_Excel_Option(bool enable);
    void Enable_Disable_Text_Option(bool enable);
    void Enable_Disable_Manual_Option(bool enable);
    void Enable_Disable_Image_Option(bool enable);
    void chooseSource(int option);
    // Writes the values as the series named in `nameField`, or hands them to
    // the series manager; false when nothing was written.
    bool deliver(QLineEdit* nameField, const QStringList& values);
    void Show_Create_Modeless();
    void Hide_Destroy_Modeless();
};
