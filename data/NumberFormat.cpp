#include "data/NumberFormat.h"

#include <QDate>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

constexpr int SecondsPerDay = 86400;
constexpr qint64 MillisecondsPerDay = 86400000;

// The characters a code shows as they are without quotes.
constexpr QStringView BareLiterals = u" .,-/:()+!^&'~{}<>=";

bool isAsciiLetter(QChar c, char16_t lower)
{
    return c.unicode() == lower || c.unicode() == lower - (u'a' - u'A');
}

// Where the first section of a code ends: its first ";" outside quotes and
// escapes, or the end of the code.
qsizetype sectionEnd(QStringView code)
{
    for (qsizetype i = 0; i < code.size(); ++i) {
        if (code[i] == u'"') {
            const qsizetype close = code.indexOf(u'"', i + 1);
            if (close < 0)
                return code.size();
            i = close;
        } else if (code[i] == u'\\') {
            ++i;
        } else if (code[i] == u';') {
            return i;
        }
    }
    return code.size();
}

bool isColour(QStringView tag)
{
    static const char16_t* const names[] = {u"black",   u"blue", u"cyan",  u"green",
                                            u"magenta", u"red",  u"white", u"yellow"};
    for (const char16_t* name : names)
        if (tag.compare(QStringView(name), Qt::CaseInsensitive) == 0)
            return true;
    if (!tag.startsWith(u"color", Qt::CaseInsensitive))
        return false;
    bool ok = false;
    const int number = tag.mid(5).toInt(&ok);
    return ok && number >= 1 && number <= 56 && tag.size() <= 7;
}

// A language tag "$-HHHH" (no currency symbol before the dash): false when
// it is none or asks for another calendar or other digits (the bits above
// the language id). `english` tells whether names may be shown as ours are.
bool readLanguageTag(QStringView tag, bool& english)
{
    if (!tag.startsWith(u"$-") || tag.size() < 3 || tag.size() > 10)
        return false;
    bool ok = false;
    const uint id = tag.mid(2).toUInt(&ok, 16);
    if (!ok || id > 0xFFFF || tag.mid(2).startsWith(u'+'))
        return false;
    // The primary language: none (also the system formats F800 and F400)
    // or English.
    const uint language = id & 0x3FF;
    english = language == 0 || language == 0x09;
    return true;
}

// The day whose time of day a value gives: the value taken to 15
// significant digits, as many as a spreadsheet keeps, then cut to a whole
// number, so that 46000.99999999999 that stands for 46001 is 00:00:00.
double wholeDays(double value)
{
    if (value <= 0)
        return std::floor(value);
    // Below 1 only how close the value comes to 1 counts.
    const int digits = std::max(int(std::floor(std::log10(value))) + 1, 0);
    const double scale = std::pow(10.0, 15 - digits);
    return std::floor(std::round(value * scale) / scale);
}

// The second of the day a value shows, cut off and not rounded, so that no
// clock reads "24:00:00" or "…:60" and 23:59:59.9 is 23:59:59. The noise of
// binary fractions (14:20 kept as 0.59722222222222) is rounded away first:
// to nanoseconds, fewer decimals the more digits the day number takes.
int secondOfDay(double value)
{
    const double fraction = value - wholeDays(value);
    if (fraction <= 0 || fraction >= 1)
        return 0;
    const double raw = fraction * SecondsPerDay;
    const int decimals = value < 1 ? 9 : std::clamp(10 - int(std::ceil(std::log10(value))), 2, 9);
    const double scale = std::pow(10.0, decimals);
    const double seconds = std::round(raw * scale) / scale;
    return int(seconds < SecondsPerDay ? seconds : raw);
}

QString twoDigits(int n)
{
    return QString::number(n).rightJustified(2, u'0');
}

}

NumberFormat NumberFormat::fromCode(QStringView code)
{
    const qsizetype end = sectionEnd(code);
    // A second section is only allowed to be the one of text cells, "@".
    if (end < code.size() && code.mid(end + 1) != u"@")
        return {};
    QStringView section = code.left(end);
    bool englishNames = true;
    while (section.startsWith(u'[')) {
        const qsizetype close = section.indexOf(u']');
        if (close < 0)
            return {};
        const QStringView tag = section.mid(1, close - 1);
        if (!isColour(tag) && !readLanguageTag(tag, englishNames))
            return {};
        section = section.mid(close + 1);
    }
    NumberFormat format;
    if (!section.isEmpty() && section.count(u'0') == section.size()) {
        format.m_kind = Kind::ZeroPadding;
        format.m_width = int(section.size());
    } else if (format.parseTokens(section, englishNames)) {
        format.m_kind = Kind::DateTime;
    } else {
        return {};
    }
    return format;
}

NumberFormat NumberFormat::builtIn(uint id)
{
    static const char16_t* const codes[] = {
        u"yyyy-mm-dd",    u"d-mmm-yy", u"d-mmm",   u"mmm-yy",           u"h:mm AM/PM",
        u"h:mm:ss AM/PM", u"h:mm",     u"h:mm:ss", u"yyyy-mm-dd hh:mm",
    };
    if (id == 1)
        return fromCode(u"0");
    if (id >= 14 && id <= 22)
        return fromCode(QStringView(codes[id - 14]));
    return {};
}

bool NumberFormat::parseTokens(QStringView code, bool englishNames)
{
    const auto literal = [&](QStringView text) {
        if (m_parts.isEmpty() || m_parts.last().token != Token::Literal)
            m_parts.append({Token::Literal, QString()});
        m_parts.last().literal += text;
    };
    for (qsizetype i = 0; i < code.size();) {
        const QChar c = code[i];
        if (c == u'"') {
            const qsizetype close = code.indexOf(u'"', i + 1);
            if (close < 0)
                return false;
            literal(code.mid(i + 1, close - i - 1));
            i = close + 1;
        } else if (c == u'\\') {
            if (i + 1 >= code.size())
                return false;
            const qsizetype length = code[i + 1].isHighSurrogate() && i + 2 < code.size() ? 2 : 1;
            literal(code.mid(i + 1, length));
            i += 1 + length;
        } else if (code.mid(i).startsWith(u"am/pm", Qt::CaseInsensitive)) {
            if (!englishNames)
                return false;
            m_parts.append({Token::AmPm, QString()});
            m_twelveHour = true;
            i += 5;
        } else if (c.isLetter()) {
            const char16_t letter = c.toLower().unicode();
            qsizetype run = 1;
            while (i + run < code.size() && isAsciiLetter(code[i + run], letter))
                ++run;
            static const Token years[] = {Token::Year2, Token::Year4};
            static const Token months[] = {Token::Month, Token::Month2, Token::MonthShort, Token::MonthLong,
                                           Token::MonthLetter};
            static const Token days[] = {Token::Day, Token::Day2, Token::DayShort, Token::DayLong};
            Token token;
            if (letter == u'y' && (run == 2 || run == 4))
                token = years[run / 2 - 1];
            else if (letter == u'm' && run <= 5)
                token = months[run - 1];
            else if (letter == u'd' && run <= 4)
                token = days[run - 1];
            else if (letter == u'h' && run <= 2)
                token = run == 1 ? Token::Hour : Token::Hour2;
            else if (letter == u's' && run <= 2)
                token = run == 1 ? Token::Second : Token::Second2;
            else
                return false;
            if (!englishNames
                && (token == Token::MonthShort || token == Token::MonthLong || token == Token::MonthLetter
                    || token == Token::DayShort || token == Token::DayLong))
                return false;
            m_parts.append({token, QString()});
            i += run;
        } else if (BareLiterals.contains(c)) {
            literal(code.mid(i, 1));
            ++i;
        } else {
            return false;
        }
    }
    // m and mm are minutes right after an hour or right before a second
    // (literals between them do not count).
    const auto isHour = [](Token t) { return t == Token::Hour || t == Token::Hour2; };
    const auto isSecond = [](Token t) { return t == Token::Second || t == Token::Second2; };
    Token previous = Token::Literal;
    for (qsizetype k = 0; k < m_parts.size(); ++k) {
        Part& part = m_parts[k];
        if (part.token == Token::Literal)
            continue;
        const Token original = part.token;
        if (part.token == Token::Month || part.token == Token::Month2) {
            Token next = Token::Literal;
            for (qsizetype j = k + 1; j < m_parts.size() && next == Token::Literal; ++j)
                next = m_parts[j].token;
            if (isHour(previous) || isSecond(next))
                part.token = part.token == Token::Month ? Token::Minute : Token::Minute2;
        }
        previous = original;
        if (part.token >= Token::Year2 && part.token <= Token::DayLong)
            m_hasDate = true;
        else
            m_hasTime = true;
    }
    return std::any_of(m_parts.cbegin(), m_parts.cend(), [](const Part& p) { return p.token != Token::Literal; });
}

QString NumberFormat::show(QStringView stored, bool date1904) const
{
    if (m_kind == Kind::AsStored)
        return {};
    bool ok = false;
    const double value = stored.trimmed().toDouble(&ok);
    return ok ? show(value, date1904) : QString();
}

QString NumberFormat::show(double value, bool date1904) const
{
    if (!std::isfinite(value))
        return {};
    switch (m_kind) {
    case Kind::AsStored:
        break;
    case Kind::ZeroPadding:
        return showZeroPadding(value);
    case Kind::DateTime:
        return showDateTime(value, date1904);
    }
    return {};
}

QString NumberFormat::showZeroPadding(double value) const
{
    const double rounded = std::round(value);
    QString digits;
    if (std::fabs(rounded) < 1e15) {
        digits = QString::number(qint64(std::fabs(rounded)));
    } else {
        // Spreadsheets keep 15 significant digits and show zeros after them.
        const QString scientific = QString::number(std::fabs(value), 'e', 14);
        const qsizetype e = scientific.indexOf(u'e');
        digits = scientific.left(e).remove(u'.');
        digits += QString(std::max(0, scientific.mid(e + 1).toInt() - 14), u'0');
    }
    const bool negative = value < 0 && digits.count(u'0') != digits.size();
    return (negative ? QStringLiteral("-") : QString()) + digits.rightJustified(m_width, u'0');
}

QString NumberFormat::showDateTime(double value, bool date1904) const
{
    const QDate epoch = date1904 ? QDate(1904, 1, 1) : QDate(1899, 12, 30);
    if (value < 0 || value >= double(epoch.daysTo(QDate(10000, 1, 1))))
        return {};
    // The 1900 system counts 29 February 1900; days before 1 March 1900 are
    // one off between the programs that write it.
    if (m_hasDate && !date1904 && value < 61)
        return {};
    // The date is the day of the value taken to the millisecond.
    qint64 days = std::llround(value * double(MillisecondsPerDay)) / MillisecondsPerDay;
    int second = secondOfDay(value);
    // With a date beside it, a time that rounds to a whole day shows as the
    // start of the next one (23:59:59.9 on the 9th is 00:00 on the 10th).
    const double day = std::floor(value);
    if (m_hasDate && m_hasTime && std::round((value - day) * SecondsPerDay) >= SecondsPerDay) {
        days = qint64(day) + 1;
        second = 0;
    }
    const QDate date = epoch.addDays(days);
    if (date.year() > 9999)
        return {};
    const int hour = second / 3600;
    const int twelve = hour % 12 == 0 ? 12 : hour % 12;
    const QLocale english = QLocale::c();
    QString out;
    for (const Part& part : m_parts) {
        switch (part.token) {
        case Token::Literal:
            out += part.literal;
            break;
        case Token::Year2:
            out += twoDigits(date.year() % 100);
            break;
        case Token::Year4:
            out += QString::number(date.year()).rightJustified(4, u'0');
            break;
        case Token::Month:
            out += QString::number(date.month());
            break;
        case Token::Month2:
            out += twoDigits(date.month());
            break;
        case Token::MonthShort:
            out += english.monthName(date.month(), QLocale::ShortFormat);
            break;
        case Token::MonthLong:
            out += english.monthName(date.month(), QLocale::LongFormat);
            break;
        case Token::MonthLetter:
            out += english.monthName(date.month(), QLocale::LongFormat).left(1);
            break;
        case Token::Day:
            out += QString::number(date.day());
            break;
        case Token::Day2:
            out += twoDigits(date.day());
            break;
        case Token::DayShort:
            out += english.dayName(date.dayOfWeek(), QLocale::ShortFormat);
            break;
        case Token::DayLong:
            out += english.dayName(date.dayOfWeek(), QLocale::LongFormat);
            break;
        case Token::Hour:
            out += QString::number(m_twelveHour ? twelve : hour);
            break;
        case Token::Hour2:
            out += twoDigits(m_twelveHour ? twelve : hour);
            break;
        case Token::Minute:
            out += QString::number(second / 60 % 60);
            break;
        case Token::Minute2:
            out += twoDigits(second / 60 % 60);
            break;
        case Token::Second:
            out += QString::number(second % 60);
            break;
        case Token::Second2:
            out += twoDigits(second % 60);
            break;
        case Token::AmPm:
            out += hour < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
            break;
        }
    }
    return out;
}
