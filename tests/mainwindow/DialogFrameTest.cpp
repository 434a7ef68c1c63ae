// The shared frame of the small windows: a failed opening is logged, takes
// the window off the screen and answers 0; each window class has its own
// default instance and its own scripted modal run.

#include "mainwindow/DialogFrame.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace {

class FirstProbe : public FramedDialog<FirstProbe>
{
public:
    FirstProbe() : FramedDialog(nullptr, QStringLiteral("FirstProbe"), QStringLiteral("First")) { }
};

class SecondProbe : public FramedDialog<SecondProbe>
{
public:
    SecondProbe() : FramedDialog(nullptr, QStringLiteral("SecondProbe"), QStringLiteral("Second")) { }
};

class LogCapture
{
public:
    LogCapture()
    {
        lines().clear();
        m_old = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& text) { lines().append(text); });
    }
    ~LogCapture() { qInstallMessageHandler(m_old); }
    static QStringList& lines()
    {
        static QStringList captured;
        return captured;
    }

private:
    QtMessageHandler m_old;
};

class DialogFrameTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        FirstProbe::setModalRun({});
        SecondProbe::setModalRun({});
    }
};

TEST_F(DialogFrameTest, AFailedOpeningIsLoggedHidesTheWindowAndAnswersZero)
{
    const struct
    {
        const char* name;
        std::function<void()> fail;
        QString logged;
    } cases[] = {
        {"standard exception", [] { throw std::runtime_error("no pictures"); }, QStringLiteral("no pictures")},
        {"anything else", [] { throw 42; }, QStringLiteral("The probe window failed.")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FirstProbe probe;
        FirstProbe::setModalRun([&](FirstProbe& dialog) {
            dialog.show();
            c.fail();
            return 1;
        });
        const LogCapture log;
        EXPECT_EQ(probe.runGuarded([&] { return probe.runModal(); }, QStringLiteral("The probe window failed.")), 0);
        EXPECT_FALSE(probe.isVisible());
        EXPECT_EQ(LogCapture::lines(), QStringList {c.logged});
    }
}

TEST_F(DialogFrameTest, EachClassKeepsItsOwnRunAndDefaultInstance)
{
    FirstProbe first;
    auto second = std::make_unique<SecondProbe>();
    FirstProbe::setModalRun([](FirstProbe& dialog) {
        dialog.show();
        return 7;
    });
    SecondProbe::setModalRun([](SecondProbe&) { return 3; });
    EXPECT_EQ(first.runModal(), 7);
    EXPECT_FALSE(first.isVisible());
    EXPECT_EQ(second->runGuarded([&] { return second->runModal(); }), 3);
    EXPECT_EQ(first.objectName(), QStringLiteral("FirstProbe"));
    EXPECT_EQ(first.windowTitle(), QStringLiteral("First"));
    EXPECT_TRUE(first.isModal());

    // the window made last is the default; destroying an older one keeps it
    EXPECT_EQ(FirstProbe::defaultInstance(), &first);
    EXPECT_EQ(SecondProbe::defaultInstance(), second.get());
    {
        FirstProbe later;
        EXPECT_EQ(FirstProbe::defaultInstance(), &later);
        auto older = std::make_unique<SecondProbe>();
        std::swap(older, second);
        older.reset();
        EXPECT_EQ(SecondProbe::defaultInstance(), second.get());
    }
    EXPECT_EQ(FirstProbe::defaultInstance(), nullptr);
    second.reset();
    EXPECT_EQ(SecondProbe::defaultInstance(), nullptr);
}

TEST_F(DialogFrameTest, ARunThatReplacesItselfFinishesItsOwnCall)
{
    FirstProbe probe;
    int calls = 0;
    FirstProbe::setModalRun([&calls, text = QStringLiteral("kept alive")](FirstProbe&) {
        FirstProbe::setModalRun({});
        ++calls;
        return text.size();
    });
    EXPECT_EQ(probe.runModal(), 10);
    EXPECT_EQ(calls, 1);
}

}
