#pragma once

#include <QString>
#include <QVariant>
#include <functional>
#include <vector>

// A small list of observers for plain model objects. Only the setters that
// publish a key call didChange(); other fields are written without notice.
// Copies start with no observers.
class Observable
{
public:
    using Callback = std::function<void(Observable& sender, const QString& key, const QVariant& oldValue)>;
    using Token = unsigned long long;

    Observable() = default;
    Observable(const Observable&) {}
    Observable& operator=(const Observable&) { return *this; }
    virtual ~Observable() = default;

    Token addObserver(Callback callback);
    void removeObserver(Token token);
    bool hasObservers() const { return !m_observers.empty(); }

protected:
    // Tells every observer that `key` changed; `oldValue` is its value before.
    void didChange(const QString& key, const QVariant& oldValue);

private:
    struct Entry {
        Token token;
        Callback callback;
    };
    std::vector<Entry> m_observers;
    Token m_nextToken = 1;
};
