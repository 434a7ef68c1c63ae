#include "data/SeriesGeneratorRules.h"

#include <gtest/gtest.h>

#include <climits>

using Rules = SeriesGeneratorRules;
using Field = SeriesGeneratorRules::Field;

TEST(SeriesGeneratorRules, IntValueReadsLeadingDigitsLikeThePlatform)
{
    const struct {
        const char* text;
        int value;
    } cases[] = {{"  42", 42}, {"\t-17x", -17}, {"+8", 8}, {"007", 7}, {"12ab3", 12}, {"abc", 0}, {"", 0},
                 {"- 5", 0}, {"99999999999", INT_MAX}, {"-99999999999", INT_MIN}, {"-2147483648", INT_MIN}};
    for (const auto& c : cases)
        EXPECT_EQ(Rules::intValue(QString::fromUtf8(c.text)), c.value) << c.text;
}

TEST(SeriesGeneratorRules, FieldLimitsFollowTheirOrder)
{
    using Limit = QString (*)(const QString&);
    const struct {
        Limit limit;
        const char* text;
        const char* shown;
    } cases[] = {
        {Rules::limitFromTo, "123456", "10000"}, // cut to 12345 first, then clamped
        {Rules::limitFromTo, "10001", "10000"},
        {Rules::limitFromTo, "-99999", "-9999"},
        {Rules::limitFromTo, "00200", "00200"},
        {Rules::limitFromTo, "", ""},
        {Rules::limitCount, "", "1"},
        {Rules::limitCount, "0", "1"},
        {Rules::limitCount, "x", "1"},
        {Rules::limitCount, " 123456 ", "10000"},
        {Rules::limitCount, "999999a", "10000"},
        {Rules::limitCount, "12345a", "10000"},
        {Rules::limitCount, "0042", "0042"},
        {Rules::limitRandomLength, "0", "1"},
        {Rules::limitRandomLength, "37", "3"},
        {Rules::limitRandomLength, " 9 ", " 9 "},
        {Rules::limitRandomLength, "7", "7"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.limit(QString::fromUtf8(c.text)), QString::fromUtf8(c.shown)) << c.text;
}

TEST(SeriesGeneratorRules, SequentialValuesAndZeroPadding)
{
    const struct {
        const char* from;
        const char* to;
        bool padding;
        qsizetype count;
        const char* first;
        const char* last;
        const char* second; // the value after the first
    } cases[] = {
        {"1", "200", true, 200, "A001-", "A200-", "A002-"},
        {"001", "00200", true, 200, "A00001-", "A00200-", "A00002-"},
        {"0", "10000", false, 10001, "A0-", "A10000-", "A1-"},
        {"0", "123456", true, 10001, "A00000-", "A10000-", "A00001-"}, // "to" cut and clamped first
        {"-5", "5", true, 11, "A-5-", "A05-", "A-4-"},
        {"-10", "3", true, 14, "A-10-", "A003-", "A-09-"},
        {"-9999", "10000", false, 20000, "A-9999-", "A10000-", "A-9998-"},
        {"7", "8", false, 2, "A7-", "A8-", "A8-"},
    };
    for (const auto& c : cases) {
        const Rules::Result r = Rules::sequential("A", c.from, c.to, "-", c.padding);
        ASSERT_TRUE(r.ok()) << c.from << ".." << c.to << ": " << r.message.toStdString();
        ASSERT_EQ(r.values.size(), c.count) << c.from << ".." << c.to;
        EXPECT_EQ(r.values.first(), QString::fromUtf8(c.first));
        EXPECT_EQ(r.values.at(1), QString::fromUtf8(c.second));
        EXPECT_EQ(r.values.last(), QString::fromUtf8(c.last));
    }
    EXPECT_EQ(Rules::PadZero("-5", 3), "-05");
    EXPECT_EQ(Rules::PadZero("12345", 3), "12345");
}

TEST(SeriesGeneratorRules, ChecksGiveTheDialogsMessagesAndFocus)
{
    QRandomGenerator generator(7);
    const struct {
        Rules::Result result;
        const QString& message;
        Field focus;
    } cases[] = {
        {Rules::sequential("", "", "5", "", false), Rules::fromMessage, Field::From},
        {Rules::sequential("", " ", "5", "", false), Rules::fromMessage, Field::From},
        {Rules::sequential("", "1", "", "", false), Rules::toMessage, Field::To},
        {Rules::sequential("", "5", "5", "", false), Rules::orderMessage, Field::From},
        {Rules::sequential("", "9", "3", "", false), Rules::orderMessage, Field::From},
        {Rules::constant("", "3"), Rules::valueMessage, Field::Value},
        {Rules::constant("x", ""), Rules::countMessage, Field::Count},
        {Rules::constant("x", "-3"), Rules::countMessage, Field::Count}, // no empty "success"
        {Rules::random("", "3", "", "", generator), Rules::countMessage, Field::Count},
        {Rules::random("", "", "", "2", generator), Rules::lengthMessage, Field::Length},
        {Rules::random("", "-4", "", "2", generator), Rules::lengthMessage, Field::Length},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.result.message, c.message);
        EXPECT_EQ(c.result.focus, c.focus) << c.message.toStdString();
        EXPECT_TRUE(c.result.values.isEmpty());
    }
    EXPECT_EQ(Rules::orderMessage, "'From' value must be smaller than 'To' value.");
    // A constant is repeated unchanged, blanks and all, 1 to 10000 times.
    EXPECT_EQ(Rules::constant("   ", "3").values, QStringList({"   ", "   ", "   "}));
    EXPECT_EQ(Rules::constant("v", "0").values.size(), 1);
    EXPECT_EQ(Rules::constant("v", "99999").values.size(), 10000);
}

TEST(SeriesGeneratorRules, RandomNumbersHaveExactlyTheirLength)
{
    QRandomGenerator generator(20240601);
    for (int length = 1; length <= 9; ++length) {
        const Rules::Result r = Rules::random("<", QString::number(length), ">", "2000", generator);
        ASSERT_TRUE(r.ok());
        ASSERT_EQ(r.values.size(), 2000);
        qint64 low = LLONG_MAX, high = 0;
        for (const QString& value : r.values) {
            ASSERT_TRUE(value.startsWith('<') && value.endsWith('>')) << value.toStdString();
            const QString digits = value.mid(1, value.size() - 2);
            ASSERT_EQ(digits.size(), length) << value.toStdString();
            low = std::min(low, digits.toLongLong());
            high = std::max(high, digits.toLongLong());
        }
        if (length == 1) { // nine values, all drawn in 2000 tries: both ends are reached
            EXPECT_EQ(low, 1);
            EXPECT_EQ(high, 9);
        }
    }
    EXPECT_EQ(Rules::getRandomNumberBetweenMin(UINT32_MAX, UINT32_MAX, generator), UINT32_MAX);
}
