#pragma once

#include "barcodes/DataMatrix.h"
#include "platform/Picture.h"

#include <QColor>
#include <QImage>
#include <QString>

#include <cstdint>

// Front end of the QR Code encoder and the renderer of its module grids.
// Class operations only.
class QREncoder
{
public:
    QREncoder() = delete;

    // level 0 L, 1 M, 2 Q, 3 H; version 1 to 40 (the least version used), or
    // 0 for the smallest version that holds the text. With version 0 and a
    // picture side given, only versions whose symbol fits that side in
    // pixels (one pixel per module at least) are considered; a side of 0
    // sets no such limit. The text goes in as UTF-8 and is never read as
    // Kanji. A grid of dimension 0 when the text does not fit.
    static DataMatrix encodeWithECLevel(int level, int version, const QString& string, int imageDimension = 0);

    // The same for bytes up to the first NUL, in which Shift JIS double-byte
    // characters go in Kanji mode.
    static DataMatrix encodeCStringWithECLevel(int level, int version, const char* cstring, int imageDimension = 0);

    // The grid drawn into a picture of imageDimension x imageDimension pixels:
    // each module a square of (side / modules) pixels, dark modules opaque
    // black, light ones opaque white, centred; the margin around it is
    // transparent white. RGBA, 8 bits per component, not premultiplied.
    // A null image for an empty grid or a side smaller than the grid.
    static QImage renderDataMatrix(const DataMatrix& grid, int imageDimension);

    // The same picture, imageDimension points square, redrawn without
    // interpolation at dpi pixels per inch (ceil(dpi * side / 72) pixels).
    static Picture renderDataMatrix(const DataMatrix& grid, int imageDimension, int dpi);

    // The largest version whose symbol fits a side of that many pixels,
    // 0 when even version 1 does not.
    static int largestVersionForSide(int imageDimension);

    // A colour as 0xAARRGGBB, each component times 255, truncated.
    static uint32_t hexadecimalValueOfAnNSColor(const QColor& colour);

private:
    static DataMatrix encodeBytes(int level, int version, const char* bytes, int64_t length, int imageDimension,
                                  bool utf8);
};
