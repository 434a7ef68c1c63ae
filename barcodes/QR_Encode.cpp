#include "barcodes/QR_Encode.h"

#include <cstring>

using namespace QRTables;

namespace {

// Finder pattern rows (bit 6 the leftmost module) and alignment pattern rows
// (bit 4 the leftmost module).
constexpr uint8_t finderRows[7] = {0x7F, 0x41, 0x5D, 0x5D, 0x5D, 0x41, 0x7F};
constexpr uint8_t alignmentRows[5] = {0x1F, 0x11, 0x15, 0x11, 0x1F};

// Error correction level bits of the format information for L, M, Q, H.
constexpr int formatLevelBits[4] = {1, 0, 3, 2};

constexpr int groupFirstVersion[3] = {1, 10, 27};
constexpr int groupLastVersion[3] = {9, 26, 40};

// Every mask repeats after 12 rows and 6 columns.
struct MaskTable
{
    uint8_t bit[8][12][6] = {};
};

constexpr MaskTable makeMaskTable()
{
    MaskTable t;
    for (int k = 0; k < 8; ++k)
        for (int i = 0; i < 12; ++i)
            for (int j = 0; j < 6; ++j)
                t.bit[k][i][j] = maskCondition(k, i, j) ? 1 : 0;
    return t;
}

constexpr MaskTable maskTable = makeMaskTable();

// data followed by the remainder of its division by the BCH generator.
constexpr int bchCode(int data, int generator, int generatorDegree)
{
    int value = data << generatorDegree;
    for (int bit = 30; bit >= generatorDegree; --bit)
        if (value & (1 << bit))
            value ^= generator << (bit - generatorDegree);
    return (data << generatorDegree) | value;
}

} // namespace

CQR_Encode::CQR_Encode() = default;

bool CQR_Encode::EncodeData(int64_t nLevel, int64_t nVersion, bool bAutoExtent, int64_t nMaskingNo,
                            const char* lpsSource, int64_t ncSource, bool bUtf8Source)
{
    m_nSymbleSize = 0;
    if (nLevel < 0 || nLevel > 3 || nVersion < 0 || nVersion > MAX_VERSION || nMaskingNo < -1 || nMaskingNo > 7
        || lpsSource == nullptr)
        return false;

    m_nLevel = nLevel;
    m_nVersion_pass = nVersion == 0 ? 1 : nVersion;
    m_bAutoExtent = bAutoExtent;
    m_nMaskingNo = nMaskingNo;
    m_bUtf8Source = bUtf8Source;

    const int64_t ncLength = ncSource > 0 ? ncSource : int64_t(std::strlen(lpsSource));
    // No symbol holds more characters than MAX_SOURCE; the segment tables
    // have room for one segment per byte up to that length.
    if (ncLength == 0 || ncLength > MAX_SOURCE)
        return false;

    m_bUtf8Eci = false;
    if (bUtf8Source)
        for (int64_t i = 0; i < ncLength && !m_bUtf8Eci; ++i)
            m_bUtf8Eci = static_cast<unsigned char>(lpsSource[i]) >= 0x80;

    const int64_t nEncodeVersion = GetEncodeVersion(nVersion, lpsSource, ncLength);
    if (nEncodeVersion == 0)
        return false;
    if (nVersion == 0) {
        m_nVersion = nEncodeVersion;
    } else {
        if (nEncodeVersion > nVersion && !bAutoExtent)
            return false;
        m_nVersion = nEncodeVersion > nVersion ? nEncodeVersion : nVersion;
    }

    const int level = int(m_nLevel);
    const QR_VERSIONINFO& info = QR_VersonInfo[m_nVersion];
    const int64_t ncDataCodeWord = info.ncDataCodeWord[level];

    // Terminator, then pad codewords.
    const int64_t ncTerminator = min(4, ncDataCodeWord * 8 - m_ncDataCodeWordBit);
    if (ncTerminator > 0)
        m_ncDataCodeWordBit = SetBitStream(m_ncDataCodeWordBit, 0, ncTerminator);
    uint8_t byPad = 0xEC;
    for (int64_t i = (m_ncDataCodeWordBit + 7) / 8; i < ncDataCodeWord; ++i) {
        m_byDataCodeWord[i] = byPad;
        byPad = byPad == 0xEC ? 0x11 : 0xEC;
    }

    // Interleave the data codewords block by block into column order; the
    // last codeword of the longer blocks follows all the others.
    const RS_BLOCKINFO& kind1 = info.RS_BlockInfo1[level];
    const RS_BLOCKINFO& kind2 = info.RS_BlockInfo2[level];
    const int64_t ncBlock1 = kind1.ncRSBlock;
    const int64_t ncBlockSum = ncBlock1 + kind2.ncRSBlock;
    m_ncAllCodeWord = info.ncAllCodeWord;
    std::memset(m_byAllCodeWord, 0, sizeof(m_byAllCodeWord));

    int64_t nDataCwIndex = 0;
    for (int64_t b = 0; b < ncBlockSum; ++b) {
        const int64_t ncBlockData = b < ncBlock1 ? kind1.ncDataCodeWord : kind2.ncDataCodeWord;
        for (int64_t k = 0; k < ncBlockData; ++k) {
            const int64_t position = k < kind1.ncDataCodeWord ? ncBlockSum * k + b
                                                               : ncBlockSum * kind1.ncDataCodeWord + (b - ncBlock1);
            m_byAllCodeWord[position] = m_byDataCodeWord[nDataCwIndex + k];
        }
        nDataCwIndex += ncBlockData;
    }

    // Error correction codewords per block, interleaved the same way.
    const int64_t ncRSCodeWord = kind1.ncAllCodeWord - kind1.ncDataCodeWord;
    nDataCwIndex = 0;
    for (int64_t b = 0; b < ncBlockSum; ++b) {
        const int64_t ncBlockData = b < ncBlock1 ? kind1.ncDataCodeWord : kind2.ncDataCodeWord;
        std::memset(m_byRSWork, 0, sizeof(m_byRSWork));
        std::memcpy(m_byRSWork, m_byDataCodeWord + nDataCwIndex, size_t(ncBlockData));
        GetRSCodeWord(m_byRSWork, ncBlockData, ncRSCodeWord);
        for (int64_t k = 0; k < ncRSCodeWord; ++k)
            m_byAllCodeWord[ncDataCodeWord + ncBlockSum * k + b] = m_byRSWork[k];
        nDataCwIndex += ncBlockData;
    }

    m_nSymbleSize = m_nVersion * 4 + 17;
    FormatModule();
    return true;
}

int64_t CQR_Encode::GetEncodeVersion(int64_t nVersion, const char* lpsSource, int64_t ncLength)
{
    for (int nVerGroup = versionGroup(int(nVersion)); nVerGroup < 3; ++nVerGroup) {
        if (!EncodeSourceData(lpsSource, ncLength, nVerGroup))
            continue;
        const int64_t ncCodeWord = (m_ncDataCodeWordBit + 7) / 8;
        for (int v = groupFirstVersion[nVerGroup]; v <= groupLastVersion[nVerGroup]; ++v)
            if (QR_VersonInfo[v].ncDataCodeWord[m_nLevel] >= ncCodeWord)
                return v;
    }
    return 0;
}

bool CQR_Encode::IsNumeralData(unsigned char c)
{
    return c >= '0' && c <= '9';
}

bool CQR_Encode::IsAlphabetData(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == ' ' || c == '$' || c == '%' || c == '*'
           || c == '+' || c == '-' || c == '.' || c == '/' || c == ':';
}

bool CQR_Encode::IsKanjiData(unsigned char c1, unsigned char c2)
{
    if (((c1 >= 0x81 && c1 <= 0x9F) || (c1 >= 0xE0 && c1 <= 0xEB)) && c2 >= 0x40) {
        if (c1 == 0x9F && c2 > 0xFC)
            return false;
        if (c1 == 0xEB && c2 >= 0xC0)
            return false;
        return true;
    }
    return false;
}

unsigned char CQR_Encode::AlphabetToBinaly(unsigned char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<unsigned char>(c - '0');
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c - 'A' + 10);
    switch (c) {
    case ' ': return 36;
    case '$': return 37;
    case '%': return 38;
    case '*': return 39;
    case '+': return 40;
    case '-': return 41;
    case '.': return 42;
    case '/': return 43;
    default: return 44;   // ':'
    }
}

uint16_t CQR_Encode::KanjiToBinaly(uint16_t wc)
{
    if (wc >= 0x8140 && wc <= 0x9FFC)
        wc = uint16_t(wc - 0x8140);
    else
        wc = uint16_t(wc - 0xC140);
    return uint16_t(((wc >> 8) * 0xC0) + (wc & 0x00FF));
}

int CQR_Encode::Get_Encoding_Mode(const char* lpsSource, int64_t ncLength, bool bKanjiAllowed)
{
    if (lpsSource == nullptr || ncLength <= 0)
        return QR_MODE_8BIT;
    bool bAny8Bit = false;
    bool bAnyKanji = false;
    bool bAnyAlphabet = false;
    for (int64_t i = 0; i < ncLength;) {
        const auto c = static_cast<unsigned char>(lpsSource[i]);
        if (bKanjiAllowed && i + 1 < ncLength && IsKanjiData(c, static_cast<unsigned char>(lpsSource[i + 1]))) {
            bAnyKanji = true;
            i += 2;
            continue;
        }
        if (!IsNumeralData(c)) {
            if (IsAlphabetData(c))
                bAnyAlphabet = true;
            else
                bAny8Bit = true;
        }
        ++i;
    }
    if (bAny8Bit)
        return QR_MODE_8BIT;
    if (bAnyKanji)
        return QR_MODE_KANJI;
    return bAnyAlphabet ? QR_MODE_ALPHABET : QR_MODE_NUMERAL;
}

int CQR_Encode::Get_Encoding_Mode_Test(const char* lpsSource, int64_t ncLength, int byte_mode)
{
    if (lpsSource == nullptr || ncLength <= 0)
        return QR_MODE_NUMERAL;
    const auto at = [lpsSource](int64_t i) { return static_cast<unsigned char>(lpsSource[i]); };
    bool bAll = true;
    switch (byte_mode) {
    case QR_MODE_NUMERAL:
        for (int64_t i = 0; i < ncLength && bAll; ++i)
            bAll = IsNumeralData(at(i));
        break;
    case QR_MODE_ALPHABET:
        for (int64_t i = 0; i < ncLength && bAll; ++i)
            bAll = IsAlphabetData(at(i));
        break;
    case QR_MODE_KANJI:
        bAll = ncLength % 2 == 0;
        for (int64_t i = 0; i + 1 < ncLength && bAll; i += 2)
            bAll = IsKanjiData(at(i), at(i + 1));
        break;
    default:
        bAll = false;
        break;
    }
    return bAll ? byte_mode : QR_MODE_8BIT;
}

int64_t CQR_Encode::GetBitLength(uint8_t nMode, int64_t ncData, int nVerGroup)
{
    switch (nMode) {
    case QR_MODE_NUMERAL: {
        int64_t bits = 4 + nIndicatorLenNumeral[nVerGroup] + 10 * (ncData / 3);
        if (ncData % 3 == 1)
            bits += 4;
        else if (ncData % 3 == 2)
            bits += 7;
        return bits;
    }
    case QR_MODE_ALPHABET:
        return 4 + nIndicatorLenAlphabet[nVerGroup] + 11 * (ncData / 2) + 6 * (ncData % 2);
    case QR_MODE_8BIT:
        return 4 + nIndicatorLen8Bit[nVerGroup] + 8 * ncData;
    default:
        return 4 + nIndicatorLenKanji[nVerGroup] + 13 * (ncData / 2);
    }
}

int64_t CQR_Encode::BlockBits(int64_t block, int nVerGroup) const
{
    return GetBitLength(m_byBlockMode[block], m_nBlockLength[block], nVerGroup);
}

void CQR_Encode::ClassifySource(const char* lpsSource, int64_t ncLength)
{
    m_ncDataBlock = 0;
    for (int64_t i = 0; i < ncLength;) {
        const auto c = static_cast<unsigned char>(lpsSource[i]);
        uint8_t byMode = QR_MODE_8BIT;
        int64_t ncUnit = 1;
        if (!m_bUtf8Source && i + 1 < ncLength && IsKanjiData(c, static_cast<unsigned char>(lpsSource[i + 1]))) {
            byMode = QR_MODE_KANJI;
            ncUnit = 2;
        } else if (IsNumeralData(c)) {
            byMode = QR_MODE_NUMERAL;
        } else if (IsAlphabetData(c)) {
            byMode = QR_MODE_ALPHABET;
        }
        if (m_ncDataBlock == 0 || m_byBlockMode[m_ncDataBlock - 1] != byMode) {
            m_byBlockMode[m_ncDataBlock] = byMode;
            m_nBlockLength[m_ncDataBlock] = 0;
            ++m_ncDataBlock;
        }
        m_nBlockLength[m_ncDataBlock - 1] += ncUnit;
        i += ncUnit;
    }
}

void CQR_Encode::JoinBlocks(int64_t first, int64_t count, uint8_t mode)
{
    int64_t ncLength = 0;
    for (int64_t i = first; i < first + count; ++i)
        ncLength += m_nBlockLength[i];
    m_byBlockMode[first] = mode;
    m_nBlockLength[first] = ncLength;
    const int64_t nRemoved = count - 1;
    const int64_t nTail = m_ncDataBlock - (first + count);
    if (nTail > 0 && nRemoved > 0) {
        std::memmove(m_byBlockMode + first + 1, m_byBlockMode + first + count, size_t(nTail));
        std::memmove(m_nBlockLength + first + 1, m_nBlockLength + first + count, size_t(nTail) * sizeof(int64_t));
    }
    m_ncDataBlock -= nRemoved;
}

// Adjacent numeric and alphanumeric segments that cost more apart than as one
// alphanumeric segment are joined: to a neighbouring 8-bit segment when that
// is cheaper still, otherwise into one alphanumeric segment.
void CQR_Encode::MergeNumeralAlphabet(int nVerGroup)
{
    int64_t i = 0;
    while (i < m_ncDataBlock - 1) {
        const uint8_t mode0 = m_byBlockMode[i];
        const uint8_t mode1 = m_byBlockMode[i + 1];
        const bool bPair = (mode0 == QR_MODE_NUMERAL && mode1 == QR_MODE_ALPHABET)
                           || (mode0 == QR_MODE_ALPHABET && mode1 == QR_MODE_NUMERAL);
        if (bPair) {
            const int64_t ncSrcBits = BlockBits(i, nVerGroup) + BlockBits(i + 1, nVerGroup);
            const int64_t ncJoinAlpha =
                GetBitLength(QR_MODE_ALPHABET, m_nBlockLength[i] + m_nBlockLength[i + 1], nVerGroup);
            if (ncSrcBits > ncJoinAlpha) {
                bool bJoinFront = false;
                bool bJoinBehind = false;
                int64_t ncJoinFront = 0;
                int64_t ncJoinBehind = 0;
                if (i > 0 && m_byBlockMode[i - 1] == QR_MODE_8BIT) {
                    ncJoinFront = GetBitLength(QR_MODE_8BIT, m_nBlockLength[i - 1] + m_nBlockLength[i], nVerGroup)
                                  + BlockBits(i + 1, nVerGroup);
                    bJoinFront = ncJoinFront <= ncJoinAlpha + BlockBits(i - 1, nVerGroup);
                }
                if (i + 2 < m_ncDataBlock && m_byBlockMode[i + 2] == QR_MODE_8BIT) {
                    ncJoinBehind = BlockBits(i, nVerGroup)
                                   + GetBitLength(QR_MODE_8BIT, m_nBlockLength[i + 1] + m_nBlockLength[i + 2],
                                                  nVerGroup);
                    bJoinBehind = ncJoinBehind <= ncJoinAlpha + BlockBits(i + 2, nVerGroup);
                }
                if (bJoinFront && bJoinBehind) {
                    if (ncJoinFront < ncJoinBehind)
                        bJoinBehind = false;
                    else
                        bJoinFront = false;
                }
                if (bJoinFront) {
                    JoinBlocks(i - 1, 2, QR_MODE_8BIT);
                } else if (bJoinBehind) {
                    JoinBlocks(i + 1, 2, QR_MODE_8BIT);
                } else {
                    JoinBlocks(i, 2, QR_MODE_ALPHABET);
                    if (i + 1 < m_ncDataBlock && m_byBlockMode[i + 1] == QR_MODE_ALPHABET)
                        JoinBlocks(i, 2, QR_MODE_ALPHABET);
                    if (i > 0 && m_byBlockMode[i - 1] == QR_MODE_ALPHABET)
                        JoinBlocks(i - 1, 2, QR_MODE_ALPHABET);
                }
                continue;   // examine the same position again
            }
        }
        ++i;
    }
}

// Adjacent segments that cost more apart than as one 8-bit segment (less the
// headers saved by absorbing neighbouring 8-bit segments) become one 8-bit
// segment together with those neighbours.
void CQR_Encode::MergeInto8Bit(int nVerGroup)
{
    const int64_t ncHeader8Bit = 4 + nIndicatorLen8Bit[nVerGroup];
    int64_t i = 0;
    while (i < m_ncDataBlock - 1) {
        const int64_t ncSrcBits = BlockBits(i, nVerGroup) + BlockBits(i + 1, nVerGroup);
        int64_t ncJoin8Bit = GetBitLength(QR_MODE_8BIT, m_nBlockLength[i] + m_nBlockLength[i + 1], nVerGroup);
        const bool bBefore = i > 0 && m_byBlockMode[i - 1] == QR_MODE_8BIT;
        const bool bAfter = i + 2 < m_ncDataBlock && m_byBlockMode[i + 2] == QR_MODE_8BIT;
        if (bBefore)
            ncJoin8Bit -= ncHeader8Bit;
        if (bAfter)
            ncJoin8Bit -= ncHeader8Bit;
        if (ncSrcBits > ncJoin8Bit) {
            const int64_t first = bBefore ? i - 1 : i;
            JoinBlocks(first, 2 + (bBefore ? 1 : 0) + (bAfter ? 1 : 0), QR_MODE_8BIT);
            i = first > 0 ? first - 1 : 0;
            continue;
        }
        ++i;
    }
}

bool CQR_Encode::EncodeSourceData(const char* lpsSource, int64_t ncLength, int nVerGroup)
{
    ClassifySource(lpsSource, ncLength);
    MergeNumeralAlphabet(nVerGroup);
    MergeInto8Bit(nVerGroup);

    std::memset(m_byDataCodeWord, 0, sizeof(m_byDataCodeWord));
    int64_t nIndex = 0;
    if (m_bUtf8Eci) {
        nIndex = SetBitStream(nIndex, 7, 4);    // ECI
        nIndex = SetBitStream(nIndex, 26, 8);   // UTF-8
    }

    const auto byteAt = [lpsSource](int64_t i) { return static_cast<unsigned char>(lpsSource[i]); };
    int64_t ncSrc = 0;
    for (int64_t b = 0; b < m_ncDataBlock; ++b) {
        const uint8_t byMode = m_byBlockMode[b];
        const int64_t ncBlock = m_nBlockLength[b];
        int nIndicatorLen = 0;
        int64_t ncCount = ncBlock;
        uint16_t wModeIndicator = 0;
        switch (byMode) {
        case QR_MODE_NUMERAL:
            nIndicatorLen = nIndicatorLenNumeral[nVerGroup];
            wModeIndicator = 1;
            break;
        case QR_MODE_ALPHABET:
            nIndicatorLen = nIndicatorLenAlphabet[nVerGroup];
            wModeIndicator = 2;
            break;
        case QR_MODE_8BIT:
            nIndicatorLen = nIndicatorLen8Bit[nVerGroup];
            wModeIndicator = 4;
            break;
        default:
            nIndicatorLen = nIndicatorLenKanji[nVerGroup];
            wModeIndicator = 8;
            ncCount = ncBlock / 2;
            break;
        }
        // A count that does not fit its indicator cannot fit this group's
        // versions either.
        if (ncCount >= (int64_t(1) << nIndicatorLen)) {
            m_ncDataCodeWordBit = -1;
            return false;
        }
        nIndex = SetBitStream(nIndex, wModeIndicator, 4);
        nIndex = SetBitStream(nIndex, uint16_t(ncCount), nIndicatorLen);

        switch (byMode) {
        case QR_MODE_NUMERAL:
            for (int64_t i = 0; i < ncBlock; i += 3) {
                const int64_t ncDigits = min(3, ncBlock - i);
                uint16_t wValue = 0;
                for (int64_t j = 0; j < ncDigits; ++j)
                    wValue = uint16_t(wValue * 10 + (byteAt(ncSrc + i + j) - '0'));
                nIndex = SetBitStream(nIndex, wValue, ncDigits == 3 ? 10 : ncDigits == 2 ? 7 : 4);
            }
            break;
        case QR_MODE_ALPHABET:
            for (int64_t i = 0; i < ncBlock; i += 2) {
                if (i + 1 < ncBlock) {
                    const uint16_t wValue = uint16_t(AlphabetToBinaly(byteAt(ncSrc + i)) * 45
                                                     + AlphabetToBinaly(byteAt(ncSrc + i + 1)));
                    nIndex = SetBitStream(nIndex, wValue, 11);
                } else {
                    nIndex = SetBitStream(nIndex, AlphabetToBinaly(byteAt(ncSrc + i)), 6);
                }
            }
            break;
        case QR_MODE_8BIT:
            for (int64_t i = 0; i < ncBlock; ++i)
                nIndex = SetBitStream(nIndex, byteAt(ncSrc + i), 8);
            break;
        default:
            for (int64_t i = 0; i + 1 < ncBlock; i += 2) {
                const uint16_t wc = uint16_t((byteAt(ncSrc + i) << 8) | byteAt(ncSrc + i + 1));
                nIndex = SetBitStream(nIndex, KanjiToBinaly(wc), 13);
            }
            break;
        }
        ncSrc += ncBlock;
    }
    m_ncDataCodeWordBit = nIndex;
    return nIndex != -1;
}

int64_t CQR_Encode::SetBitStream(int64_t nIndex, uint16_t wData, int64_t ncData)
{
    if (nIndex == -1 || nIndex + ncData > MAX_DATABITS)
        return -1;
    for (int64_t i = 0; i < ncData; ++i) {
        if (wData & (1 << (ncData - i - 1))) {
            const int64_t bit = nIndex + i;
            m_byDataCodeWord[bit / 8] |= uint8_t(1 << (7 - bit % 8));
        }
    }
    return nIndex + ncData;
}

// The remainder of the block's data, as a polynomial times x^ncRSCodeWord,
// divided by the generator; it replaces the first ncRSCodeWord bytes.
void CQR_Encode::GetRSCodeWord(uint8_t* lpbyRSWork, int64_t ncDataCodeWord, int64_t ncRSCodeWord)
{
    const uint8_t* generator = byRSExp(int(ncRSCodeWord));
    uint8_t remainder[detail::MAX_RSCODEWORD + 1] = {};
    for (int64_t i = 0; i < ncDataCodeWord; ++i) {
        const uint8_t leading = uint8_t(lpbyRSWork[i] ^ remainder[0]);
        std::memmove(remainder, remainder + 1, size_t(ncRSCodeWord - 1));
        remainder[ncRSCodeWord - 1] = 0;
        if (leading == 0)
            continue;
        const int e = byIntToExp[leading];
        for (int64_t j = 0; j < ncRSCodeWord; ++j) {
            int exponent = generator[j] + e;
            if (exponent >= 255)
                exponent -= 255;
            remainder[j] ^= byExpToInt[exponent];
        }
    }
    std::memcpy(lpbyRSWork, remainder, size_t(ncRSCodeWord));
}

void CQR_Encode::FormatModule()
{
    for (int64_t x = 0; x < m_nSymbleSize; ++x)
        std::memset(m_byModuleData[x], 0, size_t(m_nSymbleSize));
    SetFunctionModule();
    SetCodeWordPattern();

    if (m_nMaskingNo == -1) {
        // Each mask with its format information, scored on bit sets of the
        // symbol's rows and columns; a tie keeps the lower mask number.
        m_evaluator.loadSymbol(m_byModuleData, m_nSymbleSize);
        int64_t nMinPenalty = 0;
        for (int k = 0; k < 8; ++k) {
            m_evaluator.loadMask(k);
            const int nFormatData = FormatInfo(k);
            for (int copy = 0; copy < 2; ++copy) {
                for (int bit = 0; bit < 15; ++bit) {
                    if ((nFormatData >> bit) & 1) {
                        const ModulePosition at = formatInfoPosition(copy, bit, m_nSymbleSize);
                        m_evaluator.setDark(at.x, at.y);
                    }
                }
            }
            m_evaluator.setDark(8, m_nSymbleSize - 8);
            const int64_t nPenalty = m_evaluator.penalty();
            if (k == 0 || nPenalty < nMinPenalty) {
                nMinPenalty = nPenalty;
                m_nMaskingNo = k;
            }
        }
    }
    SetMaskingPattern(m_nMaskingNo);
    SetFormatInfoPattern(m_nMaskingNo);

    for (int64_t x = 0; x < m_nSymbleSize; ++x)
        for (int64_t y = 0; y < m_nSymbleSize; ++y)
            m_byModuleData[x][y] = (m_byModuleData[x][y] & (MODULE_FUNCTION_DARK | MODULE_MASKED)) ? 1 : 0;
}

void CQR_Encode::SetFunctionModule()
{
    const int64_t n = m_nSymbleSize;
    SetFinderPattern(0, 0);
    SetFinderPattern(n - 7, 0);
    SetFinderPattern(0, n - 7);

    // Separators.
    for (int64_t i = 0; i < 8; ++i) {
        m_byModuleData[i][7] = m_byModuleData[7][i] = MODULE_FUNCTION;
        m_byModuleData[n - 8][i] = m_byModuleData[n - 8 + i][7] = MODULE_FUNCTION;
        m_byModuleData[i][n - 8] = m_byModuleData[7][n - 8 + i] = MODULE_FUNCTION;
    }

    // Format information areas.
    for (int64_t i = 0; i < 9; ++i)
        m_byModuleData[i][8] = m_byModuleData[8][i] = MODULE_FUNCTION;
    for (int64_t i = 0; i < 8; ++i)
        m_byModuleData[n - 8 + i][8] = m_byModuleData[8][n - 8 + i] = MODULE_FUNCTION;

    SetVersionPattern();

    const QR_VERSIONINFO& info = QR_VersonInfo[m_nVersion];
    if (info.ncAlignPoint > 0) {
        int64_t coordinates[7] = {6};
        for (int i = 0; i < info.ncAlignPoint; ++i)
            coordinates[i + 1] = info.nAlignPoint[i];
        const int count = info.ncAlignPoint + 1;
        for (int i = 0; i < count; ++i)
            for (int j = 0; j < count; ++j)
                if (!(m_byModuleData[coordinates[i]][coordinates[j]] & MODULE_FUNCTION))
                    SetAlignmentPattern(coordinates[i], coordinates[j]);
    }

    // Timing patterns.
    for (int64_t i = 8; i <= n - 9; ++i) {
        const uint8_t value = uint8_t(MODULE_FUNCTION | (i % 2 == 0 ? MODULE_FUNCTION_DARK : 0));
        m_byModuleData[i][6] = value;
        m_byModuleData[6][i] = value;
    }
}

void CQR_Encode::SetFinderPattern(int64_t x, int64_t y)
{
    for (int i = 0; i < 7; ++i)
        for (int j = 0; j < 7; ++j)
            m_byModuleData[x + j][y + i] =
                uint8_t(MODULE_FUNCTION | ((finderRows[i] & (1 << (6 - j))) ? MODULE_FUNCTION_DARK : 0));
}

void CQR_Encode::SetAlignmentPattern(int64_t x, int64_t y)
{
    x -= 2;
    y -= 2;
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 5; ++j)
            m_byModuleData[x + j][y + i] =
                uint8_t(MODULE_FUNCTION | ((alignmentRows[i] & (1 << (4 - j))) ? MODULE_FUNCTION_DARK : 0));
}

void CQR_Encode::SetVersionPattern()
{
    if (m_nVersion <= 6)
        return;
    const int nVerData = bchCode(int(m_nVersion), 0x1F25, 12);
    const int64_t n = m_nSymbleSize;
    for (int i = 0; i < 6; ++i) {
        for (int j = 0; j < 3; ++j) {
            const uint8_t value =
                uint8_t(MODULE_FUNCTION | ((nVerData >> (3 * i + j)) & 1 ? MODULE_FUNCTION_DARK : 0));
            m_byModuleData[n - 11 + j][i] = value;
            m_byModuleData[i][n - 11 + j] = value;
        }
    }
}

// Codeword bits, most significant first, in two-column strips from the right
// edge, upward and downward in turn, skipping the vertical timing column.
void CQR_Encode::SetCodeWordPattern()
{
    const int64_t n = m_nSymbleSize;
    const int64_t ncBits = m_ncAllCodeWord * 8;
    int64_t nBit = 0;
    for (int64_t right = n - 1; right >= 1; right -= 2) {
        if (right == 6)
            right = 5;
        const bool bUpward = ((right + 1) & 2) == 0;
        for (int64_t step = 0; step < n; ++step) {
            const int64_t y = bUpward ? n - 1 - step : step;
            for (int64_t x = right; x >= right - 1; --x) {
                if (m_byModuleData[x][y] & MODULE_FUNCTION)
                    continue;
                if (nBit < ncBits) {
                    if (m_byAllCodeWord[nBit / 8] & (0x80 >> (nBit % 8)))
                        m_byModuleData[x][y] = MODULE_DATA;
                    ++nBit;
                }
            }
        }
    }
}

void CQR_Encode::SetMaskingPattern(int64_t nPatternNo)
{
    const int64_t n = m_nSymbleSize;
    const auto& pattern = maskTable.bit[nPatternNo];
    for (int64_t x = 0; x < n; ++x) {
        uint8_t* column = m_byModuleData[x];
        const int j = int(x % 6);
        int i = 0;
        for (int64_t y = 0; y < n; ++y) {
            const uint8_t b = column[y];
            if (!(b & MODULE_FUNCTION))
                column[y] = uint8_t(b & MODULE_DATA) | uint8_t(((b & MODULE_DATA) >> 1) ^ pattern[i][j]);
            if (++i == 12)
                i = 0;
        }
    }
}

void CQR_Encode::SetFormatInfoPattern(int64_t nPatternNo)
{
    const int nFormatData = FormatInfo(nPatternNo);
    const int64_t n = m_nSymbleSize;
    const auto put = [this, nFormatData](int64_t x, int64_t y, int bit) {
        m_byModuleData[x][y] = uint8_t(MODULE_FUNCTION | ((nFormatData >> bit) & 1 ? MODULE_FUNCTION_DARK : 0));
    };

    for (int copy = 0; copy < 2; ++copy) {
        for (int bit = 0; bit < 15; ++bit) {
            const ModulePosition at = formatInfoPosition(copy, bit, n);
            put(at.x, at.y, bit);
        }
    }
    m_byModuleData[8][n - 8] = MODULE_FUNCTION | MODULE_FUNCTION_DARK;
}

int CQR_Encode::FormatInfo(int64_t nPatternNo) const
{
    return bchCode((formatLevelBits[m_nLevel] << 3) | int(nPatternNo), 0x537, 10) ^ 0x5412;
}

int64_t CQR_Encode::CountPenalty()
{
    m_evaluator.loadModules(m_byModuleData, m_nSymbleSize);
    return m_evaluator.penalty();
}
