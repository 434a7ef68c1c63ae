#pragma once

// How a workbook shows a number cell, for the two kinds of number format
// that decide what a badge must carry: zero padding (a code made only of
// "0", so 5 with "000000" shows "000005") and dates and times (codes of
// day, month, year, hour, minute, second and AM/PM tokens between literal
// separators, so 46000 with "dd.mm.yyyy" shows "09.12.2025"). Every other
// code (General, decimals, currency, percent, fractions, conditions,
// elapsed time, names of a language other than English, ...) shows the
// value as stored, and so does a value a format cannot show.
//
// Format codes come from untrusted workbooks: a code is parsed once into
// tokens, and anything it holds that is not understood makes it a format
// that shows the value as stored.

#include <QList>
#include <QString>
#include <QStringView>

class NumberFormat
{
public:
    enum class Kind {
        AsStored,
        ZeroPadding,
        DateTime,
    };

    // Shows every value as stored.
    NumberFormat() = default;

    // The format of a code as a workbook's styles give it ("000000",
    // "dd.mm.yyyy;@", "[$-409]h:mm AM/PM"). Understood, before the code:
    // colours ("[Red]") and a language tag ("[$-407]"; names of months and
    // days and AM/PM only for English or no language); after it: a second
    // section "@" (that for text cells). Tokens are case-insensitive: y as
    // yy or yyyy; m, mm (minutes right after an hour or before a second),
    // mmm "Dec", mmmm "December", mmmmm "D"; d, dd, ddd "Tue", dddd
    // "Tuesday"; h, hh (1 to 12 with AM/PM); s, ss; AM/PM. Literals: text in
    // double quotes, a character after a backslash, and the bare characters
    // " .,-/:()+!^&'~{}<>=".
    static NumberFormat fromCode(QStringView code);
    // The format of a built-in format id: 1 is "0"; 14 to 22 are dates and
    // times, of which the short date 14 shows as "yyyy-mm-dd" and 22 as
    // "yyyy-mm-dd hh:mm" (spreadsheet programs show these two in the
    // machine's own date order; ours is one that reads the same everywhere),
    // 15 "d-mmm-yy", 16 "d-mmm", 17 "mmm-yy", 18 "h:mm AM/PM", 19 "h:mm:ss
    // AM/PM", 20 "h:mm", 21 "h:mm:ss". Every other id shows values as stored.
    static NumberFormat builtIn(uint id);

    Kind kind() const { return m_kind; }
    // The number of digits a zero padding pads to.
    int width() const { return m_width; }

    // The text the format shows for `value`; a null string when it shows
    // the value as stored. Zero padding rounds to a whole number (halves
    // away from zero), keeps 15 significant digits as spreadsheets do, and
    // shows a minus sign only before a number that is not zero. Dates count
    // days from 30 December 1899 (from 1 January 1904 with `date1904`), the
    // day of the value taken to the millisecond, and show times to the
    // whole second below (after rounding away the noise of binary
    // fractions, so 14:20 kept as 0.59722222222222 shows 14:20), as
    // spreadsheet programs show them: no clock reads "24:00" or ":60"; a
    // time shown with its date that rounds to a whole day shows as 00:00 of
    // the next day, one shown alone as 23:59:59. A negative value, one
    // past 9999, and a date before 1 March 1900 (where the 1900 system
    // counts a day that never was) show as stored.
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

    bool parseTokens(QStringView code, bool englishNames);
    QString showZeroPadding(double value) const;
    QString showDateTime(double value, bool date1904) const;

    Kind m_kind = Kind::AsStored;
    int m_width = 0;
    QList<Part> m_parts;
    bool m_hasDate = false;
    bool m_hasTime = false;
    bool m_twelveHour = false;
};
