#include "barcodes/NKDBarcode.h"

namespace {
constexpr float defaultBarWidth = 0.936f;
constexpr float defaultHeight = 36.0f;
constexpr float defaultFontSize = 6.0f;
constexpr float pointsPerInch = 72.0f;
} // namespace

bool NKDBarcode::initWithContent(const QString& content, bool printsCaption)
{
    return initWithContent(content, printsCaption, defaultBarWidth, defaultHeight, defaultFontSize, -1);
}

bool NKDBarcode::initWithContent(const QString& content, bool printsCaption, float barWidth, float height,
                                 float fontSize, int checkDigit)
{
    if (content.isNull())
        return false;
    m_content = content;
    m_printsCaption = printsCaption;
    m_barWidth = barWidth;
    m_height = height;
    m_caption_fontSize = fontSize;
    calculateWidth();
    m_checkDigit = checkDigit;
    return true;
}

QString NKDBarcode::header() const
{
    return m_header.isNull() ? QStringLiteral("") : m_header;
}

QString NKDBarcode::footer() const
{
    return m_footer.isNull() ? QStringLiteral("") : m_footer;
}

void NKDBarcode::setCaptionFontSize(float size)
{
    m_caption_fontSize = size;
    m_captionHeight = float(BarcodeDesignerSettings::lineHeightInches(m_settings.value_font));
}

void NKDBarcode::setHeaderFontSize(float size)
{
    m_header_fontSize = size;
    m_headerHeight = float(BarcodeDesignerSettings::lineHeightInches(m_settings.header_font));
    m_headerWidth = float(BarcodeDesignerSettings::textWidth(header(), m_settings.header_font));
}

void NKDBarcode::setFooterFontSize(float size)
{
    m_footer_fontSize = size;
    m_footerHeight = float(BarcodeDesignerSettings::lineHeightInches(m_settings.footer_font));
    m_footerWidth = float(BarcodeDesignerSettings::textWidth(footer(), m_settings.footer_font));
}

void NKDBarcode::calculateWidth()
{
    m_width = float(completeBarcode().size()) * m_barWidth;
}

QByteArray NKDBarcode::contentBytes() const
{
    if (!contentIsAscii())
        return {};
    return m_content.toLatin1();
}

bool NKDBarcode::contentIsAscii() const
{
    for (const QChar c : m_content) {
        if (c.unicode() > 127)
            return false;
    }
    return true;
}

bool NKDBarcode::everyCharacterEncodes() const
{
    if (!contentIsAscii())
        return false;
    for (const char c : contentBytes()) {
        if (_encodeChar(c).isEmpty())
            return false;
    }
    return true;
}

bool NKDBarcode::isContentValid() const
{
    return everyCharacterEncodes();
}

QString NKDBarcode::_encodeChar(char c) const
{
    Q_UNUSED(c);
    return QStringLiteral("1010");
}

QString NKDBarcode::barcode() const
{
    QString modules;
    for (const char c : contentBytes())
        modules += _encodeChar(c);
    if (m_checkDigit != -1)
        modules += _encodeChar(char(m_checkDigit));
    return modules;
}

QString NKDBarcode::completeBarcode() const
{
    return initiator() + barcode() + terminator();
}

QString NKDBarcode::leftCaption() const
{
    return m_content.left(digitsToLeft());
}

QString NKDBarcode::rightCaption() const
{
    const int n = digitsToRight();
    return n > 0 ? m_content.right(n) : QString();
}

QString NKDBarcode::caption() const
{
    const int left = digitsToLeft();
    const int right = digitsToRight();
    if (left == 0 && right == 0)
        return m_content;
    return m_content.mid(left, qMax(0, int(m_content.size()) - left - right));
}

float NKDBarcode::barTop(int index) const
{
    Q_UNUSED(index);
    const BarcodeDesignerSettings& s = m_settings;
    float top = m_height;
    // The stored switches decide, not the getters some symbologies override.
    if (m_printsCaption)
        top = top - m_captionHeight * pointsPerInch - s.value_margin;
    if (m_printsHeader)
        top = top - m_headerHeight * pointsPerInch - s.header_margin;
    if (m_printsFooter)
        top = top - m_footerHeight * pointsPerInch - s.footer_margin;
    return top - 2 * s.TB_margin;
}

float NKDBarcode::barBottom(int index) const
{
    Q_UNUSED(index);
    return 0.0f;
}

QString NKDBarcode::description() const
{
    const auto number = [](float v) { return QString::number(double(v), 'f', 6); };
    const QString check = m_checkDigit == -1 ? QString() : QString(QChar(m_checkDigit));
    return QStringLiteral("\n\tBarcode Class: ") + className() + QStringLiteral("\n\tContent: ") + m_content
        + QStringLiteral("\n\tCheck Digit:") + check + QStringLiteral("\n\tWidth:") + number(m_width)
        + QStringLiteral("\n\tHeight:") + number(m_height) + QStringLiteral("\n\tBar Width:") + number(m_barWidth)
        + QStringLiteral("\n\tCaption Font Size:") + number(m_caption_fontSize)
        + QStringLiteral("\n\tCaption Height:") + number(m_captionHeight);
}
