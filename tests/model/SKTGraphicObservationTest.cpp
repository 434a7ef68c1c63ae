// Key-value access and observation of card objects, and the class operations
// over lists of objects.

#include "model/SKTGraphic.h"
#include "model/SKTText.h"

#include <functional>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

struct Change {
    QString key;
    QVariant oldValue;
};

// Records every change an object reports.
class Recorder
{
public:
    explicit Recorder(SKTGraphic& g)
    {
        g.addObserver([this](Observable&, const QString& key, const QVariant& old) { changes.push_back({key, old}); });
    }
    QStringList keys() const
    {
        QStringList k;
        for (const Change& c : changes)
            k << c.key;
        return k;
    }
    std::vector<Change> changes;
};

GraphicPtr graphicAt(const QRectF& r, bool locked = false)
{
    auto g = std::make_shared<SKTGraphic>();
    g->_bounds = r;
    g->ctrl_is_locked = locked;
    return g;
}

} // namespace

TEST(SKTGraphicObservation, SettersTellOldValuesAndDependentKeys)
{
    const Colour red = Colour::rgb(1, 0, 0);
    const struct {
        QString key;
        QVariant value;
        QVariant expectedOld;
        QString dependent;
    } cases[] = {
        {"bounds", QRectF(1, 2, 3, 4), QRectF(10, 10, 50, 20), "drawingBounds"},
        {"strokeWidth", 4.0, 1.0, "drawingBounds"},
        {"drawingFill", false, true, "drawingContents"},
        {"drawingStroke", false, true, "drawingContents"},
        {"fillColor", QVariant::fromValue(red), QVariant::fromValue(Colour::white().withAlpha(0.5)), "drawingContents"},
        {"strokeColor", QVariant::fromValue(red), QVariant::fromValue(Colour::black()), "drawingContents"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key.toStdString());
        SKTGraphic g;
        g._bounds = QRectF(10, 10, 50, 20);
        g.alpha_val = 0.5f;
        Recorder rec(g);
        g.setValueForKey(c.value, c.key);
        ASSERT_EQ(rec.keys(), QStringList({c.key, c.dependent}));
        EXPECT_EQ(rec.changes[0].oldValue, c.expectedOld);
        EXPECT_FALSE(rec.changes[1].oldValue.isValid());
    }
}

TEST(SKTGraphicObservation, ValuesReadBackThroughKeys)
{
    SKTGraphic g;
    g.setValueForKey(QRectF(1, 2, 3, 4), "bounds");
    g.setValueForKey(2.5, "strokeWidth");
    g.setValueForKey(false, "drawingFill");
    g.setValueForKey(QVariant::fromValue(Colour::rgb(0, 0, 1)), "strokeColor");
    EXPECT_EQ(g.valueForKey("bounds").toRectF(), QRectF(1, 2, 3, 4));
    EXPECT_DOUBLE_EQ(g.valueForKey("strokeWidth").toDouble(), 2.5);
    EXPECT_FALSE(g.valueForKey("drawingFill").toBool());
    EXPECT_EQ(g.valueForKey("strokeColor").value<Colour>(), Colour::rgb(0, 0, 1));
    EXPECT_DOUBLE_EQ(g.valueForKey("xPosition").toDouble(), 1);
    EXPECT_DOUBLE_EQ(g.valueForKey("height").toDouble(), 4);
    EXPECT_EQ(g.valueForKey("drawingBounds").toRectF(), g.drawingBounds());
    EXPECT_TRUE(g.valueForKey("canSetDrawingFill").toBool());
    EXPECT_EQ(g.valueForKey("keysForValuesToObserveForUndo").toStringList(), g.keysForValuesToObserveForUndo());
    EXPECT_FALSE(g.valueForKey("noSuchKey").isValid());
}

TEST(SKTGraphicObservation, PositionAndSizeKeysGoThroughBounds)
{
    const struct {
        const char* key;
        double value;
        QRectF expected;
    } cases[] = {
        {"xPosition", 5, {5, 10, 50, 20}},
        {"yPosition", 6, {10, 6, 50, 20}},
        {"width", 7, {10, 10, 7, 20}},
        {"height", 8, {10, 10, 50, 8}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        SKTGraphic g;
        g._bounds = QRectF(10, 10, 50, 20);
        Recorder rec(g);
        g.setValueForKey(c.value, c.key);
        EXPECT_EQ(g.bounds(), c.expected);
        ASSERT_EQ(rec.keys(), QStringList({"bounds", "drawingBounds"}));
        EXPECT_EQ(rec.changes[0].oldValue.toRectF(), QRectF(10, 10, 50, 20));
        EXPECT_FALSE(SKTGraphic::automaticallyNotifiesObserversForKey(c.key));
        EXPECT_EQ(g.keyPathsForValuesAffectingValueForKey(c.key), QStringList({"bounds"}));
    }
    EXPECT_TRUE(SKTGraphic::automaticallyNotifiesObserversForKey("bounds"));
}

TEST(SKTGraphicObservation, DirectFieldWritesAndPlainAccessorsTellNobody)
{
    SKTGraphic g;
    Recorder rec(g);
    g._bounds = QRectF(1, 1, 1, 1);
    g._fillColor = Colour::black();
    g.ctrl_is_locked = true;
    g.Set_Ctrl_Is_Visible(false);
    g.Set_Shape_Type("C");
    g.fillColor();   // stores the opacity back, quietly
    g.setValueForKey(3, "noSuchKey");
    EXPECT_TRUE(rec.changes.empty());
}

TEST(SKTGraphicObservation, SetColorTurnsTheFillOnFirst)
{
    SKTGraphic g;
    g._isDrawingFill = false;
    Recorder rec(g);
    g.setColor(Colour::rgb(0, 1, 0));
    EXPECT_EQ(rec.keys(), QStringList({"drawingFill", "drawingContents", "fillColor", "drawingContents"}));
    EXPECT_TRUE(g._isDrawingFill);
    EXPECT_EQ(g._fillColor, Colour::rgb(0, 1, 0));

    rec.changes.clear();
    g.setColor(Colour::rgb(0, 0, 1));
    EXPECT_EQ(rec.keys(), QStringList({"fillColor", "drawingContents"}));
    EXPECT_EQ(rec.changes[0].oldValue.value<Colour>(), Colour::rgb(0, 1, 0));
}

TEST(SKTGraphicObservation, UndoKeysAndPresentableNames)
{
    const SKTText t;
    EXPECT_EQ(t.keysForValuesToObserveForUndo(),
              QStringList({"drawingFill", "fillColor", "drawingStroke", "strokeColor", "strokeWidth", "bounds"}));
    EXPECT_TRUE(t.presentablePropertyNameForKey("bounds").isEmpty());
    EXPECT_EQ(t.keyPathsForValuesAffectingValueForKey("drawingBounds"), QStringList({"bounds", "strokeWidth"}));
    EXPECT_EQ(t.keyPathsForValuesAffectingValueForKey("drawingContents"),
              QStringList({"drawingFill", "fillColor", "drawingStroke", "strokeColor"}));
}

TEST(SKTGraphicLists, BoundsOfGraphics)
{
    EXPECT_EQ(SKTGraphic::boundsOfGraphics({}), QRectF(0, 0, 0, 0));
    EXPECT_EQ(SKTGraphic::boundsOfGraphics({graphicAt({5, 6, 7, 8})}), QRectF(5, 6, 7, 8));
    EXPECT_EQ(SKTGraphic::boundsOfGraphics({graphicAt({0, 0, 5, 5}), graphicAt({20, 30, 10, 10})}),
              QRectF(0, 0, 30, 40));
    // a horizontal line has no height and still counts
    EXPECT_EQ(SKTGraphic::boundsOfGraphics({graphicAt({0, 0, 5, 5}), graphicAt({10, 10, 50, 0})}),
              QRectF(0, 0, 60, 10));
}

TEST(SKTGraphicLists, DrawingBoundsOfGraphics)
{
    const QRectF card(0, 0, 243, 153);
    EXPECT_EQ(SKTGraphic::drawingBoundsOfGraphics({}, card), card);
    EXPECT_EQ(SKTGraphic::drawingBoundsOfGraphics({graphicAt({0, 0, 10, 10}), graphicAt({20, 20, 10, 10})}, card),
              QRectF(-3, -3, 37, 37));
    EXPECT_EQ(SKTGraphic::drawingBoundsOfGraphics({}), QRectF(0, 0, 0, 0)); // nothing given for none
}

// Hands out (100 n, 100 n + 1) at its n-th call (from 1), recording the sides
// it was asked about.
struct NewPoints
{
    QPointF operator()(const QString& side)
    {
        askedSides.append(side);
        const double step = 100.0 * double(askedSides.size());
        return {step, step + 1};
    }
    QStringList askedSides;
};

TEST(SKTGraphicLists, PasteSkipsLockedObjectsButNotTheirPlaces)
{
    NewPoints points;
    const GraphicList graphics = {graphicAt({1, 1, 10, 20}), graphicAt({2, 2, 30, 40}, true),
                                  graphicAt({3, 3, 50, 60})};
    Recorder lockedRec(*graphics[1]);
    SKTGraphic::Paste_Location_Of_Graphics(graphics, 40, 40, "B", std::ref(points));
    EXPECT_EQ(graphics[0]->bounds(), QRectF(40, 40, 10, 20));
    EXPECT_EQ(graphics[1]->bounds(), QRectF(2, 2, 30, 40));
    EXPECT_EQ(graphics[2]->bounds(), QRectF(200, 201, 50, 60));   // the second point handed out
    EXPECT_EQ(points.askedSides, QStringList({"B", "B"}));
    EXPECT_TRUE(lockedRec.changes.empty());
}

TEST(SKTGraphicLists, PasteOfOneObjectAsksForNoPoint)
{
    NewPoints points;
    const GraphicList graphics = {graphicAt({1, 1, 10, 20})};
    Recorder rec(*graphics[0]);
    SKTGraphic::Paste_Location_Of_Graphics(graphics, 7, 8, "F", std::ref(points));
    EXPECT_EQ(graphics[0]->bounds(), QRectF(7, 8, 10, 20));
    EXPECT_TRUE(points.askedSides.isEmpty());
    EXPECT_EQ(rec.keys(), QStringList({"bounds", "drawingBounds"}));
}

TEST(SKTGraphicLists, TranslateLeavesLockedObjects)
{
    const GraphicList graphics = {graphicAt({1, 1, 10, 20}), graphicAt({2, 2, 30, 40}, true),
                                  graphicAt({-5, 3, 50, 60})};
    Recorder moved(*graphics[0]);
    Recorder locked(*graphics[1]);
    SKTGraphic::translateGraphics(graphics, 10, -4);
    EXPECT_EQ(graphics[0]->bounds(), QRectF(11, -3, 10, 20));
    EXPECT_EQ(graphics[1]->bounds(), QRectF(2, 2, 30, 40));
    EXPECT_EQ(graphics[2]->bounds(), QRectF(5, -1, 50, 60));
    ASSERT_EQ(moved.keys(), QStringList({"bounds", "drawingBounds"}));
    EXPECT_EQ(moved.changes[0].oldValue.toRectF(), QRectF(1, 1, 10, 20));
    EXPECT_TRUE(locked.changes.empty());
}
