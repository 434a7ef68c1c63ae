#include "barcodes/NKDCode128Barcode.h"

#include <QtDebug>

namespace {

// Element widths (bar, space, bar, space, bar, space) of the symbol values
// 0 to 105 of the Code 128 symbol table; 103 to 105 are START A, B and C.
const char* const symbolWidths[106] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212", "221213",
    "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221", "223211", "221132",
    "221231", "213212", "223112", "312131", "311222", "321122", "321221", "312212", "322112", "322211",
    "212123", "212321", "232121", "111323", "131123", "131321", "112313", "132113", "132311", "211313",
    "231113", "231311", "112133", "112331", "132131", "113123", "113321", "133121", "313121", "211331",
    "231131", "213113", "213311", "213131", "311123", "311321", "331121", "312113", "312311", "332111",
    "314111", "221411", "431111", "111224", "111422", "121124", "121421", "141122", "141221", "112214",
    "112412", "122114", "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111",
    "111242", "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311", "113141",
    "114131", "311141", "411131", "211412", "211214", "211232",
};
const char* const stopWidths = "2331112";

constexpr int shiftValue = 98;
constexpr int codeBValue = 100;
constexpr int startAValue = 103;

QString modulesFromWidths(const char* widths)
{
    QString modules;
    bool bar = true;
    for (const char* w = widths; *w; ++w) {
        modules += QString(*w - '0', bar ? QLatin1Char('1') : QLatin1Char('0'));
        bar = !bar;
    }
    return modules;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

QString NKDCode128Barcode::patternForValue(int value)
{
    if (value < 0 || value > 105)
        return {};
    return modulesFromWidths(symbolWidths[value]);
}

bool NKDCode128Barcode::initWithContent(const QString& content, bool printsCaption)
{
    if (!NKDBarcode::initWithContent(content, printsCaption))
        return false;
    if (m_codeSet == SetAuto)
        m_codeSet = _bestCodeSetForContent();
    generateChecksum();
    calculateWidth();
    return true;
}

int NKDCode128Barcode::_bestCodeSetForContent() const
{
    int digits = 0;
    int controls = 0;
    int lowerCase = 0;
    const QByteArray bytes = contentBytes();
    for (const char c : bytes) {
        if (isDigit(c))
            ++digits;
        else if ((c >= 0 && c < 32) || c == 127)
            ++controls;
        else if (c >= 'a' && c <= 'z')
            ++lowerCase;
    }
    if (digits == bytes.size() && digits == content().size())
        return SetC;
    return controls > lowerCase ? SetA : SetB;
}

QString NKDCode128Barcode::initiator() const
{
    if (m_codeSet >= SetA && m_codeSet <= SetC)
        return patternForValue(startAValue + m_codeSet);
    // The automatic set is only pending during the first width of the
    // initialiser; any other value is a caller's mistake.
    if (m_codeSet != SetAuto)
        qWarning("Invalid codeSet value: %d", m_codeSet);
    return {};
}

QString NKDCode128Barcode::terminator() const
{
    return modulesFromWidths(stopWidths);
}

int NKDCode128Barcode::valueInSet(char c, int set)
{
    const int code = static_cast<unsigned char>(c);
    if (set == SetA) {
        if (code >= 32 && code <= 95)
            return code - 32;
        if (code < 32)
            return code + 64;
    } else if (set == SetB) {
        if (code >= 32 && code <= 127)
            return code - 32;
    }
    return -1;
}

bool NKDCode128Barcode::_canEncodeChar(char c, int set) const
{
    return valueInSet(c, set) != -1;
}

QString NKDCode128Barcode::_encodeChar(char c, int set) const
{
    return patternForValue(valueInSet(c, set));
}

QString NKDCode128Barcode::_shiftCharacterForSet(int set) const
{
    Q_UNUSED(set);
    return patternForValue(shiftValue);
}

QString NKDCode128Barcode::_encodeChar(char c) const
{
    if (m_codeSet != SetA && m_codeSet != SetB)
        return {};
    if (_canEncodeChar(c, m_codeSet))
        return _encodeChar(c, m_codeSet);
    const int other = m_codeSet == SetA ? SetB : SetA;
    if (!_canEncodeChar(c, other))
        return {};
    return _shiftCharacterForSet(other) + _encodeChar(c, other);
}

QString NKDCode128Barcode::_encodeNumberPair(const QString& pair) const
{
    bool ok = false;
    const int value = pair.toInt(&ok);
    if (!ok || value < 0 || value > 102)
        return {};
    return patternForValue(value);
}

int NKDCode128Barcode::_valueForChar(char c) const
{
    return valueInSet(c, m_codeSet);
}

std::vector<int> NKDCode128Barcode::symbolValues() const
{
    std::vector<int> values;
    const QByteArray bytes = contentBytes();
    int set = m_codeSet;
    const auto addChar = [&values, &set](char c) {
        const int value = valueInSet(c, set);
        if (value != -1) {
            values.push_back(value);
            return;
        }
        const int other = set == SetA ? SetB : SetA;
        const int shifted = valueInSet(c, other);
        if (shifted != -1) {
            values.push_back(shiftValue);
            values.push_back(shifted);
        }
    };
    qsizetype i = 0;
    if (set == SetC) {
        // Pairs of digits while they last; whatever follows (a lone last
        // digit, or text) continues in set B.
        while (i + 1 < bytes.size() && isDigit(bytes.at(i)) && isDigit(bytes.at(i + 1))) {
            values.push_back((bytes.at(i) - '0') * 10 + (bytes.at(i + 1) - '0'));
            i += 2;
        }
        if (i < bytes.size()) {
            values.push_back(codeBValue);
            set = SetB;
        }
    }
    for (; i < bytes.size(); ++i)
        addChar(bytes.at(i));
    return values;
}

void NKDCode128Barcode::generateChecksum()
{
    if (m_codeSet < SetA || m_codeSet > SetC) {
        m_checkDigit = -1;
        return;
    }
    // Kept reduced as it goes, so long contents cannot overflow.
    int sum = startAValue + m_codeSet;
    int position = 1;
    for (const int value : symbolValues()) {
        sum = (sum + position * value) % 103;
        position = position % 103 + 1;
    }
    m_checkDigit = sum % 103;
}

QString NKDCode128Barcode::barcode() const
{
    QString modules;
    for (const int value : symbolValues())
        modules += patternForValue(value);
    if (m_checkDigit >= 0)
        modules += _encodeNumberPair(QString::number(m_checkDigit));
    return modules;
}

bool NKDCode128Barcode::isContentValid() const
{
    return !content().isEmpty() && contentIsAscii();
}
