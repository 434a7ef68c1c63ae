#pragma once

// The windows that batch export and batch mail show: the progress sheet and
// the export-finished box. They belong to the main window, which installs
// its BatchDialogs at start; the exporters, which live in lower layers,
// reach them only through the static calls below. Every call may come from any thread: it runs on the GUI
// thread and the caller waits for it (on the GUI thread itself it runs at
// once). A worker must therefore never be waited for by the GUI thread
// while it may make one of these calls. With nothing installed (a program
// without the main window) the calls do nothing and the box answers 0.
//
// The counters the sheet shows are the globals of output/Globals.h:
// `list_count` (the number of steps) and `curr_barcode_count` (the step in
// progress, counted from 1); the stop request is `Stop_SMS_Sending_Now`,
// which the batch clears when it starts and reads between records.

#include <QString>

class BatchDialogs
{
public:
    // What a batch makes: the progress text names cards for an export.
    enum class Batch { Mail, Export };

    virtual ~BatchDialogs();

    // Fills the progress sheet for a batch of `list_count` steps (bar at
    // 0, the counter texts, no pause text, Stop enabled), shows it on the
    // main window and starts updating it from the counters.
    static void showProgressSheet(Batch batch);
    // Shows `text` as the pause text of the sheet ("" clears it).
    static void setPauseText(const QString& text);
    // Stops updating the sheet and takes it off the screen.
    static void hideProgressSheet();
    // Runs the export-finished box for `Export_File_Path` with the message
    // `Export_File_Message`; 1 for OK, 0 for Cancel.
    static int openExportFinishedBox();

    // Installs `dialogs` (not owned; it must outlive its use or be
    // uninstalled with nullptr). Called on the GUI thread.
    static void install(BatchDialogs* dialogs);
    static BatchDialogs* installed();

protected:
    virtual void showProgress(Batch batch) = 0;
    virtual void showPauseText(const QString& text) = 0;
    virtual void hideProgress() = 0;
    virtual int runExportFinishedBox() = 0;
};
