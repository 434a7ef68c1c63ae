#include "mainwindow/mail/Email_Setting.h"

#include "app/Globals.h"
#include "app/MessageBoxes.h"
#include "output/MailPlan.h"
#include "output/MailScript.h"
#include "output/Preferences.h"
#include "platform/AtomicFile.h"

#include <QButtonGroup>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const char* const kSettingsAdvice =
    "Please make sure that:\n1. Entered E-mail settings are correct.\n2. Internet connectivity to E-mail server "
    "is not interrupted and E-mail server is not down.\n3. Your Firewall or Security software (if any) is not "
    "blocking the software to communicate with your E-mail server.";

}

Email_Setting::Email_Setting(QWidget* parent, QString appName, std::function<void()> getEmailDetails)
    : FramedDialog(parent, QString(), tr("E-mail Settings"))
    , m_appName(std::move(appName))
    , m_getEmailDetails(std::move(getEmailDetails))
{

    _send_mail_sender_mail = new QLineEdit(this);
    _send_mail_password = new QLineEdit(this);
    _send_mail_password->setEchoMode(QLineEdit::Password);
    _send_mail_smtp = new QLineEdit(this);
    _send_mail_port = new QLineEdit(this);
    _send_mail_to = new QLineEdit(this);
    _send_mail_test_mail = new QPlainTextEdit(this);
    _send_mail_test_mail->setMaximumHeight(60);
    _send_mail_result_status = new QLabel(this);
    _send_mail_result_status->setWordWrap(true);
    _send_mail_ssl = new QRadioButton(tr("SSL"), this);
    _send_mail_tls = new QRadioButton(tr("TLS"), this);
    auto* security = new QButtonGroup(this);
    security->addButton(_send_mail_ssl);
    security->addButton(_send_mail_tls);
    _send_mail_tls->setChecked(true);

    auto* form = new QFormLayout;
    form->addRow(tr("Sender E-mail:"), _send_mail_sender_mail);
    form->addRow(tr("Password:"), _send_mail_password);
    form->addRow(tr("SMTP server:"), _send_mail_smtp);
    form->addRow(tr("Port:"), _send_mail_port);
    auto* securityRow = new QHBoxLayout;
    securityRow->addWidget(_send_mail_ssl);
    securityRow->addWidget(_send_mail_tls);
    securityRow->addStretch();
    form->addRow(tr("Security:"), securityRow);
    form->addRow(tr("Test recipient:"), _send_mail_to);

    auto* testButton = new QPushButton(tr("Send Test Mail"), this);
    auto* resetButton = new QPushButton(tr("Reset"), this);
    auto* saveButton = new QPushButton(tr("Save"), this);
    auto* closeButton = new QPushButton(tr("Close"), this);
    saveButton->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(testButton);
    buttons->addWidget(resetButton);
    buttons->addStretch();
    buttons->addWidget(saveButton);
    buttons->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(_send_mail_test_mail);
    layout->addWidget(_send_mail_result_status);
    layout->addLayout(buttons);

    connect(testButton, &QPushButton::clicked, this, &Email_Setting::Send_Test_Email);
    connect(resetButton, &QPushButton::clicked, this, &Email_Setting::Reset_Button);
    connect(saveButton, &QPushButton::clicked, this, &Email_Setting::Save_Button);
    connect(closeButton, &QPushButton::clicked, this, &Email_Setting::Close_Button);
    connect(_send_mail_ssl, &QRadioButton::clicked, this, &Email_Setting::SSL_Selected);
    connect(_send_mail_tls, &QRadioButton::clicked, this, &Email_Setting::TLS_Selected);
}

int Email_Setting::Open_Wnd()
{
    loadPreferences();
    return runModal();
}

void Email_Setting::loadPreferences()
{
    const std::unique_ptr<Preferences> prefs = Preferences::sharedInstance();
    _send_mail_to->setText(prefs->send_email_Recipient().value_or(QString()));
    _send_mail_sender_mail->setText(prefs->send_email_SenderEmail().value_or(QString()));
    _send_mail_smtp->setText(prefs->send_email_SMTP_server().value_or(QString()));
    _send_mail_port->setText(prefs->send_email_PORT_num().value_or(QString()));
    _send_mail_password->setText(prefs->send_email_Password().value_or(QString()));
    if (prefs->send_email_enable_ssl().value_or(QString()) == QLatin1String("Y"))
        SSL_Selected();
    else
        TLS_Selected();
}

bool Email_Setting::flushPreferences(QString* error)
{
    const std::unique_ptr<Preferences> prefs = Preferences::sharedInstance();
    const MailSettingsForm f = form();
    prefs->setsend_email_Recipient(f.recipient);
    prefs->setsend_email_SenderEmail(f.sender);
    prefs->setsend_email_SMTP_server(f.server);
    prefs->setsend_email_PORT_num(f.port);
    prefs->setsend_email_Password(f.password);
    prefs->setsend_email_enable_ssl(f.securityFlag());
    QString reason;
    if (prefs->flush(&reason))
        return true;
    if (error)
        *error = AtomicFile::failureDetails(reason, prefs->path());
    return false;
}

MailSettingsForm Email_Setting::form() const
{
    MailSettingsForm f;
    f.recipient = _send_mail_to->text();
    f.sender = _send_mail_sender_mail->text();
    f.password = _send_mail_password->text();
    f.server = _send_mail_smtp->text();
    f.port = _send_mail_port->text();
    f.ssl = _send_mail_ssl->isChecked() && !_send_mail_tls->isChecked();
    return f;
}

QLineEdit* Email_Setting::fieldOf(MailSettingsForm::Field field) const
{
    switch (field) {
    case MailSettingsForm::Field::Sender: return _send_mail_sender_mail;
    case MailSettingsForm::Field::Password: return _send_mail_password;
    case MailSettingsForm::Field::Server: return _send_mail_smtp;
    case MailSettingsForm::Field::Port: return _send_mail_port;
    case MailSettingsForm::Field::Recipient: return _send_mail_to;
    case MailSettingsForm::Field::None: break;
    }
    return nullptr;
}

bool Email_Setting::Check_Validation(bool withRecipient)
{
    const MailSettingsForm::Problem problem = form().Check_Validation(withRecipient);
    if (problem.field == MailSettingsForm::Field::None)
        return true;
    Show_MessageBox(problem.message);
    if (QLineEdit* field = fieldOf(problem.field))
        field->setFocus();
    return false;
}

void Email_Setting::Save_Button()
{
    if (!Check_Validation(false))
        return;
    // The file holds the account; a failed write must not pass for saved.
    QString details;
    if (!flushPreferences(&details)) {
        Show_MessageBox(QStringLiteral("Unable to save e-mail settings.\n") + details);
        return;
    }
    done(1);
}

void Email_Setting::Close_Button()
{
    done(0);
}

void Email_Setting::Reset_Button()
{
    if (Show_YES_NO_MessageBox(QStringLiteral("Are you sure you want to reset current email settings?")) != 1)
        return;
    // the stored settings go; a folder put in their place is left alone
    QFile::remove(Preferences::settingsFilePath(Resource_Path));
    _send_mail_to->clear();
    _send_mail_sender_mail->clear();
    _send_mail_smtp->clear();
    _send_mail_port->clear();
    _send_mail_password->clear();
    _send_mail_test_mail->clear();
    TLS_Selected();
    if (m_getEmailDetails)
        m_getEmailDetails();
}

void Email_Setting::Send_Test_Email()
{
    if (!Check_Validation(true))
        return;
    const MailSettingsForm f = form();
    MailScript::Mail mail;
    mail.recipient = f.recipient.toLower();
    mail.sender = f.sender.toLower();
    mail.password = f.password;
    mail.server = f.server;
    mail.port = f.port;
    mail.enableSsl = f.securityFlag();
    mail.subject = m_appName + QStringLiteral(" Test Mail");
    mail.body = QStringLiteral("This is test mail sent by ") + m_appName + QStringLiteral(".");
    _send_mail_result_status->setText(QStringLiteral("It may take a while, Please wait..."));

    // The please-wait sheet; the script runs while events are processed, so
    // the windows stay drawn, and it is bounded by its time limit.
    QProgressDialog wait(QStringLiteral("Please wait..."), QString(), 0, 0, this);
    wait.setWindowModality(Qt::WindowModal);
    wait.setCancelButton(nullptr);
    wait.setMinimumDuration(0);
    wait.show();
    const MailScript::Result result = MailScript().send(mail);
    wait.hide();

    QString text = result.sent ? QStringLiteral("E-mail has been sent successfully.")
                               : QString::fromLatin1(kSettingsAdvice) + QStringLiteral("\n\nCould not send email.");
    if (!result.sent && !result.reason.isEmpty())
        text += QStringLiteral("\n") + MailPlan::failureDetails(result.reason, 0, 1, true);
    _send_mail_result_status->setText(text);
    adjustSize();   // the whole wrapped status text, not its first lines
    Show_MessageBox(text);
}

void Email_Setting::SSL_Selected()
{
    _send_mail_ssl->setChecked(true);
    _send_mail_tls->setChecked(false);
}

void Email_Setting::TLS_Selected()
{
    _send_mail_tls->setChecked(true);
    _send_mail_ssl->setChecked(false);
}
