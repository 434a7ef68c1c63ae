// Number formats of workbook cells: what each code shows for a value, and
// the codes that leave the value as stored (expected null).
#include "data/NumberFormat.h"

#include <gtest/gtest.h>

TEST(NumberFormat, ShowsValuesAsTheWorkbookDoes)
{
    const double sec = 1.0 / 86400;
    const struct
    {
        const char16_t* code; // null: the built-in format `id`
        uint id;
        double value;
        const char* shown; // null: as stored
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
        {u"dd.mm.yyyy", 0, 60, nullptr},
        {u"dd.mm.yyyy", 0, 2958465, "31.12.9999"},
        {u"dd.mm.yyyy", 0, 2958466, nullptr},
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
        const QString shown = format.show(row.value, row.date1904);
        if (row.shown)
            EXPECT_EQ(shown, QString::fromUtf8(row.shown));
        else
            EXPECT_TRUE(shown.isNull()) << shown.toStdString();
    }
    // Every other code leaves the value as stored.
    const QString stored = QString::fromUtf16(
        u"|General|@|0.00|#,##0|\"ID \"0000|000000;-000000|[>100]0|[$€-407]0|[$-1010409]dd.mm.yyyy|"
        u"[$-407]dddd|[$-407]h AM/PM|[h]:mm|hh:mm:ss.0|h A/P|yyy|dddddd|dd.mm.yyyy;;|\"unclosed dd|"
        u"dd\\|[Red|\"only text\"");
    for (const QString& code : stored.split(u'|')) {
        SCOPED_TRACE(code.toStdString());
        EXPECT_TRUE(NumberFormat::fromCode(code).show(46000.75, false).isNull());
    }
    for (uint id : {0, 45})
        EXPECT_TRUE(NumberFormat::builtIn(id).show(0.5, false).isNull()) << id;
    // The text of a cell's value: a number in the C locale, or as stored.
    const NumberFormat padding = NumberFormat::fromCode(u"000000");
    EXPECT_EQ(padding.show(u" 4.2E1 ", false), "000042");
    EXPECT_TRUE(padding.show(u"5,5", false).isNull());
    EXPECT_TRUE(padding.show(u"inf", false).isNull());
}
