#include "app/Globals.h"

QString Resource_Path;
QString Data_Folder_Path;
QString design_file_EXT = QStringLiteral("fcard");
QString batch_file_EXT = QStringLiteral("txt");
QString Project_File_Name;

QString Cutom_Msg_Title;
QString Cutom_Msg_Val;
bool Msg_Apply_All_Chk = false;
std::atomic<int> yes_no_msg_val {0};

void setResourcePath(const QString& path)
{
    Resource_Path = path;
}

void setProjectFileName(const QString& path)
{
    Project_File_Name = path;
}

void setCutomMessage(const QString& title, const QString& text)
{
    Cutom_Msg_Title = title;
    Cutom_Msg_Val = text;
}

void setMsgApplyAllChk(bool checked)
{
    Msg_Apply_All_Chk = checked;
}
