#pragma once

#include "platform/AttributedText.h"
#include "platform/Colour.h"
#include "platform/FontSpec.h"

#include <QList>
#include <QString>
#include <optional>

class KeyedArchiver;
class KeyedUnarchiver;

// The platform's archived attributed text (text storage):
// {"NSString": the characters, "NSAttributes": one attribute dictionary for
// the whole text} or, for several runs, "NSAttributes" as an array of
// dictionaries and "NSAttributeInfo" as data of (run length, dictionary
// index) pairs, each number in 7-bit groups, lowest group first, with the
// high bit set on every group but the last. Of the attributes only the font
// ("NSFont") and the foreground colour ("NSColor") are kept.
class ArchivedText
{
public:
    struct Run {
        qsizetype length = 0;     // in UTF-16 units
        FontSpec font;
        Colour colour;
    };
    struct Text {
        QString string;
        QList<Run> runs;          // cover the string in order; empty for no attributes
    };

    // Writes one run of `font` and `colour` over the whole string; an empty
    // string has no attributes.
    static quint64 encode(KeyedArchiver& archiver, const QString& string, const FontSpec& font, const Colour& colour);
    static std::optional<Text> decode(KeyedUnarchiver& coder);

    // A keyed archive whose root is the text, and the text of one (with the
    // first run's font and colour).
    static QByteArray archivedData(const AttributedText& text);
    static std::optional<AttributedText> fromArchivedData(const QByteArray& data);

    // (length, index) pairs of an "NSAttributeInfo"; empty when malformed.
    static QList<std::pair<quint64, quint64>> parseRunInfo(const QByteArray& info);
    static QByteArray runInfo(const QList<std::pair<quint64, quint64>>& runs);

private:
    static std::optional<Run> decodeAttributes(KeyedUnarchiver& coder);
};
