#pragma once

#include "barcodes/QRTables.h"

#include <array>
#include <cstdint>

// Scores QR Code symbols for the choice of the data mask. The symbol is held
// as bit sets, one per row and one per column (bit k = module k, 1 dark),
// so that every penalty rule works on 64 modules at a time:
// - runs of five or more modules of one colour in a row or column add the
//   run's length less 2;
// - each 2 x 2 square of one colour adds 3 (squares overlap);
// - each dark, light, dark, dark, dark, light, dark sequence in a row or
//   column with a light module on both sides and three more light modules
//   before or after those adds 40 (modules beyond the edge count as light);
// - with p the light modules as a truncated percentage, 10 x (|50 - p| / 5).
//
// After loadSymbol the eight masks can be tried without touching the module
// bytes: loadMask builds the masked symbol, setDark adds the format
// information, penalty scores it.
class QRMaskEvaluator
{
public:
    static constexpr int WORDS = 3;   // 177 modules
    using Line = std::array<uint64_t, WORDS>;

    // The symbol after codeword placement: module bytes [x][y] with 0x20
    // marking function modules, 0x10 their dark state, 0x02 a dark data bit.
    void loadSymbol(const uint8_t modules[QRTables::MAX_MODULESIZE][QRTables::MAX_MODULESIZE], int64_t size);
    // The loaded symbol with data mask 0 to 7 applied.
    void loadMask(int mask);

    // A finished symbol: a module is dark when (byte AND 0x11) is non-zero.
    void loadModules(const uint8_t modules[QRTables::MAX_MODULESIZE][QRTables::MAX_MODULESIZE], int64_t size);

    void setDark(int64_t x, int64_t y);
    int64_t penalty() const;

private:
    template <int W>
    int64_t penaltyOf() const;

    int m_size = 0;
    // the symbol being scored
    Line m_rows[QRTables::MAX_MODULESIZE];
    Line m_columns[QRTables::MAX_MODULESIZE];
    // the loaded symbol: dark function modules, dark data bits, data area
    Line m_rowFunctionDark[QRTables::MAX_MODULESIZE];
    Line m_rowData[QRTables::MAX_MODULESIZE];
    Line m_rowDataArea[QRTables::MAX_MODULESIZE];
    Line m_columnFunctionDark[QRTables::MAX_MODULESIZE];
    Line m_columnData[QRTables::MAX_MODULESIZE];
    Line m_columnDataArea[QRTables::MAX_MODULESIZE];
};
