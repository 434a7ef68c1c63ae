#include "platform/DatePattern.h"

#include <QTimeZone>

#include <cstdlib>

namespace {
QString padded(qint64 value, int width)
{
    const QString digits = QString::number(std::llabs(value)).rightJustified(width, QLatin1Char('0'));
    return value < 0 ? QLatin1Char('-') + digits : digits;
}

// "+HHMM", "+HH:MM", "+HH" (and "Z" for zero when `zForZero`).
QString offsetText(int seconds, bool colon, bool minutes, bool zForZero)
{
    if (seconds == 0 && zForZero)
        return QStringLiteral("Z");
    const QChar sign = seconds < 0 ? QLatin1Char('-') : QLatin1Char('+');
    const int total = std::abs(seconds) / 60;
    QString text = sign + padded(total / 60, 2);
    if (minutes)
        text += (colon ? QStringLiteral(":") : QString()) + padded(total % 60, 2);
    return text;
}

QString gmtText(int seconds, bool longForm)
{
    if (seconds == 0)
        return QStringLiteral("GMT");
    if (longForm)
        return QStringLiteral("GMT") + offsetText(seconds, true, true, false);
    const int total = std::abs(seconds) / 60;
    QString text = QStringLiteral("GMT") + (seconds < 0 ? QLatin1Char('-') : QLatin1Char('+'))
        + QString::number(total / 60);
    if (total % 60)
        text += QLatin1Char(':') + padded(total % 60, 2);
    return text;
}

QString yearText(int year, int n)
{
    if (n == 2)
        return padded(std::abs(year) % 100, 2);
    return padded(year, n);
}

QString monthText(int month, int n, const QLocale& locale, bool standAlone)
{
    if (n <= 2)
        return padded(month, n);
    const QLocale::FormatType type = n == 3 ? QLocale::ShortFormat
        : n == 4                           ? QLocale::LongFormat
                                           : QLocale::NarrowFormat;
    return standAlone ? locale.standaloneMonthName(month, type) : locale.monthName(month, type);
}

QString dayNameText(int dayOfWeek, int n, const QLocale& locale, bool standAlone)
{
    const QLocale::FormatType type = n == 4 ? QLocale::LongFormat
        : n == 5                           ? QLocale::NarrowFormat
                                           : QLocale::ShortFormat;
    return standAlone ? locale.standaloneDayName(dayOfWeek, type) : locale.dayName(dayOfWeek, type);
}

QString quarterText(int quarter, int n)
{
    if (n <= 2)
        return padded(quarter, n);
    if (n == 3)
        return QStringLiteral("Q%1").arg(quarter);
    static const char* const ordinals[] = {"1st", "2nd", "3rd", "4th"};
    return QString::fromLatin1(ordinals[quarter - 1]) + QStringLiteral(" quarter");
}

QString field(QChar letter, int n, const QDateTime& dt, const QLocale& locale)
{
    const QDate date = dt.date();
    const QTime time = dt.time();
    const int hour = time.hour();
    switch (letter.toLatin1()) {
    case 'G': {
        const bool ad = date.year() > 0;
        if (n == 4)
            return ad ? QStringLiteral("Anno Domini") : QStringLiteral("Before Christ");
        if (n == 5)
            return ad ? QStringLiteral("A") : QStringLiteral("B");
        return ad ? QStringLiteral("AD") : QStringLiteral("BC");
    }
    case 'y':
    case 'u':
        return yearText(date.year(), n);
    case 'Y': {
        int weekYear = date.year();
        date.weekNumber(&weekYear);
        return yearText(weekYear, n);
    }
    case 'Q':
    case 'q':
        return quarterText((date.month() - 1) / 3 + 1, n);
    case 'M':
        return monthText(date.month(), n, locale, false);
    case 'L':
        return monthText(date.month(), n, locale, true);
    case 'd':
        return padded(date.day(), n);
    case 'D':
        return padded(date.dayOfYear(), n);
    case 'F':
        return padded((date.day() - 1) / 7 + 1, n);
    case 'w':
        return padded(date.weekNumber(), n);
    case 'W': {
        const int firstDay = int(locale.firstDayOfWeek());
        const int lead = (QDate(date.year(), date.month(), 1).dayOfWeek() - firstDay + 7) % 7;
        return padded((date.day() - 1 + lead) / 7 + 1, n);
    }
    case 'g':
        return padded(date.toJulianDay() - 2400001, n);
    case 'E':
        return dayNameText(date.dayOfWeek(), n, locale, false);
    case 'e':
    case 'c':
        if (n <= 2)
            return padded((date.dayOfWeek() - int(locale.firstDayOfWeek()) + 7) % 7 + 1, n);
        return dayNameText(date.dayOfWeek(), n, locale, letter == QLatin1Char('c'));
    case 'a':
        return (hour < 12 ? locale.amText() : locale.pmText()).toUpper();
    case 'h':
        return padded(hour % 12 == 0 ? 12 : hour % 12, n);
    case 'H':
        return padded(hour, n);
    case 'K':
        return padded(hour % 12, n);
    case 'k':
        return padded(hour == 0 ? 24 : hour, n);
    case 'm':
        return padded(time.minute(), n);
    case 's':
        return padded(time.second(), n);
    case 'S': {
        const QString ms = padded(time.msec(), 3);
        return n <= 3 ? ms.left(n) : ms + QString(n - 3, QLatin1Char('0'));
    }
    case 'A':
        return padded(time.msecsSinceStartOfDay(), n);
    case 'z':
        if (n <= 3)
            return dt.timeZoneAbbreviation();
        return dt.timeZone().displayName(dt, QTimeZone::LongName, locale);
    case 'Z':
        if (n <= 3)
            return offsetText(dt.offsetFromUtc(), false, true, false);
        if (n == 4)
            return gmtText(dt.offsetFromUtc(), true);
        return offsetText(dt.offsetFromUtc(), true, true, true);
    case 'O':
        return gmtText(dt.offsetFromUtc(), n >= 4);
    case 'X':
    case 'x': {
        const bool z = letter == QLatin1Char('X');
        const int off = dt.offsetFromUtc();
        if (n == 1)
            return offsetText(off, false, off % 3600 != 0, z);
        return offsetText(off, n == 3 || n == 5, true, z);
    }
    case 'v':
    case 'V':
        return n == 2 && letter == QLatin1Char('V') ? QString::fromUtf8(dt.timeZone().id())
                                                     : dt.timeZoneAbbreviation();
    default:
        // Not a pattern letter: copied as it stands.
        return QString(n, letter);
    }
}

bool isAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}
}

QString formatWithDatePattern(const QDateTime& dateTime, const QString& pattern, const QLocale& locale)
{
    QString out;
    const qsizetype size = pattern.size();
    qsizetype i = 0;
    while (i < size) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('\'')) {
            if (i + 1 < size && pattern.at(i + 1) == QLatin1Char('\'')) {
                out += QLatin1Char('\'');
                i += 2;
                continue;
            }
            // Quoted text up to the closing quote; "''" inside is one quote.
            ++i;
            while (i < size) {
                if (pattern.at(i) == QLatin1Char('\'')) {
                    if (i + 1 < size && pattern.at(i + 1) == QLatin1Char('\'')) {
                        out += QLatin1Char('\'');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                out += pattern.at(i++);
            }
            continue;
        }
        if (isAsciiLetter(c)) {
            qsizetype run = 1;
            while (i + run < size && pattern.at(i + run) == c)
                ++run;
            out += field(c, int(run), dateTime, locale);
            i += run;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}
