#pragma once

// How a workbook shows a number cell, as a spreadsheet program shows it:
// General (at most 15 significant digits, without the noise of binary
// fractions: 0.07000000000000001 shows "0.07"); number codes of digit
// placeholders with decimals, thousands separators, percent, text and
// currency around the digits and sections for negative numbers and zero
// ("#,##0.00 \"EUR\"", "0.0%;(0.0%)", "000000"); and dates and times
// (codes of day, month, year, hour, minute, second and AM/PM tokens between
// literal separators, so 46000 with "dd.mm.yyyy" shows "09.12.2025"). A
// code that is not understood (fractions, scientific notation, conditions,
// elapsed time, names of a language other than English, ...) shows as
// General, and so does a value that its format cannot show.
//
// Format codes come from untrusted workbooks: a code is parsed once into
// tokens, and anything it holds that is not understood makes it General.

#include <QList>
#include <QString>
#include <QStringView>

class NumberFormat
{
public:
    enum class Kind {
        General,
        Number,
        DateTime,
    };

    // Shows every value as General.
    NumberFormat() = default;

    // The format of a code as a workbook's styles give it ("#,##0.00",
    // "dd.mm.yyyy;@", "[$-409]h:mm AM/PM"). A code has up to three sections
    // for numbers (positive and zero; negative; zero: a negative value
    // shows in its section without a minus sign) and a last one for text
    // cells (with "@", or any fourth one). A number section: digit
    // placeholders "0" (a digit or 0), "#" (a digit or nothing) and "?" (a
    // digit or a space), one decimal point (shown only before a decimal
    // that shows), a comma between integer placeholders for thousands
    // separators, "%" (the value times 100), and literals: text in double
    // quotes, a character after a backslash, "_x" (a space as wide as x),
    // "*x" (a fill, left out) and characters other than letters and digits;
    // spaces that begin it are left out. A section without placeholders
    // shows its literals alone ("\"VIP\";;\"Guest\"", ";;;" that hides the
    // value), or the number as General where it says "General" once among
    // them; one with a percent or currency sign but no placeholder is not
    // understood.
    // Tags in brackets: colours ("[Red]"), a language ("[$-407]") and a
    // currency ("[$€-407]", "[$USD]", its symbol shown as a literal). Only
    // a code of one number section can be a date or time: colours and a
    // language tag ("[$-407]"; names of months and days and AM/PM only for
    // English or no language) before its tokens, which are
    // case-insensitive: y as yy or yyyy; m, mm (minutes right after an hour,
    // before a second, or after a second when no minute came before), mmm
    // "Dec", mmmm "December", mmmmm "D"; d, dd, ddd "Tue", dddd "Tuesday";
    // h, hh (1 to 12 with AM/PM); s, ss; AM/PM.
    // Its literals: text in double quotes, a character after a backslash,
    // and the bare characters " .,-/:()+!^&'~{}<>=".
    static NumberFormat fromCode(QStringView code);
    // The format of a built-in format id: 1 to 4 "0", "0.00", "#,##0",
    // "#,##0.00"; 9 and 10 "0%", "0.00%"; 37 to 40 "#,##0 ;(#,##0)" and
    // "#,##0.00;(#,##0.00)"; 14 to 22 are dates and times, of which the
    // short date 14 shows as "yyyy-mm-dd" and 22 as "yyyy-mm-dd hh:mm"
    // (spreadsheet programs show these two in the machine's own date order;
    // ours is one that reads the same everywhere), 15 "d-mmm-yy", 16
    // "d-mmm", 17 "mmm-yy", 18 "h:mm AM/PM", 19 "h:mm:ss AM/PM", 20 "h:mm",
    // 21 "h:mm:ss". Every other id is General.
    static NumberFormat builtIn(uint id);

    // What General shows for `value`: up to 15 significant digits without
    // trailing zeros; whole numbers from 10^15 up to 2^53 with all their
    // digits; larger ones, and small ones that would need more than 16
    // decimals or are below 10^-9, as "1.5E+016" and "1.5E-10".
    static QString general(double value);
    // The serial number (days, a fraction of a day for the time) of an ISO
    // 8601 date "2025-12-09" or date and time "2025-12-09T18:00:00" (the
    // seconds' fraction left out, a final "Z" allowed): false for a text
    // that is none.
    static bool serialOfIsoDate(QStringView text, bool date1904, double& serial);

    Kind kind() const { return m_kind; }
    // The number of digits the first section shows at least before its
    // decimal point (its "0" placeholders there).
    int width() const { return m_width; }

    // The text the format shows for `value`; a null string for a value
    // that is no finite number. Digits are those of the value's decimal
    // form to 15 significant digits (whole numbers below 2^53 with all
    // theirs), rounded half away from zero to the decimals shown. A minus
    // sign stands before a number of one section only when it shows a
    // digit that is not zero. Dates count days from 30 December 1899 (from
    // 1 January 1904 with `date1904`), the day of the value taken to the
    // millisecond, and show times to the whole second below (after
    // rounding away the noise of binary fractions, so 14:20 kept as
    // 0.59722222222222 shows 14:20), as spreadsheet programs show them: no
    // clock reads "24:00" or ":60"; a time shown with its date that rounds
    // to a whole day shows as 00:00 of the next day, one shown alone as
    // 23:59:59. A negative value, one past 9999, and a date before 1 March
    // 1900 (where the 1900 system counts a day that never was) show as
    // General.
    QString show(double value, bool date1904) const;
    // The same for the text of a cell's value: a null string when it is no
    // number.
    QString show(QStringView stored, bool date1904) const;

private:
    enum class Token {
        Literal,
        Year2,
        Year4,
        Month,
        Month2,
        MonthShort,
        MonthLong,
        MonthLetter,
        Day,
        Day2,
        DayShort,
        DayLong,
        Hour,
        Hour2,
        Minute,
        Minute2,
        Second,
        Second2,
        AmPm,
    };
    struct Part
    {
        Token token;
        QString literal; // the text of a Literal
    };
    // An item of a number section: a literal text, a digit placeholder
    // ('0', '#' or '?'), the decimal point ('.') or General ('G').
    struct Item
    {
        char16_t placeholder; // 0 for a literal
        QString literal;
    };
    struct Section
    {
        QList<Item> items;
        bool grouped = false; // thousands separators
        int percents = 0;
        int decimals = 0; // placeholders after the decimal point
        bool hasDigits = false;
        bool general = false; // General stands for the number
    };

    bool parseTokens(QStringView code, bool englishNames);
    static bool parseSection(QStringView code, Section& section);
    static QString showSection(const Section& section, double magnitude, bool minus);
    QString showDateTime(double value, bool date1904) const;

    Kind m_kind = Kind::General;
    int m_width = 0;
    QList<Part> m_parts;
    QList<Section> m_sections;
    bool m_hasDate = false;
    bool m_hasTime = false;
    bool m_twelveHour = false;
};
