#pragma once

#include "canvas/CanvasMenuValidation.h"
#include "canvas/CanvasMouseEvent.h"
#include "model/GraphicListChange.h"
#include "model/ObservedGraphics.h"
#include "model/SKTGraphic.h"
#include "platform/IndexSet.h"
#include "platform/Observable.h"

#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QRectF>
#include <QString>
#include <QTimer>
#include <QVariantMap>
#include <optional>

class CanvasHost;
class CanvasRulers;
class Picture;
class QPainter;
class QWidget;
class SideSelection;
class SKTDocument;
class SKTGrid;
class UndoManager;

// Names of the canvas's bindings.
extern const QString SKTGraphicViewGraphicsBindingName;          // "graphics"
extern const QString SKTGraphicViewGraphicsBindingName_back;     // "graphics_back"
extern const QString SKTGraphicViewGraphicsBindingName_temp;     // "graphics_temp"
extern const QString SKTGraphicViewSelectionIndexesBindingName;  // "selectionIndexes"
extern const QString SKTGraphicViewGridBindingName;              // "grid"

// The canvas of one card side, without a window: bound to the side's object
// list in the document, to the side's selection and to the shared grid, it
// draws the side, hit-tests, and turns mouse and key input into selecting,
// moving, resizing and creating objects. It owns no objects: every change
// goes through the document (which records undo for the front side), and
// every change it observes is reported as an area to redraw
// (needsDisplayInRect). The widget SKTGraphicView hands it paint, mouse and
// key events.
//
// Coordinates are canvas points: y grows downwards and the origin is the
// card's upper-left corner. Index 0 of the list is the topmost object.
//
// A mouse press starts at most one drag (move, resize, creation, rubber
// band), which the following drag steps continue and the release ends; a
// drag is one undo step.
class CanvasController : public QObject
{
    Q_OBJECT

public:
    // `host` is the window the canvas reports to and asks for the card base,
    // the current tool and new object positions; none asks nothing.
    explicit CanvasController(const QRectF& frame = QRectF(), CanvasHost* host = nullptr, QObject* parent = nullptr);
    ~CanvasController() override;

    CanvasHost* host() const { return m_host; }

    // The card area: (0, 0, width, height) of the frame.
    QRectF bounds() const { return QRectF(QPointF(0, 0), m_frameSize); }
    void setFrameSize(const QSizeF& size);

    // ---- bindings ----
    // "graphics", "graphics_back" or "graphics_temp": the list under the last
    // component of `keyPath` ("document.graphics" -> "graphics") of
    // `document`. Throws std::logic_error when options are given or the name
    // is not one of the three.
    void bind(const QString& binding, SKTDocument* document, const QString& keyPath,
              const QVariantMap& options = {});
    // "selectionIndexes": the side's selection.
    void bind(const QString& binding, SideSelection* selection, const QString& keyPath,
              const QVariantMap& options = {});
    void unbind(const QString& binding);
    void setGrid(SKTGrid* grid);
    SKTGrid* grid() const { return m_grid; }
    // The rulers of the scroll view around the canvas, if any.
    void setRulers(CanvasRulers* rulers) { m_rulers = rulers; }
    // The widget that shows the canvas; an object's in-place editing view
    // goes into it.
    void setEditingHost(QWidget* host);

    // ---- the list and the selection ----
    // The bound list; empty when nothing is bound.
    GraphicList graphics() const;
    SKTDocument* document() const;
    QString graphicsKey() const { return m_graphicsKey; }
    UndoManager* undoManager() const;
    // Change the bound list through the document. Throw std::logic_error
    // when nothing is bound.
    void insertGraphics(const GraphicList& graphics, const IndexSet& indexes);
    void removeGraphicsAtIndexes(const IndexSet& indexes);
    // Removes every object of the list as one change (a new design, a design
    // being loaded, the temp side being reset).
    void delete_all_control();

    // The bound selection; empty when nothing is bound.
    IndexSet selectionIndexes() const;
    // Throws std::logic_error when no selection is bound.
    void changeSelectionIndexes(const IndexSet& indexes);
    GraphicList selectedGraphics() const;

    // Asks for the drawing bounds of each object to be drawn again, for
    // changes the objects do not announce themselves (their visibility,
    // their text storage, their picture file).
    void invalidateHandlesOfGraphics(const GraphicList& graphics);

    // ---- drawing and hit testing ----
    // Draws the card base, the grid, the objects meeting `rect` (index 0
    // last), the handles of the selected ones and the rubber band.
    void drawRect(QPainter& painter, const QRectF& rect);
    // The topmost object under `point`: a selected object's handles first,
    // then its contents. Out-values are set only when an object is found.
    GraphicPtr graphicUnderPoint(const QPointF& point, int* index = nullptr, bool* isSelected = nullptr,
                                 int* handle = nullptr) const;
    IndexSet indexesOfGraphicsIntersectingRect(const QRectF& rect) const;

    // ---- mouse and keys ----
    void mouseDown(const CanvasMouseEvent& event);
    void mouseDragged(const CanvasMouseEvent& event);
    void mouseUp(const CanvasMouseEvent& event);
    bool isTrackingMouse() const { return m_tracking != Tracking::None; }
    bool acceptsFirstMouse() const { return selectionIndexes().isEmpty(); }
    void moveLeft() { moveSelectedGraphicsByX(-1.0, 0.0); }
    void moveRight() { moveSelectedGraphicsByX(1.0, 0.0); }
    void moveUp() { moveSelectedGraphicsByX(0.0, -1.0); }
    void moveDown() { moveSelectedGraphicsByX(0.0, 1.0); }
    // Moves the selected unlocked objects, as one undo step, and hides the
    // handles for a moment.
    void moveSelectedGraphicsByX(double dx, double dy);

    // Puts a new object at index 0 of the list and makes it the current
    // object. With an event (a mouse press) the object is drawn out by the
    // drag that follows; otherwise it takes `bound_rect` (use_rect) or a
    // 50 x 50 square at the side's next placement point. The kind comes from
    // the main window's tool number. An object left with no size, or a
    // picture tool with no picture, leaves nothing.
    void createGraphicOfClass(const QString& className, const CanvasMouseEvent* withEvent, bool use_rect,
                              const QRectF& bound_rect, const QString& card_side, const QString& ctrl_value,
                              const QString& ctrl_ID);

    // ---- commands on the selection ----
    // true when any selected object is locked.
    bool There_Is_Any_Lock_Contrl() const;
    // When a selected object is locked, shows "Selected control is locked."
    // and answers true: the command that asked must not run.
    bool refusedForLock() const;
    // Removes the selected objects and shows the card's settings. Refused,
    // with a message, while a selected object is locked. (`delete` itself is
    // a reserved word.)
    void delete_();
    // Copy, then delete; refused while a selected object is locked.
    void cut();
    // Puts the selected objects on the pasteboard: as card objects, as a PDF
    // of the card and as a TIFF. Refused while a selected object is locked.
    void copy();
    // Inserts the card objects on the pasteboard at the top of the list and
    // selects them. Objects copied on this canvas, and every paste after the
    // first of the same contents, go to the side's next placement points;
    // the first paste of contents new to this canvas keeps their positions.
    // Without card objects or file names, a picture on the pasteboard
    // becomes a picture object. Data that cannot be read is reported and
    // changes nothing.
    void paste();
    // A picture object of the picture on the pasteboard, its upper left
    // corner at `point`, inserted at the top and selected alone; false when
    // the pasteboard offers no picture (nothing changes).
    bool makeNewImageFromPasteboard(const QPointF& point);
    // A picture object of the picture file at `path`, its upper left corner
    // at `point`, inserted at the top and selected alone; false when the
    // file's extension is not one of the picture file types or the file
    // holds no picture it can read (nothing changes).
    bool makeNewImageFromContentsOfFile(const QString& path, const QPointF& point);
    // Undo and redo of the document's last step; the objects the step
    // inserts or changes on this side become the selection. Only the front
    // side records undo, so only a canvas bound to the front list undoes: on
    // any other side the step would change objects the user cannot see.
    void undo();
    void redo();
    // true when this canvas is bound to the list that records undo.
    bool undoesOwnSide() const;

    // Switches the rulers of the scroll view around the canvas on or off.
    void showOrHideRulers();
    // Asks the scroll view around the canvas, and so its desk, to draw
    // again (after the card's size or shape changed).
    void Refresh_ScrollView() { emit scrollViewNeedsDisplay(); }

    // Whether Paste makes something on this canvas now: card objects or a
    // picture on the pasteboard (CardPasteboard::pasteContents).
    bool canPaste() const;

    // ---- menu items ----
    // What the menu rule needs to know of this canvas now.
    CanvasMenuFacts menuFacts() const;
    // Whether the item of `command` is enabled, and its title when the
    // command names one (the rulers' item).
    MenuItemState validateMenuItem(CanvasCommand command) const;
    // Whether the item of `command` is enabled: the window's own answer.
    bool Get_Menu_Status(CanvasCommand command) const { return validateMenuItem(command).enabled; }

    // The pasteboard's change count after this canvas's last copy, or when
    // its last paste found new contents; -1 before either.
    qint64 _pasteboardChangeCount = -1;
    // Pastes since then: 1 after a copy, 0 for new contents.
    qint64 _pasteCascadeNumber = 0;

    void hideHandlesMomentarily();
    void unhideHandlesForTimer();
    bool isHidingHandles() const { return _isHidingHandles; }

    // In-place editing: objects that supply an editing view get it shown in
    // the host widget. startEditingGraphic throws std::logic_error while one
    // is being edited.
    void startEditingGraphic(const GraphicPtr& graphic);
    void stopEditing();
    GraphicPtr editingGraphic() const { return _editingGraphic; }

    QRectF marqueeSelectionBounds() const { return _marqueeSelectionBounds; }
    QRectF rulerEchoedBounds() const { return _rulerEchoedBounds; }
    GraphicPtr creatingGraphic() const { return _creatingGraphic; }

    // The current object as the main window, the inspector and the fills see
    // it: the object clicked or created last, or the lowest selected object
    // the last draw gave handles to; after a rubber band, or a Shift-click
    // that deselected the object clicked, the topmost selected object.
    GraphicPtr _Selected_Graphic;
    // Indexes of the objects an undo or redo inserts or changes; exists only
    // while an undo or redo runs.
    std::optional<IndexSet> _undoSelectionIndexes;

signals:
    // The area of the canvas to draw again.
    void needsDisplayInRect(const QRectF& rect);
    // The scroll view around the canvas is to draw again.
    void scrollViewNeedsDisplay();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Tracking { None, Consume, Move, Resize, Marquee };

    // What the press in progress does once its drag ends.
    struct PressEnd {
        bool finishesCreation = false;
        bool showsCurrentProperties = false;
        bool showsCardPropertiesWithoutCurrent = false;
    };
    struct Creation {
        bool groupsByEvent = true;
        bool recordedInsertion = false;
    };

    void setNeedsDisplayInRect(const QRectF& rect);
    void setNeedsDisplay() { setNeedsDisplayInRect(bounds()); }
    void requireGraphicsBound() const;
    void requireSelectionBound() const;

    void graphicsDidChange(const GraphicListChange& change);
    void selectionDidChange(const IndexSet& oldIndexes, const IndexSet& newIndexes);
    void startObservingGraphics(const GraphicList& graphics);
    void stopObservingGraphics(const GraphicList& graphics);
    void graphicDidChange(SKTGraphic* graphic, const QString& key);
    void addUndoSelectionIndex(const SKTGraphic* graphic);
    void undoOrRedo(bool undo);
    void noticeEmptySide();

    QPointF constrained(const QPointF& point) const;
    QRectF drawingBoundsOfSelection() const;
    QPointF newObjectPoint(const QString& card_side) const;
    // The new object the main window's tool number asks for, before the
    // creation gives it its bounds; the picture kinds are centred on
    // `origin` by their initialisers.
    GraphicPtr makeGraphicForTool(const QString& className, const QPointF& origin, const QString& ctrl_value,
                                  const QString& ctrl_ID) const;
    // A picture object of `picture` kept as the file `path`, its upper left
    // corner at `point`, inserted at the top and selected alone.
    void insertPictureObject(const QPointF& point, const Picture& picture, const QString& path);
    void finishCreation();
    void withdrawCreation(const GraphicPtr& graphic);

    // The selected object nearest the top (lowest index), or none.
    GraphicPtr topmostSelectedGraphic() const;
    void selectAndTrackMouseWithEvent(const CanvasMouseEvent& event);
    void beginMove(const QPointF& point);
    void beginResize(const GraphicPtr& graphic, int handle, bool ownUndoGroup);
    void beginMarquee(const QPointF& point);
    void trackTo(const QPointF& point);
    void endTracking(const QPointF& point);
    void finishPress();

    void beginEchoingMoveToRulers(const QRectF& rect);
    void continueEchoingMoveToRulers(const QRectF& rect);
    void stopEchoingMoveToRulers();

    CanvasHost* m_host;
    QSizeF m_frameSize;

    // the list binding
    QPointer<SKTDocument> m_document;
    QString m_graphicsKeyPath;
    QString m_graphicsKey;
    QMetaObject::Connection m_graphicsConnection;
    // Per observed object, its drawing bounds as last drawn, so that the area
    // it leaves is redrawn.
    ObservedGraphics<QRectF> m_observed;
    bool m_emptySideNoticePending = false;

    // the selection binding
    QPointer<SideSelection> m_selection;
    QString m_selectionKeyPath;
    QMetaObject::Connection m_selectionConnection;

    SKTGrid* m_grid = nullptr;
    Observable::Token m_gridToken = 0;
    CanvasRulers* m_rulers = nullptr;
    QPointer<QWidget> m_editingHost;

    QRectF _rulerEchoedBounds;
    bool m_echoingToRulers = false;
    GraphicPtr _creatingGraphic;
    GraphicPtr _editingGraphic;
    QPointer<QWidget> _editingView;
    QRectF _editingViewFrame;
    QRectF _marqueeSelectionBounds;
    bool _isHidingHandles = false;
    QTimer _handleShowingTimer;

    // the press in progress
    Tracking m_tracking = Tracking::None;
    PressEnd m_pressEnd;
    QPointF m_lastPoint;
    bool m_dragUndoGroupOpen = false;
    std::optional<Creation> m_creation;
    // move
    GraphicList m_movingGraphics;
    QRectF m_moveStartBounds;
    QPointF m_moveStart;
    QPointF m_moveOffset;
    QPointF m_moveLast;
    bool m_moving = false;
    // resize
    GraphicPtr m_resizingGraphic;
    int m_resizeHandle = SKTGraphic::NoHandle;
    // rubber band
    IndexSet m_marqueeStartSelection;
    QPointF m_marqueeStart;
};
