#include "barcodes/NKDUPCEBarcode.h"

namespace {
constexpr int dataLength = 7;
constexpr int upcaDataLength = 11;

// Parity of the six digits for number system 0, by check digit: E even,
// O odd. Number system 1 uses the inverse.
const char* const parityByCheckDigit[10] = {
    "EEEOOO", "EEOEOO", "EEOOEO", "EEOOOE", "EOEEOO",
    "EOOEEO", "EOOOEE", "EOEOEO", "EOEOOE", "EOOEOE",
};

bool isNumberSystem(QChar c)
{
    return c == QLatin1Char('0') || c == QLatin1Char('1');
}

bool isDigits(const QString& text)
{
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}
} // namespace

bool NKDUPCEBarcode::initWithContent(const QString& content, bool printsCaption)
{
    if (!NKDUPCABarcode::initWithContent(content, printsCaption))
        return false;
    m_text.setContent(content);
    m_checkDigit = -1;
    if (content.size() == dataLength + 1) {
        m_checkDigit = content.at(dataLength).unicode();
        m_text.setContent(content.left(dataLength));
    } else if (content.size() == dataLength) {
        generateChecksum();
    } else if (content.size() == upcaDataLength) {
        const int check = checkDigitFor(content.toLatin1());
        if (check != -1 && isDigits(content)) {
            const QString upce = UPCAToUPCE(content + QChar(check));
            if (!upce.isEmpty()) {
                m_text.setContent(upce);
                m_checkDigit = check;
            }
        }
    }
    calculateWidth();
    return true;
}

void NKDUPCEBarcode::generateChecksum()
{
    const QString upca = UPCEToUPCA(content());
    m_checkDigit = upca.isEmpty() ? -1 : checkDigitFor(upca.toLatin1());
}

bool NKDUPCEBarcode::isContentValid() const
{
    const QString upca = UPCEToUPCA(content());
    return !upca.isEmpty() && m_checkDigit == checkDigitFor(upca.toLatin1());
}

bool NKDUPCEBarcode::parityForDigit(int position) const
{
    if (position < 1 || position > 6 || m_checkDigit < '0' || m_checkDigit > '9')
        return false;
    const bool even = parityByCheckDigit[m_checkDigit - '0'][position - 1] == 'E';
    const bool systemZero = !content().isEmpty() && content().at(0) == QLatin1Char('0');
    return systemZero ? even : !even;
}

QString NKDUPCEBarcode::barcode() const
{
    QString modules;
    for (int i = 1; i <= 6; ++i) {
        const char c = contentAt(i);
        modules += parityForDigit(i) ? evenPattern(c) : leftPattern(c);
    }
    return modules;
}

QString NKDUPCEBarcode::caption() const
{
    return content().mid(1, 6);
}

QString NKDUPCEBarcode::UPCEToUPCA(const QString& upce)
{
    if (upce.size() != dataLength || !isDigits(upce) || !isNumberSystem(upce.at(0)))
        return {};
    const QString d = upce.mid(1);
    const QChar last = d.at(5);
    const QString ns = upce.left(1);
    if (last <= QLatin1Char('2'))
        return ns + d.mid(0, 2) + last + QStringLiteral("0000") + d.mid(2, 3);
    if (last == QLatin1Char('3'))
        return ns + d.mid(0, 3) + QStringLiteral("00000") + d.mid(3, 2);
    if (last == QLatin1Char('4'))
        return ns + d.mid(0, 4) + QStringLiteral("00000") + d.mid(4, 1);
    return ns + d.mid(0, 5) + QStringLiteral("0000") + last;
}

QString NKDUPCEBarcode::UPCAToUPCE(const QString& upca)
{
    if (upca.size() < upcaDataLength + 1 || !isDigits(upca.left(upcaDataLength + 1))
        || !isNumberSystem(upca.at(0)))
        return {};
    const QString c = upca.left(upcaDataLength + 1);
    const auto zeros = [&c](int from, int count) { return c.mid(from, count) == QString(count, QLatin1Char('0')); };
    QString six;
    if (c.at(3) <= QLatin1Char('2') && zeros(4, 4))
        six = c.mid(1, 2) + c.mid(8, 3) + c.at(3);
    else if (zeros(4, 5))
        six = c.mid(1, 3) + c.mid(9, 2) + QLatin1Char('3');
    else if (zeros(5, 5))
        six = c.mid(1, 4) + c.at(10) + QLatin1Char('4');
    else if (c.at(10) >= QLatin1Char('5') && zeros(6, 4))
        six = c.mid(1, 5) + c.at(10);
    else
        return {};
    // Only a compression that expands back to the same number is a UPC-E.
    const QString upce = c.left(1) + six;
    return UPCEToUPCA(upce) == c.left(upcaDataLength) ? upce : QString();
}
