#include "canvas/SWCenteringClipView.h"

#include "model/Globals.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
// The shadow falls 3 pixels right and 3 down, blurred over 15 pixels; both
// are screen distances, the same at every zoom.
constexpr QPointF shadowOffset(3.0, 3.0);
constexpr double shadowBlurRadius = 15.0;
constexpr double cornerRadius = 10.0;

// Three passes of a box blur of the alpha channel, close to a Gaussian of
// standard deviation `radius` / 2.
void blurAlpha(QImage& image, int radius)
{
    const int w = image.width();
    const int h = image.height();
    const double sigma = radius / 2.0;
    const int box = std::max(1, int(std::lround((std::sqrt(4.0 * sigma * sigma + 1.0) - 1.0) / 2.0)));
    std::vector<int> alpha(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x)
            alpha[size_t(y) * size_t(w) + size_t(x)] = qAlpha(line[x]);
    }
    std::vector<int> buffer(size_t(std::max(w, h)));
    auto pass = [&](int length, int count, auto at) {
        for (int line = 0; line < count; ++line) {
            int sum = 0;
            for (int i = -box; i <= box; ++i)
                sum += (i >= 0 && i < length) ? at(line, i) : 0;
            for (int i = 0; i < length; ++i) {
                buffer[size_t(i)] = sum / (2 * box + 1);
                const int out = i - box;
                const int in = i + box + 1;
                if (out >= 0)
                    sum -= at(line, out);
                if (in < length)
                    sum += at(line, in);
            }
            for (int i = 0; i < length; ++i)
                at(line, i) = buffer[size_t(i)];
        }
    };
    for (int n = 0; n < 3; ++n) {
        pass(w, h, [&](int y, int x) -> int& { return alpha[size_t(y) * size_t(w) + size_t(x)]; });
        pass(h, w, [&](int x, int y) -> int& { return alpha[size_t(y) * size_t(w) + size_t(x)]; });
    }
    for (int y = 0; y < h; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x)
            line[x] = qRgba(0, 0, 0, alpha[size_t(y) * size_t(w) + size_t(x)]);
    }
}
}

SWCenteringClipView::SWCenteringClipView(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(false);
}

void SWCenteringClipView::setDocumentRect(const QRectF& rect)
{
    if (rect == m_documentRect)
        return;
    m_documentRect = rect;
    update();
}

void SWCenteringClipView::setFactor(double factor)
{
    if (factor == m_factor)
        return;
    m_factor = factor;
    update();
}

QPainterPath SWCenteringClipView::cardOutline(const QRectF& rect, int shape, double radius)
{
    QPainterPath path;
    if (shape == 1)
        path.addRoundedRect(rect, radius, radius);
    else if (shape == 2)
        path.addEllipse(rect);
    else
        path.addRect(rect);
    return path;
}

void SWCenteringClipView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setClipRect(event->rect());
    painter.fillRect(rect(), Qt::white);
    if (!m_backgroundGradient) {
        // From light at the top to darker at the bottom, whatever the size.
        QLinearGradient gradient(0.0, 0.0, 0.0, 1.0);
        gradient.setCoordinateMode(QGradient::ObjectMode);
        gradient.setColorAt(0.0, QColor::fromRgbF(0.88f, 0.88f, 0.88f, 1.0f));
        gradient.setColorAt(1.0, QColor::fromRgbF(0.78f, 0.78f, 0.78f, 1.0f));
        m_backgroundGradient = gradient;
    }
    painter.fillRect(rect(), QBrush(*m_backgroundGradient));

    if (m_documentRect.isEmpty())
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath outline = cardOutline(m_documentRect, Card_Shape, cornerRadius * m_factor);
    drawShadow(painter, outline);
    painter.fillPath(outline, palette().color(QPalette::Button));
}

void SWCenteringClipView::drawShadow(QPainter& painter, const QPainterPath& outline)
{
    // Only the part of the shadow that can reach the visible area is made.
    const int margin = int(shadowBlurRadius * 2);
    const QRect reach = outline.boundingRect().translated(shadowOffset).toAlignedRect().adjusted(
        -margin, -margin, margin, margin);
    const QRect area = reach & rect().adjusted(-margin, -margin, margin, margin);
    if (area.isEmpty())
        return;
    if (area != m_shadowArea || m_documentRect != m_shadowOutlineRect || Card_Shape != m_shadowShape
        || m_factor != m_shadowFactor || m_shadowImage.isNull()) {
        QImage image(area.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter shadow(&image);
            shadow.setRenderHint(QPainter::Antialiasing);
            shadow.translate(-QPointF(area.topLeft()) + shadowOffset);
            shadow.fillPath(outline, Qt::black);
        }
        blurAlpha(image, int(shadowBlurRadius));
        m_shadowImage = image;
        m_shadowArea = area;
        m_shadowOutlineRect = m_documentRect;
        m_shadowShape = Card_Shape;
        m_shadowFactor = m_factor;
    }
    painter.drawImage(m_shadowArea.topLeft(), m_shadowImage);
}
