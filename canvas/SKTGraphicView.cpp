#include "canvas/SKTGraphicView.h"

#include "canvas/SKTZoomingScrollView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>

#include <cmath>

namespace {
QSize pixelSize(const QSizeF& size, double scale = 1.0)
{
    return QSize(int(std::ceil(size.width() * scale)), int(std::ceil(size.height() * scale)));
}
}

SKTGraphicView::SKTGraphicView(const QRectF& frame, CanvasHost* host, QWidget* parent)
    : QWidget(parent), m_controller(frame, host)
{
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(false);
    setFixedSize(pixelSize(frame.size()));
    m_controller.setEditingHost(this);
    connect(&m_controller, &CanvasController::needsDisplayInRect, this,
            [this](const QRectF& rect) { update(widgetRect(rect).toAlignedRect()); });
}

SKTGraphicView::~SKTGraphicView() = default;

void SKTGraphicView::setFrameSize(const QSizeF& size)
{
    // The card size first: the resize tells the scroll view around the
    // canvas to place the card again, and it asks the card's size.
    m_controller.setFrameSize(size);
    setFixedSize(pixelSize(size, m_scale));
}

void SKTGraphicView::setScale(double scale)
{
    if (!(scale > 0.0) || scale == m_scale)
        return;
    m_scale = scale;
    setFixedSize(pixelSize(m_controller.bounds().size(), m_scale));
    update();
}

QRectF SKTGraphicView::widgetRect(const QRectF& cardRect) const
{
    return QRectF(cardRect.topLeft() * m_scale, cardRect.size() * m_scale);
}

QSize SKTGraphicView::sizeHint() const
{
    return pixelSize(m_controller.bounds().size(), m_scale);
}

void SKTGraphicView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(m_scale, m_scale);
    const QRectF dirty(event->rect());
    m_controller.drawRect(painter, QRectF(dirty.topLeft() / m_scale, dirty.size() / m_scale));
}

CanvasMouseEvent SKTGraphicView::canvasEvent(const QMouseEvent* event, int clickCount) const
{
    CanvasMouseEvent canvasEvent;
    canvasEvent.point = cardPoint(event->position());
    canvasEvent.clickCount = clickCount;
    canvasEvent.modifiers = event->modifiers();
    return canvasEvent;
}

void SKTGraphicView::scrollToVisible(const QMouseEvent* event)
{
    // Dragging past the visible part of the card scrolls the scroll view
    // around the canvas, if there is one.
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* zooming = qobject_cast<SKTZoomingScrollView*>(w)) {
            zooming->scrollPointToVisible(cardPoint(event->position()));
            return;
        }
        auto* area = qobject_cast<QScrollArea*>(w);
        if (!area || !area->widget())
            continue;
        const QPoint p = mapTo(area->widget(), event->position().toPoint());
        area->ensureVisible(p.x(), p.y(), 0, 0);
        return;
    }
}

void SKTGraphicView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    m_controller.mouseDown(canvasEvent(event, 1));
}

void SKTGraphicView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    m_controller.mouseDown(canvasEvent(event, 2));
}

void SKTGraphicView::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton) || !m_controller.isTrackingMouse()) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    scrollToVisible(event);
    m_controller.mouseDragged(canvasEvent(event, 1));
}

void SKTGraphicView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_controller.mouseUp(canvasEvent(event, 1));
}

void SKTGraphicView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        m_controller.moveLeft();
        break;
    case Qt::Key_Right:
        m_controller.moveRight();
        break;
    case Qt::Key_Up:
        m_controller.moveUp();
        break;
    case Qt::Key_Down:
        m_controller.moveDown();
        break;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        m_controller.delete_();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}
