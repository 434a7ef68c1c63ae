#pragma once

#include <QList>
#include <QMetaType>
#include <initializer_list>

// An ordered set of distinct non-negative indexes into a list, such as the
// positions of objects inserted into or removed from a side's object list, or
// a canvas's selection. Iteration runs in ascending order.
class IndexSet
{
public:
    IndexSet() = default;
    IndexSet(std::initializer_list<int> indexes);
    explicit IndexSet(int index);

    // The indexes from `first` to `first + count - 1`.
    static IndexSet range(int first, int count);

    bool isEmpty() const { return m_indexes.isEmpty(); }
    int count() const { return int(m_indexes.size()); }
    bool contains(int index) const;
    int firstIndex() const { return m_indexes.isEmpty() ? -1 : m_indexes.first(); }
    int lastIndex() const { return m_indexes.isEmpty() ? -1 : m_indexes.last(); }
    int at(int position) const { return m_indexes.at(position); }

    // Negative indexes are ignored.
    void add(int index);
    void remove(int index);
    void clear() { m_indexes.clear(); }

    const QList<int>& toList() const { return m_indexes; }
    QList<int>::const_iterator begin() const { return m_indexes.cbegin(); }
    QList<int>::const_iterator end() const { return m_indexes.cend(); }

    bool operator==(const IndexSet& other) const = default;

private:
    QList<int> m_indexes;   // ascending, no repeats
};

Q_DECLARE_METATYPE(IndexSet)
