#pragma once

// The mail settings dialog: the account used to send mail (sender, password,
// server, port, implicit TLS or STARTTLS) and a recipient for a test mail.
// Save stores the fields as typed; Reset deletes the stored settings; Test
// sends one mail with the values on screen through the mail script.

#include "mainwindow/DialogFrame.h"
#include "output/MailSettingsForm.h"

#include <functional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

class Email_Setting : public FramedDialog<Email_Setting>
{
    Q_OBJECT

public:
    // `appName` names the test mail; `getEmailDetails` copies the stored
    // settings into the program's mail strings (after a reset).
    Email_Setting(QWidget* parent, QString appName, std::function<void()> getEmailDetails);
    // The instance made last is the default instance.

    // Fills the dialog from the stored settings and runs it modally;
    // 1 after a save, 0 after Close.
    int Open_Wnd();

    void loadPreferences();
    // Stores the fields; false when the settings file could not be written,
    // with the lines that tell why in `error`.
    bool flushPreferences(QString* error = nullptr);
    bool Check_Validation(bool withRecipient);
    static bool isValidEmail(const QString& text) { return MailSettingsForm::isValidEmail(text); }

    void Save_Button();
    void Close_Button();
    void Reset_Button();
    void Send_Test_Email();
    void SSL_Selected();
    void TLS_Selected();

    // The values on screen.
    MailSettingsForm form() const;

    QLineEdit* _send_mail_to = nullptr;
    QLineEdit* _send_mail_sender_mail = nullptr;
    QLineEdit* _send_mail_smtp = nullptr;
    QLineEdit* _send_mail_port = nullptr;
    QLineEdit* _send_mail_password = nullptr;
    QPlainTextEdit* _send_mail_test_mail = nullptr;
    QLabel* _send_mail_result_status = nullptr;
    QRadioButton* _send_mail_ssl = nullptr;
    QRadioButton* _send_mail_tls = nullptr;

private:
    QLineEdit* fieldOf(MailSettingsForm::Field field) const;

    QString m_appName;
    std::function<void()> m_getEmailDetails;
};
