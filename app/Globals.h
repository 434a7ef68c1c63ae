#pragma once

// Program-wide values of the application hub: the folders and file
// extensions, and the answers of the shared message boxes. Values shared
// with worker threads are atomic.

#include <QString>
#include <atomic>

// paths
extern QString Resource_Path;
extern QString Data_Folder_Path;
extern QString design_file_EXT;
extern QString batch_file_EXT;
extern QString Project_File_Name;

// shared dialogs
extern QString Cutom_Msg_Title;
extern QString Cutom_Msg_Val;
extern bool Msg_Apply_All_Chk;
extern std::atomic<int> yes_no_msg_val;

// Other layers change these values through these functions; only app writes
// them directly.
void setResourcePath(const QString& path);
void setProjectFileName(const QString& path);
void setCutomMessage(const QString& title, const QString& text);
void setMsgApplyAllChk(bool checked);
