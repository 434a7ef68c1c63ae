#include "app/MessageBoxes.h"

#include "app/Globals.h"
#include "platform/MessagePresenter.h"
#include "platform/ScriptedMessagePresenter.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {
struct MessageBoxesTest : ::testing::Test {
    void SetUp() override { MessagePresenter::install(&presenter); }
    void TearDown() override { MessagePresenter::install(nullptr); }

    // Spins the GUI thread's event loop until `done` is set.
    static void spinUntil(const std::atomic<bool>& done)
    {
        while (!done)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }

    ScriptedMessagePresenter presenter;
};
}

TEST_F(MessageBoxesTest, MessageGetsALeadingNewline)
{
    Show_MessageBox(QStringLiteral("Saved."));
    ASSERT_EQ(presenter.boxes().size(), 1);
    EXPECT_EQ(presenter.boxes().at(0).text, QStringLiteral("\nSaved."));
    EXPECT_EQ(presenter.boxes().at(0).kind, ScriptedMessagePresenter::Box::Kind::Message);
    Show_MessageBox_No_Thread(QStringLiteral("x"));
    EXPECT_EQ(show_msg(QStringLiteral("plain")), 1);
    EXPECT_EQ(presenter.texts(), QStringList({"\nSaved.", "\nx", "plain"}));
}

TEST_F(MessageBoxesTest, YesNoAnswersOnTheGuiThread)
{
    presenter.scriptAnswers({true, false});
    yes_no_msg_val = 7;
    EXPECT_EQ(Show_YES_NO_MessageBox(QStringLiteral("Delete?")), 1);
    EXPECT_EQ(yes_no_msg_val, 1);
    EXPECT_EQ(Show_YES_NO_MessageBox(QStringLiteral("Delete?")), 0);
    EXPECT_EQ(yes_no_msg_val, 0);
    EXPECT_EQ(presenter.boxes().at(0).text, QStringLiteral("Delete?"));   // unchanged text
    EXPECT_TRUE(presenter.boxes().at(0).onGuiThread);
}

TEST_F(MessageBoxesTest, AWorkerWaitsForTheGuiThreadToAnswer)
{
    presenter.scriptAnswers({true});
    std::atomic<bool> done {false};
    int answer = -1;
    std::thread worker([&] {
        Show_MessageBox(QStringLiteral("Card has been exported successfully."));
        answer = Show_YES_NO_MessageBox(QStringLiteral("Continue?"));
        done = true;
    });
    // Nothing can be shown (or answered) before the GUI thread runs its loop.
    EXPECT_TRUE(presenter.boxes().isEmpty());
    EXPECT_FALSE(done);
    spinUntil(done);
    worker.join();

    EXPECT_EQ(answer, 1);
    EXPECT_EQ(yes_no_msg_val, 1);
    const auto boxes = presenter.boxes();
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes.at(0).text, QStringLiteral("\nCard has been exported successfully."));
    EXPECT_EQ(boxes.at(1).text, QStringLiteral("Continue?"));
    EXPECT_TRUE(boxes.at(0).onGuiThread);
    EXPECT_TRUE(boxes.at(1).onGuiThread);
}

TEST(MessageBoxes, EmptyLogTextsAreSkipped)
{
    int lines = 0;
    static int* counter = nullptr;
    counter = &lines;
    const QtMessageHandler old = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {
        ++*counter;
    });
    Show_NSLog_Message(QString());
    Show_NSLog_Message(QStringLiteral(""));
    Show_NSLog_Message(QStringLiteral("reason"));
    qInstallMessageHandler(old);
    EXPECT_EQ(lines, 1);
}
