#pragma once

// The published PDF417 tables: the bar-space patterns of the three clusters,
// the Reed-Solomon generator coefficients of the nine error-correction levels
// and the character sets of the Mixed and Punctuation text sub-modes.

// CLUSTERS[c][v]: the 17-module pattern of codeword value v (0 to 928) in
// cluster 0, 3 or 6 (c = 0, 1, 2); most significant bit = first module,
// 1 = bar.
extern const int CLUSTERS[3][929];

// ERROR_LEVEL[L]: the 2 << L coefficients of the generator polynomial of
// level L, lowest power first (the polynomial's leading 1 left out).
extern const int* const ERROR_LEVEL[9];

// Characters of the values 0 to 24 of the Mixed sub-mode and 0 to 28 of the
// Punctuation sub-mode (zero-terminated).
extern const char MIXED_SET[26];
extern const char PUNCTUATION_SET[30];

constexpr int PDF417_START_PATTERN = 130728;   // 17 modules 11111111010101000
constexpr int PDF417_STOP_PATTERN = 260649;    // 18 modules 111111101000101001
