#include "canvas/CanvasController.h"

#include "canvas/CanvasHost.h"
#include "app/MessageBoxes.h"
#include "canvas/CanvasRulers.h"
#include "canvas/CardPasteboard.h"
#include "canvas/SKTGrid.h"
#include "canvas/SideSelection.h"
#include "canvas/ToolTable.h"
#include "model/Globals.h"
#include "model/PicturePath.h"
#include "model/ResourcePictures.h"
#include "model/SKTBarcode.h"
#include "model/SKTDocument.h"
#include "model/SKTGraphicArchive.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTSignature.h"
#include "platform/Pasteboard.h"
#include "platform/UndoManager.h"

#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <stdexcept>

const QString SKTGraphicViewGraphicsBindingName = QStringLiteral("graphics");
const QString SKTGraphicViewGraphicsBindingName_back = QStringLiteral("graphics_back");
const QString SKTGraphicViewGraphicsBindingName_temp = QStringLiteral("graphics_temp");
const QString SKTGraphicViewSelectionIndexesBindingName = QStringLiteral("selectionIndexes");
const QString SKTGraphicViewGridBindingName = QStringLiteral("grid");

namespace {

// The distance the mouse must travel before a press on a selected object
// becomes a move.
constexpr double dragThreshold = 2.0;
// How long the handles stay hidden after a nudge, in milliseconds.
constexpr int handleHidingTime = 500;
constexpr double defaultNewObjectSide = 50.0;

bool isGraphicsBindingName(const QString& name)
{
    return name == SKTGraphicViewGraphicsBindingName || name == SKTGraphicViewGraphicsBindingName_back
        || name == SKTGraphicViewGraphicsBindingName_temp;
}

// Rectangles meet when they share some area; a rectangle without width or
// height meets nothing.
bool rectsIntersect(const QRectF& a, const QRectF& b)
{
    if (!(a.width() > 0 && a.height() > 0 && b.width() > 0 && b.height() > 0))
        return false;
    return a.left() < b.right() && b.left() < a.right() && a.top() < b.bottom() && b.top() < a.bottom();
}

QRectF rectBetween(const QPointF& a, const QPointF& b)
{
    return QRectF(std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::abs(b.x() - a.x()),
                  std::abs(b.y() - a.y()));
}

bool isZeroRect(const QRectF& r)
{
    return r.x() == 0 && r.y() == 0 && r.width() == 0 && r.height() == 0;
}

QRectF unionOf(const QRectF& a, const QRectF& b)
{
    if (a.isNull())
        return b;
    if (b.isNull())
        return a;
    return a.united(b);
}

} // namespace

CanvasController::CanvasController(const QRectF& frame, CanvasHost* host, QObject* parent)
    : QObject(parent), m_host(host), m_frameSize(frame.size())
{
    _handleShowingTimer.setSingleShot(true);
    _handleShowingTimer.setInterval(handleHidingTime);
    connect(&_handleShowingTimer, &QTimer::timeout, this, &CanvasController::unhideHandlesForTimer);
}

CanvasController::~CanvasController()
{
    // Nothing is left to redraw, and whoever shows the canvas may be going
    // away as well.
    blockSignals(true);
    // A drag still in progress ends here, so that its undo step is closed.
    if (m_tracking != Tracking::None) {
        endTracking(m_lastPoint);
        finishCreation();
    }
    _handleShowingTimer.stop();
    stopEditing();
    setGrid(nullptr);
    unbind(SKTGraphicViewGraphicsBindingName);
    unbind(SKTGraphicViewSelectionIndexesBindingName);
}

void CanvasController::setFrameSize(const QSizeF& size)
{
    if (size == m_frameSize)
        return;
    m_frameSize = size;
    setNeedsDisplay();
}

void CanvasController::setNeedsDisplayInRect(const QRectF& rect)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    emit needsDisplayInRect(rect);
}

// ---- bindings ----

void CanvasController::bind(const QString& binding, SKTDocument* document, const QString& keyPath,
                            const QVariantMap& options)
{
    if (!isGraphicsBindingName(binding))
        throw std::logic_error("SKTGraphicView binds only 'graphics', 'graphics_back' and 'graphics_temp' to a document.");
    if (!options.isEmpty())
        throw std::logic_error("SKTGraphicView doesn't support any options for the 'graphics' binding.");
    if (m_document || !m_graphicsKeyPath.isEmpty())
        unbind(SKTGraphicViewGraphicsBindingName);

    m_document = document;
    m_graphicsKeyPath = keyPath;
    m_graphicsKey = keyPath.section(QLatin1Char('.'), -1);
    const bool observable = m_graphicsKey == SKTDocumentGraphicsKey || m_graphicsKey == SKTDocumentGraphicsKey_back
        || m_graphicsKey == SKTDocumentGraphicsKey_temp;
    if (document && observable) {
        m_graphicsConnection = connect(document, &SKTDocument::graphicsDidChange, this,
                                       &CanvasController::graphicsDidChange);
        startObservingGraphics(graphics());
    }
    setNeedsDisplay();
    noticeEmptySide();
}

void CanvasController::bind(const QString& binding, SideSelection* selection, const QString& keyPath,
                            const QVariantMap& options)
{
    if (binding != SKTGraphicViewSelectionIndexesBindingName)
        throw std::logic_error("SKTGraphicView binds only 'selectionIndexes' to a selection.");
    if (!options.isEmpty())
        throw std::logic_error("SKTGraphicView doesn't support any options for the 'selectionIndexes' binding.");
    if (m_selection || !m_selectionKeyPath.isEmpty())
        unbind(SKTGraphicViewSelectionIndexesBindingName);

    m_selection = selection;
    m_selectionKeyPath = keyPath;
    if (selection)
        m_selectionConnection = connect(selection, &SideSelection::selectionIndexesDidChange, this,
                                        &CanvasController::selectionDidChange);
    setNeedsDisplay();
}

void CanvasController::unbind(const QString& binding)
{
    if (isGraphicsBindingName(binding)) {
        if (!m_document && m_graphicsKeyPath.isEmpty())
            return;
        // Also the objects that left the list unseen (the document went
        // away first) must not call back into a canvas that forgot them.
        m_observed.stopAll();
        disconnect(m_graphicsConnection);
        m_document = nullptr;
        m_graphicsKeyPath.clear();
        m_graphicsKey.clear();
        setNeedsDisplay();
    } else if (binding == SKTGraphicViewSelectionIndexesBindingName) {
        if (!m_selection && m_selectionKeyPath.isEmpty())
            return;
        disconnect(m_selectionConnection);
        m_selection = nullptr;
        m_selectionKeyPath.clear();
        setNeedsDisplay();
    } else if (binding == SKTGraphicViewGridBindingName) {
        setGrid(nullptr);
    }
}

void CanvasController::setGrid(SKTGrid* grid)
{
    if (grid == m_grid)
        return;
    if (m_grid)
        m_grid->removeObserver(m_gridToken);
    m_grid = grid;
    m_gridToken = 0;
    if (m_grid) {
        m_gridToken = m_grid->addObserver([this](Observable&, const QString& key, const QVariant&) {
            if (key == SKTGridAnyKey)
                setNeedsDisplay();
        });
    }
}

void CanvasController::setEditingHost(QWidget* host)
{
    m_editingHost = host;
}

// ---- the list and the selection ----

GraphicList CanvasController::graphics() const
{
    return m_document ? m_document->graphicsForKey(m_graphicsKey) : GraphicList();
}

SKTDocument* CanvasController::document() const
{
    return m_document;
}

UndoManager* CanvasController::undoManager() const
{
    return m_document ? m_document->undoManager() : nullptr;
}

void CanvasController::requireGraphicsBound() const
{
    if (!m_document)
        throw std::logic_error("An SKTGraphicView's 'graphics' property is not bound to anything.");
}

void CanvasController::requireSelectionBound() const
{
    if (!m_selection)
        throw std::logic_error("An SKTGraphicView's 'selectionIndexes' property is not bound to anything.");
}

void CanvasController::insertGraphics(const GraphicList& graphics, const IndexSet& indexes)
{
    requireGraphicsBound();
    m_document->insertGraphicsForKey(m_graphicsKey, graphics, indexes);
}

void CanvasController::removeGraphicsAtIndexes(const IndexSet& indexes)
{
    requireGraphicsBound();
    m_document->removeGraphicsForKey(m_graphicsKey, indexes);
}

void CanvasController::delete_all_control()
{
    const int count = int(graphics().size());
    if (count > 0)
        removeGraphicsAtIndexes(IndexSet::range(0, count));
}

IndexSet CanvasController::selectionIndexes() const
{
    return m_selection ? m_selection->selectionIndexes() : IndexSet();
}

void CanvasController::changeSelectionIndexes(const IndexSet& indexes)
{
    requireSelectionBound();
    m_selection->setSelectionIndexes(indexes);
    if (m_host)
        m_host->setSameSizeButtonsEnabled(indexes.count() >= 2);
}

GraphicList CanvasController::selectedGraphics() const
{
    const GraphicList list = graphics();
    GraphicList selected;
    for (int index : selectionIndexes()) {
        if (index < list.size())
            selected.append(list.at(index));
    }
    return selected;
}

// ---- observation ----

void CanvasController::startObservingGraphics(const GraphicList& graphics)
{
    m_observed.start(
        graphics, [](const SKTGraphic& graphic) { return graphic.drawingBounds(); },
        [this](const GraphicPtr& graphic, const QString& key, const QVariant&) {
            graphicDidChange(graphic.get(), key);
        });
}

void CanvasController::stopObservingGraphics(const GraphicList& graphics)
{
    m_observed.stop(graphics);
}

void CanvasController::graphicsDidChange(const GraphicListChange& change)
{
    if (change.key != m_graphicsKey)
        return;
    if (change.kind == GraphicListChange::Kind::Removal) {
        for (const GraphicPtr& g : change.graphics) {
            const QRectF now = g->drawingBounds();
            const QRectF* drawn = m_observed.stateOf(g.get());
            if (drawn && *drawn != now)
                setNeedsDisplayInRect(*drawn);
            setNeedsDisplayInRect(now);
            if (_editingGraphic == g)
                stopEditing();
        }
        stopObservingGraphics(change.graphics);
        noticeEmptySide();
    } else {
        startObservingGraphics(change.graphics);
        for (const GraphicPtr& g : change.graphics)
            setNeedsDisplayInRect(g->drawingBounds());
        if (_undoSelectionIndexes) {
            for (int index : change.indexes)
                _undoSelectionIndexes->add(index);
        }
    }
}

void CanvasController::graphicDidChange(SKTGraphic* graphic, const QString& key)
{
    if (key != SKTGraphicDrawingBoundsKey && key != SKTGraphicDrawingContentsKey)
        return;
    QRectF* drawn = m_observed.stateOf(graphic);
    if (!drawn)
        return;
    // The area the object covered before the change is drawn again as well:
    // a move leaves it, and a stroke turned off no longer covers all of it.
    const QRectF now = graphic->drawingBounds();
    setNeedsDisplayInRect(*drawn);
    if (now != *drawn)
        setNeedsDisplayInRect(now);
    *drawn = now;
    addUndoSelectionIndex(graphic);
}

void CanvasController::addUndoSelectionIndex(const SKTGraphic* graphic)
{
    if (!_undoSelectionIndexes)
        return;
    const GraphicList list = graphics();
    for (int i = 0; i < list.size(); ++i) {
        if (list.at(i).get() == graphic) {
            _undoSelectionIndexes->add(i);
            return;
        }
    }
}

void CanvasController::selectionDidChange(const IndexSet& oldIndexes, const IndexSet& newIndexes)
{
    const GraphicList list = graphics();
    const auto mark = [&](int index) {
        if (index < list.size())
            setNeedsDisplayInRect(list.at(index)->drawingBounds());
    };
    for (int index : oldIndexes) {
        if (!newIndexes.contains(index))
            mark(index);
    }
    for (int index : newIndexes) {
        if (!oldIndexes.contains(index))
            mark(index);
    }
}

void CanvasController::noticeEmptySide()
{
    // An empty side shows the card's own settings in the inspector. The
    // main window is told once control is back in the event loop, never
    // from inside drawing.
    if (m_emptySideNoticePending || !m_document || !graphics().isEmpty())
        return;
    m_emptySideNoticePending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_emptySideNoticePending = false;
            if (m_document && graphics().isEmpty() && m_host)
                m_host->Show_RHS_Properties(nullptr);
        },
        Qt::QueuedConnection);
}

void CanvasController::invalidateHandlesOfGraphics(const GraphicList& graphics)
{
    for (const GraphicPtr& g : graphics) {
        if (g)
            setNeedsDisplayInRect(g->drawingBounds());
    }
}

// ---- drawing and hit testing ----

void CanvasController::drawRect(QPainter& painter, const QRectF& rect)
{
    // The card base is drawn for the whole card, so that its outline,
    // gradient and border keep their places, and only the dirty part shows.
    if (m_host) {
        painter.save();
        painter.setClipRect(rect, Qt::IntersectClip);
        m_host->Card_Base_Drawing(painter, bounds());
        painter.restore();
    }
    if (m_grid)
        m_grid->drawRect(rect, painter);

    const GraphicList list = graphics();
    const IndexSet selection = selectionIndexes();
    for (qsizetype i = list.size() - 1; i >= 0; --i) {
        const GraphicPtr& g = list.at(i);
        const QRectF drawingBounds = g->drawingBounds();
        if (!g->ctrl_is_visible || !rectsIntersect(drawingBounds, rect))
            continue;
        painter.save();
        painter.setClipRect(drawingBounds, Qt::IntersectClip);
        g->drawContentsInView(painter, g == _creatingGraphic || g == _editingGraphic);
        painter.restore();
    }
    // The handles of the selected objects lie above every object, so that
    // an object on top never hides the handles of one below it (they are
    // also hit first, see graphicUnderPoint).
    for (qsizetype i = list.size() - 1; i >= 0 && !_isHidingHandles; --i) {
        const GraphicPtr& g = list.at(i);
        if (!selection.contains(int(i)) || g == _creatingGraphic || g == _editingGraphic)
            continue;
        const QRectF drawingBounds = g->drawingBounds();
        if (!rectsIntersect(drawingBounds, rect))
            continue;
        painter.save();
        painter.setClipRect(drawingBounds, Qt::IntersectClip);
        g->drawHandlesInView(painter, g->ctrl_is_locked);
        painter.restore();
        _Selected_Graphic = g;
    }

    if (!isZeroRect(_marqueeSelectionBounds)) {
        painter.save();
        painter.setPen(QPen(QGuiApplication::palette().color(QPalette::Highlight), 1.0));
        painter.setBrush(Qt::NoBrush);
        // The outline lies inside the rubber band, which is the area marked
        // for redrawing when it changes.
        painter.drawRect(_marqueeSelectionBounds.adjusted(0.5, 0.5, -0.5, -0.5));
        painter.restore();
    }
}

GraphicPtr CanvasController::graphicUnderPoint(const QPointF& point, int* index, bool* isSelected,
                                               int* handle) const
{
    const GraphicList list = graphics();
    const IndexSet selection = selectionIndexes();
    // The handles of the selected objects are drawn above every object, so
    // they take the point first; then the objects from the top down.
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < list.size(); ++i) {
            const GraphicPtr& g = list.at(i);
            const bool selected = selection.contains(i);
            if ((pass == 0 && !selected) || !SKTGraphic::pointInRect(point, g->drawingBounds()))
                continue;
            const int hitHandle = pass == 0 ? g->handleUnderPoint(point) : SKTGraphic::NoHandle;
            if (pass == 0 ? hitHandle == SKTGraphic::NoHandle : !g->isContentsUnderPoint(point))
                continue;
            if (index)
                *index = i;
            if (isSelected)
                *isSelected = selected;
            if (handle)
                *handle = hitHandle;
            return g;
        }
    }
    return nullptr;
}

IndexSet CanvasController::indexesOfGraphicsIntersectingRect(const QRectF& rect) const
{
    const GraphicList list = graphics();
    IndexSet indexes;
    for (int i = 0; i < list.size(); ++i) {
        if (rectsIntersect(list.at(i)->drawingBounds(), rect))
            indexes.add(i);
    }
    return indexes;
}

// ---- mouse ----

QPointF CanvasController::constrained(const QPointF& point) const
{
    return m_grid ? m_grid->constrainedPoint(point) : point;
}

void CanvasController::mouseDown(const CanvasMouseEvent& event)
{
    // A press that never saw its release (the window lost the mouse) ends
    // first, so that its undo step is closed.
    if (m_tracking != Tracking::None) {
        endTracking(m_lastPoint);
        finishPress();
    }
    m_pressEnd = PressEnd {};
    m_lastPoint = event.point;
    stopEditing();

    const QString graphicClass = m_host ? m_host->currentGraphicClass() : QString();
    if (!graphicClass.isEmpty()) {
        const QString side = Card_Front_Or_Back == 1 ? QStringLiteral("B") : QStringLiteral("F");
        createGraphicOfClass(graphicClass, &event, false, QRectF(), side, QString(), QString());
        // The press ends with no current object, whether or not one was made.
        m_pressEnd.finishesCreation = true;
        m_pressEnd.showsCardPropertiesWithoutCurrent = true;
    } else {
        _Selected_Graphic.reset();
        m_pressEnd.showsCardPropertiesWithoutCurrent = true;
        GraphicPtr hit;
        if (event.clickCount >= 2)
            hit = graphicUnderPoint(event.point);
        if (hit) {
            _Selected_Graphic = hit;
            if (!hit->ctrl_is_visible) {
                m_pressEnd.showsCardPropertiesWithoutCurrent = false;
            } else if (!hit->ctrl_is_locked) {
                startEditingGraphic(hit);
                if (hit->kind() == SKTGraphic::Kind::Barcode && m_host)
                    m_host->Open_Barcode_Window();
            }
        } else {
            selectAndTrackMouseWithEvent(event);
        }
    }
    if (m_tracking == Tracking::None)
        finishPress();
}

void CanvasController::mouseDragged(const CanvasMouseEvent& event)
{
    if (m_tracking == Tracking::None)
        return;
    m_lastPoint = event.point;
    trackTo(event.point);
}

void CanvasController::mouseUp(const CanvasMouseEvent& event)
{
    if (m_tracking == Tracking::None)
        return;
    m_lastPoint = event.point;
    endTracking(event.point);
    finishPress();
}

void CanvasController::finishPress()
{
    const PressEnd end = m_pressEnd;
    m_pressEnd = PressEnd {};
    if (end.finishesCreation) {
        finishCreation();
        // The press leaves no current object: the one it made is selected.
        _Selected_Graphic.reset();
    }
    if (end.showsCurrentProperties && m_host)
        m_host->Show_RHS_Properties(_Selected_Graphic.get());
    if (end.showsCardPropertiesWithoutCurrent && !_Selected_Graphic && m_host)
        m_host->Show_RHS_Properties(nullptr);
}

void CanvasController::selectAndTrackMouseWithEvent(const CanvasMouseEvent& event)
{
    const bool extend = event.extendsSelection();
    int index = -1;
    bool selected = false;
    int handle = SKTGraphic::NoHandle;
    const GraphicPtr hit = graphicUnderPoint(event.point, &index, &selected, &handle);

    if (!hit) {
        if (!extend)
            changeSelectionIndexes(IndexSet());
        beginMarquee(event.point);
        return;
    }

    _Selected_Graphic = hit;
    if (!hit->ctrl_is_visible)
        return;
    m_pressEnd.showsCurrentProperties = true;
    if (hit->ctrl_is_locked) {
        if (!selected)
            changeSelectionIndexes(IndexSet(index));
        if (m_host)
            m_host->Refresh_Canvas();
        m_tracking = Tracking::Consume;
    } else if (handle == SKTGraphic::NoHandle) {
        IndexSet selection = selectionIndexes();
        if (extend) {
            if (selected)
                selection.remove(index);
            else
                selection.add(index);
            changeSelectionIndexes(selection);
        } else if (!selected) {
            changeSelectionIndexes(IndexSet(index));
        }
        if (selectionIndexes().contains(index)) {
            beginMove(event.point);
        } else {
            // A Shift-click took the object out of the selection: the current
            // object, and so the inspector, is one still selected, or the
            // card when none is.
            _Selected_Graphic = topmostSelectedGraphic();
            m_pressEnd.showsCurrentProperties = _Selected_Graphic != nullptr;
            m_tracking = Tracking::Consume;
        }
    } else {
        beginResize(hit, handle, true);
    }
}

GraphicPtr CanvasController::topmostSelectedGraphic() const
{
    const GraphicList selected = selectedGraphics();
    return selected.isEmpty() ? nullptr : selected.first();
}

void CanvasController::beginMove(const QPointF& point)
{
    m_tracking = Tracking::Move;
    m_movingGraphics = selectedGraphics();
    m_moveStartBounds = SKTGraphic::boundsOfGraphics(m_movingGraphics);
    m_moveStart = point;
    m_moveOffset = point - m_moveStartBounds.topLeft();
    m_moveLast = point;
    m_moving = false;
    if (UndoManager* um = undoManager()) {
        um->beginUndoGrouping();
        m_dragUndoGroupOpen = true;
    }
    if (m_rulers && m_rulers->rulersVisible())
        beginEchoingMoveToRulers(m_moveStartBounds);
}

void CanvasController::beginResize(const GraphicPtr& graphic, int handle, bool ownUndoGroup)
{
    if (!graphic || graphic->ctrl_is_locked) {
        m_tracking = Tracking::Consume;
        return;
    }
    m_tracking = Tracking::Resize;
    m_resizingGraphic = graphic;
    m_resizeHandle = handle;
    if (ownUndoGroup) {
        if (UndoManager* um = undoManager()) {
            um->beginUndoGrouping();
            m_dragUndoGroupOpen = true;
        }
    }
    if (m_rulers && m_rulers->rulersVisible())
        beginEchoingMoveToRulers(graphic->bounds());
}

void CanvasController::beginMarquee(const QPointF& point)
{
    m_tracking = Tracking::Marquee;
    m_marqueeStartSelection = selectionIndexes();
    m_marqueeStart = point;
}

void CanvasController::trackTo(const QPointF& eventPoint)
{
    switch (m_tracking) {
    case Tracking::None:
    case Tracking::Consume:
        break;
    case Tracking::Move: {
        QPointF point = eventPoint;
        if (!m_moving && (std::abs(point.x() - m_moveStart.x()) >= dragThreshold
                          || std::abs(point.y() - m_moveStart.y()) >= dragThreshold)) {
            m_moving = true;
            _isHidingHandles = true;
        }
        if (!m_moving)
            break;
        // The selection's origin snaps to the grid, not the mouse point.
        if (m_grid)
            point = constrained(point - m_moveOffset) + m_moveOffset;
        if (point != m_moveLast) {
            SKTGraphic::translateGraphics(m_movingGraphics, point.x() - m_moveLast.x(), point.y() - m_moveLast.y());
            if (m_echoingToRulers)
                continueEchoingMoveToRulers(QRectF(point - m_moveOffset, m_moveStartBounds.size()));
        }
        m_moveLast = point;
        break;
    }
    case Tracking::Resize: {
        const QPointF point = constrained(eventPoint);
        m_resizeHandle = m_resizingGraphic->resizeByMovingHandle(m_resizeHandle, point);
        if (m_echoingToRulers)
            continueEchoingMoveToRulers(m_resizingGraphic->bounds());
        break;
    }
    case Tracking::Marquee: {
        const QRectF band = rectBetween(m_marqueeStart, eventPoint);
        if (band == _marqueeSelectionBounds)
            break;
        setNeedsDisplayInRect(_marqueeSelectionBounds);
        _marqueeSelectionBounds = band;
        setNeedsDisplayInRect(band);
        const IndexSet crossed = indexesOfGraphicsIntersectingRect(band);
        if (!crossed.isEmpty()) {
            // Every object the band crosses changes its state from the
            // selection the press started with.
            IndexSet selection = m_marqueeStartSelection;
            for (int index : crossed) {
                if (m_marqueeStartSelection.contains(index))
                    selection.remove(index);
                else
                    selection.add(index);
            }
            changeSelectionIndexes(selection);
        }
        break;
    }
    }
}

void CanvasController::endTracking(const QPointF& point)
{
    trackTo(point);
    const Tracking tracking = m_tracking;
    m_tracking = Tracking::None;

    switch (tracking) {
    case Tracking::None:
    case Tracking::Consume:
        break;
    case Tracking::Move:
        if (m_echoingToRulers)
            stopEchoingMoveToRulers();
        if (m_moving) {
            _isHidingHandles = false;
            for (const GraphicPtr& g : std::as_const(m_movingGraphics))
                setNeedsDisplayInRect(g->drawingBounds());
        }
        m_movingGraphics.clear();
        m_moving = false;
        if (m_host)
            m_host->Refresh_Canvas();
        break;
    case Tracking::Resize:
        if (m_echoingToRulers)
            stopEchoingMoveToRulers();
        m_resizingGraphic.reset();
        break;
    case Tracking::Marquee:
        setNeedsDisplayInRect(_marqueeSelectionBounds);
        _marqueeSelectionBounds = QRectF(0, 0, 0, 0);
        // The inspector shows what the rubber band selected, whatever the
        // drawing meanwhile made current.
        _Selected_Graphic = topmostSelectedGraphic();
        m_pressEnd.showsCurrentProperties = _Selected_Graphic != nullptr;
        if (m_host)
            m_host->Refresh_Canvas();
        break;
    }
    if (m_dragUndoGroupOpen) {
        m_dragUndoGroupOpen = false;
        if (UndoManager* um = undoManager())
            um->endUndoGrouping();
    }
}

// ---- keys ----

void CanvasController::moveSelectedGraphicsByX(double dx, double dy)
{
    const GraphicList selected = selectedGraphics();
    if (selected.isEmpty())
        return;
    hideHandlesMomentarily();
    UndoManager* um = undoManager();
    if (um)
        um->beginUndoGrouping();
    SKTGraphic::translateGraphics(selected, dx, dy);
    if (um)
        um->endUndoGrouping();
}

void CanvasController::hideHandlesMomentarily()
{
    _handleShowingTimer.start();
    _isHidingHandles = true;
    setNeedsDisplayInRect(drawingBoundsOfSelection());
}

void CanvasController::unhideHandlesForTimer()
{
    _handleShowingTimer.stop();
    _isHidingHandles = false;
    setNeedsDisplayInRect(drawingBoundsOfSelection());
}

QRectF CanvasController::drawingBoundsOfSelection() const
{
    // With nothing selected, the whole front canvas.
    const GraphicList selected = selectedGraphics();
    if (selected.isEmpty())
        return m_host ? m_host->frontCanvasBounds() : QRectF(0, 0, 0, 0);
    return SKTGraphic::drawingBoundsOfGraphics(selected);
}

// ---- creation ----

QPointF CanvasController::newObjectPoint(const QString& card_side) const
{
    return m_host ? m_host->Control_New_Point(card_side) : QPointF(10, 10);
}

GraphicPtr CanvasController::makeGraphicForTool(const QString& className, const QPointF& origin,
                                                const QString& ctrl_value, const QString& ctrl_ID) const
{
    const int tool = m_host ? m_host->selectedControlTool() : 0;

    switch (tool) {
    case ToolTable::Picture:
    case ToolTable::LibraryPicture: {
        // No picture chosen (the choice was cancelled): no object, rather
        // than an invisible one that is saved with the design. A profile
        // object (with a control ID) is made all the same: its picture
        // comes from each record.
        if (Library_Selected_Image.isEmpty() && ctrl_ID.isEmpty())
            return nullptr;
        auto image = std::make_shared<SKTImage>();
        // A chosen file that is missing shows the placeholder picture; the
        // object keeps the path it was asked for.
        if (tool == ToolTable::Picture && !QFileInfo(PicturePath::standardized(Library_Selected_Image)).isFile())
            image->initWithPosition(origin, ResourcePictures::picture(ResourcePictures::placeholderName));
        else
            image->initWithPath(origin, Library_Selected_Image);
        if (m_host)
            m_host->Reset_Image_Editing_Controls();
        return image;
    }
    case ToolTable::Barcode: {
        auto barcode = std::make_shared<SKTBarcode>();
        barcode->initWithPosition(origin, ResourcePictures::picture(ResourcePictures::barcodeSampleName));
        return barcode;
    }
    case ToolTable::Signature:
    case ToolTable::Fingerprint: {
        const bool signature = tool == ToolTable::Signature;
        auto sign = std::make_shared<SKTSignature>();
        sign->initWithPosition(origin,
                               ResourcePictures::picture(signature ? ResourcePictures::signatureSampleName
                                                                   : ResourcePictures::fingerprintSampleName),
                               signature ? SignatureCode::Signature : SignatureCode::Fingerprint);
        if (m_host)
            m_host->Reset_Image_Editing_Controls();
        return sign;
    }
    default:
        break;
    }

    GraphicPtr g = SKTGraphic::makeOfClass(className);
    if (!g)
        return nullptr;
    if (g->kind() == SKTGraphic::Kind::Text) {
        if (!ctrl_value.isEmpty()) {
            g->Text_Value = ctrl_value;
            g->_isDrawingStroke = false;
            g->_isDrawingFill = false;
            if (ctrl_ID == QLatin1String("PARTY_TITLE"))
                g->text_alignmnet = 2;
        }
    } else {
        const QString shape = ToolTable::shapeCodeForTool(tool);
        if (!shape.isEmpty())
            g->Set_Shape_Type(shape);
    }
    return g;
}

void CanvasController::createGraphicOfClass(const QString& className, const CanvasMouseEvent* withEvent,
                                            bool use_rect, const QRectF& bound_rect, const QString& card_side,
                                            const QString& ctrl_value, const QString& ctrl_ID)
{
    requireGraphicsBound();
    requireSelectionBound();
    if (m_creation) {
        // A creation still being drawn out ends before another starts.
        endTracking(m_lastPoint);
        finishPress();
    }

    UndoManager* um = undoManager();
    Creation creation;
    creation.groupsByEvent = um->groupsByEvent();
    um->setGroupsByEvent(false);
    um->beginUndoGrouping();

    changeSelectionIndexes(IndexSet());

    QPointF origin;
    QSizeF size;
    if (withEvent) {
        origin = constrained(withEvent->point);
        size = QSizeF(0, 0);
    } else {
        if (use_rect) {
            origin = bound_rect.topLeft();
            size = bound_rect.size();
            if (ctrl_ID.isEmpty())
                origin = newObjectPoint(card_side);
        } else {
            origin = newObjectPoint(card_side);
            size = QSizeF(defaultNewObjectSide, defaultNewObjectSide);
        }
        if (m_grid) {
            const QPointF snappedOrigin = constrained(origin);
            const QPointF far = constrained(snappedOrigin + QPointF(size.width(), size.height()));
            size = QSizeF(far.x() - snappedOrigin.x(), far.y() - snappedOrigin.y());
            origin = snappedOrigin;
        }
    }

    const GraphicPtr g = makeGraphicForTool(className, origin, ctrl_value, ctrl_ID);
    if (!g) {
        um->endUndoGrouping();
        um->setGroupsByEvent(creation.groupsByEvent);
        _Selected_Graphic.reset();
        return;
    }
    g->control_ID = ctrl_ID;
    g->setBounds(QRectF(origin, size));

    _creatingGraphic = g;
    // Only the front list records its insertions for undo.
    creation.recordedInsertion = m_graphicsKey == SKTDocumentGraphicsKey && um->isUndoRegistrationEnabled();
    insertGraphics(GraphicList {g}, IndexSet(0));
    m_creation = creation;

    if (withEvent) {
        const int handle = g->kind() == SKTGraphic::Kind::Line ? SKTLine::creationSizingHandle()
                                                                : SKTGraphic::creationSizingHandle();
        beginResize(g, handle, false);
        if (m_tracking == Tracking::Resize) {
            m_pressEnd.finishesCreation = true;
            return;
        }
    }
    finishCreation();
}

void CanvasController::finishCreation()
{
    if (!m_creation)
        return;
    const Creation creation = *m_creation;
    m_creation.reset();
    const GraphicPtr g = _creatingGraphic;
    UndoManager* um = undoManager();
    bool withdrawn = false;

    if (!um || !g) {
        _creatingGraphic.reset();
        return;
    }
    if (g->bounds().width() == 0 && g->bounds().height() == 0) {
        // Nothing was drawn: the object goes again, on every side, and
        // leaves nothing to undo or redo.
        const int index = graphics().indexOf(g);
        if (creation.recordedInsertion && um->groupingLevel() == 1) {
            um->endUndoGrouping();
            um->disableUndoRegistration();
            um->undo();
            um->enableUndoRegistration();
            if (graphics().contains(g)) {
                um->disableUndoRegistration();
                removeGraphicsAtIndexes(IndexSet(int(graphics().indexOf(g))));
                um->enableUndoRegistration();
            }
        } else {
            // Within a larger undo step the removal is recorded next to the
            // insertion, so that undoing the step stays consistent.
            if (index >= 0)
                removeGraphicsAtIndexes(IndexSet(index));
            um->endUndoGrouping();
        }
        withdrawn = true;
    } else {
        const int index = graphics().indexOf(g);
        if (m_selection)
            changeSelectionIndexes(index >= 0 ? IndexSet(index) : IndexSet());
        startEditingGraphic(g);
        um->endUndoGrouping();
    }
    um->setGroupsByEvent(creation.groupsByEvent);
    _Selected_Graphic = withdrawn ? nullptr : g;
    _creatingGraphic.reset();
}

// ---- commands on the selection ----

namespace {
const QString lockedMessage = QStringLiteral("Selected control is locked.");

// Shows an error the way a failed command reports it: what failed, then why.
void presentError(const SKTError& error)
{
    QString text = error.localizedDescription();
    if (!error.localizedFailureReason().isEmpty())
        text += QLatin1Char('\n') + error.localizedFailureReason();
    show_msg(text);
}
}

bool CanvasController::There_Is_Any_Lock_Contrl() const
{
    const GraphicList selected = selectedGraphics();
    return std::any_of(selected.begin(), selected.end(), [](const GraphicPtr& g) { return g->ctrl_is_locked; });
}

bool CanvasController::refusedForLock() const
{
    if (!There_Is_Any_Lock_Contrl())
        return false;
    Show_MessageBox(lockedMessage);
    return true;
}

void CanvasController::delete_()
{
    if (refusedForLock() || !m_document)
        return;
    const IndexSet selection = selectionIndexes();
    if (!selection.isEmpty())
        removeGraphicsAtIndexes(selection);
    if (m_host) {
        m_host->Undo_Redo_Button_state();
        m_host->Show_RHS_Properties(nullptr);
    }
}

void CanvasController::cut()
{
    if (refusedForLock())
        return;
    copy();
    delete_();
    if (m_host)
        m_host->Undo_Redo_Button_state();
}

void CanvasController::copy()
{
    if (refusedForLock())
        return;
    Pasteboard& pasteboard = Pasteboard::general();
    pasteboard.setContents(CardPasteboard::mimeDataWithGraphics(m_host, selectedGraphics()));
    _pasteboardChangeCount = pasteboard.changeCount();
    _pasteCascadeNumber = 1;
    if (m_host)
        m_host->Set_Paste_Button_Status();
}

void CanvasController::paste()
{
    if (!m_document || !m_selection)
        return;
    Pasteboard& pasteboard = Pasteboard::general();
    switch (CardPasteboard::pasteContents(pasteboard.mimeData())) {
    case CardPasteboard::PasteContents::Nothing:
        return;
    case CardPasteboard::PasteContents::Picture:
        makeNewImageFromPasteboard(QPointF(50, 50));
        return;
    case CardPasteboard::PasteContents::Graphics:
        break;
    }
    const QString type = CardPasteboard::graphicsType();
    SKTError error;
    const std::optional<GraphicList> read =
        SKTGraphicArchive::graphicsWithPasteboardData(pasteboard.dataForType(type), &error);
    if (!read) {
        presentError(error.isNull() ? SKTErrorWithCode(2) : error);
        return;
    }
    const qint64 changeCount = pasteboard.changeCount();
    if (changeCount != _pasteboardChangeCount) {
        // Contents new to this canvas keep their positions on their first paste.
        _pasteboardChangeCount = changeCount;
        _pasteCascadeNumber = 0;
    }
    GraphicList graphics;
    for (const GraphicPtr& g : *read) {
        if (g)
            graphics.append(g);
    }
    if (graphics.isEmpty())
        return;
    const int count = int(graphics.size());
    if (_pasteCascadeNumber > 0) {
        const QString side = Card_Front_Or_Back == 1 ? QStringLiteral("B") : QStringLiteral("F");
        const QPointF p = newObjectPoint(side);
        SKTGraphic::Paste_Location_Of_Graphics(graphics, p.x(), p.y(), side,
                                               [this](const QString& card_side) { return newObjectPoint(card_side); });
    }
    ++_pasteCascadeNumber;
    insertGraphics(graphics, IndexSet::range(0, count));
    changeSelectionIndexes(IndexSet::range(0, count));
    if (m_host) {
        m_host->graphicsPasted(graphics);
        m_host->Undo_Redo_Button_state();
    }
}

bool CanvasController::makeNewImageFromPasteboard(const QPointF& point)
{
    if (!m_document || !m_selection)
        return false;
    const QImage picture = CardPasteboard::pictureFromMimeData(Pasteboard::general().mimeData());
    if (picture.isNull())
        return false;
    // The picture gets a file of its own: a picture object without one is
    // never drawn, and the design file keeps only the path.
    const QString path = CardPasteboard::storePastedPicture(picture);
    if (path.isEmpty()) {
        Show_NSLog_Message(QStringLiteral("The pasted picture could not be kept in the resource folder."));
        return false;
    }
    insertPictureObject(point, Picture(picture), path);
    return true;
}

bool CanvasController::makeNewImageFromContentsOfFile(const QString& path, const QPointF& point)
{
    if (!m_document || !m_selection || !PicturePath::hasPictureFileType(path))
        return false;
    // The object keeps a full path, so that it still finds its file when
    // the design is opened from elsewhere.
    const QString file = QFileInfo(PicturePath::standardized(path)).absoluteFilePath();
    const Picture picture = Picture::fromFile(file);
    if (picture.isNull())
        return false;
    insertPictureObject(point, picture, file);
    return true;
}

void CanvasController::insertPictureObject(const QPointF& point, const Picture& picture, const QString& path)
{
    auto image = std::make_shared<SKTImage>();
    image->initWithPosition(point, picture);
    if (m_host)
        m_host->Reset_Image_Editing_Controls();
    image->Set_Control_File_path(path);
    image->setBounds(QRectF(point, image->bounds().size()));
    insertGraphics(GraphicList {image}, IndexSet(0));
    changeSelectionIndexes(IndexSet(0));
    if (m_host)
        m_host->Undo_Redo_Button_state();
}

bool CanvasController::canPaste() const
{
    return m_document && m_selection
        && CardPasteboard::pasteContents(Pasteboard::general().mimeData()) != CardPasteboard::PasteContents::Nothing;
}

void CanvasController::undo()
{
    undoOrRedo(true);
}

void CanvasController::redo()
{
    undoOrRedo(false);
}

bool CanvasController::undoesOwnSide() const
{
    return m_document && m_graphicsKey == SKTDocumentGraphicsKey;
}

void CanvasController::showOrHideRulers()
{
    if (m_rulers)
        m_rulers->setRulersVisible(!m_rulers->rulersVisible());
}

CanvasMenuFacts CanvasController::menuFacts() const
{
    CanvasMenuFacts facts;
    const GraphicList selected = selectedGraphics();
    facts.selectedCount = int(selected.size());
    for (const GraphicPtr& graphic : selected) {
        if (graphic->canMakeNaturalSize()) {
            facts.anySelectedCanMakeNaturalSize = true;
            break;
        }
    }
    facts.gridCanAlign = m_grid && m_grid->canAlign();
    if (UndoManager* um = undoesOwnSide() ? undoManager() : nullptr) {
        facts.canUndo = um->canUndo();
        facts.canRedo = um->canRedo();
    }
    facts.rulersShown = m_rulers && m_rulers->rulersVisible();
    facts.canPaste = canPaste();
    return facts;
}

MenuItemState CanvasController::validateMenuItem(CanvasCommand command) const
{
    return CanvasMenuValidation::validateMenuItem(command, menuFacts());
}

void CanvasController::undoOrRedo(bool undo)
{
    UndoManager* um = undoesOwnSide() ? undoManager() : nullptr;
    if (um) {
        _undoSelectionIndexes = IndexSet();
        if (undo)
            um->undo();
        else
            um->redo();
        // Indexes a later part of the step moved beyond the list are dropped.
        IndexSet gathered;
        const int count = int(graphics().size());
        for (int index : *_undoSelectionIndexes) {
            if (index < count)
                gathered.add(index);
        }
        _undoSelectionIndexes.reset();
        if (!gathered.isEmpty() && m_selection)
            changeSelectionIndexes(gathered);
    }
    if (m_host)
        m_host->Undo_Redo_Button_state();
}

// ---- in-place editing ----

void CanvasController::startEditingGraphic(const GraphicPtr& graphic)
{
    if (_editingGraphic || _editingView)
        throw std::logic_error("-[SKTGraphicView startEditingGraphic:] is being mis-invoked.");
    if (!graphic)
        return;
    QWidget* view = graphic->newEditingViewWithSuperviewBounds(bounds());
    if (!view)
        return;
    _editingGraphic = graphic;
    _editingView = view;
    if (m_editingHost) {
        view->setParent(m_editingHost);
        view->show();
        view->setFocus();
    }
    view->installEventFilter(this);
    _editingViewFrame = view->geometry();
    setNeedsDisplayInRect(graphic->drawingBounds());
}

void CanvasController::stopEditing()
{
    if (!_editingView) {
        _editingGraphic.reset();
        return;
    }
    QWidget* view = _editingView;
    view->removeEventFilter(this);
    const bool hadFocus = view->hasFocus();
    view->hide();
    if (hadFocus && m_editingHost)
        m_editingHost->setFocus();
    if (_editingGraphic)
        _editingGraphic->finalizeEditingView(view);
    _editingView = nullptr;
    _editingGraphic.reset();
    view->deleteLater();
}

bool CanvasController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == _editingView && (event->type() == QEvent::Move || event->type() == QEvent::Resize)) {
        const QRectF frame = _editingView->geometry();
        setNeedsDisplayInRect(unionOf(_editingViewFrame, frame));
        _editingViewFrame = frame;
    }
    return QObject::eventFilter(watched, event);
}

// ---- rulers ----

namespace {
double markerLocation(const QRectF& rect, Qt::Orientation ruler, int marker)
{
    const double start = ruler == Qt::Horizontal ? rect.x() : rect.y();
    const double length = ruler == Qt::Horizontal ? rect.width() : rect.height();
    return start + length * marker / 2.0;
}
constexpr Qt::Orientation rulerOrientations[] = {Qt::Horizontal, Qt::Vertical};
constexpr double hiddenMarker = -1.0;
}

void CanvasController::beginEchoingMoveToRulers(const QRectF& rect)
{
    m_echoingToRulers = true;
    for (Qt::Orientation ruler : rulerOrientations) {
        for (int marker = 0; marker < 3; ++marker)
            m_rulers->moveRulerMarker(ruler, marker, hiddenMarker, markerLocation(rect, ruler, marker));
    }
    _rulerEchoedBounds = rect;
}

void CanvasController::continueEchoingMoveToRulers(const QRectF& rect)
{
    if (!m_rulers)
        return;
    for (Qt::Orientation ruler : rulerOrientations) {
        for (int marker = 0; marker < 3; ++marker)
            m_rulers->moveRulerMarker(ruler, marker, markerLocation(_rulerEchoedBounds, ruler, marker),
                                      markerLocation(rect, ruler, marker));
    }
    _rulerEchoedBounds = rect;
}

void CanvasController::stopEchoingMoveToRulers()
{
    m_echoingToRulers = false;
    if (m_rulers) {
        for (Qt::Orientation ruler : rulerOrientations) {
            for (int marker = 0; marker < 3; ++marker)
                m_rulers->moveRulerMarker(ruler, marker, markerLocation(_rulerEchoedBounds, ruler, marker),
                                          hiddenMarker);
        }
    }
    _rulerEchoedBounds = QRectF(0, 0, 0, 0);
}
