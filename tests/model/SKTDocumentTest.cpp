#include "model/SKTDocument.h"

#include "platform/UndoManager.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace {
void endEventTurn()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// A card object that names its undo keys, and whose set of undo keys can
// change (as a text does while it fits its height to its contents).
class NamedGraphic : public SKTGraphic
{
public:
    QString presentablePropertyNameForKey(const QString& key) const override
    {
        if (key == SKTGraphicFillColorKey)
            return QStringLiteral("Fill Color");
        if (key == SKTGraphicStrokeWidthKey)
            return QStringLiteral("Stroke Width");
        if (key == SKTGraphicBoundsKey)
            return QStringLiteral("Bounds");
        return QStringLiteral("Other");
    }
    QStringList keysForValuesToObserveForUndo() const override
    {
        QStringList keys = SKTGraphic::keysForValuesToObserveForUndo();
        if (boundsLeftOut)
            keys.removeAll(SKTGraphicBoundsKey);
        return keys;
    }
    void leaveBoundsOut(bool out)
    {
        const QVariant old = keysForValuesToObserveForUndo();
        boundsLeftOut = out;
        didChange(SKTGraphicKeysForValuesToObserveForUndoKey, old);
    }
    bool boundsLeftOut = false;
};

GraphicPtr make(const QString& name = QString())
{
    auto g = std::make_shared<NamedGraphic>();
    g->control_ID = name;
    return g;
}

Colour red() { return Colour::rgb(1, 0, 0); }
Colour blue() { return Colour::rgb(0, 0, 1); }

QStringList idsOf(const GraphicList& list)
{
    QStringList ids;
    for (const GraphicPtr& g : list)
        ids.append(g->control_ID);
    return ids;
}

struct SKTDocumentTest : ::testing::Test {
    SKTDocument doc;
    UndoManager& undo = *doc.undoManager();

    void insertAt(const GraphicPtr& g, int index) { ASSERT_TRUE(doc.insertGraphics({g}, IndexSet(index))); }
};
}

TEST(SKTDocumentLists, InsertAndRemoveFollowTheIndexSetRules)
{
    struct Case {
        QStringList before;
        QStringList inserted;
        IndexSet at;
        QStringList after;
    } cases[] = {
        {{}, {"X", "Y"}, {0, 1}, {"X", "Y"}},
        {{"A", "B", "C"}, {"X", "Y"}, {0, 2}, {"X", "A", "Y", "B", "C"}},
        {{"A", "B", "C"}, {"X", "Y"}, {3, 4}, {"A", "B", "C", "X", "Y"}},
        {{"A", "B"}, {"X", "Y", "Z"}, {1, 3, 4}, {"A", "X", "B", "Y", "Z"}},
    };
    for (const Case& c : cases) {
        SKTDocument doc;
        GraphicList before;
        for (const QString& id : c.before)
            before.append(make(id));
        ASSERT_TRUE(doc.insertGraphics(before, IndexSet::range(0, int(before.size()))));
        GraphicList inserted;
        for (const QString& id : c.inserted)
            inserted.append(make(id));
        ASSERT_TRUE(doc.insertGraphics(inserted, c.at));
        EXPECT_EQ(idsOf(doc.graphics()), c.after);

        // Removing the same indexes gives the list back.
        ASSERT_TRUE(doc.removeGraphicsAtIndexes(c.at));
        EXPECT_EQ(idsOf(doc.graphics()), c.before);
    }
}

TEST(SKTDocumentLists, MisfitsAreRefusedWithoutChange)
{
    SKTDocument doc;
    ASSERT_TRUE(doc.insertGraphics({make("A")}, IndexSet(0)));
    endEventTurn();
    EXPECT_FALSE(doc.insertGraphics({make("X")}, IndexSet(2)));           // beyond the end
    EXPECT_FALSE(doc.insertGraphics({make("X"), make("Y")}, IndexSet(0))); // counts differ
    EXPECT_FALSE(doc.insertGraphics({nullptr}, IndexSet(0)));
    EXPECT_FALSE(doc.removeGraphicsAtIndexes(IndexSet(1)));
    EXPECT_FALSE(doc.insertGraphicsForKey(SKTDocumentGraphicsKey_back, {make("X")}, IndexSet(1)));
    EXPECT_FALSE(doc.removeGraphicsForKey(SKTDocumentGraphicsKey_temp, IndexSet(0)));
    EXPECT_FALSE(doc.insertGraphicsForKey(QStringLiteral("other"), {make("X")}, IndexSet(0)));
    EXPECT_EQ(idsOf(doc.graphics()), QStringList({"A"}));
    doc.undoManager()->undo();
    EXPECT_TRUE(doc.graphics().isEmpty());
    EXPECT_FALSE(doc.undoManager()->canUndo());
}

TEST_F(SKTDocumentTest, UndoingAnInsertionRemovesBothAndRedoPutsThemBack)
{
    const GraphicPtr a = make("A");
    const GraphicPtr b = make("B");
    const GraphicPtr c = make("C");
    insertAt(c, 0);
    endEventTurn();
    ASSERT_TRUE(doc.insertGraphics({a, b}, IndexSet {0, 2}));
    EXPECT_EQ(a->_scriptingContainer, &doc);
    endEventTurn();

    undo.undo();
    EXPECT_EQ(doc.graphics(), GraphicList({c}));
    EXPECT_EQ(a->_scriptingContainer, nullptr);
    undo.redo();
    EXPECT_EQ(doc.graphics(), GraphicList({a, c, b}));
    EXPECT_EQ(b->_scriptingContainer, &doc);
}

TEST_F(SKTDocumentTest, UndoingARemovalPutsTheObjectsBackWhereTheyWere)
{
    const GraphicList all = {make("A"), make("B"), make("C"), make("D")};
    ASSERT_TRUE(doc.insertGraphics(all, IndexSet::range(0, 4)));
    endEventTurn();
    ASSERT_TRUE(doc.removeGraphicsAtIndexes(IndexSet {1, 3}));
    endEventTurn();
    EXPECT_EQ(idsOf(doc.graphics()), QStringList({"A", "C"}));
    undo.undo();
    EXPECT_EQ(doc.graphics(), all);
    undo.redo();
    EXPECT_EQ(idsOf(doc.graphics()), QStringList({"A", "C"}));
}

TEST_F(SKTDocumentTest, TheFirstOldValueOfAGroupWins)
{
    const GraphicPtr g = make();
    const GraphicPtr h = make();
    g->setFillColor(red());
    h->setStrokeWidth(2);
    ASSERT_TRUE(doc.insertGraphics({g, h}, IndexSet {0, 1}));
    endEventTurn();

    const QVariant before = g->valueForKey(SKTGraphicFillColorKey);
    g->setFillColor(blue());
    g->setFillColor(Colour::rgb(0, 1, 0));
    h->setStrokeWidth(5);
    h->setStrokeWidth(9);
    const QVariant after = g->valueForKey(SKTGraphicFillColorKey);
    endEventTurn();

    undo.undo();
    EXPECT_EQ(g->valueForKey(SKTGraphicFillColorKey), before);
    EXPECT_EQ(h->strokeWidth(), 2);
    undo.redo();
    EXPECT_EQ(g->valueForKey(SKTGraphicFillColorKey), after);
    EXPECT_EQ(h->strokeWidth(), 9);
    undo.undo();
    EXPECT_EQ(h->strokeWidth(), 2);
    EXPECT_EQ(doc.graphics().size(), 2);   // the insertion is a step of its own
}

TEST_F(SKTDocumentTest, SettingTheSameValueRecordsNothing)
{
    const GraphicPtr g = make();
    insertAt(g, 0);
    endEventTurn();
    g->setStrokeWidth(g->strokeWidth());
    g->setBounds(g->bounds());
    endEventTurn();
    undo.undo();
    EXPECT_TRUE(doc.graphics().isEmpty());   // the only step was the insertion
}

TEST_F(SKTDocumentTest, ChangesToAnObjectInsertedInTheSameGroupRecordNothing)
{
    const GraphicPtr g = make();
    insertAt(g, 0);
    g->setStrokeWidth(7);
    g->setBounds(QRectF(1, 2, 30, 40));
    endEventTurn();
    undo.undo();
    EXPECT_TRUE(doc.graphics().isEmpty());
    EXPECT_EQ(g->strokeWidth(), 7);              // no action of its own put it back
    EXPECT_FALSE(undo.canUndo());
    undo.redo();
    EXPECT_EQ(doc.graphics(), GraphicList({g}));
    EXPECT_EQ(g->bounds(), QRectF(1, 2, 30, 40));

    // In the next group its changes count again.
    g->setStrokeWidth(8);
    endEventTurn();
    undo.undo();
    EXPECT_EQ(g->strokeWidth(), 7);
}

TEST_F(SKTDocumentTest, GroupNameFromOnePropertyOrNoneForSeveral)
{
    const GraphicPtr g = make();
    const GraphicPtr h = make();
    ASSERT_TRUE(doc.insertGraphics({g, h}, IndexSet {0, 1}));
    endEventTurn();

    g->setFillColor(red());
    h->setFillColor(blue());
    EXPECT_EQ(doc.undoGroupPresentablePropertyName(), QStringLiteral("Fill Color"));
    EXPECT_FALSE(doc.undoGroupHasChangesToMultipleProperties());
    endEventTurn();
    EXPECT_EQ(undo.undoActionName(), QStringLiteral("Fill Color"));
    EXPECT_FALSE(doc.undoGroupPresentablePropertyName().has_value());   // reset at the checkpoint

    g->setFillColor(blue());
    g->setStrokeWidth(4);
    EXPECT_TRUE(doc.undoGroupHasChangesToMultipleProperties());
    EXPECT_FALSE(doc.undoGroupPresentablePropertyName().has_value());
    g->setFillColor(red());                       // stays marked as several
    EXPECT_TRUE(doc.undoGroupHasChangesToMultipleProperties());
    endEventTurn();
    EXPECT_EQ(undo.undoActionName(), QString());

    undo.undo();
    EXPECT_EQ(undo.redoActionName(), QString());
    undo.undo();
    EXPECT_EQ(undo.redoActionName(), QStringLiteral("Fill Color"));
}

TEST_F(SKTDocumentTest, BackAndTempSidesTakeNoPartInUndo)
{
    for (const QString& key : {SKTDocumentGraphicsKey_back, SKTDocumentGraphicsKey_temp}) {
        const GraphicPtr g = make();
        ASSERT_TRUE(doc.insertGraphicsForKey(key, {g}, IndexSet(0)));
        g->setFillColor(red());
        g->setBounds(QRectF(5, 5, 10, 10));
        endEventTurn();
        EXPECT_FALSE(undo.canUndo()) << key.toStdString();
        EXPECT_EQ(g->_scriptingContainer, nullptr);
        EXPECT_FALSE(g->hasObservers());
        ASSERT_TRUE(doc.removeGraphicsForKey(key, IndexSet(0)));
        endEventTurn();
        EXPECT_FALSE(undo.canUndo());
        EXPECT_TRUE(doc.graphicsForKey(key).isEmpty());
    }
    EXPECT_TRUE(doc.graphicsForKey(QStringLiteral("unknown")).isEmpty());
}

TEST_F(SKTDocumentTest, RemovedObjectsAreNoLongerObserved)
{
    const GraphicPtr g = make();
    insertAt(g, 0);
    endEventTurn();
    ASSERT_TRUE(doc.removeGraphicsAtIndexes(IndexSet(0)));
    EXPECT_FALSE(g->hasObservers());
    endEventTurn();
    g->setStrokeWidth(12);                // off the list: nothing to record
    endEventTurn();
    undo.undo();                          // the removal
    EXPECT_EQ(doc.graphics(), GraphicList({g}));
    EXPECT_EQ(g->strokeWidth(), 12);
    undo.undo();                          // the insertion
    EXPECT_FALSE(undo.canUndo());
}

TEST_F(SKTDocumentTest, UndoAndRedoGoThroughTheNotifyingSetters)
{
    const GraphicPtr g = make();
    insertAt(g, 0);
    endEventTurn();
    g->setBounds(QRectF(0, 0, 50, 50));
    endEventTurn();

    QStringList heard;
    g->addObserver([&](Observable&, const QString& key, const QVariant&) { heard.append(key); });
    undo.undo();
    EXPECT_TRUE(heard.contains(SKTGraphicBoundsKey));
    EXPECT_TRUE(heard.contains(SKTGraphicDrawingBoundsKey));
    heard.clear();
    undo.redo();
    EXPECT_TRUE(heard.contains(SKTGraphicBoundsKey));
    EXPECT_EQ(g->bounds(), QRectF(0, 0, 50, 50));
}

TEST_F(SKTDocumentTest, ChangesOfTheUndoKeySetAreFollowed)
{
    auto g = std::make_shared<NamedGraphic>();
    insertAt(g, 0);
    endEventTurn();
    const QRectF start = g->bounds();

    g->leaveBoundsOut(true);
    g->setBounds(QRectF(1, 1, 99, 20));   // not recorded while left out
    g->leaveBoundsOut(false);
    endEventTurn();
    EXPECT_TRUE(undo.canUndo());          // only the insertion
    g->setBounds(QRectF(2, 2, 10, 10));
    endEventTurn();
    undo.undo();
    EXPECT_EQ(g->bounds(), QRectF(1, 1, 99, 20));
    undo.undo();
    EXPECT_TRUE(doc.graphics().isEmpty());
    EXPECT_NE(start, g->bounds());
}

TEST_F(SKTDocumentTest, NothingIsRecordedWhileRegistrationIsOff)
{
    const GraphicPtr g = make();
    insertAt(g, 0);
    endEventTurn();

    doc.Enable_Disable_Undo_Registraion(false);
    g->setStrokeWidth(3);
    const GraphicPtr quiet = make();
    insertAt(quiet, 1);
    doc.Enable_Disable_Undo_Registraion(true);
    // A change right after, in the same event, is recorded on its own.
    g->setStrokeWidth(4);
    endEventTurn();

    undo.undo();
    EXPECT_EQ(g->strokeWidth(), 3);
    EXPECT_EQ(doc.graphics().size(), 2);  // the quiet insertion stays
    undo.undo();
    EXPECT_EQ(doc.graphics(), GraphicList({quiet}));
}

TEST_F(SKTDocumentTest, ClearingEmptiesTheFrontAndTheHistory)
{
    const GraphicPtr front = make();
    const GraphicPtr back = make();
    insertAt(front, 0);
    ASSERT_TRUE(doc.insertGraphicsForKey(SKTDocumentGraphicsKey_back, {back}, IndexSet(0)));
    endEventTurn();
    front->setStrokeWidth(6);
    endEventTurn();
    undo.undo();

    doc.Clear_All_Undo_Redo();
    EXPECT_TRUE(doc.graphics().isEmpty());
    EXPECT_EQ(doc.graphics_back(), GraphicList({back}));
    EXPECT_FALSE(undo.canUndo());
    EXPECT_FALSE(undo.canRedo());
    EXPECT_FALSE(front->hasObservers());
    EXPECT_TRUE(undo.isUndoRegistrationEnabled());

    // Registration works again afterwards.
    insertAt(make(), 0);
    endEventTurn();
    EXPECT_TRUE(undo.canUndo());
}

TEST_F(SKTDocumentTest, ListChangesAreAnnounced)
{
    QList<GraphicListChange> changes;
    QObject::connect(&doc, &SKTDocument::graphicsDidChange,
                     [&](const GraphicListChange& c) { changes.append(c); });
    const GraphicPtr a = make("A");
    const GraphicPtr b = make("B");
    ASSERT_TRUE(doc.insertGraphics({a, b}, IndexSet {0, 1}));
    ASSERT_TRUE(doc.removeGraphicsAtIndexes(IndexSet(1)));
    ASSERT_TRUE(doc.insertGraphicsForKey(SKTDocumentGraphicsKey_temp, {b}, IndexSet(0)));
    undo.undo();   // the removal and the insertion of the front, newest first

    ASSERT_EQ(changes.size(), 5);
    EXPECT_EQ(changes[0].key, SKTDocumentGraphicsKey);
    EXPECT_EQ(changes[0].kind, GraphicListChange::Kind::Insertion);
    EXPECT_EQ(changes[0].indexes, IndexSet({0, 1}));
    EXPECT_EQ(changes[0].graphics, GraphicList({a, b}));
    EXPECT_EQ(changes[1].kind, GraphicListChange::Kind::Removal);
    EXPECT_EQ(changes[1].graphics, GraphicList({b}));
    EXPECT_EQ(changes[2].key, SKTDocumentGraphicsKey_temp);
    EXPECT_EQ(changes[3].kind, GraphicListChange::Kind::Insertion);   // undoing the removal
    EXPECT_EQ(changes[3].indexes, IndexSet(1));
    EXPECT_EQ(changes[4].kind, GraphicListChange::Kind::Removal);     // undoing the insertion
    EXPECT_EQ(changes[4].indexes, IndexSet({0, 1}));
}

TEST_F(SKTDocumentTest, EndingTheDocumentReleasesItsObjects)
{
    const GraphicPtr g = make();
    {
        SKTDocument other;
        ASSERT_TRUE(other.insertGraphics({g}, IndexSet(0)));
        EXPECT_TRUE(g->hasObservers());
    }
    EXPECT_FALSE(g->hasObservers());
    EXPECT_EQ(g->_scriptingContainer, nullptr);
    g->setStrokeWidth(3);   // no call back into the ended document
}

TEST(SKTDocumentWindow, OnlyTheFirstDocumentGetsAWindow)
{
    first = 0;
    int made = 0;
    SKTDocument::setWindowControllerMaker([&](SKTDocument&) {
        ++made;
        return std::make_unique<QObject>();
    });
    SKTDocument one;
    SKTDocument two;
    one.makeWindowControllers();
    one.makeWindowControllers();
    two.makeWindowControllers();
    EXPECT_EQ(made, 1);
    EXPECT_EQ(one.windowControllers().size(), 1);
    EXPECT_TRUE(two.windowControllers().isEmpty());
    EXPECT_EQ(first, 1);
    SKTDocument::setWindowControllerMaker({});
    first = 0;
}

TEST(SKTDocumentWindow, PrintInfoChangeIsAnnouncedAsCanvasSize)
{
    SKTDocument doc;
    QStringList told;
    QObject::connect(&doc, &SKTDocument::valueWillChange, [&](const QString& k) { told.append("will " + k); });
    QObject::connect(&doc, &SKTDocument::valueDidChange, [&](const QString& k) { told.append("did " + k); });
    doc.setPrintInfo(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape, QMarginsF()));
    EXPECT_EQ(told, QStringList({"will canvasSize", "did canvasSize"}));
    EXPECT_EQ(doc.canvasSize(false, QSizeF(300, 200)), QSizeF(300, 200));
    EXPECT_FALSE(doc.readFromData(QByteArray("bplist00"), SKTDocumentNewTypeName, nullptr));
}
