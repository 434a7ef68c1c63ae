#include "canvas/SKTZoomingScrollView.h"

#include "canvas/CanvasRuler.h"
#include "canvas/CenteringGeometry.h"
#include "canvas/SKTGraphicView.h"
#include "canvas/SWCenteringClipView.h"
#include "canvas/ZoomFactors.h"

#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QResizeEvent>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

SKTZoomingScrollView::SKTZoomingScrollView(QWidget* parent) : QAbstractScrollArea(parent)
{
    setViewport(new SWCenteringClipView);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    validateFactorPopUpButton();

    m_horizontalRuler = new CanvasRuler(Qt::Horizontal, this);
    m_verticalRuler = new CanvasRuler(Qt::Vertical, this);
    m_rulerCorner = new QWidget(this);
    m_rulerCorner->setAutoFillBackground(true);
    setRulerPartsVisible(false);
}

SKTZoomingScrollView::~SKTZoomingScrollView()
{
    if (m_view)
        m_view->controller().setRulers(nullptr);
}

SWCenteringClipView* SKTZoomingScrollView::clipView() const
{
    return static_cast<SWCenteringClipView*>(viewport());
}

void SKTZoomingScrollView::validateFactorPopUpButton()
{
    if (_factorPopUpButton)
        return;
    auto* popUp = new QComboBox;
    popUp->setFont(QFontDatabase::systemFont(QFontDatabase::SmallestReadableFont));
    popUp->setFocusPolicy(Qt::NoFocus);
    for (int row = 0; row < ZoomFactors::count; ++row)
        popUp->addItem(ZoomFactors::label(row), ZoomFactors::factor(row));
    popUp->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    // As wide as its widest item, as high as the scroll bar beside it.
    popUp->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
    popUp->setCurrentIndex(ZoomFactors::rowForFactor(_factor));
    connect(popUp, &QComboBox::activated, this, [this](int row) { setFactor(ZoomFactors::factor(row)); });
    _factorPopUpButton = popUp;
    addScrollBarWidget(popUp, Qt::AlignLeft);
}

void SKTZoomingScrollView::setFactor(double factor)
{
    if (!(factor > 0.0))
        return;
    if (_factorPopUpButton)
        _factorPopUpButton->setCurrentIndex(ZoomFactors::rowForFactor(factor));
    if (factor == _factor)
        return;
    _factor = factor;
    clipView()->setFactor(factor);
    if (m_view)
        m_view->setScale(factor); // resizes the canvas, which places it again
    centerDocument();
    emit factorChanged(factor);
}

void SKTZoomingScrollView::setWidget(SKTGraphicView* view)
{
    if (m_view == view)
        return;
    if (m_view) {
        m_view->removeEventFilter(this);
        m_view->controller().setRulers(nullptr);
        disconnect(m_displayConnection);
        m_view->hide();
        m_view->setParent(nullptr);
    }
    m_view = view;
    if (view) {
        view->setParent(viewport());
        view->setScale(_factor);
        view->installEventFilter(this);
        view->controller().setRulers(this);
        // After the card size or shape changes: the desk with the card's
        // outline, and the rulers.
        m_displayConnection = connect(&view->controller(), &CanvasController::scrollViewNeedsDisplay, this, [this] {
            viewport()->update();
            m_horizontalRuler->update();
            m_verticalRuler->update();
        });
        view->show();
    }
    centerDocument();
}

CanvasRuler* SKTZoomingScrollView::ruler(Qt::Orientation orientation) const
{
    return orientation == Qt::Horizontal ? m_horizontalRuler : m_verticalRuler;
}

void SKTZoomingScrollView::setRulersVisible(bool visible)
{
    if (visible == m_rulersVisible)
        return;
    m_rulersVisible = visible;
    const int margin = visible ? CanvasRuler::thickness : 0;
    setViewportMargins(margin, margin, 0, 0);
    layoutRulers();
    setRulerPartsVisible(visible);
    // The visible area lost or gained the rulers' thickness.
    centerDocument();
}

void SKTZoomingScrollView::moveRulerMarker(Qt::Orientation orientation, int marker, double, double to)
{
    ruler(orientation)->setMarkerLocation(marker, to);
}

void SKTZoomingScrollView::setRulerPartsVisible(bool visible)
{
    m_horizontalRuler->setVisible(visible);
    m_verticalRuler->setVisible(visible);
    m_rulerCorner->setVisible(visible);
}

void SKTZoomingScrollView::layoutRulers()
{
    const QRect area = viewport()->geometry();
    const int t = CanvasRuler::thickness;
    m_horizontalRuler->setGeometry(area.left(), area.top() - t, area.width(), t);
    m_verticalRuler->setGeometry(area.left() - t, area.top(), t, area.height());
    m_rulerCorner->setGeometry(area.left() - t, area.top() - t, t, t);
}

SKTGraphicView* SKTZoomingScrollView::widget() const
{
    return m_view;
}

QRectF SKTZoomingScrollView::documentFrame() const
{
    return m_view ? QRectF(QPointF(0, 0), m_view->controller().bounds().size()) : QRectF();
}

QRectF SKTZoomingScrollView::clipBounds() const
{
    return QRectF(m_origin, QSizeF(viewport()->size()) / _factor);
}

void SKTZoomingScrollView::centerDocument()
{
    scrollToPoint(CenteringGeometry::centeredOrigin(documentFrame(), clipBounds()));
}

void SKTZoomingScrollView::scrollToPoint(const QPointF& point)
{
    m_origin = CenteringGeometry::constrainScrollPoint(point, documentFrame(), clipBounds().size());
    updateScrollBars();
    placeDocument();
}

void SKTZoomingScrollView::scrollPointToVisible(const QPointF& point)
{
    const QRectF visible = clipBounds();
    QPointF origin = m_origin;
    if (point.x() < visible.left())
        origin.rx() = point.x();
    else if (point.x() > visible.right())
        origin.rx() = point.x() - visible.width();
    if (point.y() < visible.top())
        origin.ry() = point.y();
    else if (point.y() > visible.bottom())
        origin.ry() = point.y() - visible.height();
    if (origin != m_origin)
        scrollToPoint(origin);
}

void SKTZoomingScrollView::updateScrollBars()
{
    const QRectF document = documentFrame();
    const QSizeF visible = clipBounds().size();
    m_updatingScrollBars = true;
    auto update = [](QScrollBar* bar, double documentLength, double visibleLength, double origin) {
        const int maximum = std::max(0, int(std::round(documentLength - visibleLength)));
        bar->setRange(0, maximum);
        bar->setPageStep(std::max(1, int(visibleLength)));
        bar->setSingleStep(std::max(1, int(visibleLength / 20)));
        bar->setValue(std::clamp(int(origin), 0, maximum));
    };
    update(horizontalScrollBar(), document.width(), visible.width(), m_origin.x());
    update(verticalScrollBar(), document.height(), visible.height(), m_origin.y());
    m_updatingScrollBars = false;
}

void SKTZoomingScrollView::placeDocument()
{
    const QRectF card(-m_origin * _factor, documentFrame().size() * _factor);
    clipView()->setDocumentRect(m_view ? card : QRectF());
    if (m_view)
        m_view->move(int(std::round(card.x())), int(std::round(card.y())));
    // The canvas draws card point p at its own pixel p * factor.
    const QPoint origin = m_view ? m_view->pos() : card.topLeft().toPoint();
    m_horizontalRuler->setScale(_factor, origin.x());
    m_verticalRuler->setScale(_factor, origin.y());
    viewport()->update();
}

void SKTZoomingScrollView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    layoutRulers();
    centerDocument();
}

void SKTZoomingScrollView::scrollContentsBy(int, int)
{
    if (m_updatingScrollBars)
        return;
    scrollToPoint(QPointF(horizontalScrollBar()->value(), verticalScrollBar()->value()));
}

bool SKTZoomingScrollView::viewportEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Paint:
        // The desk draws itself.
        return false;
    case QEvent::Resize:
        // The scroll bars came or went, or the rulers did.
        layoutRulers();
        centerDocument();
        return false;
    default:
        return QAbstractScrollArea::viewportEvent(event);
    }
}

bool SKTZoomingScrollView::eventFilter(QObject* watched, QEvent* event)
{
    // A new card size resizes the canvas.
    if (watched == m_view && event->type() == QEvent::Resize)
        centerDocument();
    return QAbstractScrollArea::eventFilter(watched, event);
}
