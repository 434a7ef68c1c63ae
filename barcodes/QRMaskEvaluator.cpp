#include "barcodes/QRMaskEvaluator.h"

#include <bit>
#include <cstring>

using namespace QRTables;

namespace {

using Line = QRMaskEvaluator::Line;
constexpr int WORDS = QRMaskEvaluator::WORDS;

// Mask patterns as bit sets: along a row (bit j set where the mask inverts
// row i, column j), repeating after 12 rows; along a column (bit i set where
// it inverts row i, column j), repeating after 6 columns.
struct MaskLines
{
    Line row[8][12] = {};
    Line column[8][6] = {};
};

constexpr MaskLines makeMaskLines()
{
    MaskLines m;
    for (int k = 0; k < 8; ++k) {
        for (int i = 0; i < 12; ++i)
            for (int j = 0; j < 64 * WORDS; ++j)
                if (maskCondition(k, i, j))
                    m.row[k][i][size_t(j / 64)] |= uint64_t(1) << (j % 64);
        for (int j = 0; j < 6; ++j)
            for (int i = 0; i < 64 * WORDS; ++i)
                if (maskCondition(k, i, j))
                    m.column[k][j][size_t(i / 64)] |= uint64_t(1) << (i % 64);
    }
    return m;
}

constexpr MaskLines maskLines = makeMaskLines();

// W words of a line.
template <int W>
struct Bits
{
    uint64_t w[W];

    friend Bits operator&(const Bits& a, const Bits& b)
    {
        Bits r;
        for (int i = 0; i < W; ++i)
            r.w[i] = a.w[i] & b.w[i];
        return r;
    }
    friend Bits operator|(const Bits& a, const Bits& b)
    {
        Bits r;
        for (int i = 0; i < W; ++i)
            r.w[i] = a.w[i] | b.w[i];
        return r;
    }
    friend Bits operator^(const Bits& a, const Bits& b)
    {
        Bits r;
        for (int i = 0; i < W; ++i)
            r.w[i] = a.w[i] ^ b.w[i];
        return r;
    }
    Bits operator~() const
    {
        Bits r;
        for (int i = 0; i < W; ++i)
            r.w[i] = ~w[i];
        return r;
    }
    int count() const
    {
        int c = 0;
        for (int i = 0; i < W; ++i)
            c += std::popcount(w[i]);
        return c;
    }

    static Bits of(const Line& line)
    {
        Bits r;
        for (int i = 0; i < W; ++i)
            r.w[i] = line[size_t(i)];
        return r;
    }
    // bits 0 to n - 1
    static Bits first(int n)
    {
        Bits r;
        for (int i = 0; i < W; ++i) {
            const int bits = n - 64 * i;
            r.w[i] = bits >= 64 ? ~uint64_t(0) : bits <= 0 ? 0 : (uint64_t(1) << bits) - 1;
        }
        return r;
    }
};

// Bit p of the result is bit p + k of a (the module k places further on);
// positions past the last word read `fill`. 0 < k < 64.
template <int W>
Bits<W> ahead(const Bits<W>& a, int k, bool fill)
{
    Bits<W> r;
    for (int i = 0; i < W; ++i) {
        const uint64_t above = i + 1 < W ? a.w[i + 1] : (fill ? ~uint64_t(0) : 0);
        r.w[i] = (a.w[i] >> k) | (above << (64 - k));
    }
    return r;
}

// Bit p of the result is bit p - k of a (the module k places back);
// positions before the first module read `fill`. 0 < k < 64.
template <int W>
Bits<W> behind(const Bits<W>& a, int k, bool fill)
{
    Bits<W> r;
    for (int i = 0; i < W; ++i) {
        const uint64_t below = i > 0 ? a.w[i - 1] : (fill ? ~uint64_t(0) : 0);
        r.w[i] = (a.w[i] << k) | (below >> (64 - k));
    }
    return r;
}

} // namespace

void QRMaskEvaluator::loadSymbol(const uint8_t modules[MAX_MODULESIZE][MAX_MODULESIZE], int64_t size)
{
    m_size = int(size);
    const int n = m_size;
    std::memset(m_rowFunctionDark, 0, sizeof(Line) * size_t(n));
    std::memset(m_rowData, 0, sizeof(Line) * size_t(n));
    std::memset(m_rowDataArea, 0, sizeof(Line) * size_t(n));
    std::memset(m_columnFunctionDark, 0, sizeof(Line) * size_t(n));
    std::memset(m_columnData, 0, sizeof(Line) * size_t(n));
    std::memset(m_columnDataArea, 0, sizeof(Line) * size_t(n));
    for (int x = 0; x < n; ++x) {
        const uint8_t* column = modules[x];
        const uint64_t xBit = uint64_t(1) << (x % 64);
        const size_t xWord = size_t(x / 64);
        for (int y = 0; y < n; ++y) {
            const uint8_t b = column[y];
            const uint64_t yBit = uint64_t(1) << (y % 64);
            const size_t yWord = size_t(y / 64);
            if (b & 0x20) {
                if (b & 0x10) {
                    m_rowFunctionDark[y][xWord] |= xBit;
                    m_columnFunctionDark[x][yWord] |= yBit;
                }
            } else {
                m_rowDataArea[y][xWord] |= xBit;
                m_columnDataArea[x][yWord] |= yBit;
                if (b & 0x02) {
                    m_rowData[y][xWord] |= xBit;
                    m_columnData[x][yWord] |= yBit;
                }
            }
        }
    }
}

void QRMaskEvaluator::loadMask(int mask)
{
    for (int i = 0; i < m_size; ++i) {
        const Line& rowMask = maskLines.row[mask][i % 12];
        const Line& columnMask = maskLines.column[mask][i % 6];
        for (size_t w = 0; w < WORDS; ++w) {
            m_rows[i][w] = m_rowFunctionDark[i][w] | ((m_rowData[i][w] ^ rowMask[w]) & m_rowDataArea[i][w]);
            m_columns[i][w] =
                m_columnFunctionDark[i][w] | ((m_columnData[i][w] ^ columnMask[w]) & m_columnDataArea[i][w]);
        }
    }
}

void QRMaskEvaluator::loadModules(const uint8_t modules[MAX_MODULESIZE][MAX_MODULESIZE], int64_t size)
{
    m_size = int(size);
    std::memset(m_rows, 0, sizeof(Line) * size_t(m_size));
    std::memset(m_columns, 0, sizeof(Line) * size_t(m_size));
    for (int64_t x = 0; x < size; ++x)
        for (int64_t y = 0; y < size; ++y)
            if (modules[x][y] & 0x11)
                setDark(x, y);
}

void QRMaskEvaluator::setDark(int64_t x, int64_t y)
{
    m_rows[y][size_t(x / 64)] |= uint64_t(1) << (x % 64);
    m_columns[x][size_t(y / 64)] |= uint64_t(1) << (y % 64);
}

int64_t QRMaskEvaluator::penalty() const
{
    if (m_size <= 64)
        return penaltyOf<1>();
    if (m_size <= 128)
        return penaltyOf<2>();
    return penaltyOf<3>();
}

template <int W>
int64_t QRMaskEvaluator::penaltyOf() const
{
    using B = Bits<W>;
    const int n = m_size;
    const B pairs = B::first(n - 1);    // p with a module p + 1
    const B runStarts = B::first(n - 4);   // p with modules up to p + 4
    const B patternStarts = B::first(n - 6);   // p with modules up to p + 6

    B rowSame[MAX_MODULESIZE];   // per row: module p has the colour of module p + 1
    int64_t penalty = 0;
    int64_t dark = 0;
    for (int line = 0; line < 2 * n; ++line) {
        const bool isRow = line < n;
        const B d = B::of(isRow ? m_rows[line] : m_columns[line - n]);
        const B light = ~d;   // modules past the edge read light too

        // runs of five or more: each module that starts a window of five of
        // one colour adds 1, each run's first such window 2 more
        const B same = ~(d ^ ahead(d, 1, false)) & pairs;
        const B five = same & ahead(same, 1, false) & ahead(same, 2, false) & ahead(same, 3, false) & runStarts;
        const B firstOfRun = five & ~behind(same, 1, false);
        penalty += five.count() + 2 * firstOfRun.count();

        // finder-like sequences
        const B core = d & ahead(light, 1, true) & ahead(d, 2, false) & ahead(d, 3, false) & ahead(d, 4, false)
                       & ahead(light, 5, true) & ahead(d, 6, false) & ahead(light, 7, true)
                       & behind(light, 1, true) & patternStarts;
        const B before = behind(light, 2, true) & behind(light, 3, true) & behind(light, 4, true);
        const B after = ahead(light, 8, true) & ahead(light, 9, true) & ahead(light, 10, true);
        penalty += 40 * (core & (before | after)).count();

        if (isRow) {
            rowSame[line] = same;
            dark += d.count();
        }
    }

    // 2 x 2 squares of one colour
    for (int y = 0; y + 1 < n; ++y) {
        const B upper = B::of(m_rows[y]);
        const B lower = B::of(m_rows[y + 1]);
        penalty += 3 * (rowSame[y] & rowSame[y + 1] & ~(upper ^ lower)).count();
    }

    // balance
    const int64_t all = int64_t(n) * n;
    const int64_t lightPercent = (all - dark) * 100 / all;
    const int64_t deviation = lightPercent > 50 ? lightPercent - 50 : 50 - lightPercent;
    penalty += 10 * (deviation / 5);
    return penalty;
}
