#pragma once

#include "barcodes/BarcodeDesignerSettings.h"

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

    // Plain accessors.
    const QString& content() const { return m_content; }
    virtual void setContent(const QString& content) { m_content = content; }
    QString header() const;   // never null
    void setHeader(const QString& header) { m_header = header; }
    QString footer() const;   // never null
    void setFooter(const QString& footer) { m_footer = footer; }
    float height() const { return m_height; }
    virtual void setHeight(float height) { m_height = height; }
    float width() const { return m_width; }
    void setWidth(float width) { m_width = width; }
    // The check character as a character code, -1 for none (Code 128 keeps
    // its check symbol value here).
    int checkDigit() const { return m_checkDigit; }
    void setCheckDigit(int checkDigit) { m_checkDigit = checkDigit; }
    float barWidth() const { return m_barWidth; }
    virtual void setBarWidth(float barWidth) { m_barWidth = barWidth; }

    virtual bool printsCaption() const { return m_printsCaption; }
    virtual void setPrintsCaption(bool on) { m_printsCaption = on; }
    virtual bool printsHeader() const { return m_printsHeader; }
    virtual void setPrintsHeader(bool on) { m_printsHeader = on; }
    virtual bool printsFooter() const { return m_printsFooter; }
    virtual void setPrintsFooter(bool on) { m_printsFooter = on; }

    float caption_fontSize() const { return m_caption_fontSize; }
    float header_fontSize() const { return m_header_fontSize; }
    float footer_fontSize() const { return m_footer_fontSize; }
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

    // The size is stored; the line height comes from the designer's font
    // (its cap height), not from the size. Header and footer also measure
    // their current text, so the texts are set first.
    void setCaptionFontSize(float size);
    void setHeaderFontSize(float size);
    void setFooterFontSize(float size);

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
    virtual float lastBar() const { return m_width - m_barWidth; }

    virtual QString className() const { return QStringLiteral("NKDBarcode"); }
    QString description() const;
    bool isEqual(const NKDBarcode& other) const { return m_content == other.m_content; }

protected:
    // The content as ASCII bytes; empty when it holds other characters.
    QByteArray contentBytes() const;
    bool contentIsAscii() const;
    // Every character has a pattern (the general validity rule).
    bool everyCharacterEncodes() const;

    int m_checkDigit = -1;
    float m_barWidth = 0;
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

private:
    BarcodeDesignerSettings m_settings;
};
