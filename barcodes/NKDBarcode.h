#pragma once

#include "barcodes/BarcodeDesignerSettings.h"
#include "barcodes/BarcodeTextLayout.h"

#include <QByteArray>
#include <QString>
#include <memory>

// One linear or postal barcode, made for one value: it turns its content into
// a module string ("1" one module of bar, "0" one module of space, left to
// right, each `barWidth` points wide) and answers the captions, header,
// footer and sizes that the renderer lays out. Objects are set up in two
// steps, as the designer does it: construct, then initWithContent (false
// means the object is not usable), then the setters.
//
// Line heights and the top of the bars depend on the designer's fonts and
// margins, taken from the settings given with setDesignerSettings.
class NKDBarcode
{
public:
    NKDBarcode() = default;
    virtual ~NKDBarcode() = default;
    NKDBarcode(const NKDBarcode&) = default;
    NKDBarcode& operator=(const NKDBarcode&) = default;

    // Constructs a T and initialises it with the content; null when the
    // initialiser refuses.
    template <class T>
    static std::unique_ptr<T> make(const QString& content, bool printsCaption = true)
    {
        auto barcode = std::make_unique<T>();
        if (!barcode->initWithContent(content, printsCaption))
            return nullptr;
        return barcode;
    }

    bool initWithContent(const QString& content) { return initWithContent(content, true); }
    virtual bool initWithContent(const QString& content, bool printsCaption);
    // The designated initialiser: false for a null content.
    virtual bool initWithContent(const QString& content, bool printsCaption, float barWidth, float height,
                                 float fontSize, int checkDigit);

    void setDesignerSettings(const BarcodeDesignerSettings& settings) { m_settings = settings; }
    const BarcodeDesignerSettings& designerSettings() const { return m_settings; }

    // Plain accessors; the texts and sizes live in one BarcodeTextLayout.
    const QString& content() const { return m_text.content(); }
    virtual void setContent(const QString& content) { m_text.setContent(content); }
    QString header() const { return m_text.header(); }   // never null
    void setHeader(const QString& header) { m_text.setHeader(header); }
    QString footer() const { return m_text.footer(); }   // never null
    void setFooter(const QString& footer) { m_text.setFooter(footer); }
    float height() const { return m_text.height(); }
    virtual void setHeight(float height) { m_text.setHeight(height); }
    float width() const { return m_text.width(); }
    void setWidth(float width) { m_text.setWidth(width); }
    // The check character as a character code, -1 for none (Code 128 keeps
    // its check symbol value here).
    int checkDigit() const { return m_checkDigit; }
    void setCheckDigit(int checkDigit) { m_checkDigit = checkDigit; }
    float barWidth() const { return m_barWidth; }
    virtual void setBarWidth(float barWidth) { m_barWidth = barWidth; }

    virtual bool printsCaption() const { return m_text.printsCaption(); }
    virtual void setPrintsCaption(bool on) { m_text.setPrintsCaption(on); }
    virtual bool printsHeader() const { return m_text.printsHeader(); }
    virtual void setPrintsHeader(bool on) { m_text.setPrintsHeader(on); }
    virtual bool printsFooter() const { return m_text.printsFooter(); }
    virtual void setPrintsFooter(bool on) { m_text.setPrintsFooter(on); }

    float caption_fontSize() const { return m_text.caption_fontSize(); }
    float header_fontSize() const { return m_text.header_fontSize(); }
    float footer_fontSize() const { return m_text.footer_fontSize(); }
    float captionHeight() const { return m_text.captionHeight(); }   // inches
    void setCaptionHeight(float h) { m_text.setCaptionHeight(h); }
    float headerHeight() const { return m_text.headerHeight(); }     // inches
    void setHeaderHeight(float h) { m_text.setHeaderHeight(h); }
    float footerHeight() const { return m_text.footerHeight(); }     // inches
    void setFooterHeight(float h) { m_text.setFooterHeight(h); }
    float headerWidth() const { return m_text.headerWidth(); }       // points
    void setHeaderWidth(float w) { m_text.setHeaderWidth(w); }
    float footerWidth() const { return m_text.footerWidth(); }       // points
    void setFooterWidth(float w) { m_text.setFooterWidth(w); }

    // The size is stored; the line height comes from the designer's font
    // (its cap height), not from the size. Header and footer also measure
    // their current text, so the texts are set first.
    void setCaptionFontSize(float size) { m_text.setCaptionFontSize(size, m_settings.value_font); }
    void setHeaderFontSize(float size) { m_text.setHeaderFontSize(size, m_settings.header_font); }
    void setFooterFontSize(float size) { m_text.setFooterFontSize(size, m_settings.footer_font); }

    // Symbology behaviour.
    virtual void calculateWidth();
    virtual bool isSizeValid() const { return true; }
    virtual void generateChecksum() {}
    virtual bool isContentValid() const;
    virtual QString initiator() const { return {}; }
    virtual QString terminator() const { return {}; }
    virtual QString _encodeChar(char c) const;
    virtual QString barcode() const;
    QString completeBarcode() const;

    virtual int digitsToLeft() const { return 0; }
    virtual int digitsToRight() const { return 0; }
    virtual QString leftCaption() const;
    virtual QString rightCaption() const;
    virtual QString caption() const;

    // Height in points that the bar at a module index reaches above the common
    // bottom line of the bars.
    virtual float barTop(int index) const;
    // Height above the common bottom line at which that bar starts: 0 for
    // every symbology but the four-state postal codes, whose trackers and
    // ascenders stand clear of the bottom line.
    virtual float barBottom(int index) const;
    virtual float firstBar() const { return 0.0f; }
    virtual float lastBar() const { return width() - m_barWidth; }

    virtual QString className() const { return QStringLiteral("NKDBarcode"); }
    QString description() const;
    bool isEqual(const NKDBarcode& other) const { return content() == other.content(); }

protected:
    // The content as ASCII bytes; empty when it holds other characters.
    QByteArray contentBytes() const;
    bool contentIsAscii() const;
    // Every character has a pattern (the general validity rule).
    bool everyCharacterEncodes() const;

    int m_checkDigit = -1;
    float m_barWidth = 0;
    // Written directly (not through the virtual setters) where a symbology
    // stores what it has computed.
    BarcodeTextLayout m_text;

private:
    BarcodeDesignerSettings m_settings;
};
