#include "barcodes/NKDEAN13Barcode.h"

namespace {
// Parity of the six left digits for each system digit: L odd, G even.
const char* const parityBySystemDigit[10] = {
    "LLLLLL", "LLGLGG", "LLGGLG", "LLGGGL", "LGLLGG",
    "LGGLLG", "LGGGLL", "LGLGLG", "LGLGGL", "LGGLGL",
};
constexpr int dataLength = 12;
} // namespace

bool NKDEAN13Barcode::initWithContent(const QString& content, bool printsCaption)
{
    if (!NKDAbstractUPCEANBarcode::initWithContent(content, printsCaption))
        return false;
    takeCheckDigit(dataLength + 1);
    calculateWidth();
    return true;
}

bool NKDEAN13Barcode::isContentValid() const
{
    return holdsDigitsWithTheirCheckDigit(dataLength);
}

void NKDEAN13Barcode::generateChecksum()
{
    m_checkDigit = content().size() == dataLength ? checkDigitFor(contentBytes()) : -1;
}

bool NKDEAN13Barcode::_parityForSystemDigit(char systemDigit, int index)
{
    if (systemDigit < '0' || systemDigit > '9' || index < 1 || index > 6)
        return false;
    return parityBySystemDigit[systemDigit - '0'][index - 1] == 'G';
}

QString NKDEAN13Barcode::barcode() const
{
    const char system = contentAt(0);
    QString modules;
    for (int i = 1; i <= 6; ++i) {
        const char c = contentAt(i);
        modules += _parityForSystemDigit(system, i) ? evenPattern(c) : leftPattern(c);
    }
    modules += QStringLiteral("01010");
    for (int i = 7; i < dataLength; ++i)
        modules += rightPattern(contentAt(i));
    if (m_checkDigit != -1)
        modules += rightPattern(char(m_checkDigit));
    return modules;
}

QString NKDEAN13Barcode::caption() const
{
    return QStringLiteral("  ") + content().mid(1, 6) + QLatin1Char('\t') + content().mid(7, 5)
        + NKDAbstractUPCEANBarcode::rightCaption();
}
