// While the GUI thread waits for work, user input goes only to a job's named
// window, and only while Qt keeps every other window from taking any: shown
// last among the modal windows, modal to the whole application.

#include "platform/WaitingEvents.h"

#include <QWindow>
#include <gtest/gtest.h>

#include <memory>

TEST(WaitingEvents, InputOnlyWhileTheNamedWindowBlocksEveryOther)
{
    QWindow progress;
    QWindow other;
    auto named = std::make_unique<WaitingEvents::InputWindow>([&] { return &progress; });
    progress.setModality(Qt::WindowModal);
    progress.show();
    EXPECT_FALSE(WaitingEvents::inputTaken()) << "modal to its parent only";
    progress.hide();
    progress.setModality(Qt::ApplicationModal);
    progress.show();
    EXPECT_TRUE(WaitingEvents::inputTaken()) << "modal to the application";
    other.setModality(Qt::ApplicationModal);
    other.show();
    EXPECT_FALSE(WaitingEvents::inputTaken()) << "another modal window over it";
    other.hide();
    progress.hide();
    EXPECT_FALSE(WaitingEvents::inputTaken()) << "hidden (stopped)";
    progress.show();
    named.reset();
    EXPECT_FALSE(WaitingEvents::inputTaken()) << "no longer named";
}
