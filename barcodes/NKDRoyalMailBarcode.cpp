#include "barcodes/NKDRoyalMailBarcode.h"

namespace {

// Bar states of "0" to "9" and "A" to "Z", one hexadecimal digit per bar.
const int characterTable[36] = {
    0x0033, 0x0123, 0x0132, 0x1023, 0x1032, 0x1122, 0x0213, 0x0303, 0x0312, 0x1203, // 0-9
    0x1212, 0x1302, 0x0231, 0x0321, 0x0330, 0x1221, 0x1230, 0x1320, 0x2013, 0x2103, // A-J
    0x2112, 0x3003, 0x3012, 0x3102, 0x2031, 0x2121, 0x2130, 0x3021, 0x3030, 0x3120, // K-T
    0x2211, 0x2301, 0x2310, 0x3201, 0x3210, 0x3300,                                 // U-Z
};
const char* const checkCharacters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

constexpr float pointsPerMillimetre = 72.0f / 25.4f;
constexpr float fullTopMillimetres = 5.05f;
constexpr float shortTopMillimetres = 3.15f;
constexpr float liftedBottomMillimetres = fullTopMillimetres - shortTopMillimetres;

int tableIndex(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 10;
    return -1;
}

} // namespace

int NKDRoyalMailBarcode::characterBars(char c)
{
    const int index = tableIndex(c);
    return index == -1 ? -1 : characterTable[index];
}

bool NKDRoyalMailBarcode::initWithContent(const QString& content, bool printsCaption)
{
    Q_UNUSED(printsCaption);
    if (content.isNull())
        return false;
    // Letters have one form only in this code.
    m_text.setContent(content.toUpper());
    m_barWidth = 1.4173229f;
    m_text.setPrintsCaption(false);
    generateChecksum();
    m_text.setHeight(14.3149605f);
    calculateWidth();
    return true;
}

QString NKDRoyalMailBarcode::_encodeChar(char c) const
{
    Q_UNUSED(c);
    return QStringLiteral("10101010");
}

bool NKDRoyalMailBarcode::isContentValid() const
{
    if (content().isEmpty() || !contentIsAscii())
        return false;
    for (const char c : contentBytes()) {
        if (tableIndex(c) == -1)
            return false;
    }
    return true;
}

void NKDRoyalMailBarcode::generateChecksum()
{
    int top = 0;
    int bottom = 0;
    for (const char c : contentBytes()) {
        const int bars = characterBars(c);
        if (bars == -1)
            continue;
        // Bars 1 to 3 weigh 4, 2 and 1; bar 4 is not counted.
        for (int bar = 0; bar < 3; ++bar) {
            const int state = (bars >> (4 * (3 - bar))) & 0xF;
            const int weight = 4 >> bar;
            if (state & Ascender)
                top += weight;
            if (state & Descender)
                bottom += weight;
        }
    }
    const int t = top % 6;
    const int b = bottom % 6;
    const int row = t == 0 ? 5 : t - 1;
    const int column = b == 0 ? 5 : b - 1;
    m_checkDigit = checkCharacters[row * 6 + column];
}

int NKDRoyalMailBarcode::_barDescriptor(int index) const
{
    const int n = int(contentBytes().size());
    if (index == 0)
        return Ascender;
    if (index < 2)
        return Tracker;   // the space after the start bar
    if (index >= (n + 1) * 8 + 2)
        return Full;
    const int k = index - 2;
    const int c = k / 8;
    const int p = k % 8;
    const char character = c < n ? contentBytes().at(c) : char(m_checkDigit);
    const int bars = characterBars(character);
    if (bars == -1)
        return Tracker;
    return (bars >> (4 * (3 - p / 2))) & 0xF;
}

float NKDRoyalMailBarcode::barTop(int index) const
{
    const bool ascends = _barDescriptor(index) & Ascender;
    return (ascends ? fullTopMillimetres : shortTopMillimetres) * pointsPerMillimetre;
}

float NKDRoyalMailBarcode::barBottom(int index) const
{
    const bool descends = _barDescriptor(index) & Descender;
    return descends ? 0.0f : liftedBottomMillimetres * pointsPerMillimetre;
}
