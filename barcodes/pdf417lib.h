#pragma once

// PDF417 symbols as plain functions over one parameter-and-result record.
// The caller fills the record (text or raw codewords and options), calls
// paintCode and reads the codewords, the shape and the module bitmap back.
// Nothing here keeps state between calls, so any thread may encode.

#include <vector>

// Option bits of pdf417param::options.
enum Pdf417Option : int {
    Pdf417Automatic = 0,         // columns from aspectRatio and yHeight, automatic level
    Pdf417FixedRectangle = 1,    // use codeColumns x codeRows as given
    Pdf417FixedColumns = 2,      // keep codeColumns, derive the rows
    Pdf417FixedRows = 4,         // keep codeRows, derive the columns
    Pdf417UseErrorLevel = 16,    // take errorLevel instead of the automatic one
    Pdf417RawCodewords = 64,     // codewords and lenCodewords are given; no text
    Pdf417InvertBitmap = 128     // flip every bit of the finished bitmap
};

// Values of pdf417param::error.
enum Pdf417Error : int {
    Pdf417Success = 0,
    Pdf417TextTooLong = 1,        // the text does not fit one symbol
    Pdf417InvalidCodewords = 2    // raw codewords with a wrong count or value
};

constexpr int Pdf417MaxTextBytes = 5420;
constexpr int Pdf417MaxCodewords = 928;

struct pdf417param {
    // Result bitmap: codeRows rows of (bitColumns - 1) / 8 + 1 bytes, most
    // significant bit first, 1 = bar (before inversion). Owned by the record.
    std::vector<unsigned char> outBits;
    int lenBits = 0;
    int bitColumns = 0;     // modules per row = 17 x (codeColumns + 3) + 18
    int codeRows = 0;       // 3 to 90
    int codeColumns = 0;    // data columns, 1 to 30
    // Index 0 is the symbol length descriptor, then data, padding and error
    // correction codewords.
    int codewords[Pdf417MaxCodewords] = {};
    int lenCodewords = 0;
    int errorLevel = 0;     // 0 to 8
    const char* text = nullptr;   // not owned
    int lenText = -1;       // negative: text is zero-terminated
    int options = 0;
    float aspectRatio = 0.5f;
    float yHeight = 3.0f;
    int error = Pdf417Success;
};

// Resets the input fields to the defaults (no options, an empty text, row
// height 3, aspect ratio 0.5) and drops any previous bitmap.
void pdf417init(pdf417param* param);

// Encodes the text (or the raw codewords) and lays the symbol out. On success
// error is 0 and the shape, codewords, level and bitmap describe the symbol;
// otherwise error is set and no bitmap is made.
void paintCode(pdf417param* param);

// Frees the bitmap.
void pdf417free(pdf417param* param);
