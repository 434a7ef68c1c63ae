// Writers whose files are not just the name chosen in the save panel (the
// series export puts its format's extension on, a picture export of the
// back writes "_Back" beside it): the replace question concerns the files
// really written, and No opens the panel again and replaces nothing. Save
// As and Save as PDF write the chosen name itself and ask nothing more.

#include "WindowControllerFixture.h"

#include "app/Globals.h"
#include "mainwindow/ExportWindow.h"
#include "mainwindow/Open_Export_Log.h"
#include "mainwindow/print/Print_Wnd.h"
#include "mainwindow/series/BatchWizard.h"
#include "mainwindow/series/ModalRunPause.h"
#include "output/PrinterCatalog.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

#include <functional>

namespace {

class NoPrinters : public PrinterCatalog
{
public:
    QStringList printerNames() const override { return {}; }
};

class ReplaceQuestionTest : public WindowControllerFixture
{
protected:
    void SetUp() override
    {
        WindowControllerFixture::SetUp();
        ModalRunPause::setEnabled(false);
        Open_Export_Log::setModalRun([](Open_Export_Log&) { return 0; });
        Print_Wnd::setModalRun([](QDialog&) { return 0; });
    }
    void TearDown() override
    {
        BatchWizard::setModalRun({});
        ExportWindow::setModalRun({});
        Open_Export_Log::setModalRun({});
        Print_Wnd::setModalRun({});
        ModalRunPause::setEnabled(true);
        Project_File_Name.clear();
        WindowControllerFixture::TearDown();
    }
};

} // namespace

TEST_F(ReplaceQuestionTest, TheQuestionConcernsTheFilesReallyWritten)
{
    QFile series(Data_Folder_Path + "/Tickets.txt");
    ASSERT_TRUE(series.open(QIODevice::WriteOnly) && series.write("T-1\nT-2\n") == 8);
    series.close();
    const auto exportSeries = [this](int type) -> std::function<void()> {
        return [this, type] {
            BatchWizard::setModalRun([type](BatchWizard& w) {
                const int row = int(w.seriesNames().indexOf("Tickets"));
                w.List->selectionModel()->setCurrentIndex(
                    w.List->model()->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
                w.update_btn->click();
                w.export_type->setCurrentIndex(type);
                w.export_value_btn->click();
                return 0;
            });
            control<QAbstractButton>("Batch_Series_btn")->click();
        };
    };
    const auto exportPicture = [this](int sideRow) -> std::function<void()> {
        return [this, sideRow] {
            ExportWindow::setModalRun([sideRow](ExportWindow& w) {
                w.fileFormatPopup->setCurrentText("PNG");
                w.selectSideRow(sideRow);
                w.export_combined_image_chk->setChecked(false);
                return 1;
            });
            controller->Export_Button();
        };
    };
    const auto question = [](const char* name) {
        return QString("%1 already exists. Do you want to replace it?").arg(name);
    };
    const struct
    {
        const char* what;
        std::function<void()> write;
        const char* typed;
        QStringList there; // files at hand before
        bool yes;
        QStringList questions;
        QStringList written; // files replaced or made
    } cases[] = {
        {"series as text, No",
         exportSeries(1),
         "probe.xlsx",
         {"probe.txt", "probe.xlsx"},
         false,
         {question("probe.txt")},
         {}},
        {"series as text, Yes",
         exportSeries(1),
         "probe.xlsx",
         {"probe.txt"},
         true,
         {question("probe.txt")},
         {"probe.txt"}},
        {"series as a workbook",
         exportSeries(0),
         "probe.txt",
         {"probe.xlsx", "probe.txt"},
         true,
         {question("probe.xlsx")},
         {"probe.xlsx"}},
        {"series as text, a new file", exportSeries(1), "probe.xlsx", {"probe.xlsx"}, true, {}, {"probe.txt"}},
        {"picture of the back, No", exportPicture(2), "c.png", {"c_Back.png"}, false, {question("c_Back.png")}, {}},
        {"pictures of both sides",
         exportPicture(0),
         "c.png",
         {"c.png", "c_Back.png"},
         true,
         {question("c_Back.png")},
         {"c.png", "c_Back.png"}},
        {"Save As",
         [this] { controller->SaveAs_Btn_Clicked(); },
         "party.xlsx",
         {"party.fcard"},
         true,
         {},
         {"party.xlsx"}},
        {"Save as PDF",
         [this] {
             NoPrinters none;
             Print_Wnd window(nullptr, controller.get(), none);
             window.Open_Print_Wnd();
             window.pdf_btn->click();
         },
         "sheet.xlsx",
         {"sheet.pdf"},
         true,
         {},
         {"sheet.xlsx"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir out;
        for (const QString& name : c.there) {
            QFile old(out.filePath(name));
            ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        }
        int panels = 0;
        SavePanel::setHandler(
            [&](const QString&, const QString&) { return panels++ == 0 ? out.filePath(c.typed) : QString(); });
        presenter.clear();
        presenter.scriptAnswers({c.yes});

        c.write();
        EXPECT_EQ(presenter.texts().filter("already exist"), c.questions);
        EXPECT_EQ(panels, c.yes ? 1 : 2); // No opens the panel again
        const QStringList now = QDir(out.path()).entryList(QDir::Files | QDir::Hidden);
        QStringList expected = c.there + c.written;
        expected.removeDuplicates();
        expected.sort();
        EXPECT_EQ(now, expected);
        for (const QString& name : now) {
            QFile file(out.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.readAll() != "old", c.written.contains(name)) << name.toStdString();
        }
    }
}
