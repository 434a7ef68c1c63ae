// The mail settings dialog: saving stores the fields as typed (or reports a
// failed write and stays open), reset asks first and then deletes the
// stored settings, and a test mail that cannot go shows the advice text.
#include "common/ObjectTestSupport.h"
#include "mainwindow/mail/Email_Setting.h"
#include "output/Preferences.h"
#include "platform/ScriptedMessagePresenter.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

class Email_SettingTest : public ::testing::Test
{
protected:
    void SetUp() override { MessagePresenter::install(&presenter); }
    void TearDown() override { MessagePresenter::install(nullptr); }

    void fill(const QString& port = "587")
    {
        dialog._send_mail_sender_mail->setText(" Me@Example.ORG");
        dialog._send_mail_password->setText("p&<w>");
        dialog._send_mail_smtp->setText("127.0.0.1");
        dialog._send_mail_port->setText(port);
        dialog._send_mail_to->setText("You@Example.net");
    }

    ObjectTestSupport::ScopedResourceFolder resources;
    ScriptedMessagePresenter presenter;
    int detailsRead = 0;
    Email_Setting dialog {nullptr, "Brightfold", [this] { ++detailsRead; }};
};

TEST_F(Email_SettingTest, SaveStoresTheFieldsAsTypedAndPrivately)
{
    dialog.loadPreferences();
    EXPECT_TRUE(dialog._send_mail_tls->isChecked());
    dialog._send_mail_sender_mail->setText("nobody");
    dialog.Save_Button();
    EXPECT_EQ(presenter.texts(), QStringList {"\nPlease enter valid sender E-mail address."});
    EXPECT_EQ(Preferences(Preferences::settingsFilePath(resources.path())).send_email_SenderEmail(), "");

    fill();
    dialog._send_mail_to->clear();  // saving needs no recipient
    dialog.SSL_Selected();
    dialog.Save_Button();
    EXPECT_EQ(dialog.result(), 1);
    const QString file = Preferences::settingsFilePath(resources.path());
    Preferences stored(file);
    EXPECT_EQ(stored.send_email_SenderEmail(), " Me@Example.ORG");
    EXPECT_EQ(stored.send_email_Password(), "p&<w>");
    EXPECT_EQ(stored.send_email_enable_ssl(), "Y");
    EXPECT_EQ(stored.send_email_Recipient(), "");
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(file).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    // the next opening shows what was stored
    fill("1");
    dialog.TLS_Selected();
    dialog.loadPreferences();
    EXPECT_EQ(dialog._send_mail_port->text(), "587");
    EXPECT_TRUE(dialog._send_mail_ssl->isChecked());
}

TEST_F(Email_SettingTest, ResetAsksThenDeletesTheSettings)
{
    fill();
    dialog.SSL_Selected();
    ASSERT_TRUE(dialog.flushPreferences());
    const QString file = Preferences::settingsFilePath(resources.path());

    presenter.scriptAnswers({false});
    dialog.Reset_Button();
    EXPECT_EQ(dialog._send_mail_smtp->text(), "127.0.0.1");
    EXPECT_EQ(detailsRead, 0);
    EXPECT_EQ(Preferences(file).send_email_SMTP_server(), "127.0.0.1");

    dialog._send_mail_test_mail->setPlainText("note");
    presenter.scriptAnswers({true});
    dialog.Reset_Button();
    EXPECT_EQ(presenter.boxes().last().text, "Are you sure you want to reset current email settings?");
    EXPECT_TRUE(dialog._send_mail_smtp->text().isEmpty());
    EXPECT_TRUE(dialog._send_mail_test_mail->toPlainText().isEmpty());
    EXPECT_TRUE(dialog._send_mail_tls->isChecked());
    EXPECT_EQ(detailsRead, 1);
    EXPECT_EQ(Preferences(file).send_email_SMTP_server(), "");
    EXPECT_EQ(Preferences(file).send_email_enable_ssl(), std::nullopt);
}

// Through the shipped script to a port nobody listens on: the advice text
// with the reason the script gave, and the test mail did not need the
// settings to be saved.
TEST_F(Email_SettingTest, TestMailThatCannotGoShowsTheAdvice)
{
    fill("1");
    dialog.Send_Test_Email();
    const QString failure =
        "Please make sure that:\n1. Entered E-mail settings are correct.\n2. Internet connectivity to E-mail "
        "server is not interrupted and E-mail server is not down.\n3. Your Firewall or Security software (if any) "
        "is not blocking the software to communicate with your E-mail server.\n\nCould not send email.\n"
        "Reason: connection refused by 127.0.0.1 port 1";
    EXPECT_EQ(dialog._send_mail_result_status->text(), failure);
    EXPECT_EQ(presenter.texts(), QStringList {"\n" + failure});
}

}
