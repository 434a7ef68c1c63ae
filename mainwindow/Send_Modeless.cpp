#include "mainwindow/Send_Modeless.h"

#include "app/MessageBoxes.h"
#include "mainwindow/ProgressState.h"
#include "output/Globals.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

Send_Modeless::Send_Modeless(QWidget* parent)
    : DialogFrame(parent, QStringLiteral("Send_Modeless"), tr("Progress"), Modality::Window)
{

    _Curr_Progress = new QProgressBar(this);
    _Curr_Progress->setObjectName(QStringLiteral("_Curr_Progress"));
    _Curr_Progress->setTextVisible(false);
    _Curr_Progress->setRange(0, 1);
    _Curr_Progress->setValue(0);

    _tot_msg_cnt = new QLabel(this);
    _tot_msg_cnt->setObjectName(QStringLiteral("_tot_msg_cnt"));
    _curr_msg_cnt = new QLabel(this);
    _curr_msg_cnt->setObjectName(QStringLiteral("_curr_msg_cnt"));
    pause_label = new QLabel(this);
    pause_label->setObjectName(QStringLiteral("pause_label"));

    _stop_btn = namedButton(tr("Stop"), QStringLiteral("_stop_btn"));
    _stop_btn->setAutoDefault(false);
    connect(_stop_btn, &QPushButton::clicked, this, &Send_Modeless::Stop_Sending_Pressed);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(tr("Total:"), this), 0, 0);
    layout->addWidget(_tot_msg_cnt, 0, 1);
    layout->addWidget(new QLabel(tr("Progress:"), this), 1, 0);
    layout->addWidget(_curr_msg_cnt, 1, 1);
    layout->addWidget(_Curr_Progress, 2, 0, 1, 3);
    layout->addWidget(pause_label, 3, 0, 1, 2);
    layout->addWidget(_stop_btn, 3, 2, Qt::AlignRight);
    layout->setColumnStretch(1, 1);
    setMinimumWidth(360);

    msend_modTimer.setInterval(updateInterval);
    connect(&msend_modTimer, &QTimer::timeout, this, &Send_Modeless::update_sending_progress_bar);
}

void Send_Modeless::showState(const ProgressState& state)
{
    _Curr_Progress->setRange(0, state.maximum);
    _Curr_Progress->setValue(state.value);
    if (!state.totalText.isNull())
        _tot_msg_cnt->setText(state.totalText);
    _curr_msg_cnt->setText(state.currentText);
}

void Send_Modeless::Show_One_By_One_Modeless(BatchDialogs::Batch batch)
{
    _stop_btn->setEnabled(true);
    const ProgressState state = ProgressState::opening(batch, list_count.load());
    setCurrMsgCount(state.currentText);
    showState(state);
    pause_label->clear();
    QDialog::show();
    msend_modTimer.start();
}

void Send_Modeless::Hide_One_By_One_Modeless()
{
    msend_modTimer.stop();
    hide();
}

void Send_Modeless::update_sending_progress_bar()
{
    const ProgressState state = ProgressState::tick(curr_barcode_count.load(), list_count.load());
    setCurrMsgCount(state.currentText);
    showState(state);
}

void Send_Modeless::Stop_Sending_Pressed()
{
    if (Show_YES_NO_MessageBox(QStringLiteral("Are you sure you want to continue?")) == 1)
        setStopSmsSendingNow(true);
}

void Send_Modeless::reject()
{
}
