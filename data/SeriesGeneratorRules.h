#pragma once

#include <QRandomGenerator>
#include <QString>
#include <QStringList>

#include <cstdint>

// The rules of the series generator without its window: the limits its
// fields keep while the user types, and the values of the three kinds of
// series (sequential numbers, a constant value, random numbers). A check
// that fails gives the text the dialog shows and the field that takes the
// focus; nothing here shows anything itself.
class SeriesGeneratorRules {
public:
    enum class Field { None, From, To, Value, Count, Length };

    struct Result {
        QString message;           // empty when the values were made
        Field focus = Field::None; // the field to focus after a message
        QStringList values;

        bool ok() const { return message.isEmpty(); }
    };

    // The integer at the start of the text, read the way the platform's
    // string "intValue" reads it: leading blanks skipped, an optional sign,
    // then decimal digits; 0 when there are none; INT_MAX or INT_MIN when
    // the number does not fit.
    static int intValue(const QString& text);

    // The text with "0" put in front until it is at least `length`
    // characters long. A negative number is padded after its sign ("-5" to
    // length 3 gives "-05"), so padding keeps it a number.
    static QString PadZero(const QString& text, int length);

    // Field limits, applied as the user types. Each returns the text the
    // field is to show, the given text itself when no rule applies.
    static QString limitFromTo(const QString& text);
    static QString limitCount(const QString& text);
    static QString limitRandomLength(const QString& text);

    // A uniformly chosen integer in [min, max], both ends included (the
    // ends are swapped when given the wrong way round).
    static uint32_t getRandomNumberBetweenMin(uint32_t min, uint32_t max, QRandomGenerator& generator);

    // Sequential numbers from..to, each between prefix and suffix; with
    // zeroPadding every number is padded to the length of the longer of the
    // two texts as typed.
    static Result sequential(const QString& prefix, const QString& from, const QString& to,
                             const QString& suffix, bool zeroPadding);
    // The value, unchanged, count times.
    static Result constant(const QString& value, const QString& count);
    // count random numbers of `length` digits, each between prefix and suffix.
    static Result random(const QString& prefix, const QString& length, const QString& suffix,
                         const QString& count, QRandomGenerator& generator);

    // The messages of the dialog, word for word.
    static const QString fromMessage;
    static const QString toMessage;
    static const QString orderMessage;
    static const QString valueMessage;
    static const QString countMessage;
    static const QString lengthMessage;
};
