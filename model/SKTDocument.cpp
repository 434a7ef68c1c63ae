#include "model/SKTDocument.h"

#include "model/DocumentGraphicArchive.h"
#include "model/DocumentRendering.h"
#include "model/SKTMapTableOwner.h"
#include "platform/PlistValue.h"
#include "platform/PrintOperation.h"
#include "platform/UndoManager.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QIODevice>
#include <QPageSize>
#include <QtDebug>

#include <stdexcept>

const QString SKTDocumentGraphicsKey = QStringLiteral("graphics");
const QString SKTDocumentGraphicsKey_back = QStringLiteral("graphics_back");
const QString SKTDocumentGraphicsKey_temp = QStringLiteral("graphics_temp");
const QString SKTDocumentCanvasSizeKey = QStringLiteral("canvasSize");
const QString SKTDocumentNewTypeName = QStringLiteral("com.veskworks.Brightfold");
const QString SKTDocumentOldTypeName = QStringLiteral("VESK CARD document");
const int SKTDocumentCurrentVersion = 2;
const QString SKTDocumentVersionKey = QStringLiteral("version");
const QString SKTDocumentGraphicsDataKey = QStringLiteral("graphics");
const QString SKTDocumentPrintInfoKey = QStringLiteral("printInfo");
const QString SKTDocumentUndoObservationContext = QStringLiteral("com.veskworks.SKTDocument.undo");
const QString SKTDocumentUndoKeysObservationContext = QStringLiteral("com.veskworks.SKTDocument.undoKeys");

int first = 0;

namespace {
SKTDocument::WindowControllerMaker& windowControllerMaker()
{
    static SKTDocument::WindowControllerMaker maker;
    return maker;
}

// Type names of the front side's PDF and TIFF data.
bool isPdfType(const QString& t)
{
    return t == QLatin1String("com.adobe.pdf") || t == QLatin1String("application/pdf");
}

bool isTiffType(const QString& t)
{
    return t == QLatin1String("public.tiff") || t == QLatin1String("image/tiff");
}

std::shared_ptr<const DocumentRendering>& installedRendering()
{
    static std::shared_ptr<const DocumentRendering> rendering;
    return rendering;
}

// The document's pictures and pages show its front list, so they are drawn
// on the front side's card base, whichever side the window shows.
constexpr int frontSide = 0;
}

SKTDocument::SKTDocument(QObject* parent)
    : QObject(parent)
    , m_undoManager(new UndoManager(this))
    , m_printInfo(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(72, 90, 72, 90),
                  QPageLayout::Point)
{
    connect(m_undoManager, &UndoManager::checkpoint, this, &SKTDocument::observeUndoManagerCheckpoint);
}

SKTDocument::~SKTDocument()
{
    m_windowControllers.clear();
    // The objects may live on (pasteboard, other holders): they must neither
    // call back into this document nor point at it.
    stopObservingGraphics(m_graphics);
    for (const GraphicPtr& g : std::as_const(m_graphics))
        g->_scriptingContainer = nullptr;
    disconnect(m_undoManager, nullptr, this, nullptr);
    m_undoManager->removeAllActions();
}

void SKTDocument::Enable_Disable_Undo_Registraion(bool enable)
{
    if (enable)
        m_undoManager->enableUndoRegistration();
    else
        m_undoManager->disableUndoRegistration();
}

void SKTDocument::Clear_All_Undo_Redo()
{
    m_undoManager->removeAllActions();
    m_undoManager->disableUndoRegistration();
    if (!m_graphics.isEmpty())
        removeGraphicsAtIndexes(IndexSet::range(0, int(m_graphics.size())));
    m_undoManager->enableUndoRegistration();
}

GraphicList SKTDocument::graphicsForKey(const QString& key) const
{
    if (key == SKTDocumentGraphicsKey)
        return m_graphics;
    if (key == SKTDocumentGraphicsKey_back)
        return m_graphics_back;
    if (key == SKTDocumentGraphicsKey_temp)
        return m_graphics_temp;
    return {};
}

GraphicList* SKTDocument::listForKey(const QString& key)
{
    if (key == SKTDocumentGraphicsKey)
        return &m_graphics;
    if (key == SKTDocumentGraphicsKey_back)
        return &m_graphics_back;
    if (key == SKTDocumentGraphicsKey_temp)
        return &m_graphics_temp;
    return nullptr;
}

bool SKTDocument::canInsert(const GraphicList& list, const GraphicList& graphics, const IndexSet& indexes)
{
    if (graphics.size() != indexes.count())
        return false;
    for (const GraphicPtr& g : graphics) {
        if (!g)
            return false;
    }
    // Inserting in ascending order, the i-th index may at most append to the
    // list as it is then (the original count plus the i objects before it).
    for (int i = 0; i < indexes.count(); ++i) {
        if (indexes.at(i) > list.size() + i)
            return false;
    }
    return true;
}

void SKTDocument::insertInto(GraphicList& list, const GraphicList& graphics, const IndexSet& indexes)
{
    for (int i = 0; i < indexes.count(); ++i)
        list.insert(indexes.at(i), graphics.at(i));
}

GraphicList SKTDocument::removeFrom(GraphicList& list, const IndexSet& indexes)
{
    GraphicList removed;
    removed.reserve(indexes.count());
    for (int index : indexes)
        removed.append(list.at(index));
    for (int i = indexes.count() - 1; i >= 0; --i)
        list.removeAt(indexes.at(i));
    return removed;
}

void SKTDocument::announce(const QString& key, GraphicListChange::Kind kind, const IndexSet& indexes,
                           const GraphicList& graphics)
{
    if (indexes.isEmpty())
        return;
    emit graphicsDidChange(GraphicListChange {key, kind, indexes, graphics});
}

bool SKTDocument::insertGraphics(const GraphicList& graphics, const IndexSet& indexes)
{
    if (!canInsert(m_graphics, graphics, indexes)) {
        qWarning("SKTDocument: objects and indexes do not fit the front list; nothing inserted");
        return false;
    }
    insertInto(m_graphics, graphics, indexes);
    for (const GraphicPtr& g : graphics)
        g->_scriptingContainer = this;

    m_undoManager->registerUndo([this, indexes] { removeGraphicsAtIndexes(indexes); });
    if (m_undoManager->isUndoRegistrationEnabled()) {
        for (const GraphicPtr& g : graphics)
            m_undoGroupInsertedGraphics.insert(g.get(), g);
    }
    startObservingGraphics(graphics);
    announce(SKTDocumentGraphicsKey, GraphicListChange::Kind::Insertion, indexes, graphics);
    return true;
}

bool SKTDocument::removeGraphicsAtIndexes(const IndexSet& indexes)
{
    if (!indexes.isEmpty() && indexes.lastIndex() >= m_graphics.size()) {
        qWarning("SKTDocument: index beyond the front list; nothing removed");
        return false;
    }
    GraphicList removed;
    removed.reserve(indexes.count());
    for (int index : indexes)
        removed.append(m_graphics.at(index));

    stopObservingGraphics(removed);
    m_undoManager->registerUndo([this, removed, indexes] { insertGraphics(removed, indexes); });
    for (const GraphicPtr& g : std::as_const(removed))
        g->_scriptingContainer = nullptr;
    removeFrom(m_graphics, indexes);
    announce(SKTDocumentGraphicsKey, GraphicListChange::Kind::Removal, indexes, removed);
    return true;
}

bool SKTDocument::insertGraphicsForKey(const QString& key, const GraphicList& graphics, const IndexSet& indexes)
{
    if (key == SKTDocumentGraphicsKey)
        return insertGraphics(graphics, indexes);
    GraphicList* list = listForKey(key);
    if (!list || !canInsert(*list, graphics, indexes)) {
        qWarning().noquote() << "SKTDocument: cannot insert into the list" << key;
        return false;
    }
    insertInto(*list, graphics, indexes);
    announce(key, GraphicListChange::Kind::Insertion, indexes, graphics);
    return true;
}

bool SKTDocument::removeGraphicsForKey(const QString& key, const IndexSet& indexes)
{
    if (key == SKTDocumentGraphicsKey)
        return removeGraphicsAtIndexes(indexes);
    GraphicList* list = listForKey(key);
    if (!list || (!indexes.isEmpty() && indexes.lastIndex() >= list->size())) {
        qWarning().noquote() << "SKTDocument: cannot remove from the list" << key;
        return false;
    }
    const GraphicList removed = removeFrom(*list, indexes);
    announce(key, GraphicListChange::Kind::Removal, indexes, removed);
    return true;
}

void SKTDocument::startObservingGraphics(const GraphicList& graphics)
{
    m_observed.start(
        graphics, [](const SKTGraphic& graphic) { return graphic.keysForValuesToObserveForUndo(); },
        [this](const GraphicPtr& graphic, const QString& key, const QVariant& oldValue) {
            if (key == SKTGraphicKeysForValuesToObserveForUndoKey) {
                observeUndoKeysChange(graphic.get());
                return;
            }
            const QStringList* keys = m_observed.stateOf(graphic.get());
            if (keys && keys->contains(key))
                observeValueForKeyPath(graphic, key, oldValue);
        });
}

void SKTDocument::stopObservingGraphics(const GraphicList& graphics)
{
    m_observed.stop(graphics);
}

void SKTDocument::observeUndoKeysChange(SKTGraphic* graphic)
{
    // Keys that left the set stop being recorded, keys that joined it start.
    if (QStringList* keys = m_observed.stateOf(graphic))
        *keys = graphic->keysForValuesToObserveForUndo();
}

void SKTDocument::observeValueForKeyPath(const GraphicPtr& graphic, const QString& key, const QVariant& oldValue)
{
    // With registration off nothing is recorded, and nothing is kept for
    // later either: a table made now could never be registered, and later
    // changes of this group would be added to it and lost.
    if (!m_undoManager->isUndoRegistrationEnabled())
        return;
    // Undoing the object's insertion removes it anyway.
    if (m_undoGroupInsertedGraphics.contains(graphic.get()))
        return;
    if (!oldValue.isValid())
        return;
    const QVariant newValue = graphic->valueForKey(key);
    if (newValue == oldValue)
        return;

    if (!m_undoGroupOldPropertiesPerGraphic) {
        auto table = std::make_shared<SKTMapTableOwner>();
        m_undoGroupOldPropertiesPerGraphic = table;
        m_undoManager->registerUndo([this, table] { setGraphicProperties(table); });
    }
    QVariantMap& values = m_undoGroupOldPropertiesPerGraphic->valuesFor(graphic);
    if (!values.contains(key))
        values.insert(key, oldValue);   // the value from before the group's first change wins

    if (m_undoManager->isUndoing() || m_undoManager->isRedoing())
        return;
    // A key the object cannot name gets the empty name of the base.
    const QString name = graphic->presentablePropertyNameForKey(key);
    if (m_undoGroupHasChangesToMultipleProperties)
        return;
    if (!m_undoGroupPresentablePropertyName) {
        m_undoGroupPresentablePropertyName = name;
        m_undoManager->setActionName(name);
    } else if (*m_undoGroupPresentablePropertyName != name) {
        m_undoGroupHasChangesToMultipleProperties = true;
        m_undoGroupPresentablePropertyName.reset();
        m_undoManager->setActionName(QString());
    }
}

void SKTDocument::setGraphicProperties(const std::shared_ptr<SKTMapTableOwner>& table)
{
    for (const auto& [graphic, values] : table->mapTable()) {
        for (auto it = values.constBegin(); it != values.constEnd(); ++it)
            graphic->setValueForKey(it.value(), it.key());
    }
}

void SKTDocument::observeUndoManagerCheckpoint()
{
    m_undoGroupHasChangesToMultipleProperties = false;
    m_undoGroupPresentablePropertyName.reset();
    m_undoGroupOldPropertiesPerGraphic.reset();
    m_undoGroupInsertedGraphics.clear();
}

QSizeF SKTDocument::canvasSize(bool fixedCardSize, const QSizeF& size_val) const
{
    return fixedCardSize ? QSizeF(243, 154) : size_val;
}

bool SKTDocument::canConcurrentlyReadDocumentsOfType(const QString& typeName)
{
    (void)typeName;
    return true;
}

bool SKTDocument::readFromData(const QByteArray& data, const QString& typeName, SKTError* error)
{
    (void)data;
    (void)typeName;
    (void)error;
    return false;
}

QByteArray SKTDocument::printInfoData() const
{
    // The page set-up as a small versioned binary record of our own.
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << quint32(1) << m_printInfo.pageSize().key() << m_printInfo.pageSize().size(QPageSize::Point)
        << qint32(m_printInfo.orientation()) << m_printInfo.margins(QPageLayout::Point);
    return data;
}

QByteArray SKTDocument::dataOfType(const QString& typeName, SKTError* error) const
{
    if (typeName == SKTDocumentNewTypeName || typeName == SKTDocumentOldTypeName) {
        PlistValue root = PlistValue::dictionary();
        root.insert(SKTDocumentVersionKey, PlistValue::integer(SKTDocumentCurrentVersion));
        PlistValue archives = PlistValue::array();
        for (const GraphicPtr& g : m_graphics)
            archives.append(PlistValue::data(archivedDataOfGraphic(*g)));
        root.insert(SKTDocumentGraphicsDataKey, std::move(archives));
        root.insert(SKTDocumentPrintInfoKey, PlistValue::data(printInfoData()));
        return root.toBinary();
    }
    if (isPdfType(typeName)) {
        const std::shared_ptr<const DocumentRendering> rendering = installedRendering();
        const QByteArray pdf = rendering ? rendering->pdfDataOfSide(m_graphics, frontSide) : QByteArray();
        // No data is a failure, not an empty answer.
        if (pdf.isEmpty() && error)
            *error = SKTErrorWithCode(0);
        return pdf;
    }
    if (isTiffType(typeName)) {
        if (const std::shared_ptr<const DocumentRendering> rendering = installedRendering())
            return rendering->tiffDataWithGraphics(m_graphics, error);
        if (error)
            *error = SKTErrorWithCode(0);
        return {};
    }
    throw std::invalid_argument("Invalid parameter not satisfying: " + typeName.toStdString());
}

std::unique_ptr<PrintOperation> SKTDocument::printOperationWithSettings(const QVariantMap& printSettings,
                                                                     SKTError* error) const
{
    // The document is never read from or saved to a file of its own, so the
    // job carries the application's name.
    const QString title = displayName();
    const QSizeF size = canvasSize(true, QSizeF());
    const std::shared_ptr<const DocumentRendering> rendering = installedRendering();
    if (!rendering) {
        if (error)
            *error = SKTErrorWithCode(0);
        return nullptr;
    }
    return rendering->printOperation(QRectF(QPointF(0, 0), size), m_graphics, frontSide, m_printInfo, title,
                                     printSettings);
}

void SKTDocument::setPrintInfo(const QPageLayout& printInfo)
{
    emit valueWillChange(SKTDocumentCanvasSizeKey);
    m_printInfo = printInfo;
    emit valueDidChange(SKTDocumentCanvasSizeKey);
}

QString SKTDocument::displayName() const
{
    return QCoreApplication::applicationName();
}

void SKTDocument::makeWindowControllers()
{
    if (first != 0)
        return;
    const WindowControllerMaker& maker = windowControllerMaker();
    if (!maker)
        return;
    std::unique_ptr<QObject> controller = maker(*this);
    if (!controller)
        return;
    m_windowControllers.push_back(std::move(controller));
    ++first;
}

void SKTDocument::setRendering(std::shared_ptr<const DocumentRendering> rendering)
{
    installedRendering() = std::move(rendering);
}

void SKTDocument::setWindowControllerMaker(WindowControllerMaker maker)
{
    windowControllerMaker() = std::move(maker);
}

QList<QObject*> SKTDocument::windowControllers() const
{
    QList<QObject*> list;
    for (const auto& c : m_windowControllers)
        list.append(c.get());
    return list;
}
