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
    m_text.setContent(content);
    m_text.setPrintsCaption(printsCaption);
    m_barWidth = barWidth;
    m_text.setHeight(height);
    m_text.storeCaptionFontSize(fontSize);
    calculateWidth();
    m_checkDigit = checkDigit;
    return true;
}

void NKDBarcode::calculateWidth()
{
    m_text.setWidth(float(completeBarcode().size()) * m_barWidth);
}

QByteArray NKDBarcode::contentBytes() const
{
    if (!contentIsAscii())
        return {};
    return content().toLatin1();
}

bool NKDBarcode::contentIsAscii() const
{
    for (const QChar c : content()) {
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
    return content().left(digitsToLeft());
}

QString NKDBarcode::rightCaption() const
{
    const int n = digitsToRight();
    return n > 0 ? content().right(n) : QString();
}

QString NKDBarcode::caption() const
{
    const int left = digitsToLeft();
    const int right = digitsToRight();
    if (left == 0 && right == 0)
        return content();
    return content().mid(left, qMax(0, int(content().size()) - left - right));
}

float NKDBarcode::barTop(int index) const
{
    Q_UNUSED(index);
    const BarcodeDesignerSettings& s = m_settings;
    const BarcodeTextLayout& t = m_text;
    float top = t.height();
    // The stored switches decide, not the getters some symbologies override.
    if (t.printsCaption())
        top = top - t.captionHeight() * pointsPerInch - s.value_margin;
    if (t.printsHeader())
        top = top - t.headerHeight() * pointsPerInch - s.header_margin;
    if (t.printsFooter())
        top = top - t.footerHeight() * pointsPerInch - s.footer_margin;
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
    return QStringLiteral("\n\tBarcode Class: ") + className() + QStringLiteral("\n\tContent: ") + content()
        + QStringLiteral("\n\tCheck Digit:") + check + QStringLiteral("\n\tWidth:") + number(width())
        + QStringLiteral("\n\tHeight:") + number(height()) + QStringLiteral("\n\tBar Width:") + number(m_barWidth)
        + QStringLiteral("\n\tCaption Font Size:") + number(caption_fontSize())
        + QStringLiteral("\n\tCaption Height:") + number(captionHeight());
}
