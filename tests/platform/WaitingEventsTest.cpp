// While the GUI thread waits for work, user input goes only to a job's named
// window, and only while Qt keeps every other window from taking any: shown
// last among the modal windows, modal to the whole application.

#include "platform/WaitingEvents.h"

#include <QWindow>
#include <gtest/gtest.h>

#include <functional>

TEST(WaitingEvents, InputOnlyWhileTheNamedWindowBlocksEveryOther)
{
    QWindow progress;
    QWindow other;
    WaitingEvents::InputWindow* named = nullptr;
    const struct
    {
        const char* step;
        std::function<void()> act;
        bool taken;
    } steps[] = {
        {"nothing named", [&] {}, false},
        {"named, not shown yet", [&] { named = new WaitingEvents::InputWindow([&] { return &progress; }); }, false},
        {"shown, modal to its parent only",
         [&] {
             progress.setModality(Qt::WindowModal);
             progress.show();
         },
         false},
        {"shown, modal to the application",
         [&] {
             progress.hide();
             progress.setModality(Qt::ApplicationModal);
             progress.show();
         },
         true},
        {"another modal window over it",
         [&] {
             other.setModality(Qt::ApplicationModal);
             other.show();
         },
         false},
        {"that one gone", [&] { other.hide(); }, true},
        {"hidden (stopped)", [&] { progress.hide(); }, false},
        {"shown again, no longer named",
         [&] {
             progress.show();
             delete named;
         },
         false},
    };
    for (const auto& step : steps) {
        step.act();
        EXPECT_EQ(WaitingEvents::inputTaken(), step.taken) << step.step;
    }
}
