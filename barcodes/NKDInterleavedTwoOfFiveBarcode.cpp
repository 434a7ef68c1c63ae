#include "barcodes/NKDInterleavedTwoOfFiveBarcode.h"

namespace {
const char* const twoOfFiveTable[10] = {
    "NNWWN", "WNNNW", "NWNNW", "WWNNN", "NNWNW", "WNWNN", "NWWNN", "NNNWW", "WNNWN", "NWNWN",
};
} // namespace

bool NKDInterleavedTwoOfFiveBarcode::_getBarForDigit(char digit, int barNumber)
{
    if (digit < '0' || digit > '9' || barNumber < 0 || barNumber > 4)
        return true;
    return twoOfFiveTable[digit - '0'][barNumber] == 'N';
}

QString NKDInterleavedTwoOfFiveBarcode::barcode() const
{
    QByteArray digits = contentBytes();
    if (m_checkDigit != -1)
        digits.append(char(m_checkDigit));
    if (digits.size() % 2 != 0)
        digits.prepend('0');
    QString modules;
    for (qsizetype i = 0; i + 1 < digits.size(); i += 2) {
        for (int k = 0; k < 5; ++k) {
            modules += _getBarForDigit(digits.at(i), k) ? QStringLiteral("1") : QStringLiteral("111");
            modules += _getBarForDigit(digits.at(i + 1), k) ? QStringLiteral("0") : QStringLiteral("000");
        }
    }
    return modules;
}

bool NKDInterleavedTwoOfFiveBarcode::isContentValid() const
{
    if (content().isEmpty() || !contentIsAscii())
        return false;
    for (const char c : contentBytes()) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}
