// Makes barcode pictures from untrusted values and settings, as batch output
// does for every record. Production must never crash, and every picture of a
// symbology a standard decoder reads (Code 128 in each code set, QR Code,
// Data Matrix) must read back as the value it was made from.
//
// The first bytes choose the settings; the rest is the value (ISO-8859-1
// characters, or UTF-8 text for QR Code).
#include "barcodes/BarcodeProducer.h"
#include "fuzz/FuzzEnvironment.h"

#include <QImage>
#include <QPainter>

#include <cstddef>
#include <cstdint>
#include <string>

#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>

namespace {

constexpr size_t settingBytes = 12;

// Symbologies whose pictures are decoded, by position in the title list.
bool decodable(int title)
{
    return (title >= 9 && title <= 12) || title == 19 || title == 21;
}

std::string decode(const Picture& picture, ZXing::BarcodeFormat format)
{
    // Modules of one dot are below what the decoder resolves; tripled
    // without smoothing, the symbol is the same symbol.
    QImage image = picture.image();
    if (format != ZXing::BarcodeFormat::Code128 && image.width() < 1000)
        image = image.scaled(image.size() * 3, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    const int border = std::max(20, image.width() / 8);
    QImage grey(image.width() + 2 * border, image.height() + 2 * border, QImage::Format_ARGB32_Premultiplied);
    grey.fill(Qt::white);
    QPainter(&grey).drawImage(border, border, image);
    grey = grey.convertToFormat(QImage::Format_Grayscale8);
    ZXing::DecodeHints hints;
    hints.setFormats(format);
    hints.setTryHarder(true);
    const ZXing::Result r = ZXing::ReadBarcode(
        {grey.constBits(), grey.width(), grey.height(), ZXing::ImageFormat::Lum, int(grey.bytesPerLine())}, hints);
    if (!r.isValid())
        return "<nothing read>";
    return std::string(r.bytes().begin(), r.bytes().end());
}

} // namespace

// The font library keeps, and never frees, a little of what it sets up for
// each font, size and resolution it is first asked for; that is no fault of
// ours, so the leak check leaves it out (and still checks everything else,
// the Data Matrix library included).
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzEnvironment::start();
    if (size < settingBytes)
        return 0;
    const uint8_t* b = data;
    BarcodeSettings s;
    s.barcode_font_index = int(b[0] % 24) - 1;   // one position either side of the list too
    s.linear_or_2d = s.isTwoDimensional() ? 1 : 0;
    s.dpi_val_index = 1 + b[1] % 3;              // 72, 150, 300
    s.dm_encoding_index = b[2] % 6;
    s.dm_format_index = b[3] % 32;
    s.qr_version_index = b[4] % 42;
    s.qr_ec_index = b[5] % 4;
    s.qr_size_val = 15 + b[6];
    s.dm_module_val = b[7] % 4;
    s.pdf_ec_val = b[8] % 9;
    s.show_hide_val = b[9] & 1;
    s.show_hide_hdr = (b[9] >> 1) & 1;
    s.show_hide_ftr = (b[9] >> 2) & 1;
    s.show_val_on_top = (b[9] >> 3) & 1;
    s.kerning_value_Checkbox = (b[9] >> 4) & 1;
    s.value_font_val = s.value_font_val.withPointSize(1 + b[10] % 48);
    s.header_font_val = s.header_font_val.withPointSize(1 + b[10] % 30);
    s.hdr_margin_val = s.ftr_margin_val = s.val_margin_val = s.TB_marging_val = s.LR_margin_val =
        float(b[11] % 8) / 4.0f - 0.25f;

    const QByteArray bytes = FuzzEnvironment::view(data + settingBytes, size - settingBytes);
    const bool qr = s.symbologyTitle() == QLatin1String("QR Code");
    const QString value = qr ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
    const BarcodeProducer::Result r =
        BarcodeProducer::render(s, value, QStringLiteral("Header"), QStringLiteral("Footer \u00c9"));
    if (r.ok() != r.reason.isEmpty())
        FuzzEnvironment::fail("a picture and a reason, or neither");
    if (!r.ok() || !decodable(s.barcode_font_index))
        return 0;

    std::string expected;
    std::string read;
    if (qr) {
        expected = value.toUtf8().toStdString();
        read = decode(r.symbol, ZXing::BarcodeFormat::QRCode);
    } else if (s.barcode_font_index == 21) {
        expected = value.toLatin1().toStdString();
        read = decode(r.symbol, ZXing::BarcodeFormat::DataMatrix);
    } else {
        expected = value.toLatin1().toStdString();
        read = decode(r.picture, ZXing::BarcodeFormat::Code128);
    }
    if (read != expected)
        FuzzEnvironment::fail("the picture does not read back as its value");
    return 0;
}
