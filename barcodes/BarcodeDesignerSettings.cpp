#include "barcodes/BarcodeDesignerSettings.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QtDebug>

#include <cmath>

namespace {

const QString defaultFontFamily = QStringLiteral("Times New Roman");
constexpr double defaultFontSize = 10.0;
constexpr double pointsPerInch = 72.0;
constexpr double inchesPerCentimetre = 0.393701;

// A paint device of 72 dots per inch: font measures taken against it are in
// points.
const QPaintDevice* pointDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        const int dotsPerMetre = int(std::lround(pointsPerInch / 0.0254));
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image;
    }();
    return &device;
}

QFont measuringFont(const FontSpec& font)
{
    QFont f = font.toQFont();
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

} // namespace

BarcodeDesignerSettings::BarcodeDesignerSettings()
    : value_font(defaultFontFamily, defaultFontSize),
      header_font(defaultFontFamily, defaultFontSize),
      footer_font(defaultFontFamily, defaultFontSize),
      barcode_clr(Colour::black()),
      bar_back_clr(Colour::white()),
      bar_val_clr(Colour::black()),
      bar_hdr_clr(Colour::black()),
      bar_ftr_clr(Colour::black()),
      align_hdr_combo(QStringLiteral("Center")),
      align_ftr_combo(QStringLiteral("Center"))
{
}

double BarcodeDesignerSettings::capHeight(const FontSpec& font)
{
    return QFontMetricsF(measuringFont(font), pointDevice()).capHeight();
}

double BarcodeDesignerSettings::textLineHeight(const FontSpec& font)
{
    const QFontMetricsF metrics(measuringFont(font), pointDevice());
    return metrics.ascent() + metrics.descent();
}

double BarcodeDesignerSettings::textDescent(const FontSpec& font)
{
    return QFontMetricsF(measuringFont(font), pointDevice()).descent();
}

double BarcodeDesignerSettings::textAscent(const FontSpec& font)
{
    return QFontMetricsF(measuringFont(font), pointDevice()).ascent();
}

QFont BarcodeDesignerSettings::drawingFont(const FontSpec& font)
{
    return measuringFont(font);
}

double BarcodeDesignerSettings::textWidth(const QString& text, const FontSpec& font, double kerning)
{
    if (text.isEmpty())
        return 0.0;
    // The extra space follows every character, the last one included.
    return QFontMetricsF(measuringFont(font), pointDevice()).horizontalAdvance(text) + kerning * text.size();
}

double BarcodeDesignerSettings::lineHeightInches(const FontSpec& font)
{
    const double c = capHeight(font);
    return c / pointsPerInch + 0.35 * (c / pointsPerInch);
}

double BarcodeDesignerSettings::unitToPoints(int unit)
{
    switch (unit) {
    case 1:
        return inchesPerCentimetre * pointsPerInch;
    case 2:
        return inchesPerCentimetre * pointsPerInch / 10.0;
    default:
        return pointsPerInch;
    }
}

Picture BarcodeDesignerSettings::Increase_DPI(const Picture& picture, double dpi)
{
    if (picture.isNull() || dpi <= 0 || picture.size().isEmpty()) {
        qWarning("Invalid image");
        return {};
    }
    const QSizeF points = picture.size();
    // A tiny allowance keeps exact products (72 dpi) from rounding up.
    const int w = int(std::ceil(dpi * points.width() / pointsPerInch - 1e-9));
    const int h = int(std::ceil(dpi * points.height() / pointsPerInch - 1e-9));
    QImage raised(w, h, QImage::Format_RGBA8888);
    if (raised.isNull()) {
        qWarning("Invalid image");
        return {};
    }
    raised.fill(Qt::transparent);
    {
        QPainter painter(&raised);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.setOpacity(1.0);
        painter.drawImage(QRectF(0, 0, w, h), picture.image());
    }
    const int dotsPerMetre = int(std::lround(dpi / 0.0254));
    raised.setDotsPerMeterX(dotsPerMetre);
    raised.setDotsPerMeterY(dotsPerMetre);
    Picture result(raised, points);
    Save_Barcode_gen_image(result, QStringLiteral("resize_high_dpi.bmp"));
    return result;
}

void BarcodeDesignerSettings::Save_Barcode_gen_image(const Picture& picture, const QString& file_name)
{
    Q_UNUSED(picture);
    Q_UNUSED(file_name);
}
