#include "mainwindow/mail/Send_Mail.h"

#include "app/BatchDialogs.h"
#include "app/MessageBoxes.h"
#include "app/StringHelpers.h"
#include "data/Globals.h"
#include "mainwindow/ControlsScrollArea.h"
#include "model/Globals.h"
#include "output/BatchOutcome.h"
#include "output/Globals.h"
#include "output/MailAttachments.h"
#include "output/MailBatch.h"
#include "output/MailPlan.h"
#include "platform/OpenPanel.h"
#include "platform/ThreadHandOff.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QThread>
#include <QVBoxLayout>

namespace {

const QString settingsAdvice = QStringLiteral(
    "Please make sure that:\n1.Entered E-mail Settings are correct.\n2.Internet Connectivity to E-mail server is "
    "not interrupted and E-mail server is not down.\n3.Your firewall or security software(if any) is not blocking "
    "the software to communicate with your E-mail server.");
const QString sentText = QStringLiteral("E-mail has been sent successfully.");
const QString notSentText = QStringLiteral(
    "Could not send email message.\nPlease make sure that:\n1. Entered E-mail settings are correct.\n2. Internet "
    "connectivity to E-mail server is not interrupted and E-mail server is not down.\n3. Your Firewall or Security "
    "software (if any) is not blocking the software to communicate with your E-mail server.");

QSpinBox* stepper(int maximum)
{
    auto* box = new QSpinBox;
    box->setRange(0, maximum);
    return box;
}

}

Send_Mail::Send_Mail(Cards cards, QWidget* parent)
    : FramedDialog(parent, QString(), tr("Send E-mail"), Modality::None), m_cards(std::move(cards))
{
    m_sender = [](const MailScript::Mail& mail) {
        const MailScript::Result result = MailScript().send(mail);
        return MailBatch::Delivery(result.sent, result.reason);
    };

    from_txt = new QLineEdit;
    to_txt = new QLineEdit;
    subject_txt = new QLineEdit;
    message_txt = new QPlainTextEdit;
    auto* form = new QFormLayout;
    form->addRow(tr("From:"), from_txt);
    form->addRow(tr("To:"), to_txt);
    form->addRow(tr("Subject:"), subject_txt);
    form->addRow(tr("Message:"), message_txt);

    rd_without_barcode = new QRadioButton(tr("Send without card"));
    rd_mail_curr_barcode = new QRadioButton(tr("Send with card"));
    auto* cardMode = new QButtonGroup(this);
    cardMode->addButton(rd_without_barcode);
    cardMode->addButton(rd_mail_curr_barcode);

    send_sett_box = new QGroupBox(tr("Card"));
    matrix_card_side = new QButtonGroup(this);
    auto* sides = new QHBoxLayout;
    const QString sideTitles[] = {tr("Both"), tr("Front"), tr("Back")};
    for (int row = 0; row < 3; ++row) {
        auto* button = new QRadioButton(sideTitles[row]);
        matrix_card_side->addButton(button, row);
        sides->addWidget(button);
    }
    file_name_txt = new QLineEdit;
    send_with_batch_chk = new QCheckBox(tr("One card per record of the series"));
    send_with_excel_chk = new QCheckBox(tr("One card per record of the spreadsheet"));
    rd_all_to_every = new QRadioButton(tr("Each card to every recipient"));
    rd_one_per_recp = new QRadioButton(tr("One card per recipient"));
    auto* recipientMode = new QButtonGroup(this);
    recipientMode->addButton(rd_all_to_every);
    recipientMode->addButton(rd_one_per_recp);
    auto* cardLayout = new QFormLayout(send_sett_box);
    cardLayout->addRow(tr("Side:"), sides);
    cardLayout->addRow(tr("File name:"), file_name_txt);
    cardLayout->addRow(send_with_batch_chk);
    cardLayout->addRow(send_with_excel_chk);
    cardLayout->addRow(rd_all_to_every);
    cardLayout->addRow(rd_one_per_recp);

    attachment = new QLineEdit;
    browse_att = new QPushButton(tr("Browse..."));
    clear_att = new QPushButton(tr("Clear"));
    auto* attach = new QHBoxLayout;
    attach->addWidget(new QLabel(tr("Attachment:")));
    attach->addWidget(attachment, 1);
    attach->addWidget(browse_att);
    attach->addWidget(clear_att);

    delayed_delv_chk = new QCheckBox(tr("Pause after every"));
    delayed_box = new QGroupBox;
    mail_count_stepper = stepper(100000);
    hour_stepper = stepper(999);
    min_stepper = stepper(59);
    sec_stepper = stepper(59);
    auto* pause = new QHBoxLayout(delayed_box);
    pause->addWidget(mail_count_stepper);
    pause->addWidget(new QLabel(tr("mails for")));
    pause->addWidget(hour_stepper);
    pause->addWidget(new QLabel(tr("h")));
    pause->addWidget(min_stepper);
    pause->addWidget(new QLabel(tr("min")));
    pause->addWidget(sec_stepper);
    pause->addWidget(new QLabel(tr("s")));

    auto* send = new QPushButton(tr("Send"));
    auto* close = new QPushButton(tr("Close"));
    auto* settings = new QPushButton(tr("Settings..."));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(settings);
    buttons->addStretch(1);
    buttons->addWidget(close);
    buttons->addWidget(send);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(rd_without_barcode);
    layout->addLayout(attach);
    layout->addWidget(rd_mail_curr_barcode);
    layout->addWidget(send_sett_box);
    layout->addWidget(delayed_delv_chk);
    layout->addWidget(delayed_box);
    layout->addLayout(buttons);
    // on a screen lower than the window the choices scroll, the buttons stay
    ControlsScrollArea::wrapItems(*layout, 0, layout->count() - 1);

    connect(rd_without_barcode, &QRadioButton::clicked, this, &Send_Mail::Without_barcode_rd_select);
    connect(rd_mail_curr_barcode, &QRadioButton::clicked, this, &Send_Mail::send_barcode_rd_select);
    connect(send_with_batch_chk, &QCheckBox::clicked, this, &Send_Mail::send_with_batch_chk_select);
    connect(send_with_excel_chk, &QCheckBox::clicked, this, &Send_Mail::send_with_excel_chk_select);
    connect(delayed_delv_chk, &QCheckBox::clicked, this, &Send_Mail::delayed_delv_chk_select);
    connect(browse_att, &QPushButton::clicked, this, &Send_Mail::browse_att_Button);
    connect(clear_att, &QPushButton::clicked, attachment, &QLineEdit::clear);
    connect(settings, &QPushButton::clicked, this, &Send_Mail::Setting_Button);
    connect(send, &QPushButton::clicked, this, &Send_Mail::Send_Button);
    connect(close, &QPushButton::clicked, this, [this] { done(0); });

    delayed_box->setEnabled(false);
}

Send_Mail::~Send_Mail()
{
    stopSending();
}

void Send_Mail::stopSending()
{
    if (!m_worker)
        return;
    disconnect(m_worker, nullptr, this, nullptr);
    setStopSmsSendingNow(true);
    m_worker->wait();
    delete m_worker;
    m_worker = nullptr;
    BatchDialogs::hideProgressSheet();
}

void Send_Mail::resetForm()
{
    // the design's use of series and spreadsheet, decided as Print and
    // Export decide it
    if (m_cards.chooseBatch)
        m_cards.chooseBatch();
    m_seriesInUse = Use_Data_Sheet_Values;
    m_spreadsheetInUse = Use_Excel_Binding_Values;
    matrix_card_side->button(1)->setChecked(true);
    from_txt->setText(sender_email);
    to_txt->clear();
    rd_all_to_every->setEnabled(false);
    rd_one_per_recp->setEnabled(false);
    rd_mail_curr_barcode->setChecked(true);
    send_sett_box->setEnabled(true);
    file_name_txt->setText(QStringLiteral("VESKCard"));
    send_with_batch_chk->setEnabled(m_seriesInUse);
    send_with_excel_chk->setEnabled(m_spreadsheetInUse);
    send_with_batch_chk->setChecked(false);
    send_with_excel_chk->setChecked(false);
    rd_all_to_every->setChecked(true);
    subject_txt->clear();
    message_txt->clear();
    attachment->clear();
    browse_att->setEnabled(false);
    clear_att->setEnabled(false);
    delayed_delv_chk->setChecked(false);
    delayed_box->setEnabled(false);
    mail_count_stepper->setValue(1);
    hour_stepper->setValue(0);
    min_stepper->setValue(0);
    sec_stepper->setValue(0);
}

void Send_Mail::Open_Wnd()
{
    resetForm();
    runModal();
}

void Send_Mail::Without_barcode_rd_select()
{
    rd_without_barcode->setChecked(true);
    send_sett_box->setEnabled(false);
    browse_att->setEnabled(true);
    clear_att->setEnabled(true);
}

void Send_Mail::send_barcode_rd_select()
{
    rd_mail_curr_barcode->setChecked(true);
    send_sett_box->setEnabled(true);
    send_with_batch_chk->setEnabled(m_seriesInUse);
    send_with_excel_chk->setEnabled(m_spreadsheetInUse);
    if (!m_seriesInUse)
        send_with_batch_chk->setChecked(false);
    if (!m_spreadsheetInUse)
        send_with_excel_chk->setChecked(false);
    send_with_batch_chk_select();
    browse_att->setEnabled(false);
    clear_att->setEnabled(false);
}

void Send_Mail::send_with_batch_chk_select()
{
    // either data box ticked enables the recipient modes; both off disable them
    send_with_excel_chk_select();
}

void Send_Mail::send_with_excel_chk_select()
{
    const bool data = send_with_batch_chk->isChecked() || send_with_excel_chk->isChecked();
    rd_all_to_every->setEnabled(data);
    rd_one_per_recp->setEnabled(data);
}

void Send_Mail::delayed_delv_chk_select()
{
    delayed_box->setEnabled(delayed_delv_chk->isChecked());
}

void Send_Mail::browse_att_Button()
{
    const QString path = OpenPanel::chooseFile(this, tr("Attachment"), {}, tr("Files"));
    if (!path.isEmpty())
        attachment->setText(path);
}

void Send_Mail::Setting_Button()
{
    if (m_cards.settings)
        m_cards.settings();
    from_txt->setText(sender_email);
}

QString Send_Mail::cardSide() const
{
    switch (matrix_card_side->checkedId()) {
    case 0: return QStringLiteral("BOTH");
    case 1: return QStringLiteral("F");
    default: return QStringLiteral("B");
    }
}

void Send_Mail::Send_Button()
{
    if (m_worker)
        return;
    setStopSmsSendingNow(false);

    // Everything the worker needs is read here, on the GUI thread.
    const QString sender = Trim_Str(from_txt->text()).toLower();
    if (sender.isEmpty() || sending_server.trimmed().isEmpty() || sending_port.trimmed().isEmpty()
        || sender_pwd.isEmpty()) {
        Show_MessageBox(settingsAdvice);
        return;
    }
    if (Trim_Str(to_txt->text()).isEmpty()) {
        Show_MessageBox(QStringLiteral("Please specify the Recipient E-mail address."));
        return;
    }
    const std::optional<QStringList> recipients = MailPlan::recipients(to_txt->text());
    if (!recipients) {
        Show_MessageBox(QStringLiteral("Recipient E-mail address is invalid or incomplete."));
        return;
    }
    const bool withCard = rd_mail_curr_barcode->isChecked();
    QString base = QStringLiteral("VESKCard");
    if (withCard) {
        const std::optional<QString> name = MailPlan::baseName(file_name_txt->text());
        if (!name) {
            Show_MessageBox(QStringLiteral("Please enter valid file name."));
            return;
        }
        base = *name;
    }

    if (m_cards.chooseBatch)
        m_cards.chooseBatch();
    if (!send_with_batch_chk->isChecked())
        setUseDataSheetValues(false);
    if (!send_with_excel_chk->isChecked())
        setUseExcelBindingValues(false);
    // a source left out counts no records, and gives the cards no values
    if (m_cards.recount)
        m_cards.recount();
    const bool batch = withCard && (send_with_batch_chk->isChecked() || send_with_excel_chk->isChecked());

    auto folder = std::make_shared<QTemporaryDir>();
    if (!folder->isValid()) {
        Show_MessageBox(notSentText);
        return;
    }

    MailBatch::Job job;
    job.mode = !withCard ? MailPlan::Mode::Plain
               : !batch ? MailPlan::Mode::CurrentCard
               : rd_all_to_every->isChecked() ? MailPlan::Mode::EveryRecipient
                                              : MailPlan::Mode::OnePerRecipient;
    job.recipients = *recipients;
    job.records = batch ? std::max(0, Total_Batch_Excel_Card) : 0;
    if (job.mode == MailPlan::Mode::OnePerRecipient) {
        // Cards or addresses past the shorter list would be left out: the
        // user says first whether that is what was meant.
        const QString question = MailPlan::pairingQuestion(job.records, int(job.recipients.size()));
        if (!question.isEmpty() && !Show_YES_NO_MessageBox(question))
            return;
    }
    if (batch && m_cards.shortfall) {
        const int cards = job.mode == MailPlan::Mode::OnePerRecipient
            ? std::min(job.records, int(job.recipients.size()))
            : job.records;
        if (!m_cards.shortfall(cards, cardSide()).confirmed(QStringLiteral("Send?")))
            return;
    }
    job.plainAttachment = attachment->text();
    if (delayed_delv_chk->isChecked()) {
        job.pauseEvery = mail_count_stepper->value();
        job.pauseMilliseconds =
            MailPlan::pauseMilliseconds(hour_stepper->value(), min_stepper->value(), sec_stepper->value());
    }
    auto pictures = std::make_shared<MailAttachments>(folder->path(), base, cardSide());
    if (withCard) {
        const QString side = cardSide();
        SideSnapshot front;
        SideSnapshot back;
        if (m_cards.snapshot) {
            if (side != QLatin1String("B"))
                front = m_cards.snapshot(0);
            if (side != QLatin1String("F"))
                back = m_cards.snapshot(1);
        }
        const BatchPictureExport::Binder bind = batch ? m_cards.bind : BatchPictureExport::Binder();
        job.render = [pictures, front, back, bind](int record, QStringList* attachments) {
            *attachments = pictures->render(front, back, bind, record);
            return !attachments->isEmpty();
        };
    }
    MailScript::Mail mail;
    mail.sender = sender;
    mail.password = sender_pwd;
    mail.server = sending_server;
    mail.port = sending_port;
    mail.subject = subject_txt->text();
    mail.body = message_txt->toPlainText();
    mail.enableSsl = send_enable_ssl;
    const Sender send = m_sender;
    const MailPlan::Mode mode = job.mode;
    job.send = [mail, send, mode](const QString& to, const QStringList& attachments) {
        static const QString modeLines[] = {
            QStringLiteral("send without card."), QStringLiteral("send card no batch."),
            QStringLiteral("send card with batch to all image to everyone"),
            QStringLiteral("send card with batch to one to one")};
        Show_NSLog_Message(modeLines[int(mode)]);
        Show_NSLog_Message(to);
        MailScript::Mail one = mail;
        one.recipient = to;
        one.attachments = attachments;
        MailBatch::Delivery delivery = send(one);
        if (!delivery.sent)
            Show_NSLog_Message(QStringLiteral("error in mail"));
        return delivery;
    };

    setListCount(int(MailPlan::steps(job.mode, job.recipients, job.records).size()));
    setCurrBarcodeCount(0);
    const int savedSide = Card_Front_Or_Back;
    BatchDialogs::showProgressSheet(BatchDialogs::Batch::Mail);

    auto result = std::make_shared<MailBatch::Result>();
    m_worker = QThread::create([job = std::move(job), result] {
        *result = Send_Mail_Thread(job);
        ThreadHandOff::release(result.get());
    });
    connect(m_worker, &QThread::finished, this, [this, result, folder, batch, savedSide, pictures] {
        ThreadHandOff::acquire(result.get());
        m_worker->deleteLater();
        m_worker = nullptr;
        BatchDialogs::hideProgressSheet();
        if (batch && m_cards.restoreFirstRecord)
            m_cards.restoreFirstRecord();
        setCardFrontOrBack(savedSide);
        folder->remove();
        const bool success = result->success();
        QString outcome = success
            ? BatchOutcome::finished(sentText, QStringLiteral("E-mail has been sent"), pictures->missingPictures())
            : notSentText;
        const QString details =
            MailPlan::failureDetails(result->reason, result->sent(), result->planned, result->endedByFailure);
        if (!success && !details.isEmpty())
            outcome += QStringLiteral("\n\n") + details;
        // Stopped by the user: how many went out, not a failure's advice.
        if (result->stopped)
            outcome = BatchOutcome::mailStopped(result->sent(), result->planned, result->failedRuns, result->reason);
        if (!success)
            outcome = BatchOutcome::withPictures(outcome, pictures->missingPictures());
        Show_MessageBox(outcome);
        emit sendingFinished(success);
    });
    m_worker->start();
}

MailBatch::Result Send_Mail::Send_Mail_Thread(const MailBatch::Job& job)
{
    return MailBatch::run(
        job, Stop_SMS_Sending_Now, [](int step, int) { setCurrBarcodeCount(step); },
        [&job](qint64 milliseconds) { Pausing_Timer_Thread(milliseconds, job.sleep); });
}

void Send_Mail::Pausing_Timer_Thread(qint64 milliseconds, const MailBatch::Sleep& sleep)
{
    MailBatch::countDown(milliseconds, Stop_SMS_Sending_Now, sleep, &Send_Mail::update_pause_timer_label);
}

void Send_Mail::update_pause_timer_label(qint64 remaining)
{
    setPauseDelayTime(remaining);
    // posted, not waited for: the worker never waits for the GUI thread
    QMetaObject::invokeMethod(qApp, [remaining] { Calculate_Pause_Time(remaining); }, Qt::QueuedConnection);
}

void Send_Mail::Calculate_Pause_Time(qint64 milliseconds)
{
    BatchDialogs::setPauseText(milliseconds > 0 ? MailPlan::pauseText(milliseconds) : QString());
}
