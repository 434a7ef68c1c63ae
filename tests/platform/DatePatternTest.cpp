#include "platform/DatePattern.h"

#include <gtest/gtest.h>

namespace {
const QLocale english(QLocale::English, QLocale::UnitedStates);

QDateTime at(int y, int mo, int d, int h, int mi, int s, int ms = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms), Qt::UTC);
}

struct Case {
    const char* pattern;
    QDateTime when;
    const char* expected;
};
}

TEST(DatePattern, ThePatternsOfTheTextInspector)
{
    const QDateTime afternoon = at(2024, 3, 5, 14, 7, 9);
    const QDateTime morning = at(2009, 11, 23, 9, 30, 0);
    const Case cases[] = {
        {"M-d-yyyy", afternoon, "3-5-2024"},
        {"M-d-yy", afternoon, "3-5-24"},
        {"MM-dd-yy", afternoon, "03-05-24"},
        {"MM-dd-yyyy", afternoon, "03-05-2024"},
        {"yy-MM-dd", morning, "09-11-23"},
        {"yyyy-MM-dd", morning, "2009-11-23"},
        {"dd-MMM-yy", afternoon, "05-Mar-24"},
        {"dd-MM-yyyy", morning, "23-11-2009"},
        {"d-M-yy", afternoon, "5-3-24"},
        {"h:mm:ss a", afternoon, "2:07:09 PM"},
        {"hh:mm:ss a", afternoon, "02:07:09 PM"},
        {"H:mm:ss", morning, "9:30:00"},
        {"HH:mm:ss", morning, "09:30:00"},
        {"h:mm:ss a", morning, "9:30:00 AM"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatWithDatePattern(c.when, QString::fromLatin1(c.pattern), english), QString::fromLatin1(c.expected))
            << c.pattern;
}

TEST(DatePattern, ClockEdgesAndNames)
{
    const Case cases[] = {
        {"h a", at(2024, 1, 1, 0, 15, 0), "12 AM"},      // midnight on the 12-hour clock
        {"h a", at(2024, 1, 1, 12, 15, 0), "12 PM"},
        {"K k H", at(2024, 1, 1, 0, 0, 0), "0 24 0"},
        {"K k H", at(2024, 1, 1, 13, 0, 0), "1 13 13"},
        {"EEEE, MMMM d", at(2024, 3, 5, 0, 0, 0), "Tuesday, March 5"},
        {"EEE MMM", at(2024, 3, 5, 0, 0, 0), "Tue Mar"},
        {"yyyy yy y", at(7, 1, 1, 0, 0, 0), "0007 07 7"},
        {"ss.SSS S", at(2024, 1, 1, 0, 0, 4, 56), "04.056 0"},
        {"D QQQ", at(2024, 12, 31, 0, 0, 0), "366 Q4"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatWithDatePattern(c.when, QString::fromLatin1(c.pattern), english), QString::fromLatin1(c.expected))
            << c.pattern;
}

TEST(DatePattern, QuotedTextAndOtherCharactersStayLiteral)
{
    const QDateTime t = at(2024, 3, 5, 14, 7, 9);
    const Case cases[] = {
        {"'Date:' d.M.yyyy", t, "Date: 5.3.2024"},
        {"HH 'o''clock'", t, "14 o'clock"},
        {"'ddd hh ap t'", t, "ddd hh ap t"},    // letters that mean something elsewhere
        {"[HH]/{mm}", t, "[14]/{07}"},
        {"'unterminated", t, "unterminated"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatWithDatePattern(c.when, QString::fromLatin1(c.pattern), english), QString::fromLatin1(c.expected))
            << c.pattern;
}
