#pragma once

// Fixed facts of QR Code model 2 symbols: the structure of every version,
// its error correction blocks per level, the character count indicator
// lengths, the character capacities and the arithmetic of GF(256).
// Tables indexed [(version - 1) * 4 + level] use the level order L, M, Q, H.

#include <array>
#include <cstdint>

namespace QRTables {

constexpr int MAX_VERSION = 40;
constexpr int MAX_MODULESIZE = 177;        // modules per side of version 40
constexpr int MAX_DATACODEWORD = 2956;     // data codewords of version 40-L
constexpr int MAX_ALLCODEWORD = 3706;      // all codewords of version 40
constexpr int MAX_CODEBLOCK = 153;         // codewords of the longest block
constexpr int MAX_DATABITS = MAX_DATACODEWORD * 8;
constexpr int MAX_SOURCE = 7089;           // most characters any symbol holds (40-L numeric)

// One kind of Reed-Solomon block: how many blocks, and the codewords and
// data codewords in each.
struct RS_BLOCKINFO
{
    int ncRSBlock;
    int ncAllCodeWord;
    int ncDataCodeWord;
};

struct QR_VERSIONINFO
{
    int nVersionNo;
    int ncAllCodeWord;
    int ncDataCodeWord[4];     // per level L, M, Q, H
    int ncAlignPoint;          // alignment coordinates besides 6
    int nAlignPoint[6];
    RS_BLOCKINFO RS_BlockInfo1[4];
    RS_BLOCKINFO RS_BlockInfo2[4];   // the longer blocks, one more data codeword
};

inline constexpr QR_VERSIONINFO QR_VersonInfo[MAX_VERSION + 1] = {
    {0, 0, {0, 0, 0, 0}, 0, {0, 0, 0, 0, 0, 0}, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    {1, 26, {19, 16, 13, 9}, 0, {0, 0, 0, 0, 0, 0},
     {{1, 26, 19}, {1, 26, 16}, {1, 26, 13}, {1, 26, 9}},
     {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    {2, 44, {34, 28, 22, 16}, 1, {18, 0, 0, 0, 0, 0},
     {{1, 44, 34}, {1, 44, 28}, {1, 44, 22}, {1, 44, 16}},
     {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    {3, 70, {55, 44, 34, 26}, 1, {22, 0, 0, 0, 0, 0},
     {{1, 70, 55}, {1, 70, 44}, {2, 35, 17}, {2, 35, 13}},
     {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    {4, 100, {80, 64, 48, 36}, 1, {26, 0, 0, 0, 0, 0},
     {{1, 100, 80}, {2, 50, 32}, {2, 50, 24}, {4, 25, 9}},
     {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    {5, 134, {108, 86, 62, 46}, 1, {30, 0, 0, 0, 0, 0},
     {{1, 134, 108}, {2, 67, 43}, {2, 33, 15}, {2, 33, 11}},
     {{0, 0, 0}, {0, 0, 0}, {2, 34, 16}, {2, 34, 12}}},
    {6, 172, {136, 108, 76, 60}, 1, {34, 0, 0, 0, 0, 0},
     {{2, 86, 68}, {4, 43, 27}, {4, 43, 19}, {4, 43, 15}},
     {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    {7, 196, {156, 124, 88, 66}, 2, {22, 38, 0, 0, 0, 0},
     {{2, 98, 78}, {4, 49, 31}, {2, 32, 14}, {4, 39, 13}},
     {{0, 0, 0}, {0, 0, 0}, {4, 33, 15}, {1, 40, 14}}},
    {8, 242, {194, 154, 110, 86}, 2, {24, 42, 0, 0, 0, 0},
     {{2, 121, 97}, {2, 60, 38}, {4, 40, 18}, {4, 40, 14}},
     {{0, 0, 0}, {2, 61, 39}, {2, 41, 19}, {2, 41, 15}}},
    {9, 292, {232, 182, 132, 100}, 2, {26, 46, 0, 0, 0, 0},
     {{2, 146, 116}, {3, 58, 36}, {4, 36, 16}, {4, 36, 12}},
     {{0, 0, 0}, {2, 59, 37}, {4, 37, 17}, {4, 37, 13}}},
    {10, 346, {274, 216, 154, 122}, 2, {28, 50, 0, 0, 0, 0},
     {{2, 86, 68}, {4, 69, 43}, {6, 43, 19}, {6, 43, 15}},
     {{2, 87, 69}, {1, 70, 44}, {2, 44, 20}, {2, 44, 16}}},
    {11, 404, {324, 254, 180, 140}, 2, {30, 54, 0, 0, 0, 0},
     {{4, 101, 81}, {1, 80, 50}, {4, 50, 22}, {3, 36, 12}},
     {{0, 0, 0}, {4, 81, 51}, {4, 51, 23}, {8, 37, 13}}},
    {12, 466, {370, 290, 206, 158}, 2, {32, 58, 0, 0, 0, 0},
     {{2, 116, 92}, {6, 58, 36}, {4, 46, 20}, {7, 42, 14}},
     {{2, 117, 93}, {2, 59, 37}, {6, 47, 21}, {4, 43, 15}}},
    {13, 532, {428, 334, 244, 180}, 2, {34, 62, 0, 0, 0, 0},
     {{4, 133, 107}, {8, 59, 37}, {8, 44, 20}, {12, 33, 11}},
     {{0, 0, 0}, {1, 60, 38}, {4, 45, 21}, {4, 34, 12}}},
    {14, 581, {461, 365, 261, 197}, 3, {26, 46, 66, 0, 0, 0},
     {{3, 145, 115}, {4, 64, 40}, {11, 36, 16}, {11, 36, 12}},
     {{1, 146, 116}, {5, 65, 41}, {5, 37, 17}, {5, 37, 13}}},
    {15, 655, {523, 415, 295, 223}, 3, {26, 48, 70, 0, 0, 0},
     {{5, 109, 87}, {5, 65, 41}, {5, 54, 24}, {11, 36, 12}},
     {{1, 110, 88}, {5, 66, 42}, {7, 55, 25}, {7, 37, 13}}},
    {16, 733, {589, 453, 325, 253}, 3, {26, 50, 74, 0, 0, 0},
     {{5, 122, 98}, {7, 73, 45}, {15, 43, 19}, {3, 45, 15}},
     {{1, 123, 99}, {3, 74, 46}, {2, 44, 20}, {13, 46, 16}}},
    {17, 815, {647, 507, 367, 283}, 3, {30, 54, 78, 0, 0, 0},
     {{1, 135, 107}, {10, 74, 46}, {1, 50, 22}, {2, 42, 14}},
     {{5, 136, 108}, {1, 75, 47}, {15, 51, 23}, {17, 43, 15}}},
    {18, 901, {721, 563, 397, 313}, 3, {30, 56, 82, 0, 0, 0},
     {{5, 150, 120}, {9, 69, 43}, {17, 50, 22}, {2, 42, 14}},
     {{1, 151, 121}, {4, 70, 44}, {1, 51, 23}, {19, 43, 15}}},
    {19, 991, {795, 627, 445, 341}, 3, {30, 58, 86, 0, 0, 0},
     {{3, 141, 113}, {3, 70, 44}, {17, 47, 21}, {9, 39, 13}},
     {{4, 142, 114}, {11, 71, 45}, {4, 48, 22}, {16, 40, 14}}},
    {20, 1085, {861, 669, 485, 385}, 3, {34, 62, 90, 0, 0, 0},
     {{3, 135, 107}, {3, 67, 41}, {15, 54, 24}, {15, 43, 15}},
     {{5, 136, 108}, {13, 68, 42}, {5, 55, 25}, {10, 44, 16}}},
    {21, 1156, {932, 714, 512, 406}, 4, {28, 50, 72, 94, 0, 0},
     {{4, 144, 116}, {17, 68, 42}, {17, 50, 22}, {19, 46, 16}},
     {{4, 145, 117}, {0, 0, 0}, {6, 51, 23}, {6, 47, 17}}},
    {22, 1258, {1006, 782, 568, 442}, 4, {26, 50, 74, 98, 0, 0},
     {{2, 139, 111}, {17, 74, 46}, {7, 54, 24}, {34, 37, 13}},
     {{7, 140, 112}, {0, 0, 0}, {16, 55, 25}, {0, 0, 0}}},
    {23, 1364, {1094, 860, 614, 464}, 4, {30, 54, 78, 102, 0, 0},
     {{4, 151, 121}, {4, 75, 47}, {11, 54, 24}, {16, 45, 15}},
     {{5, 152, 122}, {14, 76, 48}, {14, 55, 25}, {14, 46, 16}}},
    {24, 1474, {1174, 914, 664, 514}, 4, {28, 54, 80, 106, 0, 0},
     {{6, 147, 117}, {6, 73, 45}, {11, 54, 24}, {30, 46, 16}},
     {{4, 148, 118}, {14, 74, 46}, {16, 55, 25}, {2, 47, 17}}},
    {25, 1588, {1276, 1000, 718, 538}, 4, {32, 58, 84, 110, 0, 0},
     {{8, 132, 106}, {8, 75, 47}, {7, 54, 24}, {22, 45, 15}},
     {{4, 133, 107}, {13, 76, 48}, {22, 55, 25}, {13, 46, 16}}},
    {26, 1706, {1370, 1062, 754, 596}, 4, {30, 58, 86, 114, 0, 0},
     {{10, 142, 114}, {19, 74, 46}, {28, 50, 22}, {33, 46, 16}},
     {{2, 143, 115}, {4, 75, 47}, {6, 51, 23}, {4, 47, 17}}},
    {27, 1828, {1468, 1128, 808, 628}, 4, {34, 62, 90, 118, 0, 0},
     {{8, 152, 122}, {22, 73, 45}, {8, 53, 23}, {12, 45, 15}},
     {{4, 153, 123}, {3, 74, 46}, {26, 54, 24}, {28, 46, 16}}},
    {28, 1921, {1531, 1193, 871, 661}, 5, {26, 50, 74, 98, 122, 0},
     {{3, 147, 117}, {3, 73, 45}, {4, 54, 24}, {11, 45, 15}},
     {{10, 148, 118}, {23, 74, 46}, {31, 55, 25}, {31, 46, 16}}},
    {29, 2051, {1631, 1267, 911, 701}, 5, {30, 54, 78, 102, 126, 0},
     {{7, 146, 116}, {21, 73, 45}, {1, 53, 23}, {19, 45, 15}},
     {{7, 147, 117}, {7, 74, 46}, {37, 54, 24}, {26, 46, 16}}},
    {30, 2185, {1735, 1373, 985, 745}, 5, {26, 52, 78, 104, 130, 0},
     {{5, 145, 115}, {19, 75, 47}, {15, 54, 24}, {23, 45, 15}},
     {{10, 146, 116}, {10, 76, 48}, {25, 55, 25}, {25, 46, 16}}},
    {31, 2323, {1843, 1455, 1033, 793}, 5, {30, 56, 82, 108, 134, 0},
     {{13, 145, 115}, {2, 74, 46}, {42, 54, 24}, {23, 45, 15}},
     {{3, 146, 116}, {29, 75, 47}, {1, 55, 25}, {28, 46, 16}}},
    {32, 2465, {1955, 1541, 1115, 845}, 5, {34, 60, 86, 112, 138, 0},
     {{17, 145, 115}, {10, 74, 46}, {10, 54, 24}, {19, 45, 15}},
     {{0, 0, 0}, {23, 75, 47}, {35, 55, 25}, {35, 46, 16}}},
    {33, 2611, {2071, 1631, 1171, 901}, 5, {30, 58, 86, 114, 142, 0},
     {{17, 145, 115}, {14, 74, 46}, {29, 54, 24}, {11, 45, 15}},
     {{1, 146, 116}, {21, 75, 47}, {19, 55, 25}, {46, 46, 16}}},
    {34, 2761, {2191, 1725, 1231, 961}, 5, {34, 62, 90, 118, 146, 0},
     {{13, 145, 115}, {14, 74, 46}, {44, 54, 24}, {59, 46, 16}},
     {{6, 146, 116}, {23, 75, 47}, {7, 55, 25}, {1, 47, 17}}},
    {35, 2876, {2306, 1812, 1286, 986}, 6, {30, 54, 78, 102, 126, 150},
     {{12, 151, 121}, {12, 75, 47}, {39, 54, 24}, {22, 45, 15}},
     {{7, 152, 122}, {26, 76, 48}, {14, 55, 25}, {41, 46, 16}}},
    {36, 3034, {2434, 1914, 1354, 1054}, 6, {24, 50, 76, 102, 128, 154},
     {{6, 151, 121}, {6, 75, 47}, {46, 54, 24}, {2, 45, 15}},
     {{14, 152, 122}, {34, 76, 48}, {10, 55, 25}, {64, 46, 16}}},
    {37, 3196, {2566, 1992, 1426, 1096}, 6, {28, 54, 80, 106, 132, 158},
     {{17, 152, 122}, {29, 74, 46}, {49, 54, 24}, {24, 45, 15}},
     {{4, 153, 123}, {14, 75, 47}, {10, 55, 25}, {46, 46, 16}}},
    {38, 3362, {2702, 2102, 1502, 1142}, 6, {32, 58, 84, 110, 136, 162},
     {{4, 152, 122}, {13, 74, 46}, {48, 54, 24}, {42, 45, 15}},
     {{18, 153, 123}, {32, 75, 47}, {14, 55, 25}, {32, 46, 16}}},
    {39, 3532, {2812, 2216, 1582, 1222}, 6, {26, 54, 82, 110, 138, 166},
     {{20, 147, 117}, {40, 75, 47}, {43, 54, 24}, {10, 45, 15}},
     {{4, 148, 118}, {7, 76, 48}, {22, 55, 25}, {67, 46, 16}}},
    {40, 3706, {2956, 2334, 1666, 1276}, 6, {30, 58, 86, 114, 142, 170},
     {{19, 148, 118}, {18, 75, 47}, {34, 54, 24}, {20, 45, 15}},
     {{6, 149, 119}, {31, 76, 48}, {34, 55, 25}, {61, 46, 16}}},
};

// Character count indicator lengths per version group (1-9, 10-26, 27-40).
inline constexpr int nIndicatorLenNumeral[3] = {10, 12, 14};
inline constexpr int nIndicatorLenAlphabet[3] = {9, 11, 13};
inline constexpr int nIndicatorLen8Bit[3] = {8, 16, 16};
inline constexpr int nIndicatorLenKanji[3] = {8, 10, 12};

constexpr int versionGroup(int version)
{
    return version >= 27 ? 2 : version >= 10 ? 1 : 0;
}

// Whether data mask nPattern inverts the module in row i, column j.
constexpr bool maskCondition(int nPattern, int i, int j)
{
    switch (nPattern) {
    case 0: return (i + j) % 2 == 0;
    case 1: return i % 2 == 0;
    case 2: return j % 3 == 0;
    case 3: return (i + j) % 3 == 0;
    case 4: return (i / 2 + j / 3) % 2 == 0;
    case 5: return (i * j) % 2 + (i * j) % 3 == 0;
    case 6: return ((i * j) % 2 + (i * j) % 3) % 2 == 0;
    default: return ((i * j) % 3 + (i + j) % 2) % 2 == 0;
    }
}

struct ModulePosition
{
    int64_t x;
    int64_t y;
};

// Where format information bit 0 to 14 stands in copy 0 (around the upper
// left finder pattern) and copy 1 (below the upper right and beside the lower
// left finder patterns) of a symbol of `size` modules.
constexpr ModulePosition formatInfoPosition(int copy, int bit, int64_t size)
{
    if (copy == 0) {
        if (bit <= 5)
            return {8, bit};
        if (bit == 6)
            return {8, 7};
        if (bit == 7)
            return {8, 8};
        if (bit == 8)
            return {7, 8};
        return {14 - bit, 8};
    }
    if (bit <= 7)
        return {size - 1 - bit, 8};
    return {8, size - 15 + bit};
}

namespace detail {

enum class Capacity { Bits, Numeric, Alphanumeric, Byte, Kanji };

// Characters that fit the data codewords of a version and level in one
// segment: what is left after the mode and count indicators, cut into the
// mode's groups (3 digits in 10 bits, 2 characters in 11 bits, ...).
constexpr std::array<int, 160> capacityTable(Capacity kind)
{
    std::array<int, 160> table{};
    for (int version = 1; version <= MAX_VERSION; ++version) {
        const int group = versionGroup(version);
        for (int level = 0; level < 4; ++level) {
            const int bits = QR_VersonInfo[version].ncDataCodeWord[level] * 8;
            int value = 0;
            int rest = 0;
            switch (kind) {
            case Capacity::Bits:
                value = bits;
                break;
            case Capacity::Numeric:
                rest = bits - 4 - nIndicatorLenNumeral[group];
                value = 3 * (rest / 10) + (rest % 10 >= 7 ? 2 : rest % 10 >= 4 ? 1 : 0);
                break;
            case Capacity::Alphanumeric:
                rest = bits - 4 - nIndicatorLenAlphabet[group];
                value = 2 * (rest / 11) + (rest % 11 >= 6 ? 1 : 0);
                break;
            case Capacity::Byte:
                value = (bits - 4 - nIndicatorLen8Bit[group]) / 8;
                break;
            case Capacity::Kanji:
                value = (bits - 4 - nIndicatorLenKanji[group]) / 13;
                break;
            }
            table[(version - 1) * 4 + level] = value;
        }
    }
    return table;
}

struct GaloisField
{
    std::array<uint8_t, 256> exp{};   // exp[i] = alpha^i, exp[255] = exp[0]
    std::array<uint8_t, 256> log{};   // log[exp[i]] = i, log[0] unused
};

constexpr GaloisField makeGaloisField()
{
    GaloisField f;
    int value = 1;
    for (int i = 0; i < 255; ++i) {
        f.exp[i] = uint8_t(value);
        f.log[value] = uint8_t(i);
        value <<= 1;
        if (value & 0x100)
            value ^= 0x11D;
    }
    f.exp[255] = f.exp[0];
    return f;
}

inline constexpr GaloisField gf = makeGaloisField();

constexpr int MAX_RSCODEWORD = 68;

// Generator polynomials (x - alpha^0)(x - alpha^1)...(x - alpha^(n-1)),
// each stored as the exponents of its n coefficients after the leading one.
struct Generators
{
    std::array<std::array<uint8_t, MAX_RSCODEWORD>, MAX_RSCODEWORD + 1> exps{};
};

constexpr Generators makeGenerators()
{
    Generators g;
    for (int n = 1; n <= MAX_RSCODEWORD; ++n) {
        // coefficients as field values, highest degree first
        std::array<uint8_t, MAX_RSCODEWORD + 1> poly{};
        poly[0] = 1;
        for (int i = 0; i < n; ++i) {
            // multiply by (x + alpha^i)
            for (int j = i + 1; j >= 1; --j) {
                uint8_t product = 0;
                if (poly[j - 1] != 0)
                    product = gf.exp[(gf.log[poly[j - 1]] + i) % 255];
                poly[j] = uint8_t(poly[j] ^ product);
            }
        }
        for (int j = 0; j < n; ++j)
            g.exps[n][j] = gf.log[poly[j + 1]];
    }
    return g;
}

} // namespace detail

// Data capacity in bits, [(version - 1) * 4 + level].
inline constexpr std::array<int, 160> data_bit_size_array = detail::capacityTable(detail::Capacity::Bits);
// Character capacities, [(version - 1) * 4 + level].
inline constexpr std::array<int, 160> QR_Numric_size_array = detail::capacityTable(detail::Capacity::Numeric);
inline constexpr std::array<int, 160> QR_AlphaNumric_size_array =
    detail::capacityTable(detail::Capacity::Alphanumeric);
inline constexpr std::array<int, 160> QR_8_BIT_size_array = detail::capacityTable(detail::Capacity::Byte);
inline constexpr std::array<int, 160> QR_Kanji_size_array = detail::capacityTable(detail::Capacity::Kanji);

// GF(256) with the polynomial x^8 + x^4 + x^3 + x^2 + 1.
inline constexpr const std::array<uint8_t, 256>& byExpToInt = detail::gf.exp;
inline constexpr const std::array<uint8_t, 256>& byIntToExp = detail::gf.log;

inline constexpr detail::Generators rsGenerators = detail::makeGenerators();

// The generator exponents for n error correction codewords (1 to 68).
constexpr const uint8_t* byRSExp(int n)
{
    return rsGenerators.exps[n].data();
}

} // namespace QRTables
