#include "data/SeriesGeneratorRules.h"

#include "app/StringHelpers.h"

#include <algorithm>
#include <climits>

using Result = SeriesGeneratorRules::Result;
using Field = SeriesGeneratorRules::Field;

const QString SeriesGeneratorRules::fromMessage = QStringLiteral("Please enter valid 'From' value.");
const QString SeriesGeneratorRules::toMessage = QStringLiteral("Please enter valid 'To' value.");
const QString SeriesGeneratorRules::orderMessage = QStringLiteral("'From' value must be smaller than 'To' value.");
const QString SeriesGeneratorRules::valueMessage = QStringLiteral("Please enter valid 'Value'.");
const QString SeriesGeneratorRules::countMessage = QStringLiteral("Please enter valid 'Count' value.");
const QString SeriesGeneratorRules::lengthMessage = QStringLiteral("Please enter valid 'Length' value.");

namespace {
constexpr int maxNumber = 10000;
constexpr int maxFieldLength = 5;
constexpr int maxRandomLength = 9;

Result failure(const QString& message, Field focus)
{
    Result result;
    result.message = message;
    result.focus = focus;
    return result;
}

bool isBlank(const QString& text)
{
    return Trim_Str(text).isEmpty();
}

// The count of a constant or random series: the field's text after its
// limits. A count below 1 (a negative number pasted in) would make an empty
// series and report it as made, so it counts as no valid count.
int countOf(const QString& text)
{
    return SeriesGeneratorRules::intValue(SeriesGeneratorRules::limitCount(text));
}
} // namespace

int SeriesGeneratorRules::intValue(const QString& text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text.at(i) == u' ' || text.at(i) == u'\t' || text.at(i) == u'\n' || text.at(i) == u'\r'
                     || text.at(i) == u'\v' || text.at(i) == u'\f'))
        ++i;
    bool negative = false;
    if (i < n && (text.at(i) == u'-' || text.at(i) == u'+')) {
        negative = text.at(i) == u'-';
        ++i;
    }
    long long value = 0;
    for (; i < n && text.at(i) >= u'0' && text.at(i) <= u'9'; ++i) {
        value = value * 10 + (text.at(i).unicode() - u'0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            return negative ? INT_MIN : INT_MAX;
    }
    if (negative)
        return static_cast<int>(-value);
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

QString SeriesGeneratorRules::PadZero(const QString& text, int length)
{
    if (text.startsWith(u'-'))
        return u'-' + PadZero(text.mid(1), length - 1);
    if (text.size() >= length)
        return text;
    return QString(length - text.size(), u'0') + text;
}

QString SeriesGeneratorRules::limitFromTo(const QString& text)
{
    QString result = text.left(maxFieldLength);
    if (intValue(result) > maxNumber)
        result = QString::number(maxNumber);
    return result;
}

QString SeriesGeneratorRules::limitCount(const QString& text)
{
    const QString trimmed = Trim_Str(text);
    QString result = text;
    if (trimmed.isEmpty() || intValue(trimmed) == 0)
        result = QStringLiteral("1");
    else if (trimmed.size() > maxFieldLength)
        result = trimmed.left(maxFieldLength);
    if (intValue(result) > maxNumber)
        result = QString::number(maxNumber);
    return result;
}

QString SeriesGeneratorRules::limitRandomLength(const QString& text)
{
    const QString trimmed = Trim_Str(text);
    QString result = text;
    if (trimmed.isEmpty() || intValue(trimmed) == 0)
        result = QStringLiteral("1");
    else if (trimmed.size() > 1)
        result = trimmed.left(1);
    if (intValue(result) > maxRandomLength)
        result = QString::number(maxRandomLength);
    return result;
}

uint32_t SeriesGeneratorRules::getRandomNumberBetweenMin(uint32_t min, uint32_t max, QRandomGenerator& generator)
{
    if (min > max)
        std::swap(min, max);
    return static_cast<uint32_t>(generator.bounded(static_cast<qint64>(min), static_cast<qint64>(max) + 1));
}

Result SeriesGeneratorRules::sequential(const QString& prefix, const QString& from, const QString& to,
                                        const QString& suffix, bool zeroPadding)
{
    if (isBlank(from))
        return failure(fromMessage, Field::From);
    if (isBlank(to))
        return failure(toMessage, Field::To);
    // The fields hold at most five characters and nothing above 10000, so
    // a series has at most 20,000 values (-9999 to 10000).
    const QString fromText = limitFromTo(from);
    const QString toText = limitFromTo(to);
    const int first = intValue(fromText);
    const int last = intValue(toText);
    if (last <= first)
        return failure(orderMessage, Field::From);

    const int width = static_cast<int>(std::max(fromText.size(), toText.size()));
    Result result;
    result.values.reserve(last - first + 1);
    for (int i = first; i <= last; ++i) {
        QString number = QString::number(i);
        if (zeroPadding)
            number = PadZero(number, width);
        result.values.append(prefix + number + suffix);
    }
    return result;
}

Result SeriesGeneratorRules::constant(const QString& value, const QString& count)
{
    if (value.isEmpty())
        return failure(valueMessage, Field::Value);
    if (isBlank(count) || countOf(count) < 1)
        return failure(countMessage, Field::Count);
    Result result;
    const int n = countOf(count);
    result.values.reserve(n);
    for (int i = 0; i < n; ++i)
        result.values.append(value);
    return result;
}

Result SeriesGeneratorRules::random(const QString& prefix, const QString& length, const QString& suffix,
                                    const QString& count, QRandomGenerator& generator)
{
    if (isBlank(count) || countOf(count) < 1)
        return failure(countMessage, Field::Count);
    const int digits = intValue(Trim_Str(limitRandomLength(length)));
    if (isBlank(length) || digits < 1 || digits > maxRandomLength)
        return failure(lengthMessage, Field::Length);

    uint32_t min = 1;
    for (int i = 1; i < digits; ++i)
        min *= 10;
    const uint32_t max = min * 10 - 1;
    Result result;
    const int n = countOf(count);
    result.values.reserve(n);
    for (int i = 0; i < n; ++i)
        result.values.append(prefix + QString::number(getRandomNumberBetweenMin(min, max, generator)) + suffix);
    return result;
}
