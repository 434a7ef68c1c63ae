#include "app/StringHelpers.h"

#include <gtest/gtest.h>

namespace {
struct SubstringCase {
    QString (*helper)(const QString&, int);
    const char* name;
    const char* input;
    int n;
    const char* expected;
};
}

TEST(StringHelpers, SubstringsKeepTheirOwnOutOfRangeRules)
{
    const SubstringCase cases[] = {
        {Left_Str_substringToIndex, "left", "abcdef", 3, "abc"},
        {Left_Str_substringToIndex, "left", "abcdef", 0, ""},
        {Left_Str_substringToIndex, "left", "abcdef", -2, ""},
        {Left_Str_substringToIndex, "left", "abcdef", 6, "abcdef"},
        {Left_Str_substringToIndex, "left", "abcdef", 10, "abcdef"},   // whole string past the end
        {Right_Str_substringFromIndex, "right", "abcdef", 2, "ef"},
        {Right_Str_substringFromIndex, "right", "abcdef", -1, ""},
        {Right_Str_substringFromIndex, "right", "abcdef", 6, "abcdef"},
        {Right_Str_substringFromIndex, "right", "abcdef", 99, "abcdef"},
        {Read_Str_FromIndex, "from", "abc", 0, "abc"},
        {Read_Str_FromIndex, "from", "abc", 1, "bc"},
        {Read_Str_FromIndex, "from", "abc", 3, ""},
        {Read_Str_FromIndex, "from", "abc", 4, ""},
        {Read_Str_FromIndex, "from", "abc", -1, ""},
        {Read_Str_Upto_Index, "upto", "abc", 3, "abc"},
        {Read_Str_Upto_Index, "upto", "abc", 2, "ab"},
        {Read_Str_Upto_Index, "upto", "abc", 4, ""},                     // empty past the end
        {Read_Str_Upto_Index, "upto", "abc", -1, ""},
        {Read_Str_Upto_Index, "upto", "", 0, ""},
    };
    for (const SubstringCase& c : cases)
        EXPECT_EQ(c.helper(QString::fromUtf8(c.input), c.n), QString::fromUtf8(c.expected))
            << c.name << "(\"" << c.input << "\", " << c.n << ")";
}

TEST(StringHelpers, TrimmingTakesBlanksAndControlsInAnyMix)
{
    struct Case {
        const char16_t* input;
        const char16_t* expected;
    } cases[] = {
        {u"  card \n", u"card"},
        {u"\t\r\ncard\u2028", u"card"},
        {u"\u00a0card\u3000", u"card"}, // no-break and ideographic spaces
        {u"a \u0001", u"a"},
        {u"\u0001 a", u"a"},
        {u"\u200bcard\ufeff", u"card"}, // format characters count as controls
        {u" \u0001 a \u0002 ", u"a"},
        {u"\u200b Ann", u"Ann"}, // a zero-width space before a blank
        {u"Ann \u200d\u00a0\u200e\t", u"Ann"},
        {u"\u202e \u00adA \u200b B\u00ad \ufeff", u"A \u200b B"}, // inside stays
        {u"inner  space", u"inner  space"},
        {u"", u""},
        {u" \t ", u""},
        {u"\u200b \u0001\u2029", u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Trim_Str(QString::fromUtf16(c.input)), QString::fromUtf16(c.expected));
        EXPECT_EQ(Replace_Char_For_valid(QString::fromUtf16(c.input)), QString::fromUtf16(c.expected));
    }
}

TEST(StringHelpers, ReservedCharactersGoFromTheEndsBeforeSpaces)
{
    struct Case {
        const char* input;
        const char* expected;
    } cases[] = {
        {"*card?", "card"},
        {"a/b", "a/b"},
        {"  *a", "*a"},                 // the spaces shield the asterisk
        {"/\\?%*|\"<>name<>", "name"},
        {"<< my card >>", "my card"},
        {"my card ", "my card"},
        {"%%%", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Remove_Reserve_Char_In_File_Name(QString::fromUtf8(c.input)), QString::fromUtf8(c.expected))
            << c.input;
}

TEST(StringHelpers, ReplacingAndFinding)
{
    EXPECT_EQ(Replace_char_in_string("a-b-c", "-", "+"), QStringLiteral("a+b+c"));
    EXPECT_EQ(Replace_char_in_string("aaa", "aa", "b"), QStringLiteral("ba"));
    EXPECT_EQ(Replace_char_in_string("abc", "", "x"), QStringLiteral("abc"));   // empty needle: unchanged
    EXPECT_EQ(Replace_char_in_string("abc", "b", ""), QStringLiteral("ac"));

    EXPECT_TRUE(Find_Str("Invitation", "tat"));
    EXPECT_FALSE(Find_Str("Invitation", "TAT"));
    EXPECT_FALSE(Find_Str("Invitation", ""));
    EXPECT_FALSE(Find_Str("", "a"));
    EXPECT_TRUE(Find_Str_Case_Insensitive("Invitation", "TAT"));
    EXPECT_TRUE(Find_Str_Case_Insensitive(QString::fromUtf8("STRASSE Ärger"), QString::fromUtf8("ärg")));
    EXPECT_FALSE(Find_Str_Case_Insensitive("Invitation", ""));
    EXPECT_FALSE(Find_Str_Case_Insensitive(QString(), "a"));
    EXPECT_FALSE(Find_Str_Case_Insensitive("abc", "abcd"));
}
