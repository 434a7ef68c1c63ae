#include "LinearTestSupport.h"

#include <QPainter>

#include <algorithm>

#define ZX_USE_UTF8
#include <ZXing/ReadBarcode.h>

bool prepareLinear(NKDBarcode& barcode, const QString& value, const LinearSetup& setup)
{
    barcode.setDesignerSettings(setup.settings);
    if (!barcode.initWithContent(value, setup.caption) || !barcode.isContentValid())
        return false;
    const BarcodeDesignerSettings& s = setup.settings;
    barcode.setHeader(setup.header);
    barcode.setFooter(setup.footer);
    barcode.setPrintsCaption(setup.caption);
    barcode.setPrintsHeader(setup.showHeader);
    barcode.setPrintsFooter(setup.showFooter);
    barcode.setBarWidth(setup.mils / 1000.0f * 72.0f);
    barcode.setCaptionFontSize(float(s.value_font.pointSize()));
    barcode.setHeaderFontSize(float(s.header_font.pointSize()));
    barcode.setFooterFontSize(float(s.footer_font.pointSize()));
    barcode.setHeight(setup.barsHeight);
    if (barcode.printsCaption())
        barcode.setHeight(barcode.height() + barcode.captionHeight() * 72.0f + s.value_margin);
    if (barcode.printsHeader())
        barcode.setHeight(barcode.height() + barcode.headerHeight() * 72.0f + s.header_margin);
    if (barcode.printsFooter())
        barcode.setHeight(barcode.height() + barcode.footerHeight() * 72.0f + s.footer_margin);
    barcode.setHeight(barcode.height() + 2 * s.TB_margin);
    barcode.calculateWidth();
    const float hw = setup.showHeader ? barcode.headerWidth() : 0.0f;
    const float fw = setup.showFooter ? barcode.footerWidth() : 0.0f;
    float width = std::max({hw, fw, barcode.width()}) + 2 * s.LR_margin;
    if (s.LR_margin > 0)
        width += 15.0f;
    barcode.setWidth(width);
    return true;
}

BarcodeDesignerSettings designerDefaults()
{
    BarcodeDesignerSettings s;
    const float margin = float(0.1 * BarcodeDesignerSettings::unitToPoints(1));
    s.value_margin = s.header_margin = s.footer_margin = s.LR_margin = s.TB_margin = margin;
    return s;
}

DecodedSymbol decodeLinear(const QImage& image, bool code39Extended, bool codabarStartStop)
{
    const int border = std::max(40, image.width() / 10);
    QImage grey(image.width() + 2 * border, image.height() + 2 * border, QImage::Format_ARGB32_Premultiplied);
    grey.fill(Qt::white);
    {
        QPainter painter(&grey);
        painter.drawImage(border, border, image);
    }
    grey = grey.convertToFormat(QImage::Format_Grayscale8);
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::LinearCodes);
    hints.setTryHarder(true);
    hints.setTryCode39ExtendedMode(code39Extended);
    hints.setReturnCodabarStartEnd(codabarStartStop);
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(), ZXing::ImageFormat::Lum,
                                int(grey.bytesPerLine()));
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    if (!result.isValid())
        return {};
    const ZXing::ByteArray& bytes = result.bytes();
    return {ZXing::ToString(result.format()), std::string(bytes.begin(), bytes.end())};
}
