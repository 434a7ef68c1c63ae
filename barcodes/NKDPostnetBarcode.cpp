#include "barcodes/NKDPostnetBarcode.h"

namespace {

// The two tall bars (numbered 1 to 5) of each digit.
const int tallBars[10][2] = {
    {1, 2}, {4, 5}, {3, 5}, {3, 4}, {2, 5}, {2, 4}, {2, 3}, {1, 5}, {1, 4}, {1, 3},
};
constexpr float pointsPerInch = 72.0f;
constexpr float frameBarPoints = 9.0f;

} // namespace

bool NKDPostnetBarcode::initWithContent(const QString& content, bool printsCaption)
{
    if (content.isNull())
        return false;
    m_text.setContent(content);
    m_barWidth = 1.08f;
    m_text.setPrintsCaption(printsCaption);
    generateChecksum();
    m_text.setHeight(9.0f);
    calculateWidth();
    return true;
}

QString NKDPostnetBarcode::_encodeChar(char c) const
{
    Q_UNUSED(c);
    return QStringLiteral("100100100100100");
}

void NKDPostnetBarcode::generateChecksum()
{
    int sum = 0;
    for (const char c : contentBytes()) {
        if (c >= '0' && c <= '9')
            sum += c - '0';
    }
    m_checkDigit = '0' + (10 - sum % 10) % 10;
}

bool NKDPostnetBarcode::isContentValid() const
{
    const QByteArray bytes = contentBytes();
    if (bytes.size() != 5 && bytes.size() != 9 && bytes.size() != 11)
        return false;
    for (const char c : bytes) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

bool NKDPostnetBarcode::isTallBar(char digit, int bar)
{
    if (digit < '0' || digit > '9')
        return false;
    const int* tall = tallBars[digit - '0'];
    return bar == tall[0] || bar == tall[1];
}

char NKDPostnetBarcode::digitAt(int digitIndex) const
{
    const QByteArray bytes = contentBytes();
    if (digitIndex >= 0 && digitIndex < bytes.size())
        return bytes.at(digitIndex);
    return char(m_checkDigit);
}

float NKDPostnetBarcode::_heightForDigit(int digitIndex, int bar) const
{
    const char digit = digitAt(digitIndex);
    if (digit < '0' || digit > '9')
        return 0.0f;
    return isTallBar(digit, bar) ? tallInches : shortInches;
}

float NKDPostnetBarcode::barTop(int index) const
{
    const int count = int(completeBarcode().size());
    if (index == 0 || index >= count - 1)
        return frameBarPoints;
    const int d = (index - 3) / 15;
    const int b = (index - 15 * d) / 3;
    return _heightForDigit(d, b) * pointsPerInch;
}
