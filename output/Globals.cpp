#include "output/Globals.h"

QString export_card_side;
std::atomic<int> list_count {0};
std::atomic<double> curr_barcode_count {0.0};
QString curr_msg_count;
QString sender_email;
QString sender_pwd;
QString sending_server;
QString sending_port;
QString send_enable_ssl;
std::atomic<bool> Stop_SMS_Sending_Now {false};
std::atomic<qint64> Pause_Delay_Time {0};
QString Export_File_Path;
QString Export_File_Message;

void setExportCardSide(const QString& side)
{
    export_card_side = side;
}

void setListCount(int count)
{
    list_count = count;
}

void setCurrBarcodeCount(double count)
{
    curr_barcode_count = count;
}

void setCurrMsgCount(const QString& text)
{
    curr_msg_count = text;
}

void setSenderAccount(const QString& email, const QString& password, const QString& server, const QString& port,
                      const QString& enableSsl)
{
    sender_email = email;
    sender_pwd = password;
    sending_server = server;
    sending_port = port;
    send_enable_ssl = enableSsl;
}

void setStopSmsSendingNow(bool stop)
{
    Stop_SMS_Sending_Now = stop;
}

void setPauseDelayTime(qint64 milliseconds)
{
    Pause_Delay_Time = milliseconds;
}

void setExportFile(const QString& path, const QString& message)
{
    Export_File_Path = path;
    Export_File_Message = message;
}
