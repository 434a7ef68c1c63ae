#include "data/NumberFormat.h"

#include <QDate>
#include <QLocale>
#include <QTime>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr int SecondsPerDay = 86400;
constexpr qint64 MillisecondsPerDay = 86400000;

// The characters a code shows as they are without quotes.
constexpr QStringView BareLiterals = u" .,-/:()+!^&'~{}<>=";

// The text of the quoted literal whose opening quote stands at `open`, and
// in `close` the place of its closing quote; false when it is not closed.
bool quotedText(QStringView code, qsizetype open, QStringView& text, qsizetype& close)
{
    close = code.indexOf(u'"', open + 1);
    if (close < 0)
        return false;
    text = code.mid(open + 1, close - open - 1);
    return true;
}

bool isAsciiLetter(QChar c, char16_t lower)
{
    return c.unicode() == lower || c.unicode() == lower - (u'a' - u'A');
}

// The sections of a code: its parts between ";" outside quotes, escapes
// and brackets.
QList<QStringView> splitSections(QStringView code)
{
    QList<QStringView> sections;
    qsizetype start = 0;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        const qsizetype close = c == u'"' ? code.indexOf(u'"', i + 1) : c == u'[' ? code.indexOf(u']', i + 1) : i;
        if (close < 0)
            break;
        i = c == u'\\' ? i + 1 : close;
        if (c == u';') {
            sections.append(code.mid(start, i - start));
            start = i + 1;
        }
    }
    sections.append(code.mid(start));
    return sections;
}

// Whether a section is that of text cells: an "@" outside quotes and
// escapes.
bool isTextSection(QStringView section)
{
    for (qsizetype i = 0; i < section.size(); ++i) {
        if (section[i] == u'"') {
            i = section.indexOf(u'"', i + 1);
            if (i < 0)
                return false;
        } else if (section[i] == u'\\') {
            ++i;
        } else if (section[i] == u'@') {
            return true;
        }
    }
    return false;
}

// A number's decimal digits: `digits` without leading zeros (empty for
// zero) stand for 0.digits times 10^point.
struct Decimal
{
    QByteArray digits;
    int point = 0;
};

// The decimal form of `magnitude` (finite, not negative) as spreadsheets
// keep it: 15 significant digits, and whole numbers below 2^53 with all
// their digits.
Decimal decimalOf(double magnitude)
{
    Decimal d;
    if (magnitude == 0)
        return d;
    char text[400];
    if (magnitude >= 1e15 && magnitude < 9007199254740992.0) {
        // Halves to the even neighbour, as the spreadsheet rounds them.
        std::snprintf(text, sizeof text, "%.0f", magnitude);
        d.digits = text;
        d.point = int(d.digits.size());
    } else {
        std::snprintf(text, sizeof text, "%.14e", magnitude);
        const QByteArray scientific(text);
        const qsizetype e = scientific.indexOf('e');
        d.digits = scientific.left(e).replace(".", "");
        d.point = scientific.mid(e + 1).toInt() + 1;
    }
    while (d.digits.endsWith('0'))
        d.digits.chop(1);
    return d;
}

// Rounds `d` half away from zero to `decimals` digits after the point.
void roundTo(Decimal& d, int decimals)
{
    const qsizetype keep = qsizetype(d.point) + decimals;
    if (keep >= d.digits.size())
        return;
    if (keep < 0) {
        d = {};
        return;
    }
    const bool up = d.digits[keep] >= '5';
    d.digits.truncate(keep);
    if (up) {
        qsizetype i = keep - 1;
        while (i >= 0 && d.digits[i] == '9')
            d.digits[i--] = '0';
        if (i < 0) {
            d.digits.prepend('1');
            ++d.point;
        } else {
            ++d.digits[i];
        }
    }
    while (d.digits.endsWith('0'))
        d.digits.chop(1);
    if (d.digits.isEmpty())
        d.point = 0;
}

// The digit of `d` at `position` places before (from 1) or after (from 0,
// negative: -1 the first decimal) its point.
char digitAt(const Decimal& d, int position)
{
    const qsizetype index = qsizetype(d.point) - position - (position < 0 ? 1 : 0);
    return index >= 0 && index < d.digits.size() ? d.digits[index] : '0';
}

// The digits before the point: none for a number below 1.
QString integerDigits(const Decimal& d)
{
    QString out;
    for (int position = d.point; position >= 1; --position)
        out += QLatin1Char(digitAt(d, position));
    return out;
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
    if (code.isEmpty())
        return {};
    QList<QStringView> sections = splitSections(code);
    // A text section may only come last, and a fourth section is one
    // whatever it holds; numbers have up to three.
    if (sections.size() == 4 || (sections.size() > 1 && isTextSection(sections.last())))
        sections.removeLast();
    if (sections.size() > 3 || std::any_of(sections.cbegin(), sections.cend(), isTextSection))
        return {};
    NumberFormat format;
    for (const QStringView text : sections) {
        Section section;
        if (!parseSection(text, section))
            break;
        format.m_sections.append(section);
    }
    const auto isGeneral = [](const Section& s) {
        return s.items.size() == 1 && s.items.first().placeholder == u'G' && s.percents == 0;
    };
    if (format.m_sections.size() == 1 && isGeneral(format.m_sections.first()))
        return {};
    if (format.m_sections.size() == sections.size()) {
        format.m_kind = Kind::Number;
        for (const Item& item : format.m_sections.first().items) {
            if (item.placeholder == u'.')
                break;
            format.m_width += item.placeholder == u'0' ? 1 : 0;
        }
        return format;
    }
    format.m_sections.clear();
    if (sections.size() != 1)
        return {};
    QStringView section = sections.first();
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
    if (!format.parseTokens(section, englishNames))
        return {};
    format.m_kind = Kind::DateTime;
    return format;
}

NumberFormat NumberFormat::builtIn(uint id)
{
    static const char16_t* const numbers[] = {u"0", u"0.00", u"#,##0", u"#,##0.00"};
    static const char16_t* const dates[] = {
        u"yyyy-mm-dd",    u"d-mmm-yy", u"d-mmm",   u"mmm-yy",           u"h:mm AM/PM",
        u"h:mm:ss AM/PM", u"h:mm",     u"h:mm:ss", u"yyyy-mm-dd hh:mm",
    };
    static const char16_t* const negatives[] = {u"#,##0_);(#,##0)", u"#,##0_);[Red](#,##0)", u"#,##0.00_);(#,##0.00)",
                                                u"#,##0.00_);[Red](#,##0.00)"};
    if (id >= 1 && id <= 4)
        return fromCode(QStringView(numbers[id - 1]));
    if (id == 9 || id == 10)
        return fromCode(id == 9 ? u"0%" : u"0.00%");
    if (id >= 14 && id <= 22)
        return fromCode(QStringView(dates[id - 14]));
    if (id >= 37 && id <= 40)
        return fromCode(QStringView(negatives[id - 37]));
    return {};
}

// Parses a number section into `section`; false for one that holds what
// is not understood. A section without digit placeholders shows its
// literals alone, or General between them.
bool NumberFormat::parseSection(QStringView code, Section& section)
{
    QList<Item>& items = section.items;
    const auto literal = [&](QStringView text) {
        if (items.isEmpty() || items.last().placeholder != 0)
            items.append({0, QString()});
        items.last().literal += text;
    };
    const auto isPlaceholder = [](QChar c) { return c == u'0' || c == u'#' || c == u'?'; };
    bool point = false;
    bool slash = false;
    bool currency = false;
    // Spaces that begin a section are left out.
    while (code.startsWith(u' '))
        code = code.mid(1);
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (c == u'"') {
            QStringView text;
            qsizetype close = 0;
            if (!quotedText(code, i, text, close))
                return false;
            literal(text);
            i = close;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            if (i + 1 >= code.size())
                return false;
            const qsizetype length = code[i + 1].isHighSurrogate() && i + 2 < code.size() ? 2 : 1;
            // "_x" stands for a space as wide as x; "*x" fills the cell with
            // x, which a text has no room for.
            if (c == u'\\')
                literal(code.mid(i + 1, length));
            else if (c == u'_')
                literal(u" ");
            i += length;
        } else if (c == u'[') {
            const qsizetype close = code.indexOf(u']', i + 1);
            if (close < 0)
                return false;
            const QStringView tag = code.mid(i + 1, close - i - 1);
            bool english = true;
            if (tag.startsWith(u'$') && !tag.startsWith(u"$-")) {
                // A currency: its symbol, then a language tag or none.
                const qsizetype dash = tag.indexOf(u'-');
                if (dash >= 0 && !readLanguageTag(QString(u'$').append(tag.mid(dash)), english))
                    return false;
                literal(tag.mid(1, (dash < 0 ? tag.size() : dash) - 1));
                currency = true;
            } else if (!isColour(tag) && !readLanguageTag(tag, english)) {
                return false;
            }
            i = close;
        } else if (isPlaceholder(c)) {
            items.append({c.unicode(), QString()});
            section.hasDigits = true;
            section.decimals += point ? 1 : 0;
        } else if (c == u'.' && !point) {
            items.append({u'.', QString()});
            point = true;
        } else if (c == u',') {
            // Between integer placeholders it groups thousands; after the
            // last one it would divide by 1000.
            const bool afterDigit = !items.isEmpty() && isPlaceholder(QChar(items.last().placeholder));
            if (afterDigit && !point && i + 1 < code.size() && isPlaceholder(code[i + 1]))
                section.grouped = true;
            else if (afterDigit)
                return false;
            else
                literal(u",");
        } else if (c == u'%') {
            ++section.percents;
            literal(u"%");
        } else if (code.mid(i, 7).compare(u"General", Qt::CaseInsensitive) == 0 && !section.general) {
            items.append({u'G', QString()});
            section.general = true;
            i += 6;
        } else if (c.isLetterOrNumber() || c == u'@' || c == u';') {
            return false;
        } else {
            slash = slash || c == u'/';
            literal(code.mid(i, c.isHighSurrogate() && i + 1 < code.size() ? 2 : 1));
            i += c.isHighSurrogate() && i + 1 < code.size() ? 1 : 0;
        }
    }
    // A slash among digits makes a fraction. General takes no placeholders
    // beside it; a percent or currency sign without a number to go with it
    // asks for one that is not written.
    if ((slash && section.hasDigits) || (section.general && (section.hasDigits || point)))
        return false;
    if (!section.hasDigits && !section.general && (section.percents > 0 || currency))
        return false;
    if (!section.hasDigits && !section.general) {
        // A point without digits is a literal too.
        for (Item& item : items)
            item = {0, item.placeholder ? QStringLiteral(".") : item.literal};
    }
    return section.percents <= 4;
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
            QStringView text;
            qsizetype close = 0;
            if (!quotedText(code, i, text, close))
                return false;
            literal(text);
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
    // m and mm are minutes right after an hour or right before a second,
    // and right after a second while no minute came before them (literals
    // between them do not count): "ss:mm" is seconds and minutes,
    // "hh:mm:ss:mm" ends in the month.
    const auto isHour = [](Token t) { return t == Token::Hour || t == Token::Hour2; };
    const auto isSecond = [](Token t) { return t == Token::Second || t == Token::Second2; };
    Token previous = Token::Literal;
    bool minute = false;
    for (qsizetype k = 0; k < m_parts.size(); ++k) {
        Part& part = m_parts[k];
        if (part.token == Token::Literal)
            continue;
        const Token original = part.token;
        if (part.token == Token::Month || part.token == Token::Month2) {
            Token next = Token::Literal;
            for (qsizetype j = k + 1; j < m_parts.size() && next == Token::Literal; ++j)
                next = m_parts[j].token;
            if (isHour(previous) || isSecond(next) || (isSecond(previous) && !minute))
                part.token = part.token == Token::Month ? Token::Minute : Token::Minute2;
            minute = minute || part.token != original;
        }
        previous = original;
        if (part.token >= Token::Year2 && part.token <= Token::DayLong)
            m_hasDate = true;
        else
            m_hasTime = true;
    }
    return std::any_of(m_parts.cbegin(), m_parts.cend(), [](const Part& p) { return p.token != Token::Literal; });
}

QString NumberFormat::general(double value)
{
    if (!std::isfinite(value))
        return {};
    const Decimal d = decimalOf(std::fabs(value));
    if (d.digits.isEmpty())
        return QStringLiteral("0");
    const QString sign = value < 0 ? QStringLiteral("-") : QString();
    const int exponent = d.point - 1;
    const QString digits = QString::fromLatin1(d.digits);
    // As the spreadsheet shows them: below 1, fixed decimals up to the
    // 16th place, all 15 digits down to 10^-4, never below 10^-9.
    const bool fixed = std::fabs(value) < 9007199254740992.0
        && (exponent >= -4 || (exponent >= -9 && digits.size() - exponent - 1 <= 16));
    if (!fixed) {
        const QString mantissa = digits.size() > 1 ? digits.left(1) + u'.' + digits.mid(1) : digits;
        const QString power = QString::number(std::abs(exponent)).rightJustified(exponent < 0 ? 2 : 3, u'0');
        return sign + mantissa + QLatin1StringView(exponent < 0 ? "E-" : "E+") + power;
    }
    if (d.point <= 0)
        return sign + QStringLiteral("0.") + QString(-d.point, u'0') + digits;
    if (d.point >= digits.size())
        return sign + digits + QString(d.point - digits.size(), u'0');
    return sign + digits.left(d.point) + u'.' + digits.mid(d.point);
}

bool NumberFormat::serialOfIsoDate(QStringView text, bool date1904, double& serial)
{
    text = text.trimmed();
    if (text.endsWith(u'Z'))
        text.chop(1);
    const qsizetype t = text.indexOf(u'T');
    const QDate date = QDate::fromString(text.left(t < 0 ? text.size() : t).toString(), Qt::ISODate);
    if (!date.isValid() || text.left(t < 0 ? text.size() : t).size() != 10)
        return false;
    int seconds = 0;
    if (t >= 0) {
        // The fraction of a second is left out, as spreadsheet programs do.
        QStringView clock = text.mid(t + 1);
        const qsizetype dot = clock.indexOf(u'.');
        if (dot >= 0) {
            const QStringView fraction = clock.mid(dot + 1);
            if (fraction.isEmpty()
                || !std::all_of(fraction.begin(), fraction.end(), [](QChar c) { return c.isDigit(); }))
                return false;
            clock = clock.left(dot);
        }
        const QTime time = QTime::fromString(clock.toString(), clock.size() == 5 ? u"HH:mm" : u"HH:mm:ss");
        if (!time.isValid())
            return false;
        seconds = time.msecsSinceStartOfDay() / 1000;
    }
    const QDate epoch = date1904 ? QDate(1904, 1, 1) : QDate(1899, 12, 30);
    serial = double(epoch.daysTo(date)) + double(seconds) / SecondsPerDay;
    return true;
}

QString NumberFormat::show(QStringView stored, bool date1904) const
{
    bool ok = false;
    const double value = stored.trimmed().toDouble(&ok);
    return ok ? show(value, date1904) : QString();
}

QString NumberFormat::show(double value, bool date1904) const
{
    if (!std::isfinite(value))
        return {};
    if (m_kind == Kind::Number) {
        const qsizetype count = m_sections.size();
        const qsizetype index = count == 3 && value == 0 ? 2 : count >= 2 && value < 0 ? 1 : 0;
        double magnitude = std::fabs(value);
        for (int k = 0; k < m_sections[index].percents; ++k)
            magnitude *= 100;
        // Only a number of one section shows its own minus sign.
        if (std::isfinite(magnitude))
            return showSection(m_sections[index], magnitude, index == 0 && value < 0);
    } else if (m_kind == Kind::DateTime) {
        const QString shown = showDateTime(value, date1904);
        if (!shown.isNull())
            return shown;
    }
    return general(value);
}

QString NumberFormat::showSection(const Section& section, double magnitude, bool minus)
{
    if (!section.hasDigits) {
        // Its text alone, or General between the texts.
        QString out = QStringLiteral("");
        for (const Item& item : section.items)
            out += item.placeholder == u'G' ? general(magnitude) : item.literal;
        return minus && section.general && magnitude != 0 ? u'-' + out : out;
    }
    // Whole numbers round the value itself, decimals its 15 digits.
    Decimal d = decimalOf(section.decimals == 0 && magnitude < 1e15 ? std::round(magnitude) : magnitude);
    roundTo(d, section.decimals);
    const QString whole = integerDigits(d);
    // Decimal places from the last: a zero at "#" shows nothing, at "?" a
    // space, up to the first digit that is no zero or placeholder "0".
    QList<QString> decimals;
    bool trailing = true;
    int position = -section.decimals;
    for (qsizetype k = section.items.size() - 1; k >= 0 && position < 0; --k) {
        const char16_t p = section.items[k].placeholder;
        if (p == 0 || p == u'.')
            continue;
        const char digit = digitAt(d, position++);
        trailing = trailing && p != u'0' && digit == '0';
        decimals.prepend(trailing ? (p == u'?' ? QStringLiteral(" ") : QString()) : QString(QLatin1Char(digit)));
    }
    const bool anyDecimal = std::any_of(decimals.cbegin(), decimals.cend(),
                                        [](const QString& text) { return !text.isEmpty(); });

    // The integer places from the last: each placeholder takes a digit from
    // the right, the first one all that are left.
    qsizetype pointAt = section.items.size();
    qsizetype firstDigit = -1;
    for (qsizetype k = 0; k < section.items.size(); ++k) {
        if (section.items[k].placeholder == u'.' && pointAt == section.items.size())
            pointAt = k;
        else if (section.items[k].placeholder && firstDigit < 0 && pointAt == section.items.size())
            firstDigit = k;
    }
    QString out = QStringLiteral("");
    qsizetype used = 0; // digits of `whole` shown
    int shown = 0;      // digits shown, padding zeros among them
    const auto prependDigit = [&](QChar digit) {
        if (section.grouped && shown > 0 && shown % 3 == 0)
            out.prepend(u',');
        out.prepend(digit);
        ++shown;
    };
    for (qsizetype k = pointAt - 1; k >= 0; --k) {
        const Item& item = section.items[k];
        if (!item.placeholder) {
            out.prepend(item.literal);
            continue;
        }
        const qsizetype left = whole.size() - used;
        if (k == firstDigit && left > 0) {
            for (; used < whole.size(); ++used)
                prependDigit(whole[whole.size() - 1 - used]);
        } else if (left > 0) {
            prependDigit(whole[whole.size() - 1 - used++]);
        } else if (item.placeholder == u'0') {
            prependDigit(u'0');
        } else if (item.placeholder == u'?') {
            out.prepend(u' ');
        }
    }
    // Without integer placeholders the digits stand before the point.
    if (firstDigit < 0)
        out += whole;
    qsizetype next = 0;
    for (qsizetype k = pointAt; k < section.items.size(); ++k) {
        const Item& item = section.items[k];
        if (!item.placeholder)
            out += item.literal;
        else if (item.placeholder != u'.')
            out += decimals[next++];
        else if (anyDecimal)
            out += u'.';
    }
    return minus && !d.digits.isEmpty() ? u'-' + out : out;
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
