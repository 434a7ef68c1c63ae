// Capacities, version choice, refusals and segmentation of the QR Code
// encoder.
#include "barcodes/QREncoder.h"
#include "barcodes/QR_Encode.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

enum Mode { Numeric, Alphanumeric, Byte, Kanji };

// The published character capacities of QR Code model 2.
struct Capacity
{
    int version;
    int level;
    int numeric, alphanumeric, byte, kanji;
};

const Capacity publishedCapacities[] = {
    {1, 0, 41, 25, 17, 10},        {1, 1, 34, 20, 14, 8},         {1, 2, 27, 16, 11, 7},
    {1, 3, 17, 10, 7, 4},          {2, 0, 77, 47, 32, 20},        {2, 3, 34, 20, 14, 8},
    {3, 1, 101, 61, 42, 26},       {4, 2, 111, 67, 46, 28},       {9, 0, 552, 335, 230, 141},
    {10, 0, 652, 395, 271, 167},   {10, 1, 513, 311, 213, 131},   {10, 2, 364, 221, 151, 93},
    {10, 3, 288, 174, 119, 74},    {26, 0, 3283, 1990, 1367, 842}, {27, 0, 3517, 2132, 1465, 902},
    {40, 0, 7089, 4296, 2953, 1817}, {40, 1, 5596, 3391, 2331, 1435}, {40, 2, 3993, 2420, 1663, 1024},
    {40, 3, 3057, 1852, 1273, 784},
};

std::string textOf(Mode mode, int characters)
{
    static const char alnum[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";
    std::string text;
    for (int i = 0; i < characters; ++i) {
        switch (mode) {
        case Numeric: text += char('0' + (i * 7 + 3) % 10); break;
        case Alphanumeric: text += alnum[10 + (i * 11) % 35]; break;   // no digits: one segment
        case Byte: text += char('a' + (i * 5) % 26); break;
        case Kanji:   // Shift JIS kanji of the first level
            text += char(0x89 + (i % 15));
            text += char(0x40 + (i * 13) % 0x3F);
            break;
        }
    }
    return text;
}

int capacityOf(const Capacity& c, Mode mode)
{
    switch (mode) {
    case Numeric: return c.numeric;
    case Alphanumeric: return c.alphanumeric;
    case Byte: return c.byte;
    default: return c.kanji;
    }
}

int tableCapacity(int version, int level, Mode mode)
{
    const int index = (version - 1) * 4 + level;
    switch (mode) {
    case Numeric: return QRTables::QR_Numric_size_array[index];
    case Alphanumeric: return QRTables::QR_AlphaNumric_size_array[index];
    case Byte: return QRTables::QR_8_BIT_size_array[index];
    default: return QRTables::QR_Kanji_size_array[index];
    }
}

int64_t dimensionOf(int level, int version, const std::string& text, int side = 0)
{
    return QREncoder::encodeCStringWithECLevel(level, version, text.c_str(), side).dimension();
}

} // namespace

TEST(QRCapacity, TablesHoldThePublishedCapacities)
{
    for (const Capacity& c : publishedCapacities) {
        for (Mode mode : {Numeric, Alphanumeric, Byte, Kanji})
            EXPECT_EQ(tableCapacity(c.version, c.level, mode), capacityOf(c, mode))
                << "version " << c.version << " level " << c.level << " mode " << mode;
    }
    EXPECT_EQ(QRTables::data_bit_size_array[0], 152);
    EXPECT_EQ(QRTables::data_bit_size_array[3], 72);
    EXPECT_EQ(QRTables::data_bit_size_array[156], 23648);
    EXPECT_EQ(QRTables::data_bit_size_array[159], 10208);
}

TEST(QRCapacity, FullTextFitsItsVersionAndOneMoreIsRefused)
{
    for (const Capacity& c : publishedCapacities) {
        const int64_t size = 4 * c.version + 17;
        for (Mode mode : {Numeric, Alphanumeric, Byte}) {
            const int capacity = capacityOf(c, mode);
            EXPECT_EQ(dimensionOf(c.level, c.version, textOf(mode, capacity)), size)
                << "version " << c.version << " level " << c.level << " mode " << mode;
            EXPECT_EQ(dimensionOf(c.level, 0, textOf(mode, capacity)), size)
                << "automatic, version " << c.version << " level " << c.level << " mode " << mode;
            EXPECT_EQ(dimensionOf(c.level, c.version, textOf(mode, capacity + 1)), 0)
                << "version " << c.version << " level " << c.level << " mode " << mode;
        }
        // The encoder holds the full Kanji capacity in characters ...
        for (int characters : {c.kanji, c.kanji + 1}) {
            const std::string text = textOf(Kanji, characters);
            auto e = std::make_unique<CQR_Encode>();
            const bool fits = e->EncodeData(c.level, c.version, false, -1, text.data(), int64_t(text.size()));
            EXPECT_EQ(fits, characters == c.kanji) << "version " << c.version << " level " << c.level;
            if (fits) {
                EXPECT_EQ(e->m_nSymbleSize, size);
            }
        }
        // ... while the front end counts a Kanji text's bytes against it.
        const int half = c.kanji / 2;
        EXPECT_EQ(dimensionOf(c.level, c.version, textOf(Kanji, half)), size) << "version " << c.version;
        EXPECT_EQ(dimensionOf(c.level, c.version, textOf(Kanji, half + 1)), 0) << "version " << c.version;
    }
}

TEST(QRCapacity, TooLongForAnyVersionIsRefused)
{
    for (int level = 0; level < 4; ++level) {
        for (Mode mode : {Numeric, Alphanumeric, Byte}) {
            const int capacity = tableCapacity(40, level, mode);
            EXPECT_EQ(dimensionOf(level, 0, textOf(mode, capacity + 1)), 0) << level << " " << mode;
            EXPECT_EQ(dimensionOf(level, 40, textOf(mode, capacity + 1)), 0) << level << " " << mode;
        }
    }
    EXPECT_EQ(dimensionOf(0, 0, std::string(20000, '7')), 0);
    EXPECT_EQ(QREncoder::encodeWithECLevel(0, 0, QString()).dimension(), 0);
    EXPECT_EQ(dimensionOf(0, 0, ""), 0);
}

TEST(QRCapacity, BadArgumentsAreRefused)
{
    EXPECT_EQ(dimensionOf(-1, 0, "123"), 0);
    EXPECT_EQ(dimensionOf(4, 0, "123"), 0);
    EXPECT_EQ(dimensionOf(0, -1, "123"), 0);
    EXPECT_EQ(dimensionOf(0, 41, "123"), 0);
    EXPECT_EQ(QREncoder::encodeCStringWithECLevel(0, 0, nullptr).dimension(), 0);
    auto e = std::make_unique<CQR_Encode>();
    EXPECT_FALSE(e->EncodeData(0, 0, true, 8, "123", 3));
    EXPECT_FALSE(e->EncodeData(0, 0, true, -1, "", 0));
    EXPECT_EQ(e->m_nSymbleSize, 0);
}

TEST(QRCapacity, VersionChoiceEdgeCases)
{
    struct Case
    {
        const char* what;
        int level;
        int version;
        std::string text;
        int side;
        int64_t dimension;
    };
    const std::string digits42(42, '4');
    const Case cases[] = {
        {"eight digits, automatic", 1, 0, "01234567", 0, 21},
        {"42 digits need version 2 at L", 0, 0, digits42, 60, 25},
        {"42 digits with only version 1 fitting the side", 0, 0, digits42, 24, 0},
        {"42 digits with version 1 asked for", 0, 1, digits42, 0, 0},
        {"42 digits with version 2 asked for", 0, 2, digits42, 0, 25},
        {"asked-for version is a minimum", 0, 5, "ABC", 0, 37},
        {"lower case is measured as bytes (7 at 1-H)", 3, 1, "ABC123def", 0, 0},
        {"lower case fits 11 bytes at 1-Q", 2, 1, "ABC123def", 0, 21},
        {"side 60 allows version 10 at most", 0, 0, textOf(Byte, 271), 60, 57},
        {"side 56 does not allow version 10", 0, 0, textOf(Byte, 271), 56, 0},
        {"side below 21 holds no symbol", 0, 0, "1", 20, 0},
        {"side limits only the automatic choice", 0, 3, "1", 20, 29},
        {"letters and digits that fit apart", 1, 1, "ABCDEFGHIJ1234567890", 0, 21},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dimensionOf(c.level, c.version, c.text, c.side), c.dimension) << c.what;
}

TEST(QRCapacity, LargestVersionForSide)
{
    const int cases[][2] = {{0, 0}, {20, 0}, {21, 1}, {24, 1}, {25, 2}, {60, 10}, {177, 40}, {1000, 40}};
    for (const auto& c : cases)
        EXPECT_EQ(QREncoder::largestVersionForSide(c[0]), c[1]) << "side " << c[0];
}

TEST(QRCapacity, Segmentation)
{
    using E = CQR_Encode;
    struct Case
    {
        std::string text;
        bool utf8;
        std::vector<std::pair<int, int>> segments;   // mode, length in bytes
    };
    const Case cases[] = {
        {"01234567", false, {{E::QR_MODE_NUMERAL, 8}}},
        {"123ABC", false, {{E::QR_MODE_ALPHABET, 6}}},
        {"ABC123def", false, {{E::QR_MODE_ALPHABET, 6}, {E::QR_MODE_8BIT, 3}}},
        {"a1b", false, {{E::QR_MODE_8BIT, 3}}},
        {"12345678901234567890ABCDEFGHIJKLMNOPQRST", false, {{E::QR_MODE_NUMERAL, 20}, {E::QR_MODE_ALPHABET, 20}}},
        {"\x93\x5F\xE4\xAA", false, {{E::QR_MODE_KANJI, 4}}},
        {"\x93\x5F\xE4\xAA", true, {{E::QR_MODE_8BIT, 4}}},
        {"0123456789012345678901234567890123456789 hello", false,
         {{E::QR_MODE_NUMERAL, 40}, {E::QR_MODE_8BIT, 6}}},
    };
    for (const Case& c : cases) {
        auto e = std::make_unique<CQR_Encode>();
        ASSERT_TRUE(e->EncodeData(0, 0, true, -1, c.text.data(), int64_t(c.text.size()), c.utf8)) << c.text;
        std::vector<std::pair<int, int>> segments;
        for (int64_t i = 0; i < e->m_ncDataBlock; ++i)
            segments.emplace_back(e->m_byBlockMode[i], int(e->m_nBlockLength[i]));
        EXPECT_EQ(segments, c.segments) << c.text;
    }
}

TEST(QRCapacity, TextModeClassification)
{
    using E = CQR_Encode;
    struct Case
    {
        std::string text;
        bool kanji;
        int mode;
    };
    const Case cases[] = {
        {"", true, E::QR_MODE_8BIT},
        {"0123", true, E::QR_MODE_NUMERAL},
        {"AB 12", true, E::QR_MODE_ALPHABET},
        {"ABC123def", true, E::QR_MODE_8BIT},
        {"\x93\x5F" "12", true, E::QR_MODE_KANJI},
        {"\x93\x5F" "12", false, E::QR_MODE_8BIT},
        {"\xE2\x82\xAC", false, E::QR_MODE_8BIT},   // UTF-8 euro sign
    };
    for (const Case& c : cases)
        EXPECT_EQ(E::Get_Encoding_Mode(c.text.data(), int64_t(c.text.size()), c.kanji), c.mode) << c.text;

    EXPECT_EQ(E::Get_Encoding_Mode_Test("0123", 4, E::QR_MODE_NUMERAL), E::QR_MODE_NUMERAL);
    EXPECT_EQ(E::Get_Encoding_Mode_Test("01A3", 4, E::QR_MODE_NUMERAL), E::QR_MODE_8BIT);
    EXPECT_EQ(E::Get_Encoding_Mode_Test("01A3", 4, E::QR_MODE_ALPHABET), E::QR_MODE_ALPHABET);
    EXPECT_EQ(E::Get_Encoding_Mode_Test("\x93\x5F\xE4\xAA", 4, E::QR_MODE_KANJI), E::QR_MODE_KANJI);
    EXPECT_EQ(E::Get_Encoding_Mode_Test("", 0, E::QR_MODE_ALPHABET), E::QR_MODE_NUMERAL);

    // Shift JIS boundaries of the Kanji mode
    EXPECT_TRUE(E::IsKanjiData(0x81, 0x40));
    EXPECT_TRUE(E::IsKanjiData(0x9F, 0xFC));
    EXPECT_FALSE(E::IsKanjiData(0x9F, 0xFD));
    EXPECT_TRUE(E::IsKanjiData(0xEB, 0xBF));
    EXPECT_FALSE(E::IsKanjiData(0xEB, 0xC0));
    EXPECT_FALSE(E::IsKanjiData(0xA0, 0x40));
    EXPECT_FALSE(E::IsKanjiData(0x81, 0x3F));
}

TEST(QRCapacity, ManySegmentsStayInBounds)
{
    // Digits and letters in turn start a new segment at every character.
    std::string text;
    for (int i = 0; i < 4296 / 2; ++i)
        text += "1A";
    auto e = std::make_unique<CQR_Encode>();
    EXPECT_TRUE(e->EncodeData(0, 0, true, -1, text.data(), int64_t(text.size())));
    EXPECT_EQ(e->m_nVersion, 40);
    EXPECT_EQ(dimensionOf(0, 0, text), 177);
}
