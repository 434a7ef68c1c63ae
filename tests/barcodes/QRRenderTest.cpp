// The QR module grid and its pictures.
#include "barcodes/DataMatrix.h"
#include "barcodes/QREncoder.h"

#include <QColor>
#include <gtest/gtest.h>

namespace {

struct Rgba
{
    int r, g, b, a;
    bool operator==(const Rgba&) const = default;
};

Rgba pixel(const QImage& image, int x, int y)
{
    const uchar* p = image.constScanLine(y) + 4 * x;
    return {p[0], p[1], p[2], p[3]};
}

const Rgba clearWhite{255, 255, 255, 0};
const Rgba black{0, 0, 0, 255};
const Rgba white{255, 255, 255, 255};

} // namespace

TEST(QRRender, LayoutOfModulesAndMargins)
{
    const DataMatrix grid = QREncoder::encodeWithECLevel(1, 0, QStringLiteral("01234567"));
    ASSERT_EQ(grid.dimension(), 21);
    struct Case
    {
        int side, scale, before;
    };
    // side 100: scale 4, 84 pixels of symbol, 8 before and 8 after;
    // side 21: scale 1, no margin; an odd remainder leaves the extra pixel after
    const Case cases[] = {{100, 4, 8}, {21, 1, 0}, {42, 2, 0}, {44, 2, 1}, {63, 3, 0}, {177, 8, 4}};
    for (const Case& c : cases) {
        const QImage image = QREncoder::renderDataMatrix(grid, c.side);
        ASSERT_EQ(image.size(), QSize(c.side, c.side)) << c.side;
        EXPECT_EQ(image.format(), QImage::Format_RGBA8888);
        const int end = c.before + 21 * c.scale;   // first pixel after the symbol
        for (int y = 0; y < c.side; ++y) {
            for (int x = 0; x < c.side; ++x) {
                const bool inside = x >= c.before && x < end && y >= c.before && y < end;
                Rgba expected = clearWhite;
                if (inside) {
                    const int column = (x - c.before) / c.scale;
                    const int row = (y - c.before) / c.scale;
                    expected = grid.valueAt(column, row) ? black : white;
                }
                ASSERT_EQ(pixel(image, x, y), expected) << "side " << c.side << " at " << x << "," << y;
            }
        }
    }
}

TEST(QRRender, RefusesWhatDoesNotFit)
{
    const DataMatrix grid = QREncoder::encodeWithECLevel(0, 0, QStringLiteral("HELLO"));
    ASSERT_EQ(grid.dimension(), 21);
    EXPECT_TRUE(QREncoder::renderDataMatrix(grid, 20).isNull());
    EXPECT_TRUE(QREncoder::renderDataMatrix(grid, 0).isNull());
    EXPECT_TRUE(QREncoder::renderDataMatrix(grid, -5).isNull());
    EXPECT_TRUE(QREncoder::renderDataMatrix(DataMatrix(), 100).isNull());
    EXPECT_TRUE(QREncoder::renderDataMatrix(grid, 20, 600).isNull());
    EXPECT_TRUE(QREncoder::renderDataMatrix(grid, 100, 0).isNull());
    // a version 40 symbol in a side too small for it
    const DataMatrix big = QREncoder::encodeCStringWithECLevel(0, 40, "1");
    ASSERT_EQ(big.dimension(), 177);
    EXPECT_TRUE(QREncoder::renderDataMatrix(big, 176).isNull());
    EXPECT_FALSE(QREncoder::renderDataMatrix(big, 177).isNull());
}

TEST(QRRender, ResolutionIsRaisedAndPointSizeKept)
{
    const DataMatrix grid = QREncoder::encodeWithECLevel(0, 0, QStringLiteral("HELLO"));
    struct Case
    {
        int side, dpi, pixels;
    };
    const Case cases[] = {{100, 600, 834}, {100, 72, 100}, {60, 300, 250}, {21, 144, 42}, {25, 96, 34}};
    for (const Case& c : cases) {
        const Picture picture = QREncoder::renderDataMatrix(grid, c.side, c.dpi);
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(picture.image().size(), QSize(c.pixels, c.pixels)) << c.side << " at " << c.dpi;
        EXPECT_EQ(picture.size(), QSizeF(c.side, c.side));
        EXPECT_NEAR(picture.image().dotsPerMeterX() * 0.0254, c.dpi, 0.05);
    }
    // Nearest neighbour: only the three colours of the small picture appear.
    const QImage big = QREncoder::renderDataMatrix(grid, 100, 600).image();
    for (int y = 0; y < big.height(); y += 7)
        for (int x = 0; x < big.width(); x += 3) {
            const Rgba p = pixel(big, x, y);
            EXPECT_TRUE(p == black || p == white || p == clearWhite) << x << "," << y;
        }
}

TEST(QRRender, GridValuesAndDescription)
{
    DataMatrix grid(3);
    grid.set(1, 2, 0);
    grid.set(1, 0, 1);
    grid.set(1, 5, 5);   // outside: ignored
    EXPECT_EQ(grid.dimension(), 3);
    EXPECT_EQ(grid.valueAt(2, 0), 1);
    EXPECT_EQ(grid.valueAt(0, 2), 0);
    EXPECT_EQ(grid.valueAt(-1, 0), 0);
    EXPECT_EQ(grid.description(), QStringLiteral("001\n100\n000\n"));
    EXPECT_EQ(DataMatrix().description(), QString());
    EXPECT_EQ(DataMatrix(-4).dimension(), 0);

    // the encoder's grid: x the column, y the row; finder pattern corners dark,
    // the light separator beside the upper left finder
    const DataMatrix qr = QREncoder::encodeWithECLevel(0, 0, QStringLiteral("1"));
    EXPECT_EQ(qr.valueAt(0, 0), 1);
    EXPECT_EQ(qr.valueAt(20, 0), 1);
    EXPECT_EQ(qr.valueAt(0, 20), 1);
    EXPECT_EQ(qr.valueAt(7, 0), 0);
    EXPECT_EQ(qr.valueAt(1, 1), 0);
    // timing pattern on row 6 from column 8
    for (int x = 8; x <= 12; ++x)
        EXPECT_EQ(qr.valueAt(x, 6), x % 2 == 0 ? 1 : 0);
}

TEST(QRRender, ColourAsHexadecimal)
{
    EXPECT_EQ(QREncoder::hexadecimalValueOfAnNSColor(QColor(255, 0, 0)), 0xFFFF0000u);
    EXPECT_EQ(QREncoder::hexadecimalValueOfAnNSColor(QColor(0, 128, 255, 0)), 0x000080FFu);
    EXPECT_EQ(QREncoder::hexadecimalValueOfAnNSColor(QColor::fromRgbF(0.5f, 0.25f, 1.0f, 0.5f)), 0x7F7F3FFFu);
}
