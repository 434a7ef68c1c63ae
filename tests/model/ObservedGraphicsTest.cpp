// The observer tokens a document or canvas holds on the card objects it
// watches.

#include "model/ObservedGraphics.h"
#include "model/SKTGraphic.h"

#include <gtest/gtest.h>

namespace {

GraphicPtr graphicAt(const QRectF& r)
{
    auto g = std::make_shared<SKTGraphic>();
    g->_bounds = r;
    return g;
}

} // namespace

TEST(ObservedGraphics, EachObjectIsObservedOnceWithItsOwnState)
{
    const GraphicPtr a = graphicAt(QRectF(0, 0, 10, 10));
    const GraphicPtr b = graphicAt(QRectF(5, 5, 20, 20));
    QStringList heard;
    ObservedGraphics<QRectF> observed;
    const auto bounds = [](const SKTGraphic& g) { return g.bounds(); };
    const auto record = [&](const GraphicPtr& g, const QString& key, const QVariant&) {
        heard << QStringLiteral("%1:%2").arg(g == a ? "a" : "b", key);
    };
    // A null entry is passed over; a second start does not observe twice.
    observed.start({a, nullptr, a}, bounds, record);
    observed.start({a, b}, bounds, record);
    ASSERT_NE(observed.stateOf(a.get()), nullptr);
    EXPECT_EQ(*observed.stateOf(a.get()), QRectF(0, 0, 10, 10));
    EXPECT_EQ(*observed.stateOf(b.get()), QRectF(5, 5, 20, 20));

    a->setBounds(QRectF(1, 1, 10, 10));
    EXPECT_EQ(heard.count(QStringLiteral("a:bounds")), 1);

    // Stopped objects are heard no more; objects never observed are passed over.
    observed.stop({a, graphicAt(QRectF()), nullptr});
    EXPECT_EQ(observed.stateOf(a.get()), nullptr);
    EXPECT_FALSE(a->hasObservers());
    heard.clear();
    a->setBounds(QRectF(2, 2, 10, 10));
    b->setBounds(QRectF(2, 2, 10, 10));
    EXPECT_FALSE(heard.isEmpty());
    for (const QString& change : heard)
        EXPECT_TRUE(change.startsWith(QLatin1String("b:"))) << change.toStdString();
}

TEST(ObservedGraphics, ObjectsThatOutliveTheObserverAreLeftWithoutItsTokens)
{
    const GraphicPtr survivor = graphicAt(QRectF(0, 0, 10, 10));
    GraphicPtr gone = graphicAt(QRectF(0, 0, 10, 10));
    int heard = 0;
    {
        ObservedGraphics<int> observed;
        observed.start({survivor, gone}, [](const SKTGraphic&) { return 0; },
                       [&](const GraphicPtr&, const QString&, const QVariant&) { ++heard; });
        // An object that died while observed is simply forgotten.
        gone.reset();
        observed.stopAll();
        EXPECT_FALSE(survivor->hasObservers());
        observed.start({survivor}, [](const SKTGraphic&) { return 0; },
                       [&](const GraphicPtr&, const QString&, const QVariant&) { ++heard; });
        EXPECT_TRUE(survivor->hasObservers());
    }
    EXPECT_FALSE(survivor->hasObservers());
    survivor->setBounds(QRectF(1, 1, 10, 10));
    EXPECT_EQ(heard, 0);
}
