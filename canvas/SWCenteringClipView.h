#pragma once

#include <QImage>
#include <QLinearGradient>
#include <QPicture>
#include <QRect>
#include <QRectF>
#include <QWidget>

#include <optional>

class QPaintEvent;

// The visible area of a zooming scroll view, drawn as a desk around the
// card: a grey gradient with a soft shadow under the card's outline
// (rectangle, rounded rectangle or oval, by Card_Shape). The canvas is its
// child and draws the card over the outline. Its scroll view places the
// canvas (see SKTZoomingScrollView) and tells it where the card lies.
class SWCenteringClipView : public QWidget
{
    Q_OBJECT

public:
    explicit SWCenteringClipView(QWidget* parent = nullptr);

    // The card area in this widget's pixels.
    QRectF documentRect() const { return m_documentRect; }
    void setDocumentRect(const QRectF& rect);
    // Pixels per card point; the outline's corner radius scales with it.
    void setFactor(double factor);

    // A picture to pattern the desk with; kept, but the desk is drawn
    // without it.
    QPicture bgImagePattern() const { return m_bgImagePattern; }
    void setBgImagePattern(const QPicture& picture) { m_bgImagePattern = picture; }

    // The outline of a card filling `rect`: an oval for shape 2, a rounded
    // rectangle of corner radius `radius` for 1, else the rectangle.
    static QPainterPath cardOutline(const QRectF& rect, int shape, double radius);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void drawShadow(QPainter& painter, const QPainterPath& outline);

    std::optional<QLinearGradient> m_backgroundGradient;
    QPicture m_bgImagePattern;
    QImage m_bgImage;

    QRectF m_documentRect;
    double m_factor = 1.0;

    // The last shadow made, reused while the outline and the area it covers
    // stay the same (scrolling and redrawing the card need no new blur).
    QImage m_shadowImage;
    QRect m_shadowArea;
    QRectF m_shadowOutlineRect;
    int m_shadowShape = -1;
    double m_shadowFactor = 0.0;
};
