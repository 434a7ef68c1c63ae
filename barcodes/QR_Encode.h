#pragma once

#include "barcodes/QRMaskEvaluator.h"
#include "barcodes/QRTables.h"

#include <cstdint>

// QR Code model 2 encoder: mode segmentation, version choice, bit stream,
// Reed-Solomon blocks and interleaving, module placement and the choice of
// the data mask by penalty. One object encodes one symbol; all its state
// lives in the fixed arrays below, so encoding allocates nothing.
//
// After EncodeData answers true, m_nSymbleSize and m_byModuleData hold the
// symbol: m_byModuleData[x][y] is 1 for a dark module, 0 for a light one,
// x the column and y the row (0 at the top).
class CQR_Encode
{
public:
    // Segment modes.
    enum : uint8_t { QR_MODE_NUMERAL = 0, QR_MODE_ALPHABET = 1, QR_MODE_8BIT = 2, QR_MODE_KANJI = 3 };

    // Bits of a module byte while the symbol is built: a function module
    // (finder, separator, timing, alignment, format and version areas) and
    // its dark state; a dark data bit; the data bit after masking.
    enum : uint8_t { MODULE_FUNCTION = 0x20, MODULE_FUNCTION_DARK = 0x10, MODULE_DATA = 0x02, MODULE_MASKED = 0x01 };

    // The arrays are left unset: each encoding step writes what it reads.
    CQR_Encode();

    // level 0 L, 1 M, 2 Q, 3 H; version 1 to 40, or 0 for the smallest that
    // holds the data; with a version asked for, a larger one is used only when
    // bAutoExtent is set. nMaskingNo 0 to 7, or -1 for the mask with the lowest
    // penalty. A length below 1 means the bytes up to the first NUL.
    // With bUtf8Source the bytes are UTF-8 text: no byte pair is read as a
    // Kanji character, and text with bytes of 0x80 and above is announced
    // as UTF-8 (ECI 26) so that readers decode it as it was typed. Without it,
    // Shift JIS double-byte characters go in Kanji mode.
    bool EncodeData(int64_t nLevel, int64_t nVersion, bool bAutoExtent, int64_t nMaskingNo, const char* lpsSource,
                    int64_t ncSource, bool bUtf8Source = false);

    // The mode the whole text needs: 2 (8-bit) when any byte needs it, else
    // 3 when any Kanji pair occurs, else 1 when any alphanumeric character
    // occurs, else 0; 2 for an empty text.
    static int Get_Encoding_Mode(const char* lpsSource, int64_t ncLength, bool bKanjiAllowed = true);
    // byte_mode when every character of the text is of that mode, 0 for an
    // empty text, else 2.
    static int Get_Encoding_Mode_Test(const char* lpsSource, int64_t ncLength, int byte_mode);

    static bool IsNumeralData(unsigned char c);
    static bool IsAlphabetData(unsigned char c);
    static bool IsKanjiData(unsigned char c1, unsigned char c2);
    static unsigned char AlphabetToBinaly(unsigned char c);
    static uint16_t KanjiToBinaly(uint16_t wc);
    static int64_t min(int64_t a, int64_t b) { return a < b ? a : b; }

    // Bits of one segment of ncData bytes, mode indicator included.
    static int64_t GetBitLength(uint8_t nMode, int64_t ncData, int nVerGroup);

    // Penalty of the symbol as it stands (dark = module byte AND 0x11).
    int64_t CountPenalty();

    int64_t m_nLevel = 0;
    int64_t m_nVersion = 0;
    int64_t m_nVersion_pass = 1;
    bool m_bAutoExtent = false;
    int64_t m_nMaskingNo = -1;
    int64_t m_nSymbleSize = 0;
    uint8_t m_byModuleData[QRTables::MAX_MODULESIZE][QRTables::MAX_MODULESIZE];

    int64_t m_ncDataCodeWordBit = 0;
    uint8_t m_byDataCodeWord[QRTables::MAX_DATACODEWORD];

    // Segments: at most one per input byte.
    int64_t m_ncDataBlock = 0;
    uint8_t m_byBlockMode[QRTables::MAX_SOURCE];
    int64_t m_nBlockLength[QRTables::MAX_SOURCE];

    int64_t m_ncAllCodeWord = 0;
    uint8_t m_byAllCodeWord[QRTables::MAX_ALLCODEWORD];
    uint8_t m_byRSWork[QRTables::MAX_CODEBLOCK];

private:
    int64_t GetEncodeVersion(int64_t nVersion, const char* lpsSource, int64_t ncLength);
    bool EncodeSourceData(const char* lpsSource, int64_t ncLength, int nVerGroup);
    int64_t SetBitStream(int64_t nIndex, uint16_t wData, int64_t ncData);
    void GetRSCodeWord(uint8_t* lpbyRSWork, int64_t ncDataCodeWord, int64_t ncRSCodeWord);

    void FormatModule();
    void SetFunctionModule();
    void SetFinderPattern(int64_t x, int64_t y);
    void SetAlignmentPattern(int64_t x, int64_t y);
    void SetVersionPattern();
    void SetCodeWordPattern();
    void SetMaskingPattern(int64_t nPatternNo);
    void SetFormatInfoPattern(int64_t nPatternNo);
    int FormatInfo(int64_t nPatternNo) const;   // the 15 bits, masked

    // Segmentation steps.
    void ClassifySource(const char* lpsSource, int64_t ncLength);
    void MergeNumeralAlphabet(int nVerGroup);
    void MergeInto8Bit(int nVerGroup);
    void JoinBlocks(int64_t first, int64_t count, uint8_t mode);
    int64_t BlockBits(int64_t block, int nVerGroup) const;

    bool m_bUtf8Source = false;
    bool m_bUtf8Eci = false;

    QRMaskEvaluator m_evaluator;
};
