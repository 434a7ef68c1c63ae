#include "barcodes/NKDEAN8Barcode.h"

namespace {
constexpr int dataLength = 7;
} // namespace

bool NKDEAN8Barcode::initWithContent(const QString& content, bool printsCaption)
{
    if (!NKDEAN13Barcode::initWithContent(content, printsCaption))
        return false;
    m_text.setContent(content);
    takeCheckDigit(dataLength + 1);
    calculateWidth();
    return true;
}

bool NKDEAN8Barcode::isContentValid() const
{
    return holdsDigitsWithTheirCheckDigit(dataLength);
}

void NKDEAN8Barcode::generateChecksum()
{
    m_checkDigit = content().size() >= dataLength ? checkDigitFor(contentBytes().left(dataLength)) : -1;
}

QString NKDEAN8Barcode::barcode() const
{
    QString modules;
    for (int i = 0; i < 4; ++i)
        modules += leftPattern(contentAt(i));
    modules += QStringLiteral("01010");
    for (int i = 4; i < dataLength; ++i)
        modules += rightPattern(contentAt(i));
    if (m_checkDigit != -1)
        modules += rightPattern(char(m_checkDigit));
    return modules;
}

QString NKDEAN8Barcode::caption() const
{
    return QStringLiteral(" ") + content().left(4) + QLatin1Char('\t') + content().mid(4, 3)
        + NKDAbstractUPCEANBarcode::rightCaption();
}
