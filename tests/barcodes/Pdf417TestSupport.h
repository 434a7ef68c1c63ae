#pragma once

// Shared helpers of the PDF417 tests: the module bitmap as a picture with a
// quiet zone, and a reading through an independent decoder.

#include "barcodes/Pdf417Symbol.h"
#include "barcodes/pdf417lib.h"

#include <QByteArray>
#include <QImage>

#include <cstring>

#include <optional>

// The decoder's text and level accessors return std::string in this form.
#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>

namespace pdf417test {

inline bool bitAt(const pdf417param& p, int row, int column)
{
    const int bytesPerRow = p.lenBits / p.codeRows;
    return (p.outBits[std::size_t(row * bytesPerRow + column / 8)] >> (7 - column % 8)) & 1;
}

// Modules scale pixels wide, rows 3 modules high, a quiet zone of 2 modules.
template <typename IsDark>
QImage drawModules(int columns, int rows, int scale, IsDark isDark)
{
    const int quiet = 2 * scale;
    const int rowHeight = 3 * scale;
    QImage image(columns * scale + 2 * quiet, rows * rowHeight + 2 * quiet, QImage::Format_Grayscale8);
    image.fill(255);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            if (!isDark(r, c))
                continue;
            for (int y = 0; y < rowHeight; ++y) {
                uchar* line = image.scanLine(quiet + r * rowHeight + y);
                for (int x = 0; x < scale; ++x)
                    line[quiet + c * scale + x] = 0;
            }
        }
    }
    return image;
}

inline QImage toImage(const pdf417param& p, int scale = 2)
{
    return drawModules(p.bitColumns, p.codeRows, scale,
                       [&p](int r, int c) { return bitAt(p, r, c); });
}

inline QImage toImage(const Pdf417Symbol& s, int scale = 2)
{
    return drawModules(s.moduleColumns(), s.rows(), scale,
                       [&s](int r, int c) { return s.isDark(c, r); });
}

// Puts a picture on white with a margin, as it would stand on a card.
inline QImage onWhite(const QImage& picture, int margin)
{
    QImage image(picture.width() + 2 * margin, picture.height() + 2 * margin, QImage::Format_Grayscale8);
    image.fill(255);
    const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    for (int y = 0; y < grey.height(); ++y)
        std::memcpy(image.scanLine(y + margin) + margin, grey.constScanLine(y), std::size_t(grey.width()));
    return image;
}

struct Reading {
    QByteArray bytes;     // the symbol's bytes as read
    std::string ecLevel;  // the error correction level the rows announce
};

inline std::optional<Reading> read(const QImage& image)
{
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(), ZXing::ImageFormat::Lum,
                          int(grey.bytesPerLine()));
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::PDF417);
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    if (!result.isValid())
        return std::nullopt;
    const ZXing::ByteArray& bytes = result.bytes();
    return Reading {QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())),
                    result.ecLevel()};
}

}
