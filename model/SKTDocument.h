#pragma once

#include "model/GraphicListChange.h"
#include "model/ObservedGraphics.h"
#include "model/SKTError.h"
#include "model/SKTGraphic.h"
#include "platform/IndexSet.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QPageLayout>
#include <QSizeF>
#include <QString>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class DocumentRendering;
class PrintOperation;
class SKTMapTableOwner;
class UndoManager;

// Keys of the three object lists.
extern const QString SKTDocumentGraphicsKey;        // "graphics" (front side)
extern const QString SKTDocumentGraphicsKey_back;   // "graphics_back"
extern const QString SKTDocumentGraphicsKey_temp;   // "graphics_temp"

extern const QString SKTDocumentCanvasSizeKey;      // "canvasSize"
extern const QString SKTDocumentNewTypeName;        // "com.veskworks.Brightfold"
extern const QString SKTDocumentOldTypeName;        // "VESK CARD document"
extern const int SKTDocumentCurrentVersion;         // 2
extern const QString SKTDocumentVersionKey;         // "version"
extern const QString SKTDocumentGraphicsDataKey;    // "graphics" (in the document data)
extern const QString SKTDocumentPrintInfoKey;       // "printInfo"
extern const QString SKTDocumentUndoObservationContext;
extern const QString SKTDocumentUndoKeysObservationContext;

// How many main window controllers have been made in this process (at most one).
extern int first;

// The card document: the object lists of the front, back and temp sides
// (index 0 is the topmost object), and the undo of the front side. Changes
// of the front list's objects made through their published setters are
// recorded for undo by observing the objects; the back and temp lists record
// nothing. Observers of the lists (the canvases) hear of every insertion and
// removal through graphicsDidChange().
class SKTDocument : public QObject
{
    Q_OBJECT

public:
    // Makes the main window controller of a document; the document keeps it.
    using WindowControllerMaker = std::function<std::unique_ptr<QObject>(SKTDocument& document)>;

    explicit SKTDocument(QObject* parent = nullptr);
    ~SKTDocument() override;

    UndoManager* undoManager() const { return m_undoManager; }

    // true switches undo registration on, false off; the calls are counted,
    // each off must be matched by one on.
    void Enable_Disable_Undo_Registraion(bool enable);

    // Empties the undo and redo history and the front list (recording nothing).
    void Clear_All_Undo_Redo();

    GraphicList graphics() const { return m_graphics; }
    GraphicList graphics_back() const { return m_graphics_back; }
    GraphicList graphics_temp() const { return m_graphics_temp; }
    // The list of one of the three keys; empty for any other key.
    GraphicList graphicsForKey(const QString& key) const;

    // Inserts into the front list with undo. The i-th object goes to the i-th
    // smallest index, the indexes referring to the list after the insertion
    // (inserted in ascending order). Refused (false, nothing changes) when the
    // counts differ, an object is null or an index lies beyond the list.
    bool insertGraphics(const GraphicList& graphics, const IndexSet& indexes);
    // Removes from the front list with undo. Refused when an index lies
    // beyond the list.
    bool removeGraphicsAtIndexes(const IndexSet& indexes);

    // Inserts into or removes from the list of `key`, as the canvases do: the
    // front list through the two operations above, the back and temp lists
    // without undo and without observing their objects.
    bool insertGraphicsForKey(const QString& key, const GraphicList& graphics, const IndexSet& indexes);
    bool removeGraphicsForKey(const QString& key, const IndexSet& indexes);

    // 243 x 154 points when `fixedCardSize`, else `size_val`.
    QSizeF canvasSize(bool fixedCardSize, const QSizeF& size_val) const;

    static bool canConcurrentlyReadDocumentsOfType(const QString& typeName);
    // The document reads nothing itself: always false, `error` untouched.
    bool readFromData(const QByteArray& data, const QString& typeName, SKTError* error);
    // The document data of a type: for the document's own type (new or old
    // name) a binary property list {"version": 2, "graphics": [one card object
    // archive per front object], "printInfo": data}. For PDF ("com.adobe.pdf",
    // "application/pdf"): one page of the front canvas's size with the front
    // side's card base and objects (the error of code 0 when it cannot be
    // made). For TIFF ("public.tiff", "image/tiff"): the front objects alone
    // over their drawing bounds; an empty front side gives the error of code
    // 3. The back and temp sides are never part of the data. PDF and TIFF
    // are drawn by the installed renderer (setRendering); without one they
    // fail with the error of code 0. Any other type is a programming error:
    // throws std::invalid_argument.
    QByteArray dataOfType(const QString& typeName, SKTError* error = nullptr) const;

    // A print operation of the front side: the card (243 x 154 points) with
    // the front card base and the front objects, on the page of the print
    // information, with `printSettings` added to its settings. The objects
    // are those on the front side now; the job is titled with the
    // application's name. Made by the installed renderer (setRendering);
    // without one there is no operation (null) and `error` gets code 0.
    std::unique_ptr<PrintOperation> printOperationWithSettings(const QVariantMap& printSettings,
                                                               SKTError* error = nullptr) const;

    QPageLayout printInfo() const { return m_printInfo; }
    // Tells observers of "canvasSize" before and after the change.
    void setPrintInfo(const QPageLayout& printInfo);

    // The application's name.
    QString displayName() const;

    // Always false: the platform never asks to save; saving is the main
    // window's business.
    bool isDocumentEdited() const { return false; }

    // Makes the main window controller while none has been made in this
    // process; a second document gets none.
    void makeWindowControllers();
    static void setWindowControllerMaker(WindowControllerMaker maker);
    // The renderer of the PDF and TIFF data and of the print operation, for
    // every document; the program entry installs it before any output.
    static void setRendering(std::shared_ptr<const DocumentRendering> rendering);
    QList<QObject*> windowControllers() const;

    // The undo action of property changes: writes the table's old values back
    // through the notifying setters (which records the redo).
    void setGraphicProperties(const std::shared_ptr<SKTMapTableOwner>& table);
    // Starts a new undo group's bookkeeping.
    void observeUndoManagerCheckpoint();
    void startObservingGraphics(const GraphicList& graphics);
    void stopObservingGraphics(const GraphicList& graphics);

    // The current group's bookkeeping, for the undo menu texts.
    std::optional<QString> undoGroupPresentablePropertyName() const { return m_undoGroupPresentablePropertyName; }
    bool undoGroupHasChangesToMultipleProperties() const { return m_undoGroupHasChangesToMultipleProperties; }

signals:
    // After objects were inserted into or removed from a list.
    void graphicsDidChange(const GraphicListChange& change);
    // Around a change of one of the document's own values ("canvasSize").
    void valueWillChange(const QString& key);
    void valueDidChange(const QString& key);

private:
    GraphicList* listForKey(const QString& key);
    static bool canInsert(const GraphicList& list, const GraphicList& graphics, const IndexSet& indexes);
    static void insertInto(GraphicList& list, const GraphicList& graphics, const IndexSet& indexes);
    static GraphicList removeFrom(GraphicList& list, const IndexSet& indexes);
    void announce(const QString& key, GraphicListChange::Kind kind, const IndexSet& indexes,
                  const GraphicList& graphics);

    void observeValueForKeyPath(const GraphicPtr& graphic, const QString& key, const QVariant& oldValue);
    void observeUndoKeysChange(SKTGraphic* graphic);
    QByteArray printInfoData() const;

    UndoManager* m_undoManager;
    GraphicList m_graphics;
    GraphicList m_graphics_back;
    GraphicList m_graphics_temp;
    QPageLayout m_printInfo;

    // Bookkeeping of the current undo group.
    QHash<const SKTGraphic*, GraphicPtr> m_undoGroupInsertedGraphics;
    std::shared_ptr<SKTMapTableOwner> m_undoGroupOldPropertiesPerGraphic;
    std::optional<QString> m_undoGroupPresentablePropertyName;
    bool m_undoGroupHasChangesToMultipleProperties = false;

    // Per observed object, the keys whose changes are recorded for undo.
    ObservedGraphics<QStringList> m_observed;
    std::vector<std::unique_ptr<QObject>> m_windowControllers;
};
