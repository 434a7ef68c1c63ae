// The mask penalty of the QR Code encoder: hand-counted symbols, a plain
// module-by-module count on real symbols, and the choice of the mask.
#include "barcodes/QR_Encode.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Grid = std::vector<std::vector<int>>;   // [y][x], 1 dark

// Finder-like sequences (dark light dark dark dark light dark) in one line
// with light modules on both sides and four on at least one side; modules
// beyond the edge count as light.
int finderHits(const std::function<int(int)>& at, int n)
{
    const auto light = [&](int i) { return i < 0 || i >= n || at(i) == 0; };
    const int pattern[7] = {1, 0, 1, 1, 1, 0, 1};
    int hits = 0;
    for (int p = 0; p + 7 <= n; ++p) {
        bool match = true;
        for (int k = 0; k < 7 && match; ++k)
            match = at(p + k) == pattern[k];
        if (!match || !light(p - 1) || !light(p + 7))
            continue;
        const bool before = light(p - 2) && light(p - 3) && light(p - 4);
        const bool after = light(p + 8) && light(p + 9) && light(p + 10);
        if (before || after)
            ++hits;
    }
    return hits;
}

// The penalty rules applied module by module, as plainly as they read.
int64_t plainPenalty(const Grid& g)
{
    const int n = int(g.size());
    int64_t penalty = 0;
    for (int pass = 0; pass < 2; ++pass) {
        const auto at = [&](int line, int i) { return pass == 0 ? g[line][i] : g[i][line]; };
        for (int line = 0; line < n; ++line) {
            // runs of five or more
            int run = 1;
            for (int i = 1; i <= n; ++i) {
                if (i < n && at(line, i) == at(line, i - 1)) {
                    ++run;
                } else {
                    if (run >= 5)
                        penalty += run - 2;
                    run = 1;
                }
            }
            penalty += 40 * finderHits([&](int i) { return at(line, i); }, n);
        }
    }
    for (int y = 0; y + 1 < n; ++y)
        for (int x = 0; x + 1 < n; ++x)
            if (g[y][x] == g[y][x + 1] && g[y][x] == g[y + 1][x] && g[y][x] == g[y + 1][x + 1])
                penalty += 3;
    int light = 0;
    for (const auto& row : g)
        for (int v : row)
            light += v == 0;
    const int percent = light * 100 / (n * n);
    penalty += 10 * (std::abs(50 - percent) / 5);
    return penalty;
}

Grid gridOf(const CQR_Encode& e)
{
    const int n = int(e.m_nSymbleSize);
    Grid g(size_t(n), std::vector<int>(size_t(n), 0));
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            g[size_t(y)][size_t(x)] = e.m_byModuleData[x][y] ? 1 : 0;
    return g;
}

int64_t encoderPenalty(const Grid& g)
{
    auto e = std::make_unique<CQR_Encode>();
    e->m_nSymbleSize = int64_t(g.size());
    for (size_t y = 0; y < g.size(); ++y)
        for (size_t x = 0; x < g.size(); ++x)
            e->m_byModuleData[x][y] = uint8_t(g[y][x]);
    return e->CountPenalty();
}

Grid patterned(int n, const std::function<int(int, int)>& dark)
{
    Grid g(size_t(n), std::vector<int>(size_t(n), 0));
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            g[size_t(y)][size_t(x)] = dark(x, y);
    return g;
}

} // namespace

TEST(QRPenalty, HandCountedSymbols)
{
    struct Case
    {
        const char* what;
        Grid grid;
        int64_t penalty;
    };
    const Case cases[] = {
        // 21 rows and 21 columns of 21: 19 each; 400 blocks; all light
        {"all light", patterned(21, [](int, int) { return 0; }), 42 * 19 + 400 * 3 + 100},
        {"all dark", patterned(21, [](int, int) { return 1; }), 42 * 19 + 400 * 3 + 100},
        {"checkerboard", patterned(21, [](int x, int y) { return (x + y + 1) % 2; }), 0},
        // stripes: each column one run of 21; rows alternate
        {"vertical stripes", patterned(21, [](int x, int) { return x % 2; }), 21 * 19 + 10 * 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(plainPenalty(c.grid), c.penalty) << c.what;
        EXPECT_EQ(encoderPenalty(c.grid), c.penalty) << c.what;
    }
}

TEST(QRPenalty, FinderLikeSequencesInOneLine)
{
    // One row of 21 modules in a symbol whose other rows are a checkerboard;
    // the penalty beyond the checkerboard's own tells the row's share.
    struct Case
    {
        const char* row;
        bool counts;
    };
    const Case cases[] = {
        {"000010111010101010101", true},    // four light before, one after
        {"101001011101010101010", false},   // one light on each side only
        {"010101010010111010000", true},    // one light before, four after
        {"101110101010101010101", true},    // at the left edge: beyond counts light
        {"010101010101101110100", false},   // dark right before the sequence
        {"101010101010111010010", false},   // one light before, two after
        {"010101010101010111010", true},    // light neighbour at the edge: beyond counts light
        {"010101010101101011101", true},    // sequence at the right edge
    };
    // The row's 21 modules at the right end of lines of several lengths, so
    // that the sequences meet the edge at word boundaries too.
    for (const Case& c : cases) {
        const std::string tail = c.row;
        EXPECT_EQ(finderHits([&tail](int i) { return tail[size_t(i)] - '0'; }, 21), c.counts ? 1 : 0) << tail;
        for (int n : {21, 61, 64, 65, 125, 128, 129, 177}) {
            std::string row;
            for (int i = 0; i < n - 21; ++i)
                row += char('0' + i % 2);
            row += tail;
            const Grid g = patterned(n, [&row](int x, int y) { return y == 10 ? row[size_t(x)] - '0' : (x + y) % 2; });
            EXPECT_EQ(encoderPenalty(g), plainPenalty(g)) << tail << " in " << n;
        }
    }
}

TEST(QRPenalty, CountMatchesThePlainRulesOnRealSymbols)
{
    const std::string texts[] = {"01234567", "HELLO WORLD", "The quick brown fox jumps over the lazy dog",
                                 std::string(300, 'A'), std::string(1200, '9')};
    // sizes at and around the ends of 64-bit words: 61, 65, 125, 129, 177
    for (const std::string& text : texts) {
        for (int version : {0, 11, 12, 27, 28, 40}) {
            const int level = version % 2 == 0 ? 0 : 3;
            for (int mask = 0; mask < 8; ++mask) {
                auto e = std::make_unique<CQR_Encode>();
                ASSERT_TRUE(e->EncodeData(level, version, true, mask, text.data(), int64_t(text.size())));
                EXPECT_EQ(e->CountPenalty(), plainPenalty(gridOf(*e))) << text.substr(0, 20) << " mask " << mask;
            }
        }
    }
}

TEST(QRPenalty, AutomaticMaskIsTheFirstWithTheLowestPenalty)
{
    const std::string texts[] = {"01234567", "HELLO WORLD", "Version seven text for masks", std::string(150, 'z'),
                                 "a", "ABCDEFGHIJ1234567890"};
    for (const std::string& text : texts) {
        for (int level = 0; level < 4; ++level) {
            int64_t best = -1;
            int bestMask = -1;
            for (int mask = 0; mask < 8; ++mask) {
                auto e = std::make_unique<CQR_Encode>();
                ASSERT_TRUE(e->EncodeData(level, 0, true, mask, text.data(), int64_t(text.size())));
                const int64_t p = plainPenalty(gridOf(*e));
                if (bestMask < 0 || p < best) {
                    best = p;
                    bestMask = mask;
                }
            }
            auto chosen = std::make_unique<CQR_Encode>();
            ASSERT_TRUE(chosen->EncodeData(level, 0, true, -1, text.data(), int64_t(text.size())));
            EXPECT_EQ(chosen->m_nMaskingNo, bestMask) << text << " level " << level;
        }
    }
}
