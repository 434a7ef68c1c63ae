// The replace question concerns the files really written (the series export
// puts its format's extension on, a picture of the back goes to "_Back"
// beside the name), and No opens the save panel again and replaces nothing.

#include "WindowControllerFixture.h"

#include "app/Globals.h"
#include "mainwindow/ExportWindow.h"
#include "mainwindow/Open_Export_Log.h"
#include "mainwindow/series/BatchWizard.h"
#include "mainwindow/series/ModalRunPause.h"
#include "platform/AtomicFile.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

#include <functional>

namespace {

class ReplaceQuestionTest : public WindowControllerFixture
{
protected:
    void SetUp() override
    {
        WindowControllerFixture::SetUp();
        ModalRunPause::setEnabled(false);
        Open_Export_Log::setModalRun([](Open_Export_Log&) { return 0; });
    }
    void TearDown() override
    {
        BatchWizard::setModalRun({});
        ExportWindow::setModalRun({});
        Open_Export_Log::setModalRun({});
        ModalRunPause::setEnabled(true);
        Project_File_Name.clear();
        WindowControllerFixture::TearDown();
    }
};

} // namespace

TEST_F(ReplaceQuestionTest, TheQuestionConcernsTheFilesReallyWritten)
{
    ASSERT_TRUE(AtomicFile::save(Data_Folder_Path + "/Tickets.txt", "T-1\nT-2\n"));
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
    const auto saveAs = [this] { controller->SaveAs_Btn_Clicked(); };
    const struct
    {
        const char* what;
        std::function<void()> write;
        const char *typed, *asked;  // asked: the file the one question names
        QStringList there, written; // files at hand before; files replaced or made
    } cases[] = {
        {"series as text, No", exportSeries(1), "p.xlsx", "p.txt", {"p.txt", "p.xlsx"}, {}},
        {"series as a workbook", exportSeries(0), "p.txt", "p.xlsx", {"p.xlsx", "p.txt"}, {"p.xlsx"}},
        {"series as text, a new file", exportSeries(1), "p.xlsx", nullptr, {"p.xlsx"}, {"p.txt"}},
        {"both sides", exportPicture(0), "c.png", "c_Back.png", {"c.png", "c_Back.png"}, {"c.png", "c_Back.png"}},
        {"Save As", saveAs, "party.xlsx", nullptr, {"party.fcard"}, {"party.xlsx"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir out;
        for (const QString& name : c.there)
            ASSERT_TRUE(AtomicFile::save(out.filePath(name), "old"));
        const bool yes = !c.written.isEmpty();
        int panels = 0;
        SavePanel::setHandler(
            [&](const QString&, const QString&) { return panels++ == 0 ? out.filePath(c.typed) : QString(); });
        presenter.clear();
        presenter.scriptAnswers({yes});

        c.write();
        const QString question = QString("%1 already exists. Do you want to replace it?").arg(c.asked);
        EXPECT_EQ(presenter.texts().filter("already exist"), c.asked ? QStringList(question) : QStringList());
        EXPECT_EQ(panels, yes ? 1 : 2); // No opens the panel again
        QStringList expected = c.there + c.written;
        expected.removeDuplicates();
        expected.sort();
        EXPECT_EQ(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), expected);
        for (const QString& name : expected) // a file left alone still holds the 3 bytes "old"
            EXPECT_EQ(QFileInfo(out.filePath(name)).size() != 3, c.written.contains(name)) << name.toStdString();
    }
}
