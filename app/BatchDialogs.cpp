#include "app/BatchDialogs.h"

#include "platform/GuiThread.h"

namespace {

// Read and written on the GUI thread only.
BatchDialogs* s_installed = nullptr;

}

BatchDialogs::~BatchDialogs()
{
    if (s_installed == this)
        s_installed = nullptr;
}

void BatchDialogs::showProgressSheet(Batch batch)
{
    runOnGuiThreadAndWait([batch] {
        if (s_installed)
            s_installed->showProgress(batch);
    });
}

void BatchDialogs::setPauseText(const QString& text)
{
    runOnGuiThreadAndWait([&text] {
        if (s_installed)
            s_installed->showPauseText(text);
    });
}

void BatchDialogs::hideProgressSheet()
{
    runOnGuiThreadAndWait([] {
        if (s_installed)
            s_installed->hideProgress();
    });
}

int BatchDialogs::openExportFinishedBox()
{
    int result = 0;
    runOnGuiThreadAndWait([&result] {
        if (s_installed)
            result = s_installed->runExportFinishedBox();
    });
    return result;
}

void BatchDialogs::install(BatchDialogs* dialogs)
{
    s_installed = dialogs;
}

BatchDialogs* BatchDialogs::installed()
{
    return s_installed;
}
