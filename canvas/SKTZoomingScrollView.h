#pragma once

#include "canvas/CanvasRulers.h"

#include <QAbstractScrollArea>
#include <QPointF>
#include <QPointer>
#include <QRectF>
#include <QString>

class CanvasRuler;
class QComboBox;
class SKTGraphicView;
class SWCenteringClipView;

// The scroll view around a canvas: it shows the canvas scaled by its zoom
// factor on a desk (SWCenteringClipView), keeps a card smaller than the
// visible area in its middle, and has a zoom pop-up at the left end of its
// horizontal scroll bar, which is always there.
//
// The visible area in card points (its bounds) is the viewport's size
// divided by the factor, at an origin in card points that is negative on an
// axis where the card is centred. The scroll bars count card points.
//
// It also holds the canvas's rulers: one above and one left of the visible
// area, hidden at first; showing them narrows the visible area by their
// thickness.
class SKTZoomingScrollView : public QAbstractScrollArea, public CanvasRulers
{
    Q_OBJECT
    Q_PROPERTY(double factor READ factor WRITE setFactor NOTIFY factorChanged)

public:
    explicit SKTZoomingScrollView(QWidget* parent = nullptr);
    ~SKTZoomingScrollView() override;

    // Makes the zoom pop-up, once; later calls do nothing.
    void validateFactorPopUpButton();
    QComboBox* factorPopUpButton() const { return _factorPopUpButton; }

    double factor() const { return _factor; }
    // Shows the canvas `factor` times larger and selects the pop-up's row of
    // that factor (none when no row has it). Factors of 0 or less are
    // refused.
    void setFactor(double factor);

    // The canvas shown; the scroll view takes it as a child of its viewport,
    // gives it its rulers and redraws the desk when the canvas asks for it.
    void setWidget(SKTGraphicView* view);
    SKTGraphicView* widget() const;
    SWCenteringClipView* clipView() const;

    // The visible area in card points.
    QRectF clipBounds() const;
    // Scrolls to the bounds origin `point` allows (CenteringGeometry).
    void scrollToPoint(const QPointF& point);
    // Scrolls as little as needed to show the card point `point`.
    void scrollPointToVisible(const QPointF& point);
    // Centres the card on every axis where the visible area is larger.
    void centerDocument();

    // CanvasRulers
    bool rulersVisible() const override { return m_rulersVisible; }
    void setRulersVisible(bool visible) override;
    void moveRulerMarker(Qt::Orientation ruler, int marker, double from, double to) override;
    CanvasRuler* ruler(Qt::Orientation orientation) const;

signals:
    // The factor changed, by setFactor or by a choice in the pop-up.
    void factorChanged(double factor);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QRectF documentFrame() const;
    void placeDocument();
    void updateScrollBars();
    void layoutRulers();
    void setRulerPartsVisible(bool visible);

    QComboBox* _factorPopUpButton = nullptr;
    double _factor = 1.0;

    QPointer<SKTGraphicView> m_view;
    QPointF m_origin;
    bool m_updatingScrollBars = false;
    QMetaObject::Connection m_displayConnection;

    CanvasRuler* m_horizontalRuler = nullptr;
    CanvasRuler* m_verticalRuler = nullptr;
    QWidget* m_rulerCorner = nullptr;
    bool m_rulersVisible = false;
};
