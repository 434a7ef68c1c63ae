#include "barcodes/NKDAbstractUPCEANBarcode.h"

#include "barcodes/UPCEANString.h"

namespace {
const char* const leftOddPatterns[10] = {
    "0001101", "0011001", "0010011", "0111101", "0100011",
    "0110001", "0101111", "0111011", "0110111", "0001011",
};
constexpr float quietZoneFactor = 1.2f;
} // namespace

QString NKDAbstractUPCEANBarcode::_encodeChar(char c) const
{
    if (c < '0' || c > '9')
        return {};
    return QString::fromLatin1(leftOddPatterns[c - '0']);
}

QString NKDAbstractUPCEANBarcode::rightCaption() const
{
    if (m_checkDigit == -1)
        return {};
    return QString(QChar(m_checkDigit));
}

void NKDAbstractUPCEANBarcode::generateChecksum()
{
    m_checkDigit = checkDigitFor(contentBytes());
}

void NKDAbstractUPCEANBarcode::calculateWidth()
{
    if (content().isEmpty()) {
        m_text.setWidth(0);
        return;
    }
    m_text.setWidth(float(completeBarcode().size()) * m_barWidth * quietZoneFactor);
}

int NKDAbstractUPCEANBarcode::checkDigitFor(const QByteArray& digits)
{
    if (digits.isEmpty() || !allDigits(digits))
        return -1;
    int sum = 0;
    bool triple = true;
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        const int d = digits.at(i) - '0';
        sum += triple ? 3 * d : d;
        triple = !triple;
    }
    return '0' + (10 - sum % 10) % 10;
}

bool NKDAbstractUPCEANBarcode::allDigits(const QByteArray& text)
{
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

bool NKDAbstractUPCEANBarcode::holdsDigitsWithTheirCheckDigit(int dataLength) const
{
    const QByteArray digits = contentBytes();
    return contentIsAscii() && content().size() == dataLength && allDigits(digits)
        && m_checkDigit == checkDigitFor(digits);
}

char NKDAbstractUPCEANBarcode::contentAt(int index) const
{
    const QByteArray bytes = contentBytes();
    return index >= 0 && index < bytes.size() ? bytes.at(index) : '\0';
}

QString NKDAbstractUPCEANBarcode::rightPattern(char c) const
{
    return UPCEANString::swapHandedness(_encodeChar(c));
}

QString NKDAbstractUPCEANBarcode::evenPattern(char c) const
{
    return UPCEANString::swapParity(_encodeChar(c));
}

void NKDAbstractUPCEANBarcode::takeCheckDigit(int fullLength)
{
    const int length = int(content().size());
    if (length == fullLength) {
        m_checkDigit = content().at(fullLength - 1).unicode();
        m_text.setContent(content().left(fullLength - 1));
    } else if (length == fullLength - 1) {
        generateChecksum();
    } else {
        // Longer values are not cut down to a shorter number: they stay as
        // given and are refused by the validity test.
        m_checkDigit = -1;
    }
}
