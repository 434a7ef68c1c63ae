// Planning a mail send: the address rule, the recipients of a To text, the
// attachments' base name, the steps of each mode and the pause text.

#include "output/MailPlan.h"

#include <gtest/gtest.h>

using Mode = MailPlan::Mode;
using Step = MailPlan::Step;

TEST(MailPlanTest, Recipients)
{
    const struct { const char* to; QStringList expected; bool ok; } cases[] = {
        {"a@b.com", {"a@b.com"}, true},
        {"  A@B.Com ,c@d.org", {"a@b.com ", "c@d.org"}, true},   // lowercased, pieces as written
        {"a@b.com, c@d.org", {"a@b.com", " c@d.org"}, true},     // a blank after a comma stays
        {"", {}, false},
        {"   ", {}, false},
        {"a@b.com,", {}, false},            // trailing comma
        {"bad,a@b.com", {}, false},         // any failing piece rejects the text
        {"a@@b.com", {}, false},            // two "@"
        {"ab@com", {}, false},              // no "."
        {"a@b.c", {}, false},               // shorter than 6
    };
    for (const auto& c : cases) {
        const auto list = MailPlan::recipients(QString::fromUtf8(c.to));
        ASSERT_EQ(list.has_value(), c.ok) << c.to;
        if (c.ok) {
            EXPECT_EQ(*list, c.expected) << c.to;
        }
    }
}

TEST(MailPlanTest, BaseNames)
{
    const struct { const char* field; const char* expected; } cases[] = {
        {"VESKCard", "VESKCard"},
        {"/Invite?", "Invite"},
        {"  *a", "*a"},             // reserved characters go before the blanks
        {" <Card> ", "<Card>"},
        {"a/b", nullptr},           // path characters inside are refused
        {"../../x", nullptr},
        {"a\\b", nullptr},
        {"..", nullptr},
        {".", nullptr},
        {"***", nullptr},
        {"", nullptr},
    };
    for (const auto& c : cases) {
        const auto name = MailPlan::baseName(QString::fromUtf8(c.field));
        ASSERT_EQ(name.has_value(), c.expected != nullptr) << c.field;
        if (c.expected) {
            EXPECT_EQ(*name, QString::fromUtf8(c.expected)) << c.field;
        }
    }
    EXPECT_FALSE(MailPlan::baseName(QStringLiteral("a") + QChar(0) + QStringLiteral("b")).has_value());
}

TEST(MailPlanTest, StepsPerMode)
{
    const QStringList two {"a@b.com", "c@d.com"};
    const QStringList three {"a@b.com", "c@d.com", "e@f.com"};
    const QStringList seven {"1@b.com", "2@b.com", "3@b.com", "4@b.com", "5@b.com", "6@b.com", "7@b.com"};
    EXPECT_EQ(MailPlan::steps(Mode::CurrentCard, three, 0),
              (QList<Step>{{-1, {"a@b.com"}}, {-1, {"c@d.com"}}, {-1, {"e@f.com"}}}));
    EXPECT_EQ(MailPlan::steps(Mode::Plain, two, 9), (QList<Step>{{-1, {"a@b.com"}}, {-1, {"c@d.com"}}}));
    const QList<Step> toEvery = MailPlan::steps(Mode::EveryRecipient, two, 5);
    ASSERT_EQ(toEvery.size(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(toEvery.at(i), (Step{i, two}));
    EXPECT_EQ(MailPlan::steps(Mode::OnePerRecipient, three, 5),
              (QList<Step>{{0, {"a@b.com"}}, {1, {"c@d.com"}}, {2, {"e@f.com"}}}));
    const QList<Step> ended = MailPlan::steps(Mode::OnePerRecipient, seven, 5);
    ASSERT_EQ(ended.size(), 5);
    EXPECT_EQ(ended.last(), (Step{4, {"5@b.com"}}));
    EXPECT_TRUE(MailPlan::steps(Mode::EveryRecipient, two, 0).isEmpty());
}

// One card per recipient with lists of different lengths: what the user is
// asked before anything is sent; nothing when the lists agree or there is
// no card.
TEST(MailPlanTest, PairingQuestion)
{
    const struct
    {
        int cards;
        int addresses;
        const char* question;
    } cases[] = {
        {29, 30, "29 cards, 30 addresses: card N goes to address N, and 1 address will get no card. Send?"},
        {1, 3, "1 card, 3 addresses: card N goes to address N, and 2 addresses will get no card. Send?"},
        {2, 1, "2 cards, 1 address: card N goes to address N, and 1 card will not be sent. Send?"},
        {30, 30, ""},
        {0, 4, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MailPlan::pairingQuestion(c.cards, c.addresses), QString::fromUtf8(c.question))
            << c.cards << " " << c.addresses;
}

TEST(MailPlanTest, PauseText)
{
    const struct { qint64 ms; const char* text; } cases[] = {
        {MailPlan::pauseMilliseconds(1, 1, 1), "Pausing the process for 1 Hour 1 Minute 1 Second."},
        {MailPlan::pauseMilliseconds(0, 0, 10), "Pausing the process for 10 Seconds."},
        {0, "Pausing the process for 0 Second."},
        {MailPlan::pauseMilliseconds(0, 2, 0), "Pausing the process for 2 Minutes 0 Second."},
        {MailPlan::pauseMilliseconds(3, 0, 59), "Pausing the process for 3 Hours 0 Minute 59 Seconds."},
        {1999, "Pausing the process for 1 Second."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MailPlan::pauseText(c.ms), QString::fromUtf8(c.text)) << c.ms;
}

TEST(MailPlanTest, FailureDetails)
{
    const struct { const char* reason; int sent; int planned; bool ended; const char* expected; } cases[] = {
        {"certificate verify failed: x", 0, 1, true, "Reason: certificate verify failed: x"},
        {"", 0, 1, true, ""},       // nothing known, and a single mail needs no count
        {"authentication failed", 2, 5, true,
         "Reason: authentication failed\n2 of 5 mails were sent before the failure."},
        {"connection refused", 0, 3, true, "Reason: connection refused\n0 of 3 mails were sent before the failure."},
        // a failure that did not end the send (to-every mode), or a stop
        {"refused", 13, 15, false, "Reason: refused\n13 of 15 mails were sent."},
        {"", 3, 5, false, "3 of 5 mails were sent."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MailPlan::failureDetails(QString::fromUtf8(c.reason), c.sent, c.planned, c.ended),
                  QString::fromUtf8(c.expected));
    }
}
