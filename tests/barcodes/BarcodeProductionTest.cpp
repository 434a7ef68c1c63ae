// Barcode pictures made from settings and a value, read back by an
// independent decoder; refusals; text never over the bars; threads; the
// frame a designed picture gives its barcode object.

#include "LinearTestSupport.h"

#include "barcodes/BarcodeProducer.h"
#include "barcodes/NKDBarcode.h"
#include "model/SKTBarcode.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <thread>

#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>

namespace {

enum Title {
    Code39 = 0, Code39Ext, Itf, Upca, PostNet, Plessey, PlesseyHex, Industrial, Ean13, Code128, Code128A, Code128B,
    Code128C, Codabar, Upce, Ean8, RoyalMail, Planet, JapanPost, QrCode, Pdf417, DataMatrix
};

BarcodeSettings settingsFor(int title, int dpiIndex = 4)
{
    BarcodeSettings s;
    s.barcode_font_index = title;
    s.linear_or_2d = title >= QrCode ? 1 : 0;
    s.dpi_val_index = dpiIndex;
    s.dpi_custom_val = QStringLiteral("1200");
    return s;
}

// The format and raw bytes a standard decoder reads from a picture laid on
// white with a quiet border.
DecodedSymbol decode(const Picture& picture, ZXing::BarcodeFormats formats, bool extended = false)
{
    const QImage& image = picture.image();
    const int border = std::max(40, image.width() / 8);
    QImage grey(image.width() + 2 * border, image.height() + 2 * border, QImage::Format_ARGB32_Premultiplied);
    grey.fill(Qt::white);
    QPainter(&grey).drawImage(border, border, image);
    grey = grey.convertToFormat(QImage::Format_Grayscale8);
    ZXing::DecodeHints hints;
    hints.setFormats(formats);
    hints.setTryHarder(true);
    hints.setTryCode39ExtendedMode(extended);
    hints.setReturnCodabarStartEnd(true);
    const ZXing::Result r = ZXing::ReadBarcode(
        {grey.constBits(), grey.width(), grey.height(), ZXing::ImageFormat::Lum, int(grey.bytesPerLine())}, hints);
    if (!r.isValid())
        return {};
    return {ZXing::ToString(r.format()), std::string(r.bytes().begin(), r.bytes().end())};
}

QImage onWhite(const QImage& image, QImage::Format format)
{
    QImage white(image.size(), QImage::Format_ARGB32_Premultiplied);
    white.fill(Qt::white);
    QPainter(&white).drawImage(0, 0, image);
    return white.convertToFormat(format);
}

std::string latin1(const QString& s)
{
    return s.toLatin1().toStdString();
}

struct ReadCase
{
    const char* name;
    int title;
    QString value;
    const char* expected;   // null: the value itself (ISO-8859-1 or, for QR, UTF-8)
};

const ReadCase readCases[] = {
    {"Code39", Code39, QStringLiteral("CODE-39 $/+%."), nullptr},
    {"Code39Extended", Code39Ext, QStringLiteral("Hello, World!"), nullptr},
    {"Interleaved2of5", Itf, QStringLiteral("123456"), nullptr},
    {"UPCA", Upca, QStringLiteral("03600029145"), "036000291452"},
    {"EAN13", Ean13, QStringLiteral("400638133393"), "4006381333931"},
    {"Code128", Code128, QStringLiteral("Card 0042, row 7"), nullptr},
    {"Code128SetA", Code128A, QStringLiteral("ABC 123"), nullptr},
    {"Code128SetB", Code128B, QStringLiteral("Mixed case 1"), nullptr},
    {"Code128SetC", Code128C, QStringLiteral("12345678"), nullptr},
    {"Codabar", Codabar, QStringLiteral("A12345B"), nullptr},
    {"UPCE", Upce, QStringLiteral("0123456"), "01234565"},
    {"EAN8", Ean8, QStringLiteral("9638507"), "96385074"},
    {"QRCode", QrCode, QStringLiteral("Gr\u00fc\u00dfe 0123 \u4e16"), nullptr},
    {"PDF417", Pdf417, QStringLiteral("PDF417 caf\u00e9 0123"), nullptr},
    {"DataMatrix", DataMatrix, QStringLiteral("Data Matrix 0123"), nullptr},
};

} // namespace

// Every symbology a standard decoder knows, at every resolution offered.
TEST(BarcodeProduction, EverySymbologyReadsBackAtEveryResolution)
{
    for (const ReadCase& c : readCases) {
        for (int dpiIndex = 0; dpiIndex < BarcodeSettings::dpiTitles().size(); ++dpiIndex) {
            const BarcodeSettings s = settingsFor(c.title, dpiIndex);
            const BarcodeProducer::Result r =
                BarcodeProducer::render(s, c.value, QStringLiteral("HEADER"), QStringLiteral("FOOTER"));
            ASSERT_TRUE(r.ok()) << c.name << " " << dpiIndex << " " << r.reason.toStdString();
            EXPECT_TRUE(r.reason.isEmpty());
            const std::string expected = c.expected ? c.expected
                : c.title == QrCode                 ? c.value.toUtf8().toStdString()
                                                    : latin1(c.value);
            const DecodedSymbol read = decode(r.picture, ZXing::BarcodeFormat::Any, c.title == Code39Ext);
            EXPECT_EQ(read.text, expected) << c.name << " at " << s.dpi() << " dpi";
        }
    }
}

// A QR Code whose side holds its modules about twice: drawn at whole dots
// per module it reads, enlarged from one dot a module it did not.
TEST(BarcodeProduction, QRCodeModulesAreWholeDots)
{
    for (const auto& [version, side] : {std::pair {20, 116}, {13, 81}}) {
        BarcodeSettings s = settingsFor(QrCode, 2);
        s.qr_version_index = version;
        s.qr_size_val = side;
        const BarcodeProducer::Result r = BarcodeProducer::render(s, QStringLiteral("7010"), {}, {});
        ASSERT_TRUE(r.ok()) << r.reason.toStdString();
        EXPECT_EQ(decode(r.symbol, ZXing::BarcodeFormat::QRCode).text, "7010") << version;
    }
}

// Symbologies no standard decoder reads: the picture's bars (texts hidden)
// are the module string's bar runs, at every resolution.
TEST(BarcodeProduction, UnreadSymbologiesDrawTheirModules)
{
    const std::pair<int, QString> cases[] = {
        {PostNet, QStringLiteral("12345")}, {Planet, QStringLiteral("12345678901")},
        {RoyalMail, QStringLiteral("SN34RD1A")}, {JapanPost, QStringLiteral("1234567")},
        {Plessey, QStringLiteral("1234")}, {PlesseyHex, QStringLiteral("12AB")}, {Industrial, QStringLiteral("1234")}};
    for (const auto& [title, value] : cases) {
        for (int dpiIndex = 1; dpiIndex < BarcodeSettings::dpiTitles().size(); ++dpiIndex) {
            // Postal symbologies always print their texts: white on white.
            BarcodeSettings s = settingsFor(title, dpiIndex);
            s.barcode_val_clr_val = s.barcode_hdr_clr_val = s.barcode_ftr_clr_val = Colour::white();
            const BarcodeProducer::Result r = BarcodeProducer::render(s, value, QStringLiteral("H"), {});
            ASSERT_TRUE(r.ok() && r.barcode) << title;
            int expectedRuns = 0;
            const QString modules = r.barcode->completeBarcode();
            for (int i = 0; i < modules.size(); ++i)
                expectedRuns += modules.at(i) == QLatin1Char('1') && (i == 0 || modules.at(i - 1) != QLatin1Char('1'));
            const QImage image = onWhite(r.picture.image(), QImage::Format_Grayscale8);
            int runs = 0;
            bool previous = false;
            for (int x = 0; x < image.width(); ++x) {
                bool dark = false;
                for (int y = 0; y < image.height() && !dark; ++y)
                    dark = image.constScanLine(y)[x] < 128;
                runs += dark && !previous;
                previous = dark;
            }
            EXPECT_EQ(runs, expectedRuns) << title << " " << value.toStdString() << " at " << s.dpi();
        }
    }
}

// Every encoding offered, with values the Data Matrix library gets wrong
// when left to itself.
TEST(BarcodeProduction, DataMatrixReadsBackInEveryEncoding)
{
    QString bytes;
    for (int c = 0; c < 256; ++c)
        bytes += QChar(c);
    QString longText;
    while (longText.size() < 1150)
        longText += QStringLiteral("Invitation No. %1 _^ for guest; ").arg(longText.size());
    const QString values[] = {QStringLiteral("0123"), QStringLiteral("BR3A3-001-TSK 13471 3216"),
                              QStringLiteral("UEXPLR4-CBR3A3-001-TSK 13471 3216"), QStringLiteral("A_B^C_"),
                              QStringLiteral("_"), QStringLiteral("HELLO WORLD 12"), QStringLiteral("hello world ab"),
                              QStringLiteral("+*/-.,;:!?()[]"), QString(1500, QLatin1Char('7')), bytes, longText,
                              QStringLiteral("AB"), QStringLiteral("ABCD")};
    for (int encoding = 0; encoding < BarcodeSettings::dmEncodingTitles().size(); ++encoding) {
        for (const QString& value : values) {
            BarcodeSettings s = settingsFor(DataMatrix, 1);
            s.dm_encoding_index = encoding;
            const BarcodeProducer::Result r = BarcodeProducer::render(s, value, QStringLiteral("H"), {});
            ASSERT_TRUE(r.ok()) << r.reason.toStdString();
            EXPECT_EQ(decode(r.symbol, ZXing::BarcodeFormat::DataMatrix).text, latin1(value))
                << BarcodeSettings::dmEncodingTitles().at(encoding).toStdString() << " "
                << value.left(40).toStdString();
        }
    }
    // Fixed sizes: rows come first in a format title.
    for (const int format : {1, 25, 30}) {
        BarcodeSettings s = settingsFor(DataMatrix, 1);
        s.dm_format_index = format;
        const BarcodeProducer::Result r = BarcodeProducer::render(s, QStringLiteral("12"), {}, {});
        ASSERT_TRUE(r.ok());
        int rows = 0;
        int columns = 0;
        BarcodeSettings::dmFormatSize(s.dmFormat(), &rows, &columns);
        const int modulePixels = r.symbol.image().height() / (rows + 2);
        EXPECT_EQ(r.symbol.image().width(), (columns + 2) * modulePixels);
        EXPECT_EQ(decode(r.symbol, ZXing::BarcodeFormat::DataMatrix).text, "12");
    }
}

TEST(BarcodeProduction, RefusedValuesGiveNoPicture)
{
    struct Case
    {
        const char* name;
        int title;
        QString value;
        std::function<void(BarcodeSettings&)> change;
    };
    const auto none = [](BarcodeSettings&) {};
    const Case cases[] = {
        {"Empty", Code39, QString(), none},
        {"EmptyTwoDimensional", QrCode, QString(), none},
        {"NonAscii", Code128, QStringLiteral("Gr\u00fc\u00dfe"), none},
        {"LettersInEAN", Ean13, QStringLiteral("12AB"), none},
        {"NoSuchTitle", 22, QStringLiteral("1"), none},
        {"NegativeTitle", -1, QStringLiteral("1"), none},
        {"NoBarWidth", Code128, QStringLiteral("1"), [](BarcodeSettings& s) { s.linear_width_val = 0; }},
        {"QRTooLongForVersion", QrCode, QString(200, QLatin1Char('x')),
         [](BarcodeSettings& s) { s.qr_version_index = 1; s.qr_ec_index = 3; }},
        {"LinearPictureTooLarge", Code128, QStringLiteral("1"),
         [](BarcodeSettings& s) { s.linear_height_val = 60; s.dpi_val_index = 5; }},
        {"QRPictureTooLarge", QrCode, QStringLiteral("1"),
         [](BarcodeSettings& s) { s.qr_size_val = 2000; s.dpi_val_index = 5; }},
        {"QRSideBelowSymbol", QrCode, QString(200, QLatin1Char('x')), [](BarcodeSettings& s) { s.qr_size_val = 30; }},
        {"PDF417OutsideLatin1", Pdf417, QStringLiteral("\u20ac"), none},
        {"PDF417TooSmallForDots", Pdf417, QStringLiteral("0123456789ABCDEF"),
         [](BarcodeSettings& s) { s.pdf_wdt_val = 20; s.dpi_val_index = 1; }},
        {"DataMatrixOutsideLatin1", DataMatrix, QStringLiteral("\u20ac"), none},
        {"DataMatrixBeyondLibrary", DataMatrix, QString(3117, QLatin1Char('1')), none},
        {"DataMatrixLongerThanLargest", DataMatrix, QString(2400, QLatin1Char('x')), none},
        {"DataMatrixNeeds144", DataMatrix, QString(3000, QLatin1Char('7')), none},
        {"DataMatrixTooLongForFormat", DataMatrix, QString(40, QLatin1Char('x')),
         [](BarcodeSettings& s) { s.dm_format_index = 1; }},
        {"DataMatrixNoModule", DataMatrix, QStringLiteral("1"), [](BarcodeSettings& s) { s.dm_module_val = 0; }},
    };
    for (const Case& c : cases) {
        BarcodeSettings s = settingsFor(c.title);
        c.change(s);
        const BarcodeProducer::Result r = BarcodeProducer::render(s, c.value, QStringLiteral("H"), QStringLiteral("F"));
        EXPECT_TRUE(r.picture.isNull()) << c.name;
        EXPECT_FALSE(r.reason.isEmpty()) << c.name;
    }
    const GraphicPtr object = SKTGraphic::makeOfClass(QStringLiteral("SKTBarcode"));
    EXPECT_TRUE(BarcodeProducer::pictureForObject(*object, QString()).isNull());
    EXPECT_EQ(decode(BarcodeProducer::pictureForObject(*object, QStringLiteral("0123")), ZXing::BarcodeFormat::Code39)
                  .text,
              "0123");
}

// Caption (red), header (green) and footer (blue) ink never reaches the
// bars or the symbol (black), at any font size and margin.
TEST(BarcodeProduction, TextsNeverOverlapTheBars)
{
    const auto inkBox = [](const QImage& image, auto isInk) {
        QRect box;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (isInk(QColor(image.pixel(x, y))))
                    box |= QRect(x, y, 1, 1);
        return box;
    };
    // Text ink inside the rectangle the bars span (side captions stand
    // beside the bars, not under them).
    const auto inkInside = [](const QImage& image, const QRect& box, auto isInk) {
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                if (isInk(QColor(image.pixel(x, y))))
                    return true;
        return false;
    };
    const auto dominant = [](int channel) {
        return [channel](const QColor& c) {
            const int v[3] = {c.red(), c.green(), c.blue()};
            return v[channel] - std::max(v[(channel + 1) % 3], v[(channel + 2) % 3]) > 60;
        };
    };
    const auto black = [](const QColor& c) { return c.red() < 90 && c.green() < 90 && c.blue() < 90; };
    const std::pair<int, QString> symbols[] = {
        {Code128, QStringLiteral("Agdfjklpqy")}, {Ean13, QStringLiteral("400638133393")}, {QrCode, QStringLiteral("x")}};
    for (const auto& [title, value] : symbols) {
        for (const double size : {4.0, 10.0, 24.0, 72.0}) {
            for (const float margin : {0.0f, 0.1f, 1.0f}) {
                for (const int onTop : {0, 1}) {
                    BarcodeSettings s = settingsFor(title, 2);
                    s.value_font_val = s.value_font_val.withPointSize(size);
                    s.header_font_val = FontSpec(QStringLiteral("Liberation Sans"), size);
                    s.footer_font_val = s.footer_font_val.withPointSize(size);
                    s.barcode_val_clr_val = Colour::rgb(1, 0, 0);
                    s.barcode_hdr_clr_val = Colour::rgb(0, 1, 0);
                    s.barcode_ftr_clr_val = Colour::rgb(0, 0, 1);
                    s.hdr_margin_val = s.ftr_margin_val = s.val_margin_val = s.TB_marging_val = s.LR_margin_val =
                        margin;
                    s.show_val_on_top = onTop;
                    const BarcodeProducer::Result r = BarcodeProducer::render(
                        s, value, QStringLiteral("\u00c9lg \u00c5jy"), QStringLiteral("\u00c9fgjpq"));
                    ASSERT_TRUE(r.ok()) << r.reason.toStdString();
                    const QImage image = onWhite(r.picture.image(), QImage::Format_RGB32);
                    const QRect bars = inkBox(image, black);
                    for (int channel = 0; channel < 3; ++channel) {
                        // Two-dimensional symbols show no caption.
                        EXPECT_NE(inkBox(image, dominant(channel)).isEmpty(), channel > 0 || title != QrCode)
                            << title << " " << channel;
                        EXPECT_FALSE(inkInside(image, bars, dominant(channel)))
                            << title << " size " << size << " margin " << margin << " top " << onTop << " channel "
                            << channel;
                    }
                }
            }
        }
    }
}

// Production on several threads at once draws what one thread draws.
TEST(BarcodeProduction, ThreadsDrawWhatOneThreadDraws)
{
    std::vector<std::pair<BarcodeSettings, QString>> jobs;
    for (int i = 0; i < 24; ++i) {
        const int title = std::array {Code128, Ean13, QrCode, Pdf417, DataMatrix, RoyalMail}[size_t(i % 6)];
        BarcodeSettings s = settingsFor(title, 2);
        s.dm_encoding_index = i % 5;
        jobs.emplace_back(s, title == Ean13       ? QStringLiteral("40063813339%1").arg(i % 10)
                                 : title == RoyalMail ? QStringLiteral("SN%1RD").arg(i)
                                                      : QStringLiteral("RECORD %1 value_%2").arg(i).arg(i * 37));
    }
    std::vector<QImage> alone;
    for (const auto& [s, value] : jobs)
        alone.push_back(BarcodeProducer::Get_Image_From_Val(s, value, QStringLiteral("H"), QStringLiteral("F")).image());
    std::vector<std::vector<QImage>> together(4, std::vector<QImage>(jobs.size()));
    std::vector<std::thread> threads;
    for (size_t t = 0; t < together.size(); ++t) {
        threads.emplace_back([&, t] {
            for (size_t round = 0; round < 3; ++round)
                for (size_t j = 0; j < jobs.size(); ++j)
                    together[t][j] = BarcodeProducer::Get_Image_From_Val(jobs[j].first, jobs[j].second,
                                                                         QStringLiteral("H"), QStringLiteral("F"))
                                         .image();
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    for (size_t t = 0; t < together.size(); ++t)
        for (size_t j = 0; j < jobs.size(); ++j)
            EXPECT_TRUE(!alone[j].isNull() && together[t][j] == alone[j]) << "thread " << t << " job " << j;
}

// The designer's picture given to a barcode whose frame was a linear one
// (42.7 x 22 mm): the frame becomes the picture, so the object drawn clipped
// to its frame (a frame at the card's edge) shows the whole symbol, reads
// back, and draws nothing beyond the frame.
TEST(BarcodeProduction, DesignedPictureFillsTheFrameAndReadsInsideIt)
{
    // wider than the frame, square, and wide again with rows
    const std::pair<int, QString> symbols[] = {{Code128, "BF-2026/07"}, {QrCode, "Row 7"}, {Pdf417, "Row 7, Seat 12"}};
    for (const auto& [title, value] : symbols) {
        for (const QString& texts : {QString(), QStringLiteral("Guest")}) {
            const QString where = QStringLiteral("%1 with texts \"%2\"").arg(title).arg(texts);
            const Picture picture = BarcodeProducer::Get_Image_From_Val(settingsFor(title, 3), value, texts, texts);
            ASSERT_FALSE(picture.isNull()) << where.toStdString();
            SKTBarcode barcode;
            barcode.setBounds(QRectF(20.5, 30.25, 121, 62.4));
            barcode.Set_Designed_Barcode_image(picture);
            EXPECT_EQ(barcode.bounds(), QRectF(QPointF(20.5, 30.25), picture.size())) << where.toStdString();
            EXPECT_EQ(barcode.drawingBounds(), barcode.SKTGraphic::drawingBounds()) << where.toStdString();

            const QPointF corner = (barcode.bounds().bottomRight() + QPointF(20, 20)) * 4;
            QImage card(int(corner.x()), int(corner.y()), QImage::Format_ARGB32_Premultiplied);
            card.fill(Qt::white);
            QPainter painter(&card);
            painter.scale(4, 4);
            painter.setClipRect(barcode.bounds());
            barcode.drawContentsInView(painter, false);
            painter.end();
            const std::string read = decode(Picture(card), ZXing::BarcodeFormat::Any).text;
            EXPECT_EQ(read, value.toStdString()) << where.toStdString();
        }
    }
}
