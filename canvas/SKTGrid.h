#pragma once

// The alignment grid of the canvases: square cells of a given spacing, drawn
// as thin lines over the card background, and used to snap points and
// rectangles. One grid is shared by the three canvases, which observe its
// "any" key to redraw.

#include "platform/Colour.h"
#include "platform/Observable.h"

#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <memory>

class CanvasHost;
class QPainter;
class QTimer;

// The key that stands for any visible property of the grid.
extern const QString SKTGridAnyKey;                 // "any"
extern const QString SKTGridColorKey;               // "color"
extern const QString SKTGridSpacingKey;             // "spacing"
extern const QString SKTGridAlwaysShownKey;         // "alwaysShown"
extern const QString SKTGridConstrainingKey;        // "constraining"
extern const QString SKTGridUsableKey;              // "usable"
extern const QString SKTGridCanSetColorKey;         // "canSetColor"
extern const QString SKTGridCanSetSpacingKey;       // "canSetSpacing"
// How long the grid shows after its spacing changes, in seconds.
inline constexpr double SKTGridTemporaryShowingTime = 1.0;

class SKTGrid : public Observable
{
public:
    // `host` is the window whose align-with-grid button follows whether the
    // grid is always shown; none has no button.
    explicit SKTGrid(CanvasHost* host = nullptr);
    ~SKTGrid() override;
    SKTGrid(const SKTGrid&) = delete;
    SKTGrid& operator=(const SKTGrid&) = delete;

    // The main window writes these two directly from its colour well and
    // spacing slider (notifying nobody) and then calls setAlwaysShown(true).
    Colour _color;
    double _spacing;

    Colour color() const { return _color; }
    void setColor(const Colour& colour);
    double spacing() const { return _spacing; }
    // A new spacing shows the grid for a moment when it is not always shown.
    void setSpacing(double spacing);
    bool isAlwaysShown() const { return _isAlwaysShown; }
    void setAlwaysShown(bool shown);
    bool isConstraining() const { return _isConstraining; }
    void setConstraining(bool constraining);

    bool isUsable() const { return _spacing > 0; }
    bool canAlign() const { return isUsable(); }
    bool canSetColor() const { return _isAlwaysShown && isUsable(); }
    bool canSetSpacing() const { return _isAlwaysShown || _isConstraining; }
    // A momentary display is running.
    bool isShowingMomentarily() const;

    // The keys whose change changes the value of `key`.
    static QStringList keyPathsForValuesAffectingValueForKey(const QString& key);

    // The nearest grid point when snapping is on and the grid usable (a point
    // half-way goes to the larger multiple); otherwise the point itself.
    QPointF constrainedPoint(const QPointF& point) const;
    // The rectangle with its origin and far corner snapped separately,
    // whether or not snapping is on; unchanged when the grid is not usable.
    QRectF alignedRect(const QRectF& rect) const;

    // The grid lines crossing `rect`, each across the whole of it: vertical
    // lines at every multiple of the spacing from the canvas origin between
    // its left and right edges, then horizontal ones. Empty when the grid is
    // not usable.
    QPainterPath linesInRect(const QRectF& rect) const;
    // Draws the lines of the dirty rectangle `rect` in the grid colour, as
    // thin as the device allows, when the grid is shown (always or for a
    // moment) and usable. Nothing is drawn outside `rect`.
    void drawRect(const QRectF& rect, QPainter& view) const;

    // Ends a momentary display and tells the observers of "any".
    void stopShowingGridForTimer();

private:
    void publishChange(const QString& key, const QVariant& oldValue);
    void cancelHidingTimer();

    bool _isAlwaysShown;
    bool _isConstraining;
    CanvasHost* m_host;
    std::unique_ptr<QTimer> _hidingTimer;
};
