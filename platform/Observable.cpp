#include "platform/Observable.h"

#include <algorithm>

Observable::Token Observable::addObserver(Callback callback)
{
    const Token token = m_nextToken++;
    m_observers.push_back({token, std::move(callback)});
    return token;
}

void Observable::removeObserver(Token token)
{
    std::erase_if(m_observers, [token](const Entry& e) { return e.token == token; });
}

void Observable::didChange(const QString& key, const QVariant& oldValue)
{
    // Observers may remove themselves (or others) while being told; work on a
    // copy of the list so that the iteration stays valid.
    const std::vector<Entry> observers = m_observers;
    for (const Entry& e : observers) {
        const bool stillThere = std::any_of(m_observers.begin(), m_observers.end(),
                                            [&](const Entry& x) { return x.token == e.token; });
        if (stillThere)
            e.callback(*this, key, oldValue);
    }
}
