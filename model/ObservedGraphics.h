#pragma once

#include "model/SKTGraphic.h"
#include "platform/Observable.h"

#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <unordered_map>

// The observer tokens held on a set of card objects, each observed once, with
// what the observer keeps about each object (State). Tokens are removed from
// the objects still alive when observation stops, so that an object that
// outlives its observer never calls back into it.
template <class State>
class ObservedGraphics
{
public:
    using Callback = std::function<void(const GraphicPtr& graphic, const QString& key, const QVariant& oldValue)>;
    using MakeState = std::function<State(const SKTGraphic& graphic)>;

    ObservedGraphics() = default;
    ObservedGraphics(const ObservedGraphics&) = delete;
    ObservedGraphics& operator=(const ObservedGraphics&) = delete;
    ~ObservedGraphics() { stopAll(); }

    // Observes each object not observed yet (null entries are skipped): its
    // state comes from makeState, and onChange hears of its changes.
    void start(const GraphicList& graphics, const MakeState& makeState, const Callback& onChange)
    {
        for (const GraphicPtr& g : graphics) {
            if (!g || m_observed.count(g.get()))
                continue;
            const std::weak_ptr<SKTGraphic> weak = g;
            Observation observation;
            observation.graphic = weak;
            observation.state = makeState(*g);
            observation.token =
                g->addObserver([onChange, weak](Observable&, const QString& key, const QVariant& oldValue) {
                    if (const GraphicPtr graphic = weak.lock())
                        onChange(graphic, key, oldValue);
                });
            m_observed.emplace(g.get(), std::move(observation));
        }
    }

    // Stops observing the given objects; those not observed are passed over.
    void stop(const GraphicList& graphics)
    {
        for (const GraphicPtr& g : graphics) {
            if (!g)
                continue;
            const auto it = m_observed.find(g.get());
            if (it == m_observed.end())
                continue;
            g->removeObserver(it->second.token);
            m_observed.erase(it);
        }
    }

    // Stops observing every object, also those that left their list unseen.
    void stopAll()
    {
        for (const auto& [raw, observation] : m_observed) {
            if (const GraphicPtr g = observation.graphic.lock())
                g->removeObserver(observation.token);
        }
        m_observed.clear();
    }

    // What is kept about an observed object; null when it is not observed.
    State* stateOf(const SKTGraphic* graphic)
    {
        const auto it = m_observed.find(graphic);
        return it == m_observed.end() ? nullptr : &it->second.state;
    }

private:
    struct Observation {
        std::weak_ptr<SKTGraphic> graphic;
        Observable::Token token = 0;
        State state;
    };
    std::unordered_map<const SKTGraphic*, Observation> m_observed;
};
