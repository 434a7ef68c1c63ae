// The main window's place on screens of every size: kept where it fits,
// pulled into the available area where it does not.

#include "mainwindow/WindowPlacement.h"

#include <gtest/gtest.h>

TEST(WindowPlacement, TheMainWindowIsKeptWhereItFitsAndPulledInWhereItDoesNot)
{
    struct Case { const char* screen; QRect available; QMargins frame; QRect expected; };
    const Case cases[] = {
        // 100 from the left, resting on the bottom, 1000 x 800
        {"1920 x 1080", {0, 0, 1920, 1080}, {}, {100, 280, 1000, 800}},
        {"1920 x 1080, a title bar", {0, 0, 1920, 1080}, {1, 28, 1, 1}, {100, 251, 1002, 829}},
        {"1366 x 768", {0, 0, 1366, 768}, {}, {100, 0, 1000, 768}},
        {"1366 x 768, a top panel", {0, 27, 1366, 741}, {}, {100, 27, 1000, 741}},
        {"1366 x 768, a title bar", {0, 0, 1366, 768}, {1, 28, 1, 1}, {100, 0, 1002, 768}},
        {"a second screen right of the first", {1920, 0, 1280, 1024}, {}, {2020, 224, 1000, 800}},
        {"a screen above the first", {0, -900, 1600, 900}, {}, {100, -800, 1000, 800}},
        {"a top panel and a bottom dock", {0, 32, 1920, 1000}, {}, {100, 232, 1000, 800}},
        {"1024 x 600", {0, 0, 1024, 600}, {}, {24, 0, 1000, 600}},
        {"tiny", {0, 0, 640, 480}, {}, {0, 0, 640, 480}},
        {"tiny, offset", {-500, 300, 640, 480}, {}, {-500, 300, 640, 480}},
    };
    for (const Case& c : cases) {
        const QRect frame = WindowPlacement::mainWindowFrame(c.available, c.frame);
        EXPECT_EQ(frame, c.expected) << c.screen;
        EXPECT_TRUE(c.available.contains(frame)) << c.screen;
    }
}
