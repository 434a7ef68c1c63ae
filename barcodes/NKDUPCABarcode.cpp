#include "barcodes/NKDUPCABarcode.h"

namespace {
constexpr int dataLength = 11;
} // namespace

bool NKDUPCABarcode::initWithContent(const QString& content, bool printsCaption)
{
    if (!NKDAbstractUPCEANBarcode::initWithContent(content, printsCaption))
        return false;
    takeCheckDigit(dataLength + 1);
    calculateWidth();
    return true;
}

bool NKDUPCABarcode::isContentValid() const
{
    return holdsDigitsWithTheirCheckDigit(dataLength);
}

void NKDUPCABarcode::generateChecksum()
{
    m_checkDigit = content().size() == dataLength ? checkDigitFor(contentBytes()) : -1;
}

QString NKDUPCABarcode::barcode() const
{
    QString modules;
    for (int i = 0; i < 6; ++i)
        modules += leftPattern(contentAt(i));
    modules += QStringLiteral("01010");
    for (int i = 6; i < dataLength; ++i)
        modules += rightPattern(contentAt(i));
    if (m_checkDigit != -1)
        modules += rightPattern(char(m_checkDigit));
    return modules;
}

QString NKDUPCABarcode::caption() const
{
    return content().mid(1, 5) + QLatin1Char('\t') + content().mid(6, 5);
}
