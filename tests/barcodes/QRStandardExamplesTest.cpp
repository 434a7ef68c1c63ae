// The QR Code encoder against the published facts of the symbology: worked
// examples, the format and version information tables and generator
// polynomials.
#include "barcodes/QR_Encode.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::unique_ptr<CQR_Encode> encode(const std::string& text, int level, int version, int mask = -1,
                                   bool utf8 = false)
{
    auto e = std::make_unique<CQR_Encode>();
    const bool ok = e->EncodeData(level, version, false, mask, text.data(), int64_t(text.size()), utf8);
    EXPECT_TRUE(ok) << text;
    return e;
}

std::vector<int> bytes(const uint8_t* p, int count)
{
    return std::vector<int>(p, p + count);
}

// Format information read from the finished symbol: both copies, bit 14
// first, as the symbology places them.
std::string formatBits(const CQR_Encode& e, bool secondCopy)
{
    const int n = int(e.m_nSymbleSize);
    int positions[15][2];
    for (int i = 0; i < 15; ++i) {
        int x = 0, y = 0;
        if (!secondCopy) {
            if (i <= 5) { x = 8; y = i; }
            else if (i == 6) { x = 8; y = 7; }
            else if (i == 7) { x = 8; y = 8; }
            else if (i == 8) { x = 7; y = 8; }
            else { x = 14 - i; y = 8; }
        } else {
            if (i <= 7) { x = n - 1 - i; y = 8; }
            else { x = 8; y = n - 15 + i; }
        }
        positions[i][0] = x;
        positions[i][1] = y;
    }
    std::string bits;
    for (int i = 14; i >= 0; --i)
        bits += e.m_byModuleData[positions[i][0]][positions[i][1]] ? '1' : '0';
    return bits;
}

int versionBits(const CQR_Encode& e, bool lowerLeft)
{
    const int n = int(e.m_nSymbleSize);
    int value = 0;
    for (int bit = 0; bit < 18; ++bit) {
        const int i = bit / 3;
        const int j = bit % 3;
        const int x = lowerLeft ? i : n - 11 + j;
        const int y = lowerLeft ? n - 11 + j : i;
        if (e.m_byModuleData[x][y])
            value |= 1 << bit;
    }
    return value;
}

} // namespace

TEST(QRStandardExamples, NumericWorkedExampleVersion1M)
{
    const auto e = encode("01234567", 1, 0);
    EXPECT_EQ(e->m_nVersion, 1);
    EXPECT_EQ(e->m_nSymbleSize, 21);
    ASSERT_EQ(e->m_ncDataBlock, 1);
    EXPECT_EQ(e->m_byBlockMode[0], CQR_Encode::QR_MODE_NUMERAL);
    EXPECT_EQ(CQR_Encode::GetBitLength(CQR_Encode::QR_MODE_NUMERAL, 8, 0), 41);
    const std::vector<int> expected{0x10, 0x20, 0x0C, 0x56, 0x61, 0x80, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC,
                                    0x11, 0xEC, 0x11, 0xA5, 0x24, 0xD4, 0xC1, 0xED, 0x36, 0xC7, 0x87, 0x2C, 0x55};
    EXPECT_EQ(e->m_ncAllCodeWord, 26);
    EXPECT_EQ(bytes(e->m_byAllCodeWord, 26), expected);
}

TEST(QRStandardExamples, AlphanumericExampleVersion1Q)
{
    const auto e = encode("HELLO WORLD", 2, 0);
    EXPECT_EQ(e->m_nVersion, 1);
    const std::vector<int> expected{0x20, 0x5B, 0x0B, 0x78, 0xD1, 0x72, 0xDC, 0x4D, 0x43, 0x40, 0xEC, 0x11, 0xEC,
                                    0xA8, 0x48, 0x16, 0x52, 0xD9, 0x36, 0x9C, 0x00, 0x2E, 0x0F, 0xB4, 0x7A, 0x10};
    EXPECT_EQ(bytes(e->m_byAllCodeWord, 26), expected);
}

TEST(QRStandardExamples, KanjiExampleBitStream)
{
    // Two Shift JIS characters, 0x935F and 0xE4AA, in Kanji mode: mode 1000,
    // count 2 in 8 bits, then 13 bits each.
    const auto e = encode("\x93\x5F\xE4\xAA", 1, 0);
    ASSERT_EQ(e->m_ncDataBlock, 1);
    EXPECT_EQ(e->m_byBlockMode[0], CQR_Encode::QR_MODE_KANJI);
    EXPECT_EQ(bytes(e->m_byDataCodeWord, 5), (std::vector<int>{0x80, 0x26, 0xCF, 0xEA, 0xA8}));
    EXPECT_EQ(CQR_Encode::KanjiToBinaly(0x935F), 0xD9F);
    EXPECT_EQ(CQR_Encode::KanjiToBinaly(0xE4AA), 0x1AAA);
}

TEST(QRStandardExamples, FormatInformationForEveryLevelAndMask)
{
    // Level order L, M, Q, H; masks 0 to 7.
    const char* table[4][8] = {
        {"111011111000100", "111001011110011", "111110110101010", "111100010011101", "110011000101111",
         "110001100011000", "110110001000001", "110100101110110"},
        {"101010000010010", "101000100100101", "101111001111100", "101101101001011", "100010111111001",
         "100000011001110", "100111110010111", "100101010100000"},
        {"011010101011111", "011000001101000", "011111100110001", "011101000000110", "010010010110100",
         "010000110000011", "010111011011010", "010101111101101"},
        {"001011010001001", "001001110111110", "001110011100111", "001100111010000", "000011101100010",
         "000001001010101", "000110100001100", "000100000111011"},
    };
    for (int level = 0; level < 4; ++level) {
        for (int mask = 0; mask < 8; ++mask) {
            const auto e = encode("FORMAT", level, 2, mask);
            EXPECT_EQ(formatBits(*e, false), table[level][mask]) << "level " << level << " mask " << mask;
            EXPECT_EQ(formatBits(*e, true), table[level][mask]) << "level " << level << " mask " << mask;
            EXPECT_EQ(e->m_byModuleData[8][e->m_nSymbleSize - 8], 1) << "dark module";
        }
    }
}

TEST(QRStandardExamples, VersionInformationFromVersion7)
{
    const int table[34] = {0x07C94, 0x085BC, 0x09A99, 0x0A4D3, 0x0BBF6, 0x0C762, 0x0D847, 0x0E60D, 0x0F928,
                           0x10B78, 0x1145D, 0x12A17, 0x13532, 0x149A6, 0x15683, 0x168C9, 0x177EC, 0x18EC4,
                           0x191E1, 0x1AFAB, 0x1B08E, 0x1CC1A, 0x1D33F, 0x1ED75, 0x1F250, 0x209D5, 0x216F0,
                           0x228BA, 0x2379F, 0x24B0B, 0x2542E, 0x26A64, 0x27541, 0x28C69};
    for (int version = 7; version <= 40; ++version) {
        const auto e = encode("VERSION", 0, version);
        ASSERT_EQ(e->m_nVersion, version);
        EXPECT_EQ(versionBits(*e, false), table[version - 7]) << "upper right, version " << version;
        EXPECT_EQ(versionBits(*e, true), table[version - 7]) << "lower left, version " << version;
    }
}

TEST(QRStandardExamples, NoVersionInformationBelowVersion7)
{
    // Where version 7 and above carry version information, smaller versions
    // carry masked data: the areas change with the mask there and only there.
    for (int version : {2, 5, 6, 7, 8}) {
        const auto a = encode("MASKS", 0, version, 0);
        const auto b = encode("MASKS", 0, version, 1);
        const bool same = versionBits(*a, false) == versionBits(*b, false)
                          && versionBits(*a, true) == versionBits(*b, true);
        EXPECT_EQ(same, version >= 7) << "version " << version;
    }
}

TEST(QRStandardExamples, GeneratorPolynomials)
{
    const std::vector<int> g7{87, 229, 146, 149, 238, 102, 21};
    const std::vector<int> g10{251, 67, 46, 61, 118, 70, 64, 94, 32, 45};
    EXPECT_EQ(bytes(QRTables::byRSExp(7), 7), g7);
    EXPECT_EQ(bytes(QRTables::byRSExp(10), 10), g10);
}
