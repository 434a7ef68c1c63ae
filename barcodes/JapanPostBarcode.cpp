#include "barcodes/JapanPostBarcode.h"

#include <algorithm>

namespace {

struct JapanPostCharacter
{
    char character;
    const char* bars;   // states of the three bars, first bar first
};

const JapanPostCharacter characterTable[] = {
    {'0', "300"}, {'1', "330"}, {'2', "312"}, {'3', "132"}, {'4', "321"}, {'5', "303"}, {'6', "123"},
    {'7', "231"}, {'8', "213"}, {'9', "033"}, {'-', "030"}, {'.', "003"}, {'/', "333"}, {':', "120"},
    {';', "102"}, {'<', "210"}, {'=', "012"}, {'>', "201"}, {'?', "021"},
};
// Check characters by value 0 to 18.
const char* const checkCharacters = "0123456789-:;<=>?./";

constexpr int codeLength = 20;
constexpr char fillCharacter = '=';
constexpr int startBars[2] = {JapanPostBarcode::Full, JapanPostBarcode::Descender};
constexpr int stopBars[2] = {JapanPostBarcode::Descender, JapanPostBarcode::Full};
constexpr float pointsPerMillimetre = 1.0f / 0.3527777777777777f;
constexpr float minimumBarWidth = 1.3333334f;
constexpr float maximumBarWidth = 1.9166666f;

int codeValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    switch (c) {
    case '-': return 10;
    case ':': return 11;
    case ';': return 12;
    case '<': return 13;
    case '=': return 14;
    default: return 0;
    }
}

} // namespace

int JapanPostBarcode::characterBars(char c)
{
    for (const JapanPostCharacter& entry : characterTable) {
        if (entry.character == c)
            return (entry.bars[0] - '0') * 16 + (entry.bars[1] - '0') * 4 + (entry.bars[2] - '0');
    }
    return -1;
}

bool JapanPostBarcode::initWithContent(const QString& content, bool printsCaption, float barWidth, float height,
                                       float fontSize, int checkDigit)
{
    Q_UNUSED(printsCaption);
    Q_UNUSED(barWidth);
    Q_UNUSED(fontSize);
    Q_UNUSED(checkDigit);
    if (content.isNull())
        return false;
    setContent(content);
    setSymbolSize(height >= 8.0f && height <= 11.5f ? height : 10.0f);
    return true;
}

void JapanPostBarcode::setContent(const QString& content)
{
    const QString upper = content.toUpper();
    QByteArray code;
    QString shown;
    for (const QChar ch : upper) {
        const ushort c = ch.unicode();
        if ((c >= '0' && c <= '9') || c == '-') {
            code.append(char(c));
            shown.append(ch);
        } else if (c >= 'A' && c <= 'J') {
            code.append(':').append(char('0' + (c - 'A')));
            shown.append(ch);
        } else if (c >= 'K' && c <= 'T') {
            code.append(';').append(char('0' + (c - 'K')));
            shown.append(ch);
        } else if (c >= 'U' && c <= 'Z') {
            code.append('<').append(char('0' + (c - 'U')));
            shown.append(ch);
        }
    }
    if (code.size() > codeLength) {
        // Keep only the shown characters whose code still fits entirely.
        code.truncate(codeLength);
        int kept = 0;
        for (const char c : code) {
            if ((c >= '0' && c <= '9') || c == '-')
                ++kept;
        }
        shown.truncate(kept);
    }
    while (code.size() < codeLength)
        code.append(fillCharacter);
    m_japanpostContents = QString::fromLatin1(code);
    m_text.setContent(shown);
    generateChecksum();
}

void JapanPostBarcode::setSymbolSize(float size)
{
    m_symbolSize = std::clamp(size, 8.5f, 11.5f);
    m_barWidth = m_symbolSize / 6.0f;
    m_text.setHeight(m_symbolSize);
    calculateWidth();
}

float JapanPostBarcode::fullBarHeight() const
{
    return 3.6f * m_symbolSize / 10.0f * pointsPerMillimetre;
}

void JapanPostBarcode::setHeight(float height)
{
    m_text.setHeight(std::max(height, fullBarHeight()));
    calculateWidth();
}

void JapanPostBarcode::setBarWidth(float barWidth)
{
    m_barWidth = std::clamp(barWidth, minimumBarWidth, maximumBarWidth);
    m_symbolSize = 6.0f * m_barWidth;
    m_text.setHeight(m_symbolSize);
    calculateWidth();
}

QString JapanPostBarcode::_encodeChar(char c) const
{
    Q_UNUSED(c);
    return QStringLiteral("101010");
}

QString JapanPostBarcode::barcode() const
{
    QString modules;
    for (int i = 0; i <= codeLength; ++i)
        modules += _encodeChar(i < m_japanpostContents.size() ? m_japanpostContents.at(i).toLatin1() : '\0');
    return modules;
}

void JapanPostBarcode::generateChecksum()
{
    int sum = 0;
    for (const QChar c : m_japanpostContents)
        sum += codeValue(c.toLatin1());
    const int v = (19 - sum % 19) % 19;
    m_checkDigit = checkCharacters[v];
}

bool JapanPostBarcode::isContentValid() const
{
    if (content().size() < 7)
        return false;
    for (int i = 0; i < 7; ++i) {
        if (content().at(i) < QLatin1Char('0') || content().at(i) > QLatin1Char('9'))
            return false;
    }
    return true;
}

int JapanPostBarcode::_barDescriptor(int index) const
{
    const int dataEnd = 4 + (codeLength + 1) * 6;
    if (index < 0)
        return Tracker;
    if (index < 4)
        return startBars[index / 2];
    if (index < dataEnd) {
        const int c = (index - 4) / 6;
        const int bar = ((index - 4) % 6) / 2;
        const char character =
            c < codeLength && c < m_japanpostContents.size() ? m_japanpostContents.at(c).toLatin1() : char(m_checkDigit);
        const int bars = characterBars(character);
        if (bars == -1)
            return Tracker;
        return (bars >> (2 * (2 - bar))) & 3;
    }
    return stopBars[((index - dataEnd) % 3) / 2];
}

float JapanPostBarcode::barTop(int index) const
{
    const bool ascends = _barDescriptor(index) & Ascender;
    return ascends ? fullBarHeight() : 2.4f * m_symbolSize / 10.0f * pointsPerMillimetre;
}

float JapanPostBarcode::barBottom(int index) const
{
    const bool descends = _barDescriptor(index) & Descender;
    return descends ? 0.0f : 1.2f * m_symbolSize / 10.0f * pointsPerMillimetre;
}
