#include "barcodes/NKDModifiedPlesseyBarcode.h"

namespace {

const QString zeroBit = QStringLiteral("1000");
const QString oneBit = QStringLiteral("1110");

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Sum of the decimal digits of twice the number written by the digits,
// computed on the text so that no length overflows.
int digitSumOfDouble(const QByteArray& digits)
{
    int sum = 0;
    int carry = 0;
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        const int doubled = 2 * (digits.at(i) - '0') + carry;
        sum += doubled % 10;
        carry = doubled / 10;
    }
    return sum + carry;
}

} // namespace

QString NKDModifiedPlesseyBarcode::bitsPattern(int value)
{
    QString modules;
    for (int bit = 0; bit < 4; ++bit)
        modules += (value >> bit) & 1 ? oneBit : zeroBit;
    return modules;
}

bool NKDModifiedPlesseyBarcode::initWithContent(const QString& content, bool printsCaption)
{
    if (!NKDBarcode::initWithContent(content.toUpper(), printsCaption))
        return false;
    generateChecksum();
    calculateWidth();
    return true;
}

QString NKDModifiedPlesseyBarcode::_encodeChar(char c) const
{
    return isDigit(c) ? bitsPattern(c - '0') : QString();
}

bool NKDModifiedPlesseyBarcode::isContentValid() const
{
    return !content().isEmpty() && everyCharacterEncodes();
}

QString NKDModifiedPlesseyBarcode::initiator() const
{
    return oneBit + oneBit + zeroBit + oneBit;
}

QString NKDModifiedPlesseyBarcode::terminator() const
{
    return QStringLiteral("111") + zeroBit + zeroBit + oneBit + oneBit;
}

void NKDModifiedPlesseyBarcode::generateChecksum()
{
    const QByteArray bytes = contentBytes();
    // Characters counted from the right: the last one is position 1.
    QByteArray odd;
    int sum = 0;
    int position = 1;
    for (qsizetype i = bytes.size() - 1; i >= 0; --i, ++position) {
        if (position % 2 == 1)
            odd.append(bytes.at(i));
        else
            sum += bytes.at(i) - '0';
    }
    // The leading run of digits of the odd-position characters is the number
    // that is doubled; a letter ends it.
    qsizetype run = 0;
    while (run < odd.size() && isDigit(odd.at(run)))
        ++run;
    sum += digitSumOfDouble(odd.left(run));
    const int r = ((sum % 10) + 10) % 10;   // stays a digit even for refused characters
    m_checkDigit = r == 0 ? '0' : '0' + (10 - r);
}
