#include "barcodes/QREncoder.h"

#include "barcodes/QR_Encode.h"

#include <QByteArray>

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

using namespace QRTables;

DataMatrix QREncoder::encodeWithECLevel(int level, int version, const QString& string, int imageDimension)
{
    const QByteArray bytes = string.toUtf8();
    return encodeBytes(level, version, bytes.constData(), bytes.size(), imageDimension, true);
}

DataMatrix QREncoder::encodeCStringWithECLevel(int level, int version, const char* cstring, int imageDimension)
{
    if (cstring == nullptr)
        return {};
    return encodeBytes(level, version, cstring, int64_t(std::strlen(cstring)), imageDimension, false);
}

DataMatrix QREncoder::encodeBytes(int level, int version, const char* bytes, int64_t length, int imageDimension,
                                  bool utf8)
{
    if (level < 0 || level > 3 || version < 0 || version > MAX_VERSION || length <= 0)
        return {};

    // The largest version allowed: the one asked for, or for the automatic
    // choice the largest whose symbol fits the picture.
    int nVersionLimit = version;
    if (version == 0) {
        nVersionLimit = imageDimension > 0 ? largestVersionForSide(imageDimension) : MAX_VERSION;
        if (nVersionLimit == 0)
            return {};
    }

    // The whole text against the capacity of the mode it needs.
    const int index = (nVersionLimit - 1) * 4 + level;
    int64_t capacity = 0;
    switch (CQR_Encode::Get_Encoding_Mode(bytes, length, !utf8)) {
    case CQR_Encode::QR_MODE_NUMERAL: capacity = QR_Numric_size_array[index]; break;
    case CQR_Encode::QR_MODE_ALPHABET: capacity = QR_AlphaNumric_size_array[index]; break;
    case CQR_Encode::QR_MODE_KANJI: capacity = QR_Kanji_size_array[index]; break;
    default: capacity = QR_8_BIT_size_array[index]; break;
    }
    if (length > capacity)
        return {};

    auto encoder = std::make_unique<CQR_Encode>();
    if (!encoder->EncodeData(level, version, true, -1, bytes, length, utf8))
        return {};
    if (version == 0 && encoder->m_nVersion > nVersionLimit)
        return {};

    const int64_t n = encoder->m_nSymbleSize;
    DataMatrix grid(n);
    for (int64_t x = 0; x < n; ++x)
        for (int64_t y = 0; y < n; ++y)
            grid.set(encoder->m_byModuleData[x][y] == 1 ? 1 : 0, x, y);
    return grid;
}

int QREncoder::largestVersionForSide(int imageDimension)
{
    if (imageDimension < 21)
        return 0;
    const int version = (imageDimension - 17) / 4;
    return version > MAX_VERSION ? MAX_VERSION : version;
}

QImage QREncoder::renderDataMatrix(const DataMatrix& grid, int imageDimension)
{
    const int n = int(grid.dimension());
    const int d = imageDimension;
    // The symbol must fit the picture at one pixel per module at least.
    if (n <= 0 || d < n)
        return {};

    const int scale = d / n;
    const int margin = (d - scale * n) / 2;

    QImage image(d, d, QImage::Format_RGBA8888);
    if (image.isNull())
        return {};

    // Transparent white everywhere, then the symbol's rows.
    static constexpr uint8_t clear[4] = {255, 255, 255, 0};
    static constexpr uint8_t dark[4] = {0, 0, 0, 255};
    static constexpr uint8_t light[4] = {255, 255, 255, 255};
    for (int y = 0; y < d; ++y) {
        uint8_t* line = image.scanLine(y);
        for (int x = 0; x < d; ++x)
            std::memcpy(line + 4 * x, clear, 4);
    }
    for (int row = 0; row < n; ++row) {
        const int top = margin + row * scale;
        uint8_t* line = image.scanLine(top);
        for (int column = 0; column < n; ++column) {
            const uint8_t* pixel = grid.valueAt(column, row) ? dark : light;
            uint8_t* out = line + 4 * (margin + column * scale);
            for (int p = 0; p < scale; ++p)
                std::memcpy(out + 4 * p, pixel, 4);
        }
        for (int copy = 1; copy < scale; ++copy)
            std::memcpy(image.scanLine(top + copy), line, size_t(4 * d));
    }
    return image;
}

Picture QREncoder::renderDataMatrix(const DataMatrix& grid, int imageDimension, int dpi)
{
    const QImage image = renderDataMatrix(grid, imageDimension);
    if (image.isNull() || dpi <= 0)
        return {};
    const int pixels = int(std::ceil(double(dpi) * imageDimension / 72.0));
    QImage raised(pixels, pixels, QImage::Format_RGBA8888);
    if (raised.isNull())
        return {};
    // Nearest neighbour: each pixel takes the colour of the pixel it covers.
    std::vector<int> sourceColumn(size_t(pixels), 0);
    for (int x = 0; x < pixels; ++x)
        sourceColumn[size_t(x)] = int(int64_t(x) * imageDimension / pixels);
    for (int y = 0; y < pixels; ++y) {
        const uchar* in = image.constScanLine(int(int64_t(y) * imageDimension / pixels));
        uchar* out = raised.scanLine(y);
        for (int x = 0; x < pixels; ++x)
            std::memcpy(out + 4 * x, in + 4 * sourceColumn[size_t(x)], 4);
    }
    const int dotsPerMetre = int(std::lround(dpi / 0.0254));
    raised.setDotsPerMeterX(dotsPerMetre);
    raised.setDotsPerMeterY(dotsPerMetre);
    return Picture(std::move(raised), QSizeF(imageDimension, imageDimension));
}

uint32_t QREncoder::hexadecimalValueOfAnNSColor(const QColor& colour)
{
    const auto component = [](float value) { return uint32_t(value * 255.0f) & 0xFF; };
    return (component(colour.alphaF()) << 24) | (component(colour.redF()) << 16) | (component(colour.greenF()) << 8)
           | component(colour.blueF());
}
