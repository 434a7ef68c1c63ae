#include "Pdf417TestSupport.h"

#include "barcodes/Pdf417Symbol.h"
#include "barcodes/pdf417lib.h"
#include "barcodes/pdf417tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using pdf417test::bitAt;

namespace {

// Encodes bytes with the given options; level and shape inputs as given.
pdf417param encodeText(const std::string& text, int options = Pdf417UseErrorLevel, int level = 2)
{
    pdf417param p;
    pdf417init(&p);
    p.text = text.data();
    p.lenText = int(text.size());
    p.options = options;
    p.errorLevel = level;
    p.aspectRatio = 1.0f;
    paintCode(&p);
    return p;
}

// The data codewords after the length descriptor, without padding.
std::vector<int> dataCodewords(const pdf417param& p)
{
    std::vector<int> out(p.codewords + 1, p.codewords + p.codewords[0]);
    while (!out.empty() && out.back() == 900)
        out.pop_back();
    return out;
}

pdf417param encodeRaw(const std::vector<int>& codewords, int options, int level)
{
    pdf417param p;
    pdf417init(&p);
    for (std::size_t k = 0; k < codewords.size(); ++k)
        p.codewords[k] = codewords[k];
    p.lenCodewords = int(codewords.size());
    p.options = options | Pdf417RawCodewords;
    p.errorLevel = level;
    p.aspectRatio = 1.0f;
    paintCode(&p);
    return p;
}

// The codeword value whose pattern of the row's cluster starts at module
// column `at` of the row; -1 when no pattern matches.
int codewordAt(const pdf417param& p, int row, int at)
{
    int pattern = 0;
    for (int b = 0; b < 17; ++b)
        pattern = (pattern << 1) | (bitAt(p, row, at + b) ? 1 : 0);
    const int* cluster = CLUSTERS[row % 3];
    for (int v = 0; v < 929; ++v) {
        if (cluster[v] == pattern)
            return v;
    }
    return -1;
}

int patternBits(const pdf417param& p, int row, int at, int count)
{
    int bits = 0;
    for (int b = 0; b < count; ++b)
        bits = (bits << 1) | (bitAt(p, row, at + b) ? 1 : 0);
    return bits;
}

}

TEST(Pdf417Tables, PatternsAreWellFormedCodewords)
{
    // Each pattern: 17 modules, 4 bars and 4 spaces of 1 to 6 modules, in
    // the cluster (b1 - b2 + b3 - b4) mod 9 of its row, and no two alike.
    for (int cluster = 0; cluster < 3; ++cluster) {
        std::vector<int> seen;
        for (int v = 0; v < 929; ++v) {
            SCOPED_TRACE(std::to_string(cluster) + ":" + std::to_string(v));
            const int pattern = CLUSTERS[cluster][v];
            ASSERT_EQ(pattern >> 16, 1);
            std::vector<int> widths;
            for (int b = 16; b >= 0; --b) {
                const int bit = (pattern >> b) & 1;
                const int current = widths.size() % 2 == 1 ? 1 : 0;   // bars stand at even places
                if (widths.empty() || current != bit)
                    widths.push_back(0);
                ++widths.back();
            }
            ASSERT_EQ(widths.size(), 8u);
            for (int w : widths)
                EXPECT_TRUE(w >= 1 && w <= 6);
            EXPECT_EQ((widths[0] - widths[2] + widths[4] - widths[6] + 9) % 9, 3 * cluster);
            seen.push_back(pattern);
        }
        std::sort(seen.begin(), seen.end());
        EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end());
    }
}

TEST(Pdf417Encoder, SingleLetterAtLevelTwo)
{
    const pdf417param p = encodeText("A");
    ASSERT_EQ(p.error, Pdf417Success);
    const std::vector<int> expected {2, 29, 478, 509, 903, 637, 74, 490, 760, 21};
    EXPECT_EQ(std::vector<int>(p.codewords, p.codewords + p.lenCodewords), expected);
    EXPECT_EQ(p.errorLevel, 2);
    EXPECT_EQ(p.codeColumns, 1);
    EXPECT_EQ(p.codeRows, 10);
    EXPECT_EQ(p.bitColumns, 86);
    EXPECT_EQ(p.lenBits, 110);
    EXPECT_EQ(int(p.outBits.size()), 110);
}

TEST(Pdf417Encoder, WorkedErrorCorrectionExample)
{
    // Data 5, 453, 178, 121, 239 at level 1 in a 1 x 9 symbol.
    pdf417param p;
    pdf417init(&p);
    const int data[] = {5, 453, 178, 121, 239};
    std::copy(std::begin(data), std::end(data), p.codewords);
    p.lenCodewords = 5;
    p.options = Pdf417RawCodewords | Pdf417UseErrorLevel | Pdf417FixedRectangle;
    p.errorLevel = 1;
    p.codeColumns = 1;
    p.codeRows = 9;
    paintCode(&p);
    ASSERT_EQ(p.error, Pdf417Success);
    EXPECT_EQ(std::vector<int>(p.codewords + 5, p.codewords + 9), (std::vector<int> {452, 327, 657, 619}));
}

TEST(Pdf417Encoder, RowsCarryStartIndicatorsDataAndStop)
{
    // 3 columns x 7 rows at level 1, given as a rectangle.
    std::vector<int> data(21 - 4, 1);
    data[0] = int(data.size());
    pdf417param q;
    pdf417init(&q);
    std::copy(data.begin(), data.end(), q.codewords);
    q.lenCodewords = int(data.size());
    q.options = Pdf417RawCodewords | Pdf417UseErrorLevel | Pdf417FixedRectangle;
    q.errorLevel = 1;
    q.codeColumns = 3;
    q.codeRows = 7;
    paintCode(&q);
    ASSERT_EQ(q.error, Pdf417Success);
    ASSERT_EQ(q.codeRows, 7);
    ASSERT_EQ(q.codeColumns, 3);
    ASSERT_EQ(q.errorLevel, 1);
    const int right = 17 * 5;
    // cluster 0: rows / 3 left, columns - 1 right; cluster 3: 3 x level +
    // rows mod 3 left, rows / 3 right; cluster 6: columns - 1 left, level
    // part right; every three rows add 30.
    const int expected[7][2] = {{2, 2}, {3, 2}, {2, 3}, {32, 32}, {33, 32}, {32, 33}, {62, 62}};
    for (int r = 0; r < 7; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(patternBits(q, r, 0, 17), PDF417_START_PATTERN);
        EXPECT_EQ(codewordAt(q, r, 17), expected[r][0]);
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(codewordAt(q, r, 34 + 17 * c), q.codewords[3 * r + c]);
        EXPECT_EQ(codewordAt(q, r, right), expected[r][1]);
        EXPECT_EQ(patternBits(q, r, right + 17, 18), PDF417_STOP_PATTERN);
        // The rest of the row's last byte stays light.
        for (int c = q.bitColumns; c < (q.lenBits / q.codeRows) * 8; ++c)
            EXPECT_FALSE(bitAt(q, r, c));
    }
}

TEST(Pdf417Encoder, ShapeFromAspectRatio)
{
    struct Case {
        int dataCodewords, columns, rows;
    };
    const Case cases[] = {{2, 1, 10}, {50, 2, 29}, {100, 3, 36}, {300, 6, 52}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dataCodewords);
        std::vector<int> data(std::size_t(c.dataCodewords), 7);
        data[0] = c.dataCodewords;
        const pdf417param p = encodeRaw(data, Pdf417UseErrorLevel, 2);
        ASSERT_EQ(p.error, Pdf417Success);
        EXPECT_EQ(p.codeColumns, c.columns);
        EXPECT_EQ(p.codeRows, c.rows);
        EXPECT_EQ(p.lenCodewords, c.columns * c.rows);
        EXPECT_EQ(p.bitColumns, 17 * (c.columns + 3) + 18);
        EXPECT_EQ(p.lenBits, ((p.bitColumns - 1) / 8 + 1) * c.rows);
    }
}

TEST(Pdf417Encoder, FixedShapes)
{
    struct Case {
        const char* name;
        int options, columns, rows, dataCodewords;
        int wantColumns, wantRows;
    };
    const Case cases[] = {
        {"rectangle stands", Pdf417FixedRectangle, 4, 10, 10, 4, 10},
        {"rectangle too small grows rows", Pdf417FixedRectangle, 2, 3, 40, 2, 24},
        {"rectangle too small grows columns", Pdf417FixedRectangle | Pdf417FixedRows, 2, 4, 40, 12, 4},
        {"rectangle above 928, narrow", Pdf417FixedRectangle, 20, 50, 10, 16, 58},
        {"rectangle above 928, wide", Pdf417FixedRectangle, 30, 90, 10, 29, 32},
        {"fixed columns", Pdf417FixedColumns, 5, 3, 40, 5, 10},
        {"fixed columns, at least 3 rows", Pdf417FixedColumns, 10, 3, 2, 10, 3},
        {"fixed columns, at most 90 rows", Pdf417FixedColumns, 1, 3, 120, 2, 90},
        {"fixed rows", Pdf417FixedRows, 1, 6, 40, 8, 6},
        {"fixed rows, at most 30 columns", Pdf417FixedRows, 1, 3, 300, 30, 11},
        {"columns clamped to 30", Pdf417FixedColumns, 45, 3, 40, 30, 3},
        {"rows clamped to 3", Pdf417FixedRows, 1, 1, 10, 6, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        pdf417param p;
        pdf417init(&p);
        for (int k = 0; k < c.dataCodewords; ++k)
            p.codewords[k] = 1;
        p.codewords[0] = c.dataCodewords;
        p.lenCodewords = c.dataCodewords;
        p.options = c.options | Pdf417RawCodewords | Pdf417UseErrorLevel;
        p.errorLevel = 2;
        p.codeColumns = c.columns;
        p.codeRows = c.rows;
        paintCode(&p);
        ASSERT_EQ(p.error, Pdf417Success);
        EXPECT_EQ(p.codeColumns, c.wantColumns);
        EXPECT_EQ(p.codeRows, c.wantRows);
        EXPECT_EQ(p.lenCodewords, p.codeColumns * p.codeRows);
    }
}

TEST(Pdf417Encoder, LevelGrowsToFillTheSymbol)
{
    // "A" in a 3 x 10 rectangle at level 0: 28 free codewords take level 3
    // (16 codewords); 12 pad codewords 900 follow the data.
    pdf417param p;
    pdf417init(&p);
    p.text = "A";
    p.options = Pdf417UseErrorLevel | Pdf417FixedRectangle;
    p.errorLevel = 0;
    p.codeColumns = 3;
    p.codeRows = 10;
    paintCode(&p);
    ASSERT_EQ(p.error, Pdf417Success);
    EXPECT_EQ(p.errorLevel, 3);
    EXPECT_EQ(p.codewords[0], 14);
    EXPECT_EQ(p.codewords[1], 29);
    for (int k = 2; k < 14; ++k)
        EXPECT_EQ(p.codewords[k], 900) << k;
    EXPECT_EQ(p.lenCodewords, 30);
}

TEST(Pdf417Encoder, LevelChoiceAndLimits)
{
    struct Case {
        const char* name;
        int letters, options, level, wantLevel;
    };
    const Case cases[] = {
        {"automatic, small", 10, 0, 7, 2},
        {"automatic, 41 codewords", 80, 0, 0, 3},
        {"automatic, 161 codewords", 320, 0, 0, 4},
        {"automatic, 321 codewords", 640, 0, 0, 5},
        {"requested", 10, Pdf417UseErrorLevel, 5, 5},
        {"above 8 lowered", 10, Pdf417UseErrorLevel, 9, 8},
        // 6 data codewords and 2 at level 0 in 30 columns x 3 rows: the level
        // grows to 5 to fill the 90 codewords.
        {"negative becomes 0, then fills", 10, Pdf417UseErrorLevel | Pdf417FixedColumns, -3, 5},
        // 501 codewords leave 427: at most level 7.
        {"lowered to the space left", 1000, Pdf417UseErrorLevel, 8, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        pdf417param p;
        pdf417init(&p);
        const std::string text(std::size_t(c.letters), 'Q');
        p.text = text.c_str();
        p.options = c.options;
        p.errorLevel = c.level;
        p.codeColumns = 30;
        p.aspectRatio = 1.0f;
        paintCode(&p);
        ASSERT_EQ(p.error, Pdf417Success);
        EXPECT_EQ(p.errorLevel, c.wantLevel);
    }
}

TEST(Pdf417Encoder, TextCompactionValues)
{
    struct Case {
        const char* name;
        std::string text;
        std::vector<int> codewords;
    };
    const Case cases[] = {
        {"upper", "AB", {1}},
        {"odd count padded", "ABC", {1, 89}},
        {"lower latch", "ab", {810, 59}},
        {"alpha shift from lower", "aB", {810, 811}},
        {"alpha latch from lower", "aBCD", {810, 868, 32, 119}},
        {"mixed latch", "A1", {28, 59}},
        {"mixed to lower", "1a", {841, 810}},
        {"mixed to alpha", "1A", {841, 840}},
        {"punctuation shift", "A;", {29, 29}},
        {"punctuation latch", "A;<>", {28, 750, 32}},
        {"punctuation back to alpha", "A;<>B", {28, 750, 32, 871}},
        {"space in lower", "a b", {810, 781}},
        {"mixed and punctuation shift", "A\r\n", {28, 359, 479}},
        {"byte shift inside text", "ab\xC8" "c", {810, 59, 913, 200, 89}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const pdf417param p = encodeText(c.text);
        ASSERT_EQ(p.error, Pdf417Success);
        EXPECT_EQ(dataCodewords(p), c.codewords);
    }
}

TEST(Pdf417Encoder, NumericCompaction)
{
    struct Case {
        const char* name;
        std::string text;
        std::vector<int> codewords;
    };
    const Case cases[] = {
        {"published example", "000213298174000", {902, 1, 624, 434, 632, 282, 200}},
        {"thirteen digits", "1234567890123", {902, 17, 110, 836, 811, 223}},
        {"44-digit group and a rest",
         "12345678901234567890123456789012345678901234" "567890",
         {902, 491, 81, 137, 450, 302, 67, 15, 174, 492, 862, 667, 475, 869, 12, 434, 1, 842, 90}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const pdf417param p = encodeText(c.text);
        ASSERT_EQ(p.error, Pdf417Success);
        EXPECT_EQ(dataCodewords(p), c.codewords);
    }
}

TEST(Pdf417Encoder, SegmentationChoices)
{
    auto has = [](const std::vector<int>& v, int cw) { return std::find(v.begin(), v.end(), cw) != v.end(); };
    struct Case {
        const char* name;
        std::string text;
        bool numeric, byteLatch, textLatch;
    };
    const Case cases[] = {
        {"13 digits inside text", "AB1234567890123CD", true, false, true},
        {"12 digits stay text", "AB123456789012CD", false, false, false},
        {"8 digits alone", "12345678", true, false, false},
        {"7 digits alone stay text", "1234567", false, false, false},
        {"digits after text", "Order 1234567890123", true, false, false},
        {"one byte between short texts", "a\xE9" "b", false, true, false},
        {"one byte between long texts", "hello\xE9world", false, false, false},
        {"bytes then text", "\x80\x81\x82\x83 hello world", false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const pdf417param p = encodeText(c.text);
        ASSERT_EQ(p.error, Pdf417Success);
        const std::vector<int> data = dataCodewords(p);
        EXPECT_EQ(has(data, 902), c.numeric);
        EXPECT_EQ(has(data, 901) || has(data, 924), c.byteLatch);
        EXPECT_EQ(has(data, 900), c.textLatch);
    }
}

TEST(Pdf417Encoder, ByteCompaction)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<int> codewords;
    };
    const Case cases[] = {
        {"six bytes", "\x80\x81\x82\x83\x84\x85", {924, 215, 318, 502, 193, 33}},
        {"seven bytes", "\x80\x81\x82\x83\x84\x85\x86", {901, 215, 318, 502, 193, 33, 134}},
        {"twelve bytes", "\x80\x81\x82\x83\x84\x85\x80\x81\x82\x83\x84\x85",
         {924, 215, 318, 502, 193, 33, 215, 318, 502, 193, 33}},
        {"five bytes one by one", "\xF0\xF1\xF2\xF3\xF4", {901, 240, 241, 242, 243, 244}},
        {"control bytes", std::string("\x01\x00\x1B", 3), {901, 1, 0, 27}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const pdf417param p = encodeText(c.bytes);
        ASSERT_EQ(p.error, Pdf417Success);
        EXPECT_EQ(dataCodewords(p), c.codewords);
    }
}

TEST(Pdf417Encoder, CapacityLimits)
{
    struct Case {
        const char* name;
        std::string text;
        int error;
    };
    const Case cases[] = {
        {"most letters", std::string(1850, 'Q'), Pdf417Success},
        {"one letter more", std::string(1851, 'Q'), Pdf417TextTooLong},
        {"most digits", std::string(2710, '7'), Pdf417Success},
        {"one digit more", std::string(2711, '7'), Pdf417TextTooLong},
        {"most bytes", std::string(1108, '\xA5'), Pdf417Success},
        {"one byte more", std::string(1109, '\xA5'), Pdf417TextTooLong},
        {"a whole group more", std::string(1110, '\xA5'), Pdf417TextTooLong},
        {"beyond 5420 letters", std::string(5421, 'a'), Pdf417TextTooLong},
        {"beyond 5420 digits", std::string(5421, '7'), Pdf417TextTooLong},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const pdf417param p = encodeText(c.text, 0);
        EXPECT_EQ(p.error, c.error);
        if (c.error == Pdf417Success) {
            EXPECT_EQ(p.codewords[0], 926);
            EXPECT_EQ(p.lenCodewords, 928);
            EXPECT_EQ(p.errorLevel, 0);
        } else {
            EXPECT_TRUE(p.outBits.empty());
        }
    }
}

TEST(Pdf417Encoder, RawCodewordChecks)
{
    struct Case {
        const char* name;
        std::vector<int> codewords;
        int lenCodewords;
        int error;
    };
    const Case cases[] = {
        {"valid", {3, 1, 2}, 3, Pdf417Success},
        {"descriptor differs", {4, 1, 2}, 3, Pdf417InvalidCodewords},
        {"no codewords", {0}, 0, Pdf417InvalidCodewords},
        {"too many", std::vector<int>(927, 927), 927, Pdf417InvalidCodewords},
        {"the most", [] { std::vector<int> v(926, 5); v[0] = 926; return v; }(), 926, Pdf417Success},
        {"value without a pattern", {3, 929, 2}, 3, Pdf417InvalidCodewords},
        {"negative value", {3, -1, 2}, 3, Pdf417InvalidCodewords},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        pdf417param p;
        pdf417init(&p);
        std::copy(c.codewords.begin(), c.codewords.end(), p.codewords);
        p.lenCodewords = c.lenCodewords;
        p.options = Pdf417RawCodewords;
        paintCode(&p);
        EXPECT_EQ(p.error, c.error);
        EXPECT_EQ(p.outBits.empty(), c.error != Pdf417Success);
    }
}

TEST(Pdf417Encoder, InitFreeAndInversion)
{
    pdf417param p;
    p.options = 77;
    p.error = 2;
    p.yHeight = 9.0f;
    p.codeColumns = 4;
    pdf417init(&p);
    EXPECT_EQ(p.options, 0);
    EXPECT_EQ(p.error, 0);
    EXPECT_EQ(p.lenText, -1);
    EXPECT_STREQ(p.text, "");
    EXPECT_FLOAT_EQ(p.yHeight, 3.0f);
    EXPECT_FLOAT_EQ(p.aspectRatio, 0.5f);
    EXPECT_EQ(p.codeColumns, 4);   // shape inputs are kept

    // A zero-terminated text is counted.
    p.text = "Hello";
    p.options = Pdf417UseErrorLevel;
    p.errorLevel = 2;
    paintCode(&p);
    ASSERT_EQ(p.error, Pdf417Success);
    EXPECT_EQ(p.lenText, 5);
    const std::vector<unsigned char> plain = p.outBits;

    p.options = Pdf417UseErrorLevel | Pdf417InvertBitmap;
    paintCode(&p);
    ASSERT_EQ(p.outBits.size(), plain.size());
    for (std::size_t k = 0; k < plain.size(); ++k)
        EXPECT_EQ(p.outBits[k], static_cast<unsigned char>(~plain[k])) << k;

    pdf417free(&p);
    EXPECT_TRUE(p.outBits.empty());
}

TEST(Pdf417Encoder, OddShapeInputsAreSafe)
{
    // Row heights and aspect ratios that have no sensible answer still give a symbol.
    const float heights[] = {0.0f, -5.0f, 1e9f};
    const float ratios[] = {0.0f, -1.0f, 1e9f};
    for (float h : heights) {
        for (float a : ratios) {
            pdf417param p;
            pdf417init(&p);
            p.text = "Brightfold";
            p.yHeight = h;
            p.aspectRatio = a;
            paintCode(&p);
            ASSERT_EQ(p.error, Pdf417Success);
            EXPECT_GE(p.codeColumns, 1);
            EXPECT_LE(p.codeColumns, 30);
            EXPECT_GE(p.codeRows, 3);
            EXPECT_LE(p.codeRows, 90);
        }
    }
}

TEST(Pdf417Symbol, RefusesWhatItCannotCarry)
{
    struct Case {
        const char* name;
        QString text;
        Pdf417Symbol::Failure failure;
    };
    const Case cases[] = {
        {"empty", QString(), Pdf417Symbol::Failure::EmptyText},
        {"above U+00FF", QStringLiteral("Price 10 \u20AC"), Pdf417Symbol::Failure::UnencodableCharacter},
        {"first character past Latin-1", QString(QChar(0x0100)), Pdf417Symbol::Failure::UnencodableCharacter},
        {"surrogate pair", QString::fromUtf8("\xF0\x9F\x98\x80"), Pdf417Symbol::Failure::UnencodableCharacter},
        {"too long", QString(5421, QLatin1Char('x')), Pdf417Symbol::Failure::TooLong},
        {"too many digits", QString(2711, QLatin1Char('5')), Pdf417Symbol::Failure::TooLong},
        {"last Latin-1 character", QString(QChar(0x00FF)), Pdf417Symbol::Failure::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Pdf417Symbol s = Pdf417Symbol::encode(c.text, 2);
        EXPECT_EQ(s.failure(), c.failure);
        EXPECT_EQ(s.isNull(), c.failure != Pdf417Symbol::Failure::None);
    }
}
