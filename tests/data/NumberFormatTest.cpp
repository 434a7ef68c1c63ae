// Number formats of workbook cells: what each code shows for a value, and
// the codes that show the value as General.
#include "data/NumberFormat.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

TEST(NumberFormat, ShowsValuesAsTheWorkbookDoes)
{
    const double sec = 1.0 / 86400;
    const struct
    {
        const char16_t* code; // null: the built-in format `id`
        uint id;
        double value;
        const char* shown;
        bool date1904 = false;
    } table[] = {
        {u"000000", 0, 5, "000005"},
        {u"000000", 0, -2.5, "-000003"},
        {u"000000", 0, -0.4, "000000"},
        {u"[Red]000000", 0, 142, "000142"},
        {u"0;@", 0, 123456789012345678.0, "123456789012346000"},
        {u"dd.mm.yyyy", 0, 46000, "09.12.2025"},
        {u"DD\\.MM\\.YYYY", 0, 46000.9999999, "09.12.2025"},
        {u"dd.mm.yyyy", 0, 46000.99999999537, "10.12.2025"},
        {u"d/m/yy", 0, 61, "1/3/00"},
        {u"dd.mm.yyyy", 0, 60, "60"},
        {u"dd.mm.yyyy", 0, 2958465, "31.12.9999"},
        {u"dd.mm.yyyy", 0, 2958466, "2958466"},
        {u"dd.mm.yyyy", 0, 44538, "09.12.2025", true},
        {u"hh:mm", 0, 0.597222222222222, "14:20"},
        {u"HH:MM:SS", 0, 1.25 + 0.9 * sec, "06:00:00"},
        // A clock never reads 24:00 or :60; with its date, a time that
        // rounds to midnight is the next day's.
        {u"hh:mm:ss", 0, 0.99999999, "23:59:59"},
        {u"hh:mm:ss", 0, 1e-300, "00:00:00"},
        {u"mm:ss", 0, 0.5 + 59.9999 * sec, "00:59"},
        {u"dd.mm.yyyy hh:mm", 0, 46000.99999999, "10.12.2025 00:00"},
        {u"dd.mm.yyyy hh:mm:ss", 0, 46000 + 86399.48 * sec, "09.12.2025 23:59:59"},
        {u"mm:ss", 0, 61 * sec, "01:01"},
        {u"m/d", 0, 46000, "12/9"},
        {u"h:mm AM/PM", 0, 0, "12:00 AM"},
        {u"h:mm am/pm", 0, 0.5, "12:00 PM"},
        // The system's long date and time as the code spells them out.
        {u"[$-F400]h:mm:ss\\ AM/PM", 0, 0.75, "6:00:00 PM"},
        {u"[$-F800]dddd\\,\\ mmmm\\ dd\\,\\ yyyy", 0, 46000, "Tuesday, December 09, 2025"},
        {u"ddd d-mmm-yy mmmmm", 0, 46000, "Tue 9-Dec-25 D"},
        {u"[$-407]dd.mm.yyyy hh:mm", 0, 46000.75, "09.12.2025 18:00"},
        {u"yyyy\"年\"m\"月\"d\"日\"", 0, 46000, "2025年12月9日"},
        {u"yyyy-mm-dd\\Thh:mm:ss", 0, 46000.5 + sec, "2025-12-09T12:00:01"},
        // The month after a minute came. (ss:mm, "VIP";;"Guest", ;;; and 0. are
        // held against LibreOffice in WorkbookFormats.ShownAsCalcShowsThem.)
        {u"hh:mm:ss:mm", 0, 46000 + 49649 * sec, "13:47:29:12"},
        // Sections of text alone show it without the number or its sign; a
        // fourth section is that of text cells.
        {u"\"only text\"", 0, -5, "only text"},
        {u"0; ", 0, -5, ""},
        {u"0;0;0;0", 0, -5, "5"},
        {u"\"x\"General", 0, -5, "-x5"},
        {u"General;General;\"z\"", 0, -0.4, "0.4"},
        {u"General;General;\"z\"", 0, 0, "z"},
        {u"0.?", 0, 5, "5. "},
        {nullptr, 1, 7.5, "8"},
        {nullptr, 14, 46000.75, "2025-12-09"},
        {nullptr, 15, 46000, "9-Dec-25"},
        {nullptr, 18, 0.75, "6:00 PM"},
        {nullptr, 22, 46000.75, "2025-12-09 18:00"},
    };
    for (const auto& row : table) {
        const QString code = row.code ? QString::fromUtf16(row.code) : QStringLiteral("id %1").arg(row.id);
        SCOPED_TRACE(code.toStdString() + " " + std::to_string(row.value));
        const NumberFormat format = row.code ? NumberFormat::fromCode(code) : NumberFormat::builtIn(row.id);
        EXPECT_EQ(format.show(row.value, row.date1904), QString::fromUtf8(row.shown));
    }
    // Every other code shows the value as General.
    const QString general = QString::fromUtf16(
        u"|General|@|[>100]0|[$-1010409]dd.mm.yyyy|0.00E+00|# ?/?|#,##0,|0 1|[$-407]dddd|"
        u"[$-407]h AM/PM|[h]:mm|hh:mm:ss.0|h A/P|yyy|dddddd|dd.mm.yyyy;;|\"unclosed dd|dd\\|[Red|"
        u"0;dd.mm.yyyy|[$€-ZZ]0|[$€-407];\"neg\"|\"x\"%|0General");
    for (const QString& code : general.split(u'|')) {
        SCOPED_TRACE(code.toStdString());
        EXPECT_EQ(NumberFormat::fromCode(code).show(46000.75, false), "46000.75");
    }
    for (uint id : {0, 11, 45})
        EXPECT_EQ(NumberFormat::builtIn(id).show(0.5, false), "0.5") << id;
    // The text of a cell's value: a number in the C locale, or as stored.
    const NumberFormat padding = NumberFormat::fromCode(u"000000");
    EXPECT_EQ(padding.show(u" 4.2E1 ", false), "000042");
    EXPECT_TRUE(padding.show(u"5,5", false).isNull());
    EXPECT_TRUE(padding.show(u"inf", false).isNull());
}

// Codes times values as LibreOffice Calc (English, United States) shows
// them: binary noise rounded away, decimal halves away from zero, signs,
// sections, currencies and literals.
TEST(NumberFormat, ShowsNumbersAsCalcDoes)
{
    const QStringList codes =
        QString::fromUtf16(
            u"General|0|0.00|#,##0|#,##0.00|0%|0.00%|#,##0.00 \"EUR\"|\"$\"#,##0.00|[$€-407] #,##0.00|0.00;(0.00)|"
            u"0.00;-0.00;\"zero\"|#.##|000-000|_-* #,##0.00 \"€\"_-;-* #,##0.00 \"€\"_-;_-* \"-\"?? "
            u"\"€\"_-;_-@_-|\\X0.0?")
            .split(u'|');
    const struct
    {
        double value;
        std::array<const char*, 16> shown;
    } table[] = {
        {std::nextafter(0.07, 1.0),
         {"0.07", "0", "0.07", "0", "0.07", "7%", "7.00%", "0.07 EUR", "$0.07", "€ 0.07", "0.07", "0.07", ".07",
          "000-000", " 0.07 € ", "X0.07"}},
        {std::nextafter(520.56, 0.0),
         {"520.56", "521", "520.56", "521", "520.56", "52056%", "52056.00%", "520.56 EUR", "$520.56", "€ 520.56",
          "520.56", "520.56", "520.56", "000-521", " 520.56 € ", "X520.56"}},
        {1e-05,
         {"0.00001", "0", "0.00", "0", "0.00", "0%", "0.00%", "0.00 EUR", "$0.00", "€ 0.00", "0.00", "0.00", "",
          "000-000", " 0.00 € ", "X0.0 "}},
        {2.675,
         {"2.675", "3", "2.68", "3", "2.68", "268%", "267.50%", "2.68 EUR", "$2.68", "€ 2.68", "2.68", "2.68", "2.68",
          "000-003", " 2.68 € ", "X2.68"}},
        {-2.675,
         {"-2.675", "-3", "-2.68", "-3", "-2.68", "-268%", "-267.50%", "-2.68 EUR", "-$2.68", "-€ 2.68", "(2.68)",
          "-2.68", "-2.68", "-000-003", "-2.68 € ", "-X2.68"}},
        {-0.001,
         {"-0.001", "0", "0.00", "0", "0.00", "0%", "-0.10%", "0.00 EUR", "$0.00", "€ 0.00", "(0.00)", "-0.00", "",
          "000-000", "-0.00 € ", "X0.0 "}},
        {0,
         {"0", "0", "0.00", "0", "0.00", "0%", "0.00%", "0.00 EUR", "$0.00", "€ 0.00", "0.00", "zero", "", "000-000",
          " -   € ", "X0.0 "}},
        {1234567.891,
         {"1234567.891", "1234568", "1234567.89", "1,234,568", "1,234,567.89", "123456789%", "123456789.10%",
          "1,234,567.89 EUR", "$1,234,567.89", "€ 1,234,567.89", "1234567.89", "1234567.89", "1234567.89", "1234-568",
          " 1,234,567.89 € ", "X1234567.89"}},
        {1500000000000000.5,
         {"1500000000000000", "1500000000000000", "1500000000000000.00", "1,500,000,000,000,000",
          "1,500,000,000,000,000.00", "150000000000000000%", "150000000000000000.00%", "1,500,000,000,000,000.00 EUR",
          "$1,500,000,000,000,000.00", "€ 1,500,000,000,000,000.00", "1500000000000000.00", "1500000000000000.00",
          "1500000000000000", "1500000000000-000", " 1,500,000,000,000,000.00 € ", "X1500000000000000.0 "}},
        {123456789012345678.0,
         {"1.23456789012346E+017", "123456789012346000", "123456789012346000.00", "123,456,789,012,346,000",
          "123,456,789,012,346,000.00", "12345678901234600000%", "12345678901234600000.00%",
          "123,456,789,012,346,000.00 EUR", "$123,456,789,012,346,000.00", "€ 123,456,789,012,346,000.00",
          "123456789012346000.00", "123456789012346000.00", "123456789012346000", "123456789012346-000",
          " 123,456,789,012,346,000.00 € ", "X123456789012346000.0 "}},
    };
    ASSERT_EQ(codes.size(), 16);
    for (const auto& row : table) {
        for (qsizetype k = 0; k < codes.size(); ++k) {
            SCOPED_TRACE(codes[k].toStdString() + " " + std::to_string(row.value));
            EXPECT_EQ(NumberFormat::fromCode(codes[k]).show(row.value, false), QString::fromUtf8(row.shown[k]));
        }
    }
    // General alone, from the very small to the very large.
    const std::pair<double, const char*> general[] = {{0.30000000000000004, "0.3"},
                                                      {1.0 / 3, "0.333333333333333"},
                                                      {-1e-05, "-0.00001"},
                                                      {1.2345678e-07, "0.00000012345678"},
                                                      {1.23456789012e-07, "1.23456789012E-07"},
                                                      {1.5e-9, "0.0000000015"},
                                                      {1e-10, "1E-10"},
                                                      {1e-100, "1E-100"},
                                                      {123456789012345.67, "123456789012346"},
                                                      {1234567890123456, "1234567890123456"},
                                                      {9007199254740992, "9.00719925474099E+015"},
                                                      {1e16, "1E+016"},
                                                      {1e100, "1E+100"}};
    for (const auto& [value, shown] : general)
        EXPECT_EQ(NumberFormat::general(value), shown) << value;
}
