#include "platform/MessagePresenter.h"
#include "platform/ScriptedMessagePresenter.h"

#include <gtest/gtest.h>

// With no presenter installed and no default set (a program without a
// window), nothing confirms a question that nobody saw; a default set by the
// program takes the questions until a presenter is installed.
TEST(MessagePresenter, WithoutAPresenterNoQuestionIsConfirmed)
{
    MessagePresenter::install(nullptr);
    MessagePresenter::setDefault(nullptr);
    MessagePresenter& log = MessagePresenter::current();
    EXPECT_FALSE(log.askYesNo(QStringLiteral("Delete all cards?")));
    EXPECT_EQ(log.askYesNoOrCancel(QStringLiteral("Save changes?")), MessagePresenter::Answer::Cancelled);

    ScriptedMessagePresenter fallback;
    ScriptedMessagePresenter installed;
    MessagePresenter::setDefault(&fallback);
    EXPECT_EQ(&MessagePresenter::current(), &fallback);
    MessagePresenter::install(&installed);
    EXPECT_EQ(&MessagePresenter::current(), &installed);
    MessagePresenter::install(nullptr);
    EXPECT_EQ(&MessagePresenter::current(), &fallback);
    MessagePresenter::setDefault(nullptr);
    EXPECT_EQ(&MessagePresenter::current(), &log);
}
