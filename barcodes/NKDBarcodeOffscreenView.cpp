#include "barcodes/NKDBarcodeOffscreenView.h"

#include "barcodes/NKDBarcode.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace {

constexpr float pointsPerInch = 72.0f;
constexpr double sideCaptionLift = 3.0;        // left and right caption parts stand higher
constexpr double leftCaptionFactor = 0.25;     // of firstBar
constexpr double rightCaptionFactor = 0.07;    // of the barcode width, after lastBar
constexpr double pieceShiftFactor = 3.0;       // in units of the piece's kerning
constexpr double pieceKerningFactor = 1.3;
constexpr double lineKerning = 2.0;            // header, footer, unspread caption

// Horizontal start of a line of text in a rectangle, by alignment title;
// anything else is the natural alignment of the text's direction.
double alignedStart(const QRectF& rect, double textWidth, const QString& title, const QString& text)
{
    if (title == QLatin1String("Center"))
        return rect.left() + (rect.width() - textWidth) / 2.0;
    const bool right =
        title == QLatin1String("Right") || (title != QLatin1String("Left") && text.isRightToLeft());
    return right ? rect.right() - textWidth : rect.left();
}

} // namespace

NKDBarcodeOffscreenView::NKDBarcodeOffscreenView(const NKDBarcode* barcode)
{
    m_fromImageOrBarcode = false;
    if (barcode) {
        float width = barcode->width();
        if (barcode->printsHeader())
            width = std::max(width, barcode->headerWidth());
        if (barcode->printsFooter())
            width = std::max(width, barcode->footerWidth());
        m_frameSize = QSizeF(width, barcode->height());
    }
    setBarcode(barcode);
}

NKDBarcodeOffscreenView::NKDBarcodeOffscreenView(const Picture& image, const BarcodeDesignerSettings& settings)
    : m_fromImageOrBarcode(true), m_imageSettings(settings)
{
    m_frameSize = QSizeF(settings.symbolText.width(), settings.symbolText.height());
    setBarcode_Image_2D(image);
}

const BarcodeDesignerSettings& NKDBarcodeOffscreenView::settings() const
{
    if (!m_fromImageOrBarcode && m_barcode)
        return m_barcode->designerSettings();
    return m_imageSettings;
}

QRectF NKDBarcodeOffscreenView::toPainter(const QRectF& viewRect) const
{
    return QRectF(viewRect.x(), m_frameSize.height() - viewRect.y() - viewRect.height(), viewRect.width(),
                  viewRect.height());
}

float NKDBarcodeOffscreenView::barBottomLine() const
{
    const BarcodeDesignerSettings& s = settings();
    const float caption = m_barcode->printsCaption() ? m_barcode->captionHeight() * pointsPerInch : 0.0f;
    const float footer = m_barcode->printsFooter() ? m_barcode->footerHeight() * pointsPerInch : 0.0f;
    if (s.showinTopCheckbox == 0)
        return caption + footer + s.value_margin + s.footer_margin + s.TB_margin;
    return footer + s.footer_margin + s.TB_margin;
}

QList<QRectF> NKDBarcodeOffscreenView::barRuns(float* lastTop) const
{
    QList<QRectF> runs;
    if (lastTop)
        *lastTop = 0.0f;
    if (m_fromImageOrBarcode || !m_barcode)
        return runs;
    const QString modules = m_barcode->completeBarcode();
    const double w = m_barcode->barWidth();
    const double yb = barBottomLine();
    double x = (m_frameSize.width() - modules.size() * w) / 2.0;
    int run = 0;
    bool open = false;
    int last = 0;
    const auto drawRun = [&] {
        const double top = m_barcode->barTop(last);
        const double bottom = m_barcode->barBottom(last);
        runs.append(QRectF(x, yb + bottom, w * run, top - bottom));
        if (lastTop)
            *lastTop = float(top);
    };
    for (int i = 0; i < modules.size(); ++i) {
        if (modules.at(i) == QLatin1Char('1')) {
            open = true;
            ++run;
            last = i;
            if (i == modules.size() - 1)
                drawRun();
        } else {
            if (open)
                drawRun();
            x += w * (run + 1);
            run = 0;
            open = false;
        }
    }
    return runs;
}

QList<QRectF> NKDBarcodeOffscreenView::barRectangles() const
{
    return barRuns(nullptr);
}

void NKDBarcodeOffscreenView::drawRect(QPainter& painter) const
{
    painter.save();
    if (m_fromImageOrBarcode)
        drawImage(painter);
    else if (m_barcode)
        drawBarcode(painter);
    painter.restore();
}

void NKDBarcodeOffscreenView::drawBarcode(QPainter& painter) const
{
    const BarcodeDesignerSettings& s = settings();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRectF(QPointF(0, 0), m_frameSize), s.bar_back_clr.toQColor());
    float lastTop = 0.0f;
    const QColor barColour = s.barcode_clr.toQColor();
    for (const QRectF& run : barRuns(&lastTop))
        painter.fillRect(toPainter(run), barColour);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (m_barcode->printsCaption())
        drawCaption(painter, lastTop);
    drawHeaderAndFooter(painter);
}

void NKDBarcodeOffscreenView::drawCaption(QPainter& painter, float lastBarTop) const
{
    const BarcodeDesignerSettings& s = settings();
    const NKDBarcode& b = *m_barcode;
    const double footer = b.printsFooter() ? b.footerHeight() * pointsPerInch : 0.0;
    const double y = s.showinTopCheckbox == 0
        ? footer + s.footer_margin + s.TB_margin
        : footer + s.footer_margin + lastBarTop + s.value_margin + s.TB_margin;
    const TextStyle plain {s.value_font, s.bar_val_clr, 0.0};
    const double w = b.barWidth();
    const double initiatorLength = double(b.initiator().size());

    const QString left = b.leftCaption();
    if (!left.isEmpty())
        drawTextAtPoint(painter, left, plain, QPointF(b.firstBar() * leftCaptionFactor + s.LR_margin, y + sideCaptionLift));

    const QString middle = b.caption();
    if (!middle.isEmpty()) {
        const QStringList pieces = middle.split(QLatin1Char('\t'));
        if (pieces.size() == 1 && left.isEmpty()) {
            const double tw = BarcodeDesignerSettings::textWidth(middle, s.value_font);
            const double th = BarcodeDesignerSettings::textLineHeight(s.value_font);
            const double k = (b.width() - tw) / (2.0 * middle.size());
            TextStyle style = plain;
            style.kerning = s.kerning_value_Checkbox == 1 ? 2.0 * k : lineKerning;
            drawCentredText(painter, middle, style, QRectF(0, y, m_frameSize.width(), th));
        } else {
            const double count = double(pieces.size());
            const double pw = pieces.size() == 1
                ? b.width() - 2.0 * initiatorLength * w - 2.0 * b.firstBar()
                : b.width() / count - initiatorLength * w - b.firstBar();
            for (int j = 0; j < pieces.size(); ++j) {
                const QString& piece = pieces.at(j);
                if (piece.isEmpty())
                    continue;   // nothing to spread, and no division by zero
                const double tw = BarcodeDesignerSettings::textWidth(piece, s.value_font);
                const double k = (pw - tw) / (2.0 * piece.size());
                TextStyle style = plain;
                style.kerning = pieceKerningFactor * k;
                const double x = pieceShiftFactor * k + b.firstBar() + (j + 1) * initiatorLength * w + j * pw
                    + s.LR_margin;
                drawTextAtPoint(painter, piece, style, QPointF(x, y));
            }
        }
    }

    const QString right = b.rightCaption();
    if (!right.isEmpty()) {
        const double x = b.lastBar() + rightCaptionFactor * b.width() + s.LR_margin;
        drawTextAtPoint(painter, right, plain, QPointF(x, y + sideCaptionLift));
    }
}

void NKDBarcodeOffscreenView::drawHeaderAndFooter(QPainter& painter) const
{
    const BarcodeDesignerSettings& s = settings();
    const NKDBarcode& b = *m_barcode;
    const double width = m_frameSize.width();
    if (b.printsHeader()) {
        const double header = b.headerHeight() * pointsPerInch;
        const double th = BarcodeDesignerSettings::textLineHeight(s.header_font);
        const QRectF rect(0, m_frameSize.height() - header - s.TB_margin, width, th);
        drawTextInRect(painter, b.header(), {s.header_font, s.bar_hdr_clr, lineKerning}, rect, s.align_hdr_combo);
    }
    if (b.printsFooter()) {
        const double th = BarcodeDesignerSettings::textLineHeight(s.footer_font);
        const QRectF rect(0, s.TB_margin, width, th);
        drawTextInRect(painter, b.footer(), {s.footer_font, s.bar_ftr_clr, lineKerning}, rect, s.align_ftr_combo);
    }
}

void NKDBarcodeOffscreenView::drawImage(QPainter& painter) const
{
    const BarcodeDesignerSettings& s = m_imageSettings;
    const BarcodeTextLayout& text = s.symbolText;
    const double width = m_frameSize.width();
    painter.fillRect(QRectF(QPointF(0, 0), m_frameSize), Qt::white);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::Antialiasing, true);

    const double headerLine = text.printsHeader() ? text.headerHeight() * pointsPerInch : 0.0;
    const double yh = m_frameSize.height() - headerLine - s.TB_margin;
    if (text.printsHeader()) {
        const double th = BarcodeDesignerSettings::textLineHeight(s.header_font);
        drawTextInRect(painter, text.header(), {s.header_font, s.bar_hdr_clr, lineKerning}, QRectF(0, yh, width, th),
                       s.align_hdr_combo);
    }

    if (!m_image_2d.isNull()) {
        const QSizeF size = m_image_2d.size();
        const QRectF target((text.width() - size.width()) / 2.0, yh - size.height() - s.header_margin, size.width(),
                            size.height());
        painter.save();
        // Whole device pixels keep the symbol's modules exactly as they are.
        const QRectF device = painter.transform().mapRect(toPainter(target));
        const QRect pixels(qRound(device.x()), qRound(device.y()), qRound(device.width()), qRound(device.height()));
        painter.resetTransform();
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.setOpacity(1.0);
        painter.drawImage(QRectF(pixels), m_image_2d.image());
        painter.restore();
    }

    if (text.printsFooter()) {
        const double th = BarcodeDesignerSettings::textLineHeight(s.footer_font);
        drawTextInRect(painter, text.footer(), {s.footer_font, s.bar_ftr_clr, lineKerning},
                       QRectF(0, s.TB_margin, width, th), s.align_ftr_combo);
    }
}

void NKDBarcodeOffscreenView::drawKernedText(QPainter& painter, const QString& text, const TextStyle& style,
                                             QPointF baselineStart) const
{
    const QFont font = BarcodeDesignerSettings::drawingFont(style.font);
    painter.setFont(font);
    painter.setPen(style.colour.toQColor());
    if (style.kerning == 0.0) {
        painter.drawText(baselineStart, text);
        return;
    }
    // The extra space goes after every character; each character starts
    // where the text before it ends, so pair kerning is kept.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const double x = BarcodeDesignerSettings::textWidth(text.left(i), style.font, style.kerning);
        painter.drawText(QPointF(baselineStart.x() + x, baselineStart.y()), text.mid(i, length));
        i += length - 1;
    }
}

void NKDBarcodeOffscreenView::drawTextAtPoint(QPainter& painter, const QString& text, const TextStyle& style,
                                              QPointF point) const
{
    const double descent = BarcodeDesignerSettings::textDescent(style.font);
    drawKernedText(painter, text, style, QPointF(point.x(), m_frameSize.height() - point.y() - descent));
}

void NKDBarcodeOffscreenView::drawTextInRect(QPainter& painter, const QString& text, const TextStyle& style,
                                             const QRectF& rect, const QString& alignment) const
{
    const double width = BarcodeDesignerSettings::textWidth(text, style.font, style.kerning);
    const QRectF area = toPainter(rect);
    const double x = alignedStart(area, width, alignment, text);
    drawKernedText(painter, text, style, QPointF(x, area.top() + BarcodeDesignerSettings::textAscent(style.font)));
}

void NKDBarcodeOffscreenView::drawCentredText(QPainter& painter, const QString& text, const TextStyle& style,
                                              const QRectF& rect) const
{
    drawTextInRect(painter, text, style, rect, QStringLiteral("Center"));
}

QByteArray NKDBarcodeOffscreenView::dataWithPDFInsideRect(const QRectF& rect) const
{
    if (rect.isEmpty())
        return {};
    QByteArray data;
    QBuffer buffer(&data);
    if (!buffer.open(QIODevice::WriteOnly))
        return {};
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(72);
        writer.setPageLayout(QPageLayout(QPageSize(rect.size(), QPageSize::Point, QString(), QPageSize::ExactMatch),
                                         QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        QPainter painter;
        if (!painter.begin(&writer))
            return {};
        const QRectF area = toPainter(rect);
        painter.translate(-area.topLeft());
        painter.setClipRect(area);
        drawRect(painter);
        painter.end();
    }
    buffer.close();
    return data;
}
