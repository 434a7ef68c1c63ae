// The file panels the windows open, driven as a user would: each names its
// files by their type, and each opens in the home folder, or in the folder
// of the last choice made in a panel, never in the folder the program was
// started from.

#include "WindowControllerFixture.h"

#include "mainwindow/ExportWindow.h"
#include "mainwindow/Open_Export_Log.h"
#include "mainwindow/print/Print_Wnd.h"
#include "output/Globals.h"
#include "output/PrinterCatalog.h"
#include "platform/PanelFolder.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

namespace {

class NoPrinters : public PrinterCatalog
{
public:
    QStringList printerNames() const override { return {}; }
};

// What a panel showed when it opened.
struct Shown
{
    bool opened = false;
    QStringList filters;
    QString folder;
};

QString canonical(const QString& path)
{
    return QFileInfo(path).canonicalFilePath();
}

class FilePanelsTest : public WindowControllerFixture
{
protected:
    void SetUp() override
    {
        WindowControllerFixture::SetUp();
        // the desktop's panels, not scripted answers
        SavePanel::setHandler({});
        OpenPanel::setHandler({});
        ExportWindow::setFolderChooser({});
        Open_Export_Log::setModalRun([](Open_Export_Log&) { return 0; });
        PanelFolder::forget();
        oldHome = qgetenv("HOME");
        oldWorkingFolder = QDir::currentPath();
        qputenv("HOME", home.path().toLocal8Bit());
        QDir::setCurrent(workingFolder.path());
    }
    void TearDown() override
    {
        QDir::setCurrent(oldWorkingFolder);
        qputenv("HOME", oldHome);
        PanelFolder::forget();
        Open_Export_Log::setModalRun({});
        ExportWindow::setModalRun({});
        Print_Wnd::setModalRun({});
        WindowControllerFixture::TearDown();
    }

    // Opens a panel with `open`, records what it shows and cancels it.
    Shown answerPanel(const std::function<void()>& open)
    {
        Shown shown;
        QTimer timer;
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            shown.opened = true;
            shown.filters = dialog->nameFilters();
            shown.folder = canonical(dialog->directory().absolutePath());
            dialog->reject();
        });
        timer.start();
        open();
        timer.stop();
        return shown;
    }

    QTemporaryDir home;
    QTemporaryDir workingFolder;
    QByteArray oldHome;
    QString oldWorkingFolder;
};

}

TEST_F(FilePanelsTest, PanelsNameTheirFilesAndOpenWhereTheUserWas)
{
    NoPrinters printers;
    Print_Wnd printWindow(nullptr, controller.get(), printers);
    ASSERT_TRUE(QDir().mkpath(home.filePath("exports/batch")));

    const struct {
        const char* name;
        std::function<void()> open;
        QString filter;     // the first entry of the type list; "" for folder panels
    } cases[] = {
        {"background picture", [&] { controller->Card_Image_Browse_Btn(); }, "Pictures (*.jpg *.JPG"},
        {"save design", [&] { controller->Save_project_file(true, false); }, "Design files (*.fcard)"},
        {"open design", [&] { controller->Open_Log_File(); }, "Design files (*.fcard *.FCARD)"},
        {"export as TIFF",
         [&] {
             ExportWindow::setModalRun([](ExportWindow& w) {
                 w.fileFormatPopup->setCurrentText("TIFF");
                 return 1;
             });
             controller->Export_Button();
         },
         "TIFF files (*.tiff)"},
        {"batch folder", [&] { ExportWindow::chooseFolder(nullptr); }, ""},
        {"save as PDF",
         [&] {
             Print_Wnd::setModalRun([](QDialog& dialog) {
                 static_cast<Print_Wnd&>(dialog).pdf_btn->click();
                 return 0;
             });
             printWindow.Open_Print_Wnd();
         },
         "PDF files (*.pdf)"},
    };
    // first in the home folder; after a choice, where that choice lay
    for (const QString& startsIn : {home.path(), home.filePath("exports/batch")}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + " from " + startsIn.toStdString());
            const Shown shown = answerPanel(c.open);
            ASSERT_TRUE(shown.opened);
            EXPECT_EQ(shown.folder.toStdString(), canonical(startsIn).toStdString());
            if (!c.filter.isEmpty()) {
                ASSERT_FALSE(shown.filters.isEmpty());
                EXPECT_TRUE(shown.filters.first().startsWith(c.filter)) << shown.filters.first().toStdString();
            }
        }
        PanelFolder::remember(home.filePath("exports/batch/card.tiff"));
    }
    // nothing landed in the program's working folder
    EXPECT_TRUE(QDir(workingFolder.path()).isEmpty());
}
