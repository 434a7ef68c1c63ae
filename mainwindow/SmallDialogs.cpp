#include "mainwindow/SmallDialogs.h"

#include "mainwindow/Long_SMS_Dlg.h"
#include "mainwindow/Open_Export_Log.h"
#include "mainwindow/PleaseWait_Modeless.h"
#include "mainwindow/Send_Modeless.h"

#include <QLabel>

SmallDialogs::SmallDialogs(QWidget& mainWindow)
    : QObject(&mainWindow),
      m_longMessage(new Long_SMS_Dlg(&mainWindow)),
      m_exportFinished(new Open_Export_Log(&mainWindow)),
      m_progress(new Send_Modeless(&mainWindow)),
      m_pleaseWait(new PleaseWait_Modeless(&mainWindow))
{
    install(this);
}

Long_SMS_Dlg* SmallDialogs::longMessageBox() const
{
    return m_longMessage;
}

Open_Export_Log* SmallDialogs::exportFinishedBox() const
{
    return m_exportFinished;
}

Send_Modeless* SmallDialogs::progressSheet() const
{
    return m_progress;
}

PleaseWait_Modeless* SmallDialogs::pleaseWaitWindow() const
{
    return m_pleaseWait;
}

void SmallDialogs::showProgress(Batch batch)
{
    if (m_progress)
        m_progress->Show_One_By_One_Modeless(batch);
}

void SmallDialogs::showPauseText(const QString& text)
{
    if (m_progress)
        m_progress->pause_label->setText(text);
}

void SmallDialogs::hideProgress()
{
    if (m_progress)
        m_progress->Hide_One_By_One_Modeless();
}

int SmallDialogs::runExportFinishedBox()
{
    return m_exportFinished ? m_exportFinished->Open_Export_File_Box() : 0;
}
