// Data Matrix pictures at every format and module size the designer offers,
// read back by an independent decoder; the encoder's account of a failure;
// resizing and saving barcode pictures.

#include "barcodes/BarcodeProducer.h"

#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>

namespace {

constexpr int dataMatrixTitle = 21;

BarcodeSettings dataMatrixSettings(int format, int module, int dpiIndex)
{
    BarcodeSettings s;
    s.barcode_font_index = dataMatrixTitle;
    s.linear_or_2d = 1;
    s.dm_format_index = format;
    s.dm_module_val = module;
    s.dpi_val_index = dpiIndex;
    return s;
}

// What a standard decoder reads from a picture laid on white, enlarged
// without smoothing as a printer at a higher resolution would (the decoder
// needs more than one pixel a module).
std::string readDataMatrix(const QImage& picture)
{
    const QImage image = picture.width() < 400
        ? picture.scaled(picture.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        : picture;
    const int border = std::max(20, image.width() / 8);
    QImage grey(image.width() + 2 * border, image.height() + 2 * border, QImage::Format_ARGB32_Premultiplied);
    grey.fill(Qt::white);
    QPainter(&grey).drawImage(border, border, image);
    grey = grey.convertToFormat(QImage::Format_Grayscale8);
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::DataMatrix);
    hints.setTryHarder(true);
    const ZXing::Result r = ZXing::ReadBarcode(
        {grey.constBits(), grey.width(), grey.height(), ZXing::ImageFormat::Lum, int(grey.bytesPerLine())}, hints);
    return r.isValid() ? r.text() : std::string();
}

} // namespace

// Every fixed format, at the module sizes and resolutions offered: the
// symbol is columns x module by rows x module points and reads back, bare
// and framed with a header.
TEST(DataMatrixPicture, EveryFormatHasThePartSizeAndReadsBack)
{
    const QStringList formats = BarcodeSettings::dmFormatTitles();
    const struct { int module; int dpiIndex; } sizes[] = {{1, 1}, {1, 0}, {2, 3}, {2, 2}, {3, 1}, {5, 4}};
    for (int format = 1; format < formats.size(); ++format) {
        int rows = 0;
        int columns = 0;
        BarcodeSettings::dmFormatSize(formats.at(format), &rows, &columns);
        if (rows == 144)
            continue;   // never made (refused with a reason elsewhere)
        for (const auto& [module, dpiIndex] : sizes) {
            const BarcodeSettings s = dataMatrixSettings(format, module, dpiIndex);
            SCOPED_TRACE(formats.at(format).toStdString() + " module " + std::to_string(module) + " at "
                         + std::to_string(s.dpi()));
            QString reason;
            const Picture symbol = BarcodeProducer::Draw_DataMatrix_Barcode(s, QStringLiteral("12"), &reason);
            ASSERT_FALSE(symbol.isNull()) << reason.toStdString();
            EXPECT_DOUBLE_EQ(symbol.size().width(), double(columns * module));
            EXPECT_DOUBLE_EQ(symbol.size().height(), double(rows * module));
            EXPECT_EQ(readDataMatrix(symbol.image()), "12");
            const BarcodeProducer::Result framed =
                BarcodeProducer::render(s, QStringLiteral("12"), QStringLiteral("HEAD"), QString());
            ASSERT_TRUE(framed.ok()) << framed.reason.toStdString();
            EXPECT_EQ(readDataMatrix(framed.picture.image()), "12");
        }
    }
}

TEST(DataMatrixPicture, FailureIsToldOnTheStandardStreams)
{
    const struct {
        int format;
        int encoding;
        QString value;
        const char* outLines;
    } cases[] = {
        {1, 0, QString(40, QLatin1Char('x')),
         "Size    : 10x10\nEncoded : 0 of 0 bytes with 0 bytes of ecc\nBarcode : xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\n"
         "Encoding: \n"},
        {25, 2, QString(30, QLatin1Char('7')),
         "Size    : 18x8\nEncoded : 0 of 0 bytes with 0 bytes of ecc\nBarcode : 777777777777777777777777777777\n"
         "Encoding: CCCCCCCCCCCCCCCCCCCCCCCCCCCCCC\n"},
    };
    for (const auto& c : cases) {
        BarcodeSettings s = dataMatrixSettings(c.format, 2, 1);
        s.dm_encoding_index = c.encoding;
        QString reason;
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        const Picture none = BarcodeProducer::Draw_DataMatrix_Barcode(s, c.value, &reason);
        const std::string err = testing::internal::GetCapturedStderr();
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_TRUE(none.isNull());
        // after the library's own reason
        EXPECT_TRUE(QByteArray::fromStdString(err).endsWith("\nNo barcode produced\n")) << err;
        EXPECT_EQ(out, c.outLines);
    }
}

TEST(DataMatrixPicture, ResizeAndSave)
{
    QImage source(4, 2, QImage::Format_RGBA8888);
    source.fill(Qt::white);
    source.setPixelColor(0, 0, Qt::black);
    const Picture picture(source, QSizeF(4, 2));

    // Without smoothing: each source pixel becomes a block of one colour.
    const Picture big = BarcodeProducer::Resize_Image(picture, QSizeF(8, 4));
    ASSERT_FALSE(big.isNull());
    EXPECT_EQ(big.image().size(), QSize(8, 4));
    EXPECT_EQ(big.size(), QSizeF(8, 4));
    for (const QPoint p : {QPoint(0, 0), QPoint(1, 1)})
        EXPECT_EQ(big.image().pixelColor(p), QColor(Qt::black));
    EXPECT_EQ(big.image().pixelColor(2, 0), QColor(Qt::white));
    for (const QSizeF bad : {QSizeF(0, 4), QSizeF(8, -1)})
        EXPECT_TRUE(BarcodeProducer::Resize_Image(picture, bad).isNull());
    EXPECT_TRUE(BarcodeProducer::Resize_Image(Picture(), QSizeF(8, 4)).isNull());

    // Saving replaces what the path held.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dm.png"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("not a picture");
    old.close();
    ASSERT_TRUE(BarcodeProducer::Save_Barcode_image(big, path));
    QImageReader reader(path);
    EXPECT_EQ(reader.format(), "png");
    const QImage back = reader.read();
    EXPECT_EQ(back.size(), QSize(8, 4));
    EXPECT_EQ(back.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_FALSE(BarcodeProducer::Save_Barcode_image(Picture(), path));
}
