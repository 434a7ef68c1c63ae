// The Send E-mail window on a main window: the form checks before sending,
// and the card on screen sent to every recipient through a scripted mail
// script, with the outcome reported only when every mail went.

#include "WindowControllerFixture.h"
#include "app/Globals.h"
#include "mainwindow/mail/Send_Mail.h"
#include "model/SKTText.h"
#include "output/Globals.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>

namespace {

class SendMailTest : public WindowControllerFixture
{
protected:
    void SetUp() override
    {
        WindowControllerFixture::SetUp();
        sender_email = QStringLiteral("me@home.org");
        sender_pwd = QStringLiteral("secret");
        sending_server = QStringLiteral("smtp.home.org");
        sending_port = QStringLiteral("587");
        send_enable_ssl = QStringLiteral("N");
        window = controller->mailWindow();
        ASSERT_NE(window, nullptr);
        ASSERT_EQ(Send_Mail::defaultInstance(), window);
        window->resetForm();
    }
    // Sends and waits for the outcome; `answers` answer the questions asked.
    bool sendAndWait(std::initializer_list<bool> answers = {})
    {
        presenter.clear();
        presenter.scriptAnswers(answers);
        window->Send_Button();
        QElapsedTimer clock;
        clock.start();
        while (window->isSending() && clock.elapsed() < 30000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return !window->isSending();
    }
    QString lastMessage() const { return presenter.texts().isEmpty() ? QString() : presenter.texts().last(); }

    // A text bound to the series `name`, written with `values` into the data folder.
    std::shared_ptr<SKTText> seriesText(const QString& name, const QByteArray& values)
    {
        QFile series(Data_Folder_Path + "/" + name + ".txt");
        EXPECT_TRUE(QDir().mkpath(Data_Folder_Path) && series.open(QIODevice::WriteOnly)
                    && series.write(values) == values.size());
        auto text = std::make_shared<SKTText>();
        text->data_source_type = 1;
        text->batch_list_name = name;
        return text;
    }

    Send_Mail* window = nullptr;
};

}

TEST_F(SendMailTest, FormChecksBeforeSending)
{
    const struct { const char* from; const char* to; const char* file; const char* message; } cases[] = {
        {"", "a@b.com", "Card", "Please make sure that:\n1.Entered E-mail Settings"},
        {"me@home.org", " ", "Card", "Please specify the Recipient E-mail address."},
        {"me@home.org", "a@b.com,", "Card", "Recipient E-mail address is invalid or incomplete."},
        {"me@home.org", "x,a@b.com", "Card", "Recipient E-mail address is invalid or incomplete."},
        {"me@home.org", "a@b.com", "../../etc/x", "Please enter valid file name."},
        {"me@home.org", "a@b.com", "**", "Please enter valid file name."},
    };
    int sent = 0;
    window->setSender([&](const MailScript::Mail&) { ++sent; return true; });
    for (const auto& c : cases) {
        window->from_txt->setText(QString::fromUtf8(c.from));
        window->to_txt->setText(QString::fromUtf8(c.to));
        window->file_name_txt->setText(QString::fromUtf8(c.file));
        ASSERT_TRUE(sendAndWait());
        EXPECT_TRUE(lastMessage().contains(QString::fromUtf8(c.message))) << c.to << " " << lastMessage().toStdString();
    }
    EXPECT_EQ(sent, 0);
}

TEST_F(SendMailTest, CurrentCardToEveryRecipient)
{
    window->to_txt->setText(QStringLiteral("A@b.com,c@d.com,e@f.com"));
    window->subject_txt->setText(QStringLiteral("Hello"));
    window->matrix_card_side->button(0)->setChecked(true);   // both sides
    window->file_name_txt->setText(QStringLiteral("/Party?"));
    QList<MailScript::Mail> mails;
    QStringList folders;
    window->setSender([&](const MailScript::Mail& mail) {
        mails << mail;
        for (const QString& path : mail.attachments) {
            EXPECT_FALSE(QImage(path).isNull()) << path.toStdString();
            folders << QFileInfo(path).absolutePath();
        }
        return mails.size() != 2;   // the second mail fails
    });
    ASSERT_TRUE(sendAndWait());
    ASSERT_EQ(mails.size(), 2);   // a failure ends the sending
    EXPECT_EQ(mails.at(0).recipient, QStringLiteral("a@b.com"));
    EXPECT_EQ(mails.at(0).subject, QStringLiteral("Hello"));
    EXPECT_EQ(mails.at(0).sender, QStringLiteral("me@home.org"));
    EXPECT_EQ(mails.at(0).password, QStringLiteral("secret"));
    ASSERT_EQ(mails.at(0).attachments.size(), 2);
    EXPECT_EQ(QFileInfo(mails.at(0).attachments.at(0)).fileName(), QStringLiteral("Party_Back.jpeg"));
    EXPECT_EQ(QFileInfo(mails.at(0).attachments.at(1)).fileName(), QStringLiteral("Party.jpeg"));
    EXPECT_TRUE(lastMessage().contains(QStringLiteral("Could not send email message.")));
    for (const QString& folder : folders)
        EXPECT_FALSE(QFileInfo::exists(folder)) << "the private folder is removed";

    window->setSender([&](const MailScript::Mail& mail) { mails << mail; return true; });
    mails.clear();
    ASSERT_TRUE(sendAndWait());
    EXPECT_EQ(mails.size(), 3);
    EXPECT_EQ(mails.at(2).recipient, QStringLiteral("e@f.com"));
    EXPECT_TRUE(lastMessage().contains(QStringLiteral("E-mail has been sent successfully.")));
}

TEST_F(SendMailTest, SettingsButtonShowsTheSenderTheDialogLeft)
{
    controller->setHandOff(WindowHandOffs::HandOff::MailSettings,
                           [] { sender_email = QStringLiteral("new@home.org"); });
    window->from_txt->setText(QStringLiteral("typed@x.org"));
    window->Setting_Button();
    EXPECT_EQ(window->from_txt->text(), QStringLiteral("new@home.org"));
}

// A failed mail keeps the advice and adds the reason the mail script gave
// and, for several mails, how many had gone out before it.
TEST_F(SendMailTest, FailureTellsWhyAndHowManyMailsWent)
{
    const QString advice = QStringLiteral(
        "\nCould not send email message.\nPlease make sure that:\n1. Entered E-mail settings are correct.\n2. "
        "Internet connectivity to E-mail server is not interrupted and E-mail server is not down.\n3. Your Firewall "
        "or Security software (if any) is not blocking the software to communicate with your E-mail server.\n\n");
    const struct { int recipients; int failAt; const char* reason; const char* details; } cases[] = {
        {1, 1, "certificate verify failed: unable to get local issuer certificate",
         "Reason: certificate verify failed: unable to get local issuer certificate"},
        {3, 1, "authentication failed: the server answered 535",
         "Reason: authentication failed: the server answered 535\n0 of 3 mails were sent before the failure."},
        {2, 1, "connection refused by 127.0.0.1 port 25",
         "Reason: connection refused by 127.0.0.1 port 25\n0 of 2 mails were sent before the failure."},
        {4, 3, "mail refused: 550", "Reason: mail refused: 550\n2 of 4 mails were sent before the failure."},
    };
    window->Without_barcode_rd_select();
    for (const auto& c : cases) {
        QStringList to;
        for (int i = 1; i <= c.recipients; ++i)
            to << QStringLiteral("guest%1@example.net").arg(i);
        window->to_txt->setText(to.join(QLatin1Char(',')));
        int mails = 0;
        window->setSender([&](const MailScript::Mail&) {
            ++mails;
            return MailBatch::Delivery(mails != c.failAt, QString::fromUtf8(c.reason));
        });
        ASSERT_TRUE(sendAndWait());
        EXPECT_EQ(mails, c.failAt);
        EXPECT_EQ(lastMessage(), advice + QString::fromUtf8(c.details));
    }
}

// Stop asked for as the second of five mails goes out: the send says how many went.
TEST_F(SendMailTest, StoppedSendSaysHowManyMailsWent)
{
    window->Without_barcode_rd_select();
    window->to_txt->setText("a@example.net,b@example.net,c@example.net,d@example.net,e@example.net");
    int mails = 0;
    window->setSender([&](const MailScript::Mail&) {
        if (++mails == 2)
            Stop_SMS_Sending_Now = true;
        return MailBatch::Delivery(true);
    });
    ASSERT_TRUE(sendAndWait());
    EXPECT_EQ(mails, 2);
    EXPECT_EQ(presenter.texts(), QStringList("\nSending was stopped: 2 of 5 mails were sent."));
    Stop_SMS_Sending_Now = false;
}

// One card per recipient, three guests in the series and two addresses: the
// user is asked before anything goes out. No sends nothing; Yes sends card N
// to address N and ends with the closing report.
TEST_F(SendMailTest, OnePerRecipientAsksWhenCardsAndAddressesDiffer)
{
    const auto name = seriesText("MailGuests", "Ada\nBob\nCy\n");
    document->insertGraphicsForKey(SKTDocumentGraphicsKey, {name}, IndexSet(0));
    controller->Check_Series_Or_Excel_Use_or_not();
    window->resetForm();
    window->send_barcode_rd_select();
    window->send_with_batch_chk->click();
    window->rd_one_per_recp->click();
    window->to_txt->setText(QStringLiteral("a@b.com,c@d.com"));
    const QString question = "3 cards, 2 addresses: card N goes to address N, and 1 card will not be sent. Send?";
    for (const bool yes : {false, true}) {
        QStringList sentTo;
        window->setSender([&](const MailScript::Mail& mail) {
            sentTo << mail.recipient;
            return mail.attachments.size() == 1;
        });
        ASSERT_TRUE(sendAndWait({yes}));
        EXPECT_EQ(sentTo, yes ? QStringList({"a@b.com", "c@d.com"}) : QStringList());
        EXPECT_EQ(presenter.texts().value(0), question);
        EXPECT_EQ(lastMessage(), yes ? "\nE-mail has been sent successfully." : question);
    }
}

// Seven guests in a series beside a table of five rows: the run asks first,
// No sends nothing; with the series box unticked five cards go unasked.
TEST_F(SendMailTest, BatchWithFewerRowsThanSeriesValuesAsksFirst)
{
    const auto name = seriesText("MailSeven", "1\n2\n3\n4\n5\n6\n7\n");
    auto seat = std::make_shared<SKTText>();
    seat->data_source_type = 2;
    seat->excel_col_indx = 1;
    document->insertGraphicsForKey(SKTDocumentGraphicsKey, {name, seat}, IndexSet::range(0, 2));
    controller->Excel_Column_Titles = {"No.", "Seat"};
    for (int r = 1; r <= 5; ++r)
        controller->ListData.append({{"Extension", QString::number(r)}, {"Column1", QString("Seat %1").arg(r)}});
    controller->Check_Series_Or_Excel_Use_or_not();
    window->resetForm();
    window->send_barcode_rd_select();
    window->send_with_batch_chk->click();
    window->send_with_excel_chk->click();
    window->to_txt->setText(QStringLiteral("a@b.com"));
    int mails = 0;
    window->setSender([&](const MailScript::Mail&) { return ++mails > 0; });
    ASSERT_TRUE(sendAndWait({false}));
    EXPECT_EQ(mails, 0);
    EXPECT_EQ(
        presenter.texts(),
        QStringList({"7 cards, 5 values in the column \"Seat\": cards 6 to 7 will show no value from it. Send?"}));

    window->send_with_batch_chk->click();
    ASSERT_TRUE(sendAndWait());
    EXPECT_EQ(mails, 5);
    EXPECT_EQ(presenter.texts(), QStringList({"\nE-mail has been sent successfully."}));
}

// Send E-mail, the first window opened on a design, offers one card per
// record of the series and column it draws from, and still does after a
// mail of the card on screen; a new design draws from nothing.
TEST_F(SendMailTest, FreshlyOpenedBoundDesignOffersOneCardPerRecord)
{
    const auto offer = [&] {
        return std::pair(window->send_with_batch_chk->isEnabled(), window->send_with_excel_chk->isEnabled());
    };
    std::pair<bool, bool> onOpening;
    Send_Mail::setModalRun([&](Send_Mail&) { return onOpening = offer(), 0; });
    controller->Mail_Button();
    EXPECT_EQ(onOpening, std::pair(false, false));

    std::shared_ptr<SKTText> guest = seriesText("OpenedGuests", "Ada\nBob\n");
    auto seat = std::make_shared<SKTText>();
    seat->data_source_type = 2;
    seat->excel_col_indx = 1;
    controller->Excel_Column_Titles = {"No.", "Seat"};
    controller->ListData = {{{"Extension", "1"}, {"Column1", "A1"}}};
    document->insertGraphicsForKey(SKTDocumentGraphicsKey, {guest, seat}, IndexSet::range(0, 2));
    QTemporaryDir dir;
    SavePanel::setHandler([&](const QString&, const QString&) { return dir.filePath("guests.fcard"); });
    ASSERT_TRUE(controller->Save_project_file(true, false));
    controller->New_Project_Setting_Reset();
    controller->Check_Series_Or_Excel_Use_or_not(); // the empty design draws from nothing
    ASSERT_TRUE(controller->Read_and_load_design_Log(dir.filePath("guests.fcard"), "L"));
    controller->Mail_Button();
    Send_Mail::setModalRun({});
    EXPECT_EQ(onOpening, std::pair(true, true));

    window->to_txt->setText("a@b.com");
    window->setSender([](const MailScript::Mail&) { return true; });
    ASSERT_TRUE(sendAndWait());
    EXPECT_EQ(lastMessage(), "\nE-mail has been sent successfully.");
    window->rd_without_barcode->click();
    window->rd_mail_curr_barcode->click();
    EXPECT_EQ(offer(), std::pair(true, true));
}
