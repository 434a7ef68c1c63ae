#pragma once

#include "canvas/CanvasController.h"

#include <QRectF>
#include <QWidget>

class QKeyEvent;
class QMouseEvent;
class QPaintEvent;

// The canvas of one card side on screen: a widget the size of the card that
// hands its painting, mouse and key events to its CanvasController, which
// holds the bindings, the selection logic and the drawing.
class SKTGraphicView : public QWidget
{
    Q_OBJECT

public:
    // `frame` gives the card's size in points; `host` is the window the
    // canvas reports to (see CanvasController).
    explicit SKTGraphicView(const QRectF& frame, CanvasHost* host = nullptr, QWidget* parent = nullptr);
    ~SKTGraphicView() override;

    CanvasController& controller() { return m_controller; }
    const CanvasController& controller() const { return m_controller; }

    // The card's size in points; the widget takes that size times scale().
    void setFrameSize(const QSizeF& size);

    // Widget pixels per card point (the zoom of the scroll view around the
    // canvas; 1.0 at first). The canvas draws scaled by it and maps mouse
    // positions back to card points.
    double scale() const { return m_scale; }
    void setScale(double scale);
    QPointF cardPoint(const QPointF& widgetPoint) const { return widgetPoint / m_scale; }
    QRectF widgetRect(const QRectF& cardRect) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    CanvasMouseEvent canvasEvent(const QMouseEvent* event, int clickCount) const;
    void scrollToVisible(const QMouseEvent* event);

    CanvasController m_controller;
    double m_scale = 1.0;
};
