#include "barcodes/BarcodeTextLayout.h"

#include "barcodes/BarcodeDesignerSettings.h"

QString BarcodeTextLayout::header() const
{
    return m_header.isNull() ? QStringLiteral("") : m_header;
}

QString BarcodeTextLayout::footer() const
{
    return m_footer.isNull() ? QStringLiteral("") : m_footer;
}

void BarcodeTextLayout::setCaptionFontSize(float size, const FontSpec& font)
{
    m_caption_fontSize = size;
    m_captionHeight = float(BarcodeDesignerSettings::lineHeightInches(font));
}

void BarcodeTextLayout::setHeaderFontSize(float size, const FontSpec& font)
{
    m_header_fontSize = size;
    m_headerHeight = float(BarcodeDesignerSettings::lineHeightInches(font));
    m_headerWidth = float(BarcodeDesignerSettings::textWidth(header(), font));
}

void BarcodeTextLayout::setFooterFontSize(float size, const FontSpec& font)
{
    m_footer_fontSize = size;
    m_footerHeight = float(BarcodeDesignerSettings::lineHeightInches(font));
    m_footerWidth = float(BarcodeDesignerSettings::textWidth(footer(), font));
}
