#pragma once

// The main window's shared small windows: the long-message box, the
// export-finished box, the progress sheet and the please-wait window, made
// once as children of the main window. A child of the main window itself,
// it is installed as the BatchDialogs that batch export and mail reach, and
// uninstalled when it goes.

#include "app/BatchDialogs.h"

#include <QObject>
#include <QPointer>

class Long_SMS_Dlg;
class Open_Export_Log;
class PleaseWait_Modeless;
class QWidget;
class Send_Modeless;

class SmallDialogs : public QObject, public BatchDialogs
{
    Q_OBJECT

public:
    explicit SmallDialogs(QWidget& mainWindow);

    // Null once the main window (their parent) is gone.
    Long_SMS_Dlg* longMessageBox() const;
    Open_Export_Log* exportFinishedBox() const;
    Send_Modeless* progressSheet() const;
    PleaseWait_Modeless* pleaseWaitWindow() const;

protected:
    void showProgress(Batch batch) override;
    void showPauseText(const QString& text) override;
    void hideProgress() override;
    int runExportFinishedBox() override;

private:
    QPointer<Long_SMS_Dlg> m_longMessage;
    QPointer<Open_Export_Log> m_exportFinished;
    QPointer<Send_Modeless> m_progress;
    QPointer<PleaseWait_Modeless> m_pleaseWait;
};
