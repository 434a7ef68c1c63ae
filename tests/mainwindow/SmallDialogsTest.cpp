// The shared small windows: the long-message box's two forms and its
// apply-to-all answer, the export-finished box, and the progress sheet
// driven by a batch on a worker thread.

#include "WindowControllerFixture.h"

#include "app/BatchDialogs.h"
#include "app/Globals.h"
#include "mainwindow/Long_SMS_Dlg.h"
#include "mainwindow/Open_Export_Log.h"
#include "mainwindow/ProgressState.h"
#include "mainwindow/Send_Modeless.h"
#include "mainwindow/SmallDialogs.h"
#include "output/Globals.h"
#include "platform/FileOpener.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <thread>

namespace {

class SmallDialogsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        MessagePresenter::install(&presenter);
        mainWindow.show();
        Msg_Apply_All_Chk = false;
    }
    void TearDown() override
    {
        Long_SMS_Dlg::setModalRun({});
        Open_Export_Log::setModalRun({});
        FileOpener::setHandler({});
        MessagePresenter::install(nullptr);
    }
    QWidget mainWindow;
    SmallDialogs dialogs {mainWindow};
    ScriptedMessagePresenter presenter;
};

TEST_F(SmallDialogsTest, HelpFormAfterAQuestionShowsItsOwnTextsAndAStaleTickDecidesNothing)
{
    Long_SMS_Dlg& box = *Long_SMS_Dlg::defaultInstance();
    ASSERT_EQ(&box, dialogs.longMessageBox());
    Cutom_Msg_Title = QStringLiteral("DPI (Dots Per Inch) :");
    Cutom_Msg_Val = QStringLiteral("Dots per inch ...");

    // a question answered OK with the box ticked, then with the second button
    box.title_val = QStringLiteral("Batch Processing Series already exists :");
    box.msg_val_str = QStringLiteral("A\nBatch Processing Series already exists. Do you want to replace it?");
    box.apply_chk_show = true;
    Long_SMS_Dlg::setModalRun([](Long_SMS_Dlg& b) {
        EXPECT_EQ(b._Msg_Title->text(), QStringLiteral("Batch Processing Series already exists :"));
        EXPECT_FALSE(b.no_button->isHidden());
        EXPECT_FALSE(b.apply_chk->isHidden());
        b.apply_chk->setChecked(true);
        b.yes_button->click();
        return b.result();
    });
    EXPECT_EQ(box.Open_Long_sms_Dialog(), 1);
    EXPECT_TRUE(Msg_Apply_All_Chk);

    box.title_val = QStringLiteral("Message :");
    box.apply_chk_show = true;
    Long_SMS_Dlg::setModalRun([](Long_SMS_Dlg& b) {
        b.apply_chk->setChecked(false);
        b.no_button->click();
        return b.result();
    });
    EXPECT_EQ(box.Open_Long_sms_Dialog(), 0);
    EXPECT_TRUE(Msg_Apply_All_Chk) << "the second button keeps the answer";

    // the help form: nothing of the question is left, and its OK leaves
    // the answer alone although the hidden box carries a tick
    box.apply_chk->setChecked(true);
    Msg_Apply_All_Chk = false;
    Long_SMS_Dlg::setModalRun([](Long_SMS_Dlg& b) {
        EXPECT_EQ(b._Msg_Title->text(), Cutom_Msg_Title);
        EXPECT_EQ(b._Msg_Val->toPlainText(), Cutom_Msg_Val);
        EXPECT_TRUE(b.no_button->isHidden());
        EXPECT_TRUE(b.apply_chk->isHidden());
        b.yes_button->click();
        return b.result();
    });
    EXPECT_EQ(box.Open_Long_sms_Dialog(), 1);
    EXPECT_FALSE(Msg_Apply_All_Chk);
    EXPECT_TRUE(box.title_val.isNull());
}

TEST_F(SmallDialogsTest, ExportBoxOpensOnlyWhenTickedAndIsTickedAgainAfterEitherButton)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("Card_1.png"));
    QStringList opened;
    FileOpener::setHandler([&](const QString& path) { opened << path; return true; });
    struct Row {
        QString path, checkTitle;
        bool tick, ok;
        QStringList opens;
    } rows[] = {
        {folder.path(), "Open containing folder.", true, true, {folder.path()}},
        {file, "Open exported file.", true, true, {file}},
        {file, "Open exported file.", false, true, {}},
        {file, "Open exported file.", true, false, {}},
        {folder.path(), "Open containing folder.", false, false, {}},
    };
    for (const Row& row : rows) {
        opened.clear();
        Export_File_Path = row.path;
        Export_File_Message = QStringLiteral("Card has been exported successfully.");
        Open_Export_Log::setModalRun([&](Open_Export_Log& b) {
            EXPECT_EQ(b._open_log_chk->text(), row.checkTitle);
            EXPECT_EQ(b._open_log_path->text(), row.path);
            EXPECT_EQ(b._open_log_message->text(), Export_File_Message);
            b._open_log_chk->setChecked(row.tick);
            (row.ok ? b.ok_button : b.cancel_button)->click();
            return b.result();
        });
        EXPECT_EQ(BatchDialogs::openExportFinishedBox(), row.ok ? 1 : 0) << row.path.toStdString();
        EXPECT_EQ(opened, row.opens);
        EXPECT_TRUE(dialogs.exportFinishedBox()->_open_log_chk->isChecked());
    }
}

TEST(ProgressStateTest, CountersBecomeTheSheetsTextsAndBarValue)
{
    using B = BatchDialogs::Batch;
    struct Row {
        bool opening;
        B batch;
        double current;
        int total, maximum, value;
        const char *totalText, *currentText;
    } rows[] = {
        {true, B::Mail, 0, 12, 12, 0, "12", "0 / 12"},
        {true, B::Export, 0, 12, 12, 0, "12", "0 / 12 Card"},
        {true, B::Export, 0, 0, 1, 0, "0", "0 / 0 Card"},   // stays a determinate bar
        {true, B::Mail, 0, -3, 1, 0, "0", "0 / 0"},
        {false, B::Mail, 3, 12, 12, 3, nullptr, "3 / 12 "},
        {false, B::Mail, 3.9, 12, 12, 3, nullptr, "3 / 12 "},
        {false, B::Mail, 40, 12, 12, 12, nullptr, "12 / 12 "},
        {false, B::Mail, -1, 12, 12, 0, nullptr, "0 / 12 "},
        {false, B::Mail, std::nan(""), 12, 12, 0, nullptr, "0 / 12 "},
        {false, B::Mail, 1e300, 5, 5, 5, nullptr, "5 / 5 "},
    };
    for (const Row& row : rows) {
        const ProgressState s = row.opening ? ProgressState::opening(row.batch, row.total)
                                            : ProgressState::tick(row.current, row.total);
        SCOPED_TRACE(row.currentText);
        EXPECT_EQ(s.maximum, row.maximum);
        EXPECT_EQ(s.value, row.value);
        EXPECT_EQ(s.totalText, row.totalText ? QString::fromLatin1(row.totalText) : QString());
        EXPECT_EQ(s.currentText, QString::fromLatin1(row.currentText));
    }
}

// A batch on a worker thread as the exporters run one: it shows the sheet,
// reads the stop flag before each record and hides the sheet at the end.
// Each record waits for a token from the test.
struct CountingBatch {
    explicit CountingBatch(int total)
        : thread([this, total] {
              Stop_SMS_Sending_Now = false;
              list_count = total;
              curr_barcode_count = 0;
              BatchDialogs::showProgressSheet(BatchDialogs::Batch::Export);
              for (int i = 0; i < total && !Stop_SMS_Sending_Now; ++i) {
                  curr_barcode_count = i + 1;
                  tokens.acquire();
                  done = i + 1;
              }
              BatchDialogs::hideProgressSheet();
              finished = true;
          })
    {
    }
    ~CountingBatch()
    {
        tokens.release(1000);
        while (!finished)
            QCoreApplication::processEvents();
        thread.join();
    }
    QSemaphore tokens;
    std::atomic<int> done {0};
    std::atomic<bool> finished {false};
    std::thread thread;
};

TEST_F(SmallDialogsTest, StopAnsweredNoLetsTheBatchRunAndYesStopsItWithinOneRecord)
{
    Send_Modeless& sheet = *Send_Modeless::defaultInstance();
    for (const bool yes : {false, true}) {
        SCOPED_TRACE(yes ? "Yes" : "No");
        presenter.clear();
        auto batch = std::make_unique<CountingBatch>(10);
        ASSERT_TRUE(QTest::qWaitFor([&] { return sheet.isVisible(); }));
        EXPECT_EQ(sheet._tot_msg_cnt->text(), QStringLiteral("10"));
        EXPECT_TRUE(sheet.windowModality() == Qt::WindowModal && sheet.parentWidget() == &mainWindow);
        batch->tokens.release(2);
        // the timer shows the record in progress
        ASSERT_TRUE(QTest::qWaitFor([&] { return sheet._curr_msg_cnt->text() == QStringLiteral("3 / 10 "); }));
        EXPECT_EQ(sheet._Curr_Progress->value(), 3);
        EXPECT_EQ(curr_msg_count, QStringLiteral("3 / 10 "));

        presenter.scriptAnswers({yes});
        sheet._stop_btn->click();
        EXPECT_EQ(presenter.texts(), QStringList {QStringLiteral("Are you sure you want to continue?")});
        const int doneAtStop = batch->done;
        batch->tokens.release(1000);
        ASSERT_TRUE(QTest::qWaitFor([&] { return batch->finished.load(); }));
        EXPECT_EQ(Stop_SMS_Sending_Now.load(), yes);
        if (yes)
            EXPECT_LE(batch->done, doneAtStop + 1);
        else
            EXPECT_EQ(batch->done, 10);
        EXPECT_FALSE(sheet.isVisible());
        EXPECT_FALSE(sheet.msend_modTimer.isActive());
    }
    Stop_SMS_Sending_Now = false;
}

TEST_F(SmallDialogsTest, EscapeLeavesTheProgressSheetUp)
{
    Send_Modeless& sheet = *dialogs.progressSheet();
    list_count = 4;
    BatchDialogs::showProgressSheet(BatchDialogs::Batch::Mail);
    BatchDialogs::setPauseText(QStringLiteral("Paused"));
    EXPECT_EQ(sheet.pause_label->text(), QStringLiteral("Paused"));
    QTest::keyClick(&sheet, Qt::Key_Escape);
    EXPECT_TRUE(sheet.isVisible());
    BatchDialogs::hideProgressSheet();
    EXPECT_FALSE(sheet.isVisible());
}

using SmallDialogsInMainWindowTest = WindowControllerFixture;

TEST_F(SmallDialogsInMainWindowTest, TheMainWindowMakesTheWindowsOnceAndInstallsThemForTheExporters)
{
    ASSERT_TRUE(controller->send_modls_wnd);
    EXPECT_EQ(controller->send_modls_wnd.data(), Send_Modeless::defaultInstance());
    EXPECT_EQ(Long_SMS_Dlg::defaultInstance()->parentWidget(), controller->window());
    ASSERT_NE(BatchDialogs::installed(), nullptr);
    for (const char* name : {"Long_SMS_Dlg", "Open_Export_Files", "Send_Modeless", "PleaseWait_Modeless"}) {
        auto* window = controller->window()->findChild<QDialog*>(QString::fromLatin1(name));
        ASSERT_NE(window, nullptr) << name;
        EXPECT_EQ(window->palette().color(QPalette::Window), QColor(241, 244, 250)) << name;
    }
    controller.reset();
    EXPECT_EQ(BatchDialogs::installed(), nullptr);
    EXPECT_EQ(Long_SMS_Dlg::defaultInstance(), nullptr);
}

}
