#include "barcodes/BarcodeProducer.h"

#include "barcodes/Ecc200Symbol.h"
#include "barcodes/JapanPostBarcode.h"
#include "barcodes/NKDBarcodeImage.h"
#include "barcodes/NKDCodabarBarcode.h"
#include "barcodes/NKDCode128Barcode.h"
#include "barcodes/NKDCode39Barcode.h"
#include "barcodes/NKDEAN13Barcode.h"
#include "barcodes/NKDEAN8Barcode.h"
#include "barcodes/NKDExtendedCode39Barcode.h"
#include "barcodes/NKDIndustrialTwoOfFiveBarcode.h"
#include "barcodes/NKDInterleavedTwoOfFiveBarcode.h"
#include "barcodes/NKDModifiedPlesseyBarcode.h"
#include "barcodes/NKDModifiedPlesseyHexBarcode.h"
#include "barcodes/NKDPlanetBarcode.h"
#include "barcodes/NKDPostnetBarcode.h"
#include "barcodes/NKDRoyalMailBarcode.h"
#include "barcodes/NKDUPCABarcode.h"
#include "barcodes/NKDUPCEBarcode.h"
#include "barcodes/Pdf417Symbol.h"
#include "barcodes/QREncoder.h"
#include "app/FileHelpers.h"
#include "model/SKTGraphic.h"

#include <QImageWriter>
#include <QPainter>
#include <QtDebug>

#include <algorithm>
#include <cstdio>
#include <cmath>
#include <exception>
#include <functional>

namespace {

constexpr float pointsPerInch = 72.0f;
// Extra space after each character of a header or footer line (the
// renderer's), counted in the frame width so that a line is never cut.
constexpr double lineKerning = 2.0;
// Added to the width when there is a side margin.
constexpr float sideMarginAllowance = 15.0f;
// Least space between a shown line of text and the bars or symbol: one dot
// at the lowest resolution offered, so that no rounding of a glyph's edge
// lands on a bar.
constexpr float leastTextGap = 1.0f;

using Maker = std::function<std::unique_ptr<NKDBarcode>()>;

template <class T>
Maker maker()
{
    return [] { return std::make_unique<T>(); };
}

Maker code128(int set)
{
    return [set] {
        auto barcode = std::make_unique<NKDCode128Barcode>();
        barcode->setCodeSet(set);
        return std::unique_ptr<NKDBarcode>(std::move(barcode));
    };
}

const QList<std::pair<QString, Maker>>& linearTable()
{
    static const QList<std::pair<QString, Maker>> table = {
        {QStringLiteral("Code 39"), maker<NKDCode39Barcode>()},
        {QStringLiteral("Extended Code 39"), maker<NKDExtendedCode39Barcode>()},
        {QStringLiteral("Interleaved 2 of 5"), maker<NKDInterleavedTwoOfFiveBarcode>()},
        {QStringLiteral("UPCA"), maker<NKDUPCABarcode>()},
        {QStringLiteral("PostNet"), maker<NKDPostnetBarcode>()},
        {QStringLiteral("Modified Plessey"), maker<NKDModifiedPlesseyBarcode>()},
        {QStringLiteral("Modified Plessey (Hex)"), maker<NKDModifiedPlesseyHexBarcode>()},
        {QStringLiteral("Industrial 2 of 5"), maker<NKDIndustrialTwoOfFiveBarcode>()},
        {QStringLiteral("EAN-13"), maker<NKDEAN13Barcode>()},
        {QStringLiteral("Code 128"), code128(NKDCode128Barcode::SetAuto)},
        {QStringLiteral("Code 128 SET A"), code128(NKDCode128Barcode::SetA)},
        {QStringLiteral("Code 128 SET B"), code128(NKDCode128Barcode::SetB)},
        {QStringLiteral("Code 128 SET C"), code128(NKDCode128Barcode::SetC)},
        {QStringLiteral("Codabar"), maker<NKDCodabarBarcode>()},
        {QStringLiteral("UPCE"), maker<NKDUPCEBarcode>()},
        {QStringLiteral("EAN-8"), maker<NKDEAN8Barcode>()},
        {QStringLiteral("Royal Mail Barcode (RM4SCC / CBC)"), maker<NKDRoyalMailBarcode>()},
        {QStringLiteral("Planet"), maker<NKDPlanetBarcode>()},
        {QStringLiteral("Japan Post Barcode"), maker<JapanPostBarcode>()},
    };
    return table;
}

// A line's height in points: at least the font's whole line (ascent and
// descent), so that no glyph of the line reaches into the bars, whatever
// the font and its size.
float lineInches(float storedInches, const FontSpec& font)
{
    return std::max(storedInches, float(BarcodeDesignerSettings::textLineHeight(font) / pointsPerInch));
}

float frameWidth(float content, float headerWidth, float footerWidth, float sideMargin)
{
    float width = std::max({headerWidth, footerWidth, content}) + 2 * sideMargin;
    if (sideMargin > 0)
        width += sideMarginAllowance;
    return width;
}

// The style with the margins of shown lines at least the least gap.
BarcodeDesignerSettings withTextGaps(BarcodeDesignerSettings style, const BarcodeSettings& settings)
{
    if (BarcodeProducer::Get_Print_State(settings) == 1)
        style.value_margin = std::max(style.value_margin, leastTextGap);
    if (settings.show_hide_hdr != 1)
        style.header_margin = std::max(style.header_margin, leastTextGap);
    if (settings.show_hide_ftr != 1)
        style.footer_margin = std::max(style.footer_margin, leastTextGap);
    return style;
}

// The letters the encoder is told for a chosen encoding, one per byte ("A"
// ASCII, "C" C40, "T" Text, "B" Base256); none when it chooses itself.
QByteArray dataMatrixEncodingLetters(const QString& title, qsizetype length)
{
    static const std::pair<const char*, char> letters[] = {{"Ascii", 'A'}, {"C40", 'C'}, {"Text", 'T'},
                                                           {"Base256", 'B'}};
    for (const auto& [name, letter] : letters) {
        if (title == QLatin1String(name))
            return QByteArray(length, letter);
    }
    return {};
}

BarcodeProducer::Result refused(const QString& reason)
{
    BarcodeProducer::Result result;
    result.reason = reason;
    return result;
}

// A frame beyond the largest side, or whose bitmap at the resolution would
// hold more dots than production draws.
bool tooLarge(double widthPoints, double heightPoints, int dpi)
{
    if (!(widthPoints <= BarcodeProducer::maximumSidePoints) || !(heightPoints <= BarcodeProducer::maximumSidePoints))
        return true;
    const double scale = dpi / double(pointsPerInch);
    return std::ceil(widthPoints * scale) * std::ceil(heightPoints * scale) > BarcodeProducer::maximumPictureDots;
}

BarcodeProducer::Result renderLinear(const BarcodeSettings& settings, const QString& title, const QString& value,
                                     const QString& header, const QString& footer)
{
    std::unique_ptr<NKDBarcode> barcode = BarcodeProducer::makeLinear(title);
    if (!barcode)
        return refused(QStringLiteral("Unknown symbology \"%1\"").arg(title));
    if (!BarcodeProducer::Check_And_Validat_Barcode(value))
        return refused(QStringLiteral("%1 takes ASCII characters only").arg(title));
    if (!(settings.linear_width_val > 0) || !(settings.linear_height_val > 0))
        return refused(QStringLiteral("Bar width and height must be greater than 0"));

    const BarcodeDesignerSettings style = withTextGaps(settings.designerSettings(), settings);
    const bool printsCaption = BarcodeProducer::Get_Print_State(settings) == 1;
    barcode->setDesignerSettings(style);
    if (!barcode->initWithContent(value, printsCaption) || !barcode->isContentValid())
        return refused(QStringLiteral("%1 cannot encode \"%2\"").arg(title, value));

    barcode->setHeader(header);
    barcode->setFooter(footer);
    barcode->setPrintsCaption(printsCaption);
    barcode->setPrintsHeader(settings.show_hide_hdr != 1);
    barcode->setPrintsFooter(settings.show_hide_ftr != 1);
    // The narrow bar is a whole number of dots at the output resolution, so
    // bars of one width all print alike.
    const int dpi = settings.dpi();
    const double scale = dpi / double(pointsPerInch);
    const int barDots = std::max(1, int(std::lround(settings.barWidthPoints() * scale)));
    barcode->setBarWidth(float(barDots / scale));
    barcode->setCaptionFontSize(float(style.value_font.pointSize()));
    barcode->setHeaderFontSize(float(style.header_font.pointSize()));
    barcode->setFooterFontSize(float(style.footer_font.pointSize()));
    barcode->setCaptionHeight(lineInches(barcode->captionHeight(), style.value_font));
    barcode->setHeaderHeight(lineInches(barcode->headerHeight(), style.header_font));
    barcode->setFooterHeight(lineInches(barcode->footerHeight(), style.footer_font));
    barcode->setHeaderWidth(float(BarcodeDesignerSettings::textWidth(barcode->header(), style.header_font, lineKerning)));
    barcode->setFooterWidth(float(BarcodeDesignerSettings::textWidth(barcode->footer(), style.footer_font, lineKerning)));

    BarcodeProducer::Set_Barcode_Height(*barcode, settings.barHeightPoints(), style);
    barcode->calculateWidth();
    const float width = BarcodeProducer::Set_Linear_Barcode_Width(*barcode, style);
    if (tooLarge(width, barcode->height(), dpi))
        return refused(QStringLiteral("The barcode picture would be too large"));
    // The bars are centred in the picture: a whole, even number of dots
    // beside them puts every bar edge on a dot edge.
    const qint64 barsDots = qint64(barcode->completeBarcode().size()) * barDots;
    qint64 widthDots = qint64(std::ceil(width * scale - 1e-6));
    if ((widthDots - barsDots) % 2 != 0)
        ++widthDots;
    barcode->setWidth(float(widthDots / scale));

    BarcodeProducer::Result result;
    result.picture = NKDBarcodeImage::imageFromBarcode(*barcode, dpi);
    if (result.picture.isNull())
        result.reason = QStringLiteral("The barcode picture could not be made");
    result.barcode = std::move(barcode);
    return result;
}

} // namespace

Picture BarcodeProducer::Draw_QR_Barcode(const BarcodeSettings& settings, const QString& value, QString* reason)
{
    const int side = settings.qr_size_val;
    if (side < 21) {
        *reason = QStringLiteral("The QR Code side must be at least 21 points");
        return {};
    }
    if (tooLarge(side, side, settings.dpi())) {
        *reason = QStringLiteral("The QR Code side is too large");
        return {};
    }
    const DataMatrix grid = QREncoder::encodeWithECLevel(settings.qrLevel(), settings.qrVersion(), value, side);
    if (grid.dimension() == 0) {
        *reason = QStringLiteral("The value is too long for this QR Code version and level");
        return {};
    }
    if (grid.dimension() > side) {
        *reason = QStringLiteral("The QR Code side is smaller than the symbol's %1 modules").arg(grid.dimension());
        return {};
    }
    // Drawn straight at the output resolution: every module the same whole
    // number of dots (a symbol drawn at one dot a point and then enlarged
    // gets modules of uneven size, which decoders misread).
    const int dpi = settings.dpi();
    const int sideDots = int(std::ceil(dpi * side / 72.0 - 1e-9));
    QImage image = QREncoder::renderDataMatrix(grid, sideDots);
    if (image.isNull()) {
        *reason = QStringLiteral("The QR Code picture could not be made");
        return {};
    }
    const int dotsPerMetre = int(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    return Picture(std::move(image), QSizeF(side, side));
}

Picture BarcodeProducer::Draw_PDF_417_Barcode(const BarcodeSettings& settings, const QString& value,
                                              QString* reason)
{
    const int width = settings.pdf_wdt_val;
    const int height = settings.pdf_hgt_val;
    if (width <= 0 || height <= 0 || tooLarge(width, height, settings.dpi())) {
        *reason = QStringLiteral("The PDF417 size is out of range");
        return {};
    }
    const Pdf417Symbol symbol = Pdf417Symbol::encode(value, std::clamp(settings.pdf_ec_val, 0, 8));
    if (symbol.isNull()) {
        *reason = symbol.failure() == Pdf417Symbol::Failure::UnencodableCharacter
            ? QStringLiteral("PDF417 takes ISO-8859-1 characters only")
            : QStringLiteral("The value is too long for PDF417");
        return {};
    }
    // Every module gets the same whole number of dots (a stretched symbol
    // has modules of uneven width and reads wrong), centred in the frame.
    const int dpi = settings.dpi();
    const int framePixelsWide = int(std::ceil(dpi * width / 72.0 - 1e-9));
    const int framePixelsHigh = int(std::ceil(dpi * height / 72.0 - 1e-9));
    const int dotsPerModule = framePixelsWide / symbol.moduleColumns();
    const int dotsPerRow = framePixelsHigh / symbol.rows();
    if (dotsPerModule < 1 || dotsPerRow < 1) {
        *reason = QStringLiteral("The PDF417 size is too small for the symbol at %1 dpi").arg(dpi);
        return {};
    }
    const int left = (framePixelsWide - dotsPerModule * symbol.moduleColumns()) / 2;
    const int top = (framePixelsHigh - dotsPerRow * symbol.rows()) / 2;
    QImage frame(framePixelsWide, framePixelsHigh, QImage::Format_ARGB32);
    if (frame.isNull()) {
        *reason = QStringLiteral("The PDF417 picture could not be made");
        return {};
    }
    frame.fill(Qt::white);
    const QRgb dark = qRgb(0, 0, 0);
    for (int row = 0; row < symbol.rows(); ++row) {
        for (int y = 0; y < dotsPerRow; ++y) {
            auto* line = reinterpret_cast<QRgb*>(frame.scanLine(top + row * dotsPerRow + y));
            for (int column = 0; column < symbol.moduleColumns(); ++column) {
                if (symbol.isDark(column, row))
                    std::fill_n(line + left + column * dotsPerModule, dotsPerModule, dark);
            }
        }
    }
    const int dotsPerMetre = int(std::lround(dpi / 0.0254));
    frame.setDotsPerMeterX(dotsPerMetre);
    frame.setDotsPerMeterY(dotsPerMetre);
    return Picture(frame, QSizeF(width, height));
}

Picture BarcodeProducer::Draw_DataMatrix_Barcode(const BarcodeSettings& settings, const QString& value,
                                                 QString* reason)
{
    // Data Matrix text is ISO-8859-1 unless told otherwise, so the value's
    // characters go in as those bytes and read back as the same text.
    for (const QChar c : value) {
        if (c.unicode() > 0xFF) {
            *reason = QStringLiteral("Data Matrix takes ISO-8859-1 characters only");
            return {};
        }
    }
    const int module = settings.dm_module_val;
    if (module <= 0 || module > 100) {
        *reason = QStringLiteral("The Data Matrix module size is out of range");
        return {};
    }
    int rows = 0;
    int columns = 0;
    BarcodeSettings::dmFormatSize(settings.dmFormat(), &rows, &columns);
    const QByteArray bytes = value.toLatin1();
    const Ecc200Symbol symbol = Ecc200Symbol::encode(
        bytes, Ecc200Symbol::encodingForTitle(settings.dmEncoding()), rows, columns, reason);
    if (symbol.isNull()) {
        // The encoder's own account of a failure, for whoever runs the
        // program from a terminal.
        std::fprintf(stderr, "No barcode produced\n");
        const QByteArray encoding = dataMatrixEncodingLetters(settings.dmEncoding(), bytes.size());
        std::fprintf(stdout, "Size    : %dx%d\nEncoded : %d of %d bytes with %d bytes of ecc\nBarcode : %s\n"
                             "Encoding: %s\n",
                     columns, rows, 0, 0, 0, bytes.constData(), encoding.constData());
        std::fflush(stdout);
        return {};
    }
    // The symbol with its one-module light frame fills columns x module by
    // rows x module points.
    const double width = double(symbol.columns()) * module;
    const double height = double(symbol.rows()) * module;
    if (tooLarge(width, height, settings.dpi())) {
        *reason = QStringLiteral("The Data Matrix picture would be too large");
        return {};
    }
    // Whole pixels per module, as near the resolution asked for as that allows.
    const double modulePoints = width / (symbol.columns() + 2);
    const int pixelsPerModule = std::max(1, int(std::lround(settings.dpi() * modulePoints / 72.0)));
    Picture picture = symbol.picture(modulePoints, pixelsPerModule);
    if (picture.isNull()) {
        *reason = QStringLiteral("The Data Matrix picture could not be made");
        return {};
    }
    picture.setSize(QSizeF(width, height));
    return picture;
}

namespace {

BarcodeProducer::Result renderTwoDimensional(const BarcodeSettings& settings, const QString& title,
                                             const QString& value, const QString& header, const QString& footer)
{
    if (!BarcodeProducer::drawsTwoDimensional(title))
        return refused(QStringLiteral("\"%1\" draws no picture").arg(title));
    QString reason;
    Picture symbol;
    if (title == QLatin1String("QR Code"))
        symbol = BarcodeProducer::Draw_QR_Barcode(settings, value, &reason);
    else if (title == QLatin1String("PDF417"))
        symbol = BarcodeProducer::Draw_PDF_417_Barcode(settings, value, &reason);
    else
        symbol = BarcodeProducer::Draw_DataMatrix_Barcode(settings, value, &reason);
    if (symbol.isNull())
        return refused(reason.isEmpty() ? QStringLiteral("No symbol was made") : reason);
    BarcodeProducer::Result result;
    result.symbol = symbol;
    result.picture = BarcodeProducer::frameSymbol(settings, symbol, value, header, footer);
    if (result.picture.isNull())
        result.reason = QStringLiteral("The picture could not be framed");
    return result;
}

} // namespace

std::unique_ptr<NKDBarcode> BarcodeProducer::makeLinear(const QString& title)
{
    for (const auto& [name, make] : linearTable()) {
        if (name == title)
            return make();
    }
    return nullptr;
}

bool BarcodeProducer::drawsTwoDimensional(const QString& title)
{
    return title == QLatin1String("QR Code") || title == QLatin1String("PDF417")
        || title == QLatin1String("DataMatrix");
}

int BarcodeProducer::Get_Print_State(const BarcodeSettings& settings)
{
    if (!settings.captionCheckboxEnabled)
        return 0;
    return settings.show_hide_val != 1 ? 1 : 0;
}

bool BarcodeProducer::Check_And_Validat_Barcode(const QString& value)
{
    if (value.isEmpty())
        return false;
    return std::all_of(value.begin(), value.end(), [](QChar c) { return c.unicode() < 128; });
}

Picture BarcodeProducer::frameSymbol(const BarcodeSettings& settings, const Picture& symbol, const QString& value,
                                     const QString& header, const QString& footer)
{
    if (symbol.isNull())
        return {};
    BarcodeDesignerSettings style = withTextGaps(settings.designerSettings(), settings);
    BarcodeTextLayout& text = style.symbolText;
    text.setContent(value);
    text.setHeader(header);
    text.setFooter(footer);
    text.setPrintsCaption(Get_Print_State(settings) == 1);
    text.setPrintsHeader(settings.show_hide_hdr != 1);
    text.setPrintsFooter(settings.show_hide_ftr != 1);
    text.setCaptionFontSize(float(style.value_font.pointSize()), style.value_font);
    text.setHeaderFontSize(float(style.header_font.pointSize()), style.header_font);
    text.setFooterFontSize(float(style.footer_font.pointSize()), style.footer_font);
    text.setHeaderHeight(lineInches(text.headerHeight(), style.header_font));
    text.setFooterHeight(lineInches(text.footerHeight(), style.footer_font));
    text.setHeaderWidth(float(BarcodeDesignerSettings::textWidth(text.header(), style.header_font, lineKerning)));
    text.setFooterWidth(float(BarcodeDesignerSettings::textWidth(text.footer(), style.footer_font, lineKerning)));

    Set_2d_Barcode_Height(text, symbol, style);
    Set_2d_Barcode_Width(text, symbol, style);
    // Framed at the finer of the symbol's two pixel densities (a rectangular
    // Data Matrix, its light frame inside, has a finer one across its rows),
    // so that no row or column of modules is lost to the frame's raster.
    const QSizeF size = symbol.size();
    const double symbolDpi = std::max(symbol.image().width() / std::max(1.0, size.width()),
                                      symbol.image().height() / std::max(1.0, size.height()))
        * double(pointsPerInch);
    if (tooLarge(text.width(), text.height(), int(std::ceil(symbolDpi))))
        return {};
    return NKDBarcodeImage::imageFromBarcodeImage(symbol, style, symbolDpi);
}

BarcodeProducer::Result BarcodeProducer::render(const BarcodeSettings& settings, const QString& value,
                                                const QString& header, const QString& footer)
{
    if (value.isEmpty())
        return refused(QStringLiteral("Please enter barcode value"));
    try {
        const QString title = settings.symbologyTitle();
        if (title.isEmpty())
            return refused(QStringLiteral("No symbology at position %1").arg(settings.barcode_font_index));
        if (settings.isTwoDimensional())
            return renderTwoDimensional(settings, title, value, header, footer);
        return renderLinear(settings, title, value, header, footer);
    } catch (const std::exception& e) {
        qWarning("Barcode production failed: %s", e.what());
        return refused(QString::fromLocal8Bit(e.what()));
    }
}

Picture BarcodeProducer::Get_Image_From_Val(const BarcodeSettings& settings, const QString& value,
                                            const QString& header, const QString& footer)
{
    return render(settings, value, header, footer).picture;
}

Picture BarcodeProducer::pictureForObject(const SKTGraphic& barcodeObject, const QString& value)
{
    const BarcodeSettings settings = BarcodeSettings::fromObject(barcodeObject);
    return Get_Image_From_Val(settings, value, barcodeObject.header_val, barcodeObject.footer_val);
}

float BarcodeProducer::Set_Linear_Barcode_Width(const NKDBarcode& barcode, const BarcodeDesignerSettings& style)
{
    const float hw = barcode.printsHeader() ? barcode.headerWidth() : 0.0f;
    const float fw = barcode.printsFooter() ? barcode.footerWidth() : 0.0f;
    return frameWidth(barcode.width(), hw, fw, style.LR_margin);
}

void BarcodeProducer::Set_Barcode_Height(NKDBarcode& barcode, float barHeight, const BarcodeDesignerSettings& style)
{
    // Bars, then each shown line with its margin, then top and bottom
    // margins (line heights are in inches).
    barcode.setHeight(barHeight);
    if (barcode.printsCaption())
        barcode.setHeight(barcode.height() + barcode.captionHeight() * pointsPerInch + style.value_margin);
    if (barcode.printsHeader())
        barcode.setHeight(barcode.height() + barcode.headerHeight() * pointsPerInch + style.header_margin);
    if (barcode.printsFooter())
        barcode.setHeight(barcode.height() + barcode.footerHeight() * pointsPerInch + style.footer_margin);
    barcode.setHeight(barcode.height() + 2 * style.TB_margin);
}

void BarcodeProducer::Set_2d_Barcode_Width(BarcodeTextLayout& text, const Picture& symbol,
                                           const BarcodeDesignerSettings& style)
{
    const float hw = text.printsHeader() ? text.headerWidth() : 0.0f;
    const float fw = text.printsFooter() ? text.footerWidth() : 0.0f;
    text.setWidth(frameWidth(float(symbol.size().width()), hw, fw, style.LR_margin));
}

void BarcodeProducer::Set_2d_Barcode_Height(BarcodeTextLayout& text, const Picture& symbol,
                                            const BarcodeDesignerSettings& style)
{
    // The value margin has no part here: a symbol shows no value line.
    const float headerLine = text.printsHeader() ? text.headerHeight() * pointsPerInch : 0.0f;
    const float footerLine = text.printsFooter() ? text.footerHeight() * pointsPerInch : 0.0f;
    text.setHeight(float(symbol.size().height()) + headerLine + style.header_margin + footerLine
                   + style.footer_margin + 2 * style.TB_margin);
}

Picture BarcodeProducer::Resize_Image(const Picture& image, QSizeF new_size)
{
    const QSize pixels(int(std::lround(new_size.width())), int(std::lround(new_size.height())));
    if (image.isNull() || pixels.width() <= 0 || pixels.height() <= 0 || pixels.width() > maximumSidePoints * 10
        || pixels.height() > maximumSidePoints * 10) {
        qWarning("Invalid image");
        return {};
    }
    QImage resized(pixels, QImage::Format_RGBA8888);
    if (resized.isNull()) {
        qWarning("Invalid image");
        return {};
    }
    resized.fill(Qt::transparent);
    {
        QPainter painter(&resized);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(QRect(QPoint(0, 0), pixels), image.image());
    }
    return Picture(std::move(resized), new_size);
}

bool BarcodeProducer::Save_Barcode_image(const Picture& image, const QString& file_path_val)
{
    if (image.isNull() || file_path_val.isEmpty())
        return false;
    Delete_File(file_path_val);
    // The bitmap keeps the picture's size in points as its size.
    QImage written = image.image();
    const QSizeF points = image.size();
    if (points.width() > 0 && points.height() > 0) {
        written.setDotsPerMeterX(int(std::lround(written.width() * 72.0 / points.width() / 0.0254)));
        written.setDotsPerMeterY(int(std::lround(written.height() * 72.0 / points.height() / 0.0254)));
    }
    QImageWriter writer(file_path_val, "png");
    writer.setQuality(100);
    return writer.write(written);
}
