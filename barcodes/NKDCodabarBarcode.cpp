#include "barcodes/NKDCodabarBarcode.h"

namespace {

struct CodabarCharacter
{
    char character;
    const char* modules;
};

// Narrow element one module, wide two.
const CodabarCharacter codabarTable[] = {
    {'0', "101010011"},  {'1', "101011001"},  {'2', "101001011"},  {'3', "110010101"},
    {'4', "101101001"},  {'5', "110101001"},  {'6', "100101011"},  {'7', "100101101"},
    {'8', "100110101"},  {'9', "110100101"},  {'-', "101001101"},  {'$', "101100101"},
    {':', "1101011011"}, {'/', "1101101011"}, {'.', "1101101101"}, {'+', "1011011011"},
    {'A', "1011001001"}, {'B', "1001001011"}, {'C', "1010010011"}, {'D', "1010011001"},
};

bool isStartStop(char c)
{
    return c >= 'A' && c <= 'D';
}

} // namespace

QString NKDCodabarBarcode::_encodeChar(char c) const
{
    for (const CodabarCharacter& entry : codabarTable) {
        if (entry.character == c)
            return QString::fromLatin1(entry.modules);
    }
    return {};
}

QString NKDCodabarBarcode::barcode() const
{
    QString modules;
    for (const char c : contentBytes()) {
        const QString pattern = _encodeChar(c);
        if (pattern.isEmpty())
            continue;
        if (!modules.isEmpty())
            modules += QLatin1Char('0');
        modules += pattern;
    }
    return modules;
}

bool NKDCodabarBarcode::isContentValid() const
{
    if (!everyCharacterEncodes())
        return false;
    const QByteArray bytes = contentBytes();
    if (bytes.size() < 2 || !isStartStop(bytes.front()) || !isStartStop(bytes.back()))
        return false;
    for (qsizetype i = 1; i + 1 < bytes.size(); ++i) {
        if (isStartStop(bytes.at(i)))
            return false;
    }
    return true;
}
