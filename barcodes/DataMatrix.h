#pragma once

#include <QString>

#include <cstdint>
#include <vector>

// A square grid of module values handed from the QR Code encoder to its
// renderer: 1 a dark module, 0 a light one. (The QR module grid, not the Data
// Matrix symbology.) A grid of dimension 0 stands for a symbol that could not
// be made.
class DataMatrix
{
public:
    DataMatrix() = default;
    explicit DataMatrix(int64_t dimension);   // every cell 0

    int64_t dimension() const { return _dimension; }

    // Row y, column x; cells outside the grid are ignored (set) or read as 0.
    void set(signed char value, int64_t x, int64_t y);
    signed char valueAt(int64_t x, int64_t y) const;

    // One line per row, each value printed as a decimal number, each row
    // ended by "\n".
    QString description() const;

private:
    bool contains(int64_t x, int64_t y) const { return x >= 0 && y >= 0 && x < _dimension && y < _dimension; }

    int64_t _dimension = 0;
    std::vector<signed char> _data;   // row-major, _dimension * _dimension
};
