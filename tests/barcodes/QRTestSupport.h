#pragma once

#include "barcodes/DataMatrix.h"

#include <QImage>

#include <string>

namespace QRTestSupport {

// The grid as QREncoder draws it, with a quiet zone of four modules of
// `scale` pixels, laid on white and turned into 8-bit grey.
QImage renderOnWhite(const DataMatrix& grid, int scale);

struct Decoded
{
    bool ok = false;
    std::string text;      // UTF-8
    std::string ecLevel;   // "L", "M", "Q" or "H"
    bool mirrored = false;
};

// Reads a QR Code from a grey picture with an independent decoder. Without
// one, ok stays false.
Decoded decode(const QImage& grey);

inline Decoded decodeGrid(const DataMatrix& grid, int scale = 3)
{
    return decode(renderOnWhite(grid, scale));
}

} // namespace QRTestSupport
