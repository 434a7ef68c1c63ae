#pragma once

#include "platform/FontSpec.h"

#include <QString>

// The texts a barcode picture shows and the sizes they are framed with: the
// content, header and footer, the frame's height and width, which of the
// caption, header and footer lines print, their font sizes, and the line
// heights and widths measured from the fonts. A linear barcode carries one;
// the designer keeps one for its two-dimensional symbols.
class BarcodeTextLayout
{
public:
    const QString& content() const { return m_content; }
    void setContent(const QString& content) { m_content = content; }
    QString header() const;   // never null: "" when unset
    void setHeader(const QString& header) { m_header = header; }
    QString footer() const;   // never null: "" when unset
    void setFooter(const QString& footer) { m_footer = footer; }

    float height() const { return m_height; }   // frame height, points
    void setHeight(float height) { m_height = height; }
    float width() const { return m_width; }     // frame width, points
    void setWidth(float width) { m_width = width; }

    bool printsCaption() const { return m_printsCaption; }
    void setPrintsCaption(bool on) { m_printsCaption = on; }
    bool printsHeader() const { return m_printsHeader; }
    void setPrintsHeader(bool on) { m_printsHeader = on; }
    bool printsFooter() const { return m_printsFooter; }
    void setPrintsFooter(bool on) { m_printsFooter = on; }

    float caption_fontSize() const { return m_caption_fontSize; }
    float header_fontSize() const { return m_header_fontSize; }
    float footer_fontSize() const { return m_footer_fontSize; }

    // Store the size and compute the line height (inches) from the cap height
    // of the given font, not from the size; header and footer also measure
    // their current text, so the texts are set first.
    void setCaptionFontSize(float size, const FontSpec& font);
    void setHeaderFontSize(float size, const FontSpec& font);
    void setFooterFontSize(float size, const FontSpec& font);
    // Stores the caption size alone, leaving its line height as it is (an
    // initialiser sets the size before any font is chosen).
    void storeCaptionFontSize(float size) { m_caption_fontSize = size; }

    float captionHeight() const { return m_captionHeight; }   // inches
    void setCaptionHeight(float h) { m_captionHeight = h; }
    float headerHeight() const { return m_headerHeight; }     // inches
    void setHeaderHeight(float h) { m_headerHeight = h; }
    float footerHeight() const { return m_footerHeight; }     // inches
    void setFooterHeight(float h) { m_footerHeight = h; }
    float headerWidth() const { return m_headerWidth; }       // points
    void setHeaderWidth(float w) { m_headerWidth = w; }
    float footerWidth() const { return m_footerWidth; }       // points
    void setFooterWidth(float w) { m_footerWidth = w; }

private:
    QString m_content;
    QString m_header;
    QString m_footer;
    float m_height = 0;
    float m_width = 0;
    bool m_printsCaption = false;
    bool m_printsHeader = false;
    bool m_printsFooter = false;
    float m_caption_fontSize = 0;
    float m_header_fontSize = 0;
    float m_footer_fontSize = 0;
    float m_captionHeight = 0;
    float m_headerHeight = 0;
    float m_footerHeight = 0;
    float m_headerWidth = 0;
    float m_footerWidth = 0;
};
