#pragma once

// The progress sheet of batch mail and batch export: a bar, the total and
// current counts, the pause text and Stop. While a batch runs, a timer on
// the GUI thread brings the bar and the current count up to date from the
// counters the batch's worker writes (`curr_barcode_count`, `list_count`);
// Stop asks before it sets `Stop_SMS_Sending_Now`, which the batch reads
// between records.

#include "app/BatchDialogs.h"
#include "mainwindow/DialogFrame.h"

#include <QTimer>

class QLabel;
class QProgressBar;
class QPushButton;
struct ProgressState;

class Send_Modeless : public DialogFrame, public DefaultInstance<Send_Modeless>
{
    Q_OBJECT

public:
    // The window made last becomes the default instance. Shown, the sheet
    // blocks `parent` (the main window) only.
    explicit Send_Modeless(QWidget* parent = nullptr);

    // Fills the sheet for a batch of `list_count` steps, shows it and starts
    // the timer.
    void Show_One_By_One_Modeless(BatchDialogs::Batch batch);
    // Stops the timer and hides the sheet.
    void Hide_One_By_One_Modeless();
    // A timer tick: the bar and `curr_msg_count`, shown as the current count.
    void update_sending_progress_bar();
    // Asks "Are you sure you want to continue?"; Yes sets `Stop_SMS_Sending_Now`.
    void Stop_Sending_Pressed();

    // The timer's period.
    static constexpr int updateInterval = 500;   // ms

    QLabel* _tot_msg_cnt = nullptr;
    QLabel* _curr_msg_cnt = nullptr;
    QProgressBar* _Curr_Progress = nullptr;
    QPushButton* _stop_btn = nullptr;
    QLabel* pause_label = nullptr;
    QTimer msend_modTimer;

protected:
    // Escape and the window's close button leave the sheet up: the batch
    // ends it, and Stop is the way to ask for that.
    void reject() override;

private:
    void showState(const ProgressState& state);
};
