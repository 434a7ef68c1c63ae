#pragma once

// The template picker: the built-in or the user's templates in a picture
// browser, a card-size choice, and copy, rename and delete for the user's
// templates. OK leaves the chosen template's design file path in
// `Selected_Template_Path`.

#include "mainwindow/DialogFrame.h"

class CardSizeChooser;
class PictureBrowser;
class QComboBox;
class QPushButton;
class QSlider;
class WizardHost;

class Template_Wizard : public FramedDialog<Template_Wizard>
{
    Q_OBJECT

public:
    explicit Template_Wizard(WizardHost* controller, QWidget* parent = nullptr);
    ~Template_Wizard() override;

    // Starts on the built-in templates with the first size preset and runs
    // modally: 1 after OK, 0 after Cancel or a failure.
    int Open_Template_Window();

    // OK: a chosen picture that exists gives its design file's path (the
    // design file itself is not looked at) and ends with 1; otherwise
    // "Please select template.". Cancel empties the choice, ends with 0.
    void OK_Click();
    void CancelClick();

    // The browser shows the pictures of the built-in or the user's folder;
    // the first is chosen.
    void Fill_Templates();
    void Fill_Templates_User_Defined();
    // Kind 0 built-in (no editing buttons), any other the user's.
    void Show_Hide_Template_Buttons(int kind);
    void comboBoxSelectionDidChange(QComboBox* comboBox);
    void imageBrowserSelectionDidChange();
    void zoomSliderDidChange();

    void Delete_Template_Click();
    void Copy_Templatee_Click();
    void Rename_Template_Click();
    // Opens the profile dialog's wizard form (the button is enabled while
    // the main window has one).
    void User_Profile_Click();

    void addImageWithPath(const QString& path, const QString& imageName, const QString& image_UID);

    QComboBox* template_kind = nullptr;
    PictureBrowser* imageBrowser = nullptr;
    QSlider* zoom_slider = nullptr;
    CardSizeChooser* sizes = nullptr;
    QPushButton* delete_btn = nullptr;
    QPushButton* copy_btn = nullptr;
    QPushButton* rename_btn = nullptr;
    QPushButton* profile_btn = nullptr;
    QPushButton* ok_btn = nullptr;
    QPushButton* cancel_btn = nullptr;

    static inline const QString selectMessage = QStringLiteral("Please select template.");
    static inline const QString deleteQuestion = QStringLiteral("Do you want to delete this template?");
    static inline const QString copyQuestion = QStringLiteral("Do you want to make copy of this template?");
    static inline const QString copyFailedMessage = QStringLiteral("The template could not be copied.");
    static inline const QString renameFailedMessage =
        QStringLiteral("The template could not be renamed; it keeps its name.");

protected:
    void reject() override;

private:
    void fillFrom(const QString& folder, bool user);
    // The chosen user template's picture, or "" after "Please select template.".
    QString chosenUserTemplate();
    void setBrowserZoom(double zoom);

    WizardHost* m_controller = nullptr;
};
