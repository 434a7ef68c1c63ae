#include "platform/ArchivedText.h"

#include "platform/ArchivedColour.h"
#include "platform/ArchivedFont.h"
#include "platform/KeyedArchiver.h"
#include "platform/KeyedUnarchiver.h"

namespace {
const QStringList textClasses {QStringLiteral("NSTextStorage"), QStringLiteral("NSMutableAttributedString"),
                               QStringLiteral("NSAttributedString"), QStringLiteral("NSObject")};
const QString fontKey = QStringLiteral("NSFont");
const QString colourKey = QStringLiteral("NSColor");

void appendNumber(QByteArray& out, quint64 v)
{
    do {
        quint8 group = v & 0x7F;
        v >>= 7;
        if (v)
            group |= 0x80;
        out.append(char(group));
    } while (v);
}
} // namespace

quint64 ArchivedText::encode(KeyedArchiver& archiver, const QString& string, const FontSpec& font,
                             const Colour& colour)
{
    return archiver.addObject(textClasses, [&](KeyedArchiver& a) {
        a.encodeString(QStringLiteral("NSString"), string.isNull() ? QString(QLatin1String("")) : string);
        if (string.isEmpty())
            return;
        QList<quint64> keys;
        QList<quint64> values;
        if (const quint64 f = ArchivedFont::encode(a, font)) {
            keys.append(a.addString(fontKey));
            values.append(f);
        }
        if (const quint64 c = ArchivedColour::encode(a, colour)) {
            keys.append(a.addString(colourKey));
            values.append(c);
        }
        if (!keys.isEmpty())
            a.encodeReference(QStringLiteral("NSAttributes"), a.addDictionary(keys, values));
    });
}

QByteArray ArchivedText::runInfo(const QList<std::pair<quint64, quint64>>& runs)
{
    QByteArray out;
    for (const auto& [length, index] : runs) {
        appendNumber(out, length);
        appendNumber(out, index);
    }
    return out;
}

QList<std::pair<quint64, quint64>> ArchivedText::parseRunInfo(const QByteArray& info)
{
    QList<quint64> numbers;
    quint64 value = 0;
    int shift = 0;
    for (const char byte : info) {
        const quint8 b = quint8(byte);
        if (shift > 56)
            return {};
        value |= quint64(b & 0x7F) << shift;
        if (b & 0x80) {
            shift += 7;
            continue;
        }
        numbers.append(value);
        value = 0;
        shift = 0;
    }
    if (shift != 0 || numbers.size() % 2 != 0)
        return {};
    QList<std::pair<quint64, quint64>> runs;
    for (qsizetype i = 0; i < numbers.size(); i += 2)
        runs.append({numbers[i], numbers[i + 1]});
    return runs;
}

std::optional<ArchivedText::Run> ArchivedText::decodeAttributes(KeyedUnarchiver& coder)
{
    const PlistNode dict = coder.current();
    const PlistNode keys = dict.value("NS.keys");
    const PlistNode values = dict.value("NS.objects");
    if (!keys.isArray() || !values.isArray())
        return std::nullopt;
    Run run;
    const quint32 n = std::min(keys.count(), values.count());
    for (quint32 i = 0; i < n; ++i) {
        const QString key = coder.decodeReference<QString>(keys.at(i), &KeyedUnarchiver::stringObject).value_or(QString());
        if (key == fontKey)
            run.font = coder.decodeReference<FontSpec>(values.at(i), &ArchivedFont::decode).value_or(FontSpec());
        else if (key == colourKey)
            run.colour = coder.decodeReference<Colour>(values.at(i), &ArchivedColour::decode).value_or(Colour());
    }
    return run;
}

std::optional<ArchivedText::Text> ArchivedText::decode(KeyedUnarchiver& coder)
{
    if (!coder.current().isDictionary())
        return std::nullopt;
    Text text;
    text.string = coder.decodeString(QStringLiteral("NSString"));
    if (text.string.isNull())
        return std::nullopt;
    const qsizetype length = text.string.size();
    if (length == 0)
        return text;

    // "NSAttributes" is one dictionary for the whole text, or an array of
    // dictionaries that "NSAttributeInfo" assigns to runs.
    const PlistNode attributes = coder.value(QStringLiteral("NSAttributes"));
    const auto dictionaries = coder.decodeReference<QList<PlistNode>>(
        attributes, [](KeyedUnarchiver& c) -> std::optional<QList<PlistNode>> {
            if (!c.current().isDictionary() || c.containsKey(QStringLiteral("NS.keys")))
                return std::nullopt;
            return c.arrayElements();
        });
    if (!dictionaries) {
        if (auto run = coder.decodeReference<Run>(attributes, &ArchivedText::decodeAttributes)) {
            run->length = length;
            text.runs.append(*run);
        }
        return text;
    }
    if (dictionaries->isEmpty())
        return text;

    QList<Run> styles;
    for (const PlistNode& d : *dictionaries)
        styles.append(coder.decodeReference<Run>(d, &ArchivedText::decodeAttributes).value_or(Run()));
    const auto pairs = parseRunInfo(coder.decodeBytes(QStringLiteral("NSAttributeInfo")));
    qsizetype covered = 0;
    for (const auto& [runLength, index] : pairs) {
        if (index >= quint64(styles.size()) || runLength == 0 || runLength > quint64(length - covered)) {
            text.runs.clear();
            break;
        }
        Run run = styles[qsizetype(index)];
        run.length = qsizetype(runLength);
        text.runs.append(run);
        covered += run.length;
    }
    if (text.runs.isEmpty() || covered != length) {
        // Runs that do not cover the text exactly: keep the first style
        // for all of it rather than losing the characters.
        Run run = styles.first();
        run.length = length;
        text.runs = {run};
    }
    return text;
}

QByteArray ArchivedText::archivedData(const AttributedText& text)
{
    KeyedArchiver archiver;
    return archiver.archive(encode(archiver, text.string(), text.font(), text.foregroundColour()));
}

std::optional<AttributedText> ArchivedText::fromArchivedData(const QByteArray& data)
{
    KeyedUnarchiver coder(data);
    const std::optional<Text> text = coder.decodeRoot<Text>(&ArchivedText::decode);
    if (!text)
        return std::nullopt;
    const Run first = text->runs.value(0);
    return AttributedText(text->string, first.font, first.colour);
}
