#pragma once

// The Send E-mail window: a plain mail, the card on screen or one card per
// record of the design's data, to one or every recipient, with a pause
// after every N mails. Send reads the form on the GUI thread and runs the
// mails on a worker (MailBatch) behind the progress sheet; the worker draws
// cards from side snapshots only and sends each mail through the mail
// script. Success is announced only when every mail was sent; a failure
// tells why the last mail failed and how many mails went out.

#include "data/BatchShortfall.h"
#include "mainwindow/DialogFrame.h"
#include "output/BatchPictureExport.h"
#include "output/MailBatch.h"
#include "output/MailScript.h"


#include <functional>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QThread;

class Send_Mail : public FramedDialog<Send_Mail>
{
    Q_OBJECT

public:
    // What the window takes from the main window's card.
    struct Cards
    {
        std::function<void()> chooseBatch;              // sets the data-use flags and the record count
        std::function<void()> recount;                  // the record count of the flags as they are now
        // the series and columns with fewer values than a batch's cards
        std::function<BatchShortfall(int cards, const QString& sides)> shortfall;
        std::function<SideSnapshot(int side)> snapshot; // a side as it is now
        BatchPictureExport::Binder bind;                // record values into a snapshot (any thread)
        std::function<void()> restoreFirstRecord;      // record 0's values back on the card
        std::function<void()> settings;                // the mail settings dialog; the settings read again
    };
    // Sends one mail: sent, or why not. Runs on the worker.
    using Sender = std::function<MailBatch::Delivery(const MailScript::Mail& mail)>;

    explicit Send_Mail(Cards cards, QWidget* parent = nullptr);
    ~Send_Mail() override;

    // The window made last is the default instance.

    // Resets the form and runs the window modally.
    void Open_Wnd();
    // Resets the form as Open_Wnd does: works out first which data the
    // design's cards draw from, and offers one card per record of each.
    void resetForm();
    // Checks the form and starts sending; returns at once.
    void Send_Button();
    bool isSending() const { return m_worker != nullptr; }
    // Asks a running send to stop and waits for its worker, without the
    // outcome; the worker never waits for the GUI thread.
    void stopSending();
    // Replaces the mail script (tests script it).
    void setSender(Sender sender) { m_sender = std::move(sender); }

    // The worker's run: every mail of the job, pausing as it says.
    static MailBatch::Result Send_Mail_Thread(const MailBatch::Job& job);
    // A pause of the send, on the worker: counts `milliseconds` down a
    // second at a time (until the send is stopped), each second a tick.
    static void Pausing_Timer_Thread(qint64 milliseconds, const MailBatch::Sleep& sleep);
    // Each tick of a pause, on the worker: the time left, told to the
    // progress sheet.
    static void update_pause_timer_label(qint64 remaining);
    // The progress sheet's pause text for the time left (none at 0).
    static void Calculate_Pause_Time(qint64 milliseconds);

    // Control actions.
    void Without_barcode_rd_select();
    void send_barcode_rd_select();
    void send_with_batch_chk_select();
    void send_with_excel_chk_select();
    void delayed_delv_chk_select();
    void browse_att_Button();
    // Runs the mail settings dialog, then shows the sender it left.
    void Setting_Button();

    QLineEdit* from_txt = nullptr;
    QLineEdit* to_txt = nullptr;
    QLineEdit* subject_txt = nullptr;
    QPlainTextEdit* message_txt = nullptr;
    QButtonGroup* matrix_card_side = nullptr;   // ids 0 "BOTH", 1 "F", 2 "B"
    QRadioButton* rd_without_barcode = nullptr;
    QRadioButton* rd_mail_curr_barcode = nullptr;
    QGroupBox* send_sett_box = nullptr;
    QLineEdit* file_name_txt = nullptr;
    QCheckBox* send_with_batch_chk = nullptr;
    QCheckBox* send_with_excel_chk = nullptr;
    QRadioButton* rd_all_to_every = nullptr;
    QRadioButton* rd_one_per_recp = nullptr;
    QCheckBox* delayed_delv_chk = nullptr;
    QGroupBox* delayed_box = nullptr;
    QSpinBox* mail_count_stepper = nullptr;
    QSpinBox* hour_stepper = nullptr;
    QSpinBox* min_stepper = nullptr;
    QSpinBox* sec_stepper = nullptr;
    QLineEdit* attachment = nullptr;
    QPushButton* browse_att = nullptr;
    QPushButton* clear_att = nullptr;

signals:
    // The worker has ended and the outcome was shown.
    void sendingFinished(bool success);

private:
    QString cardSide() const;

    Cards m_cards;
    Sender m_sender;
    // Whether the design's cards draw from a series / the spreadsheet, as
    // worked out when the form was reset; a send's own choice of data does
    // not change what the window offers.
    bool m_seriesInUse = false;
    bool m_spreadsheetInUse = false;
    QThread* m_worker = nullptr;
};
