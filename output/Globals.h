#pragma once

// Program-wide values of output: picture export, printing and mail (the
// mail account, password included). Values shared with worker threads are
// atomic.

#include <QString>
#include <atomic>

extern QString export_card_side;
extern std::atomic<int> list_count;
extern std::atomic<double> curr_barcode_count;
// the progress sheet's current text, written by its timer on the GUI thread
extern QString curr_msg_count;
extern QString sender_email;
extern QString sender_pwd;
extern QString sending_server;
extern QString sending_port;
extern QString send_enable_ssl;
extern std::atomic<bool> Stop_SMS_Sending_Now;
// milliseconds left of the pause a running mail send is taking (0: none)
extern std::atomic<qint64> Pause_Delay_Time;
extern QString Export_File_Path;
extern QString Export_File_Message;

// Other layers change these values through these functions; only output
// writes them directly.
void setExportCardSide(const QString& side);
void setListCount(int count);
void setCurrBarcodeCount(double count);
void setCurrMsgCount(const QString& text);
void setSenderAccount(const QString& email, const QString& password, const QString& server, const QString& port,
                      const QString& enableSsl);
void setStopSmsSendingNow(bool stop);
void setPauseDelayTime(qint64 milliseconds);
// Where the last export went and the message that tells the user so.
void setExportFile(const QString& path, const QString& message);
