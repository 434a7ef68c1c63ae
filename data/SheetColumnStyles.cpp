#include "data/SheetColumnStyles.h"

#include <algorithm>

void SheetColumnStyles::add(qint64 first, qint64 last, qsizetype style)
{
    first = std::max<qint64>(first, 0);
    last = std::min<qint64>(last, MaxColumns - 1);
    if (first > last)
        return;
    if (m_next.isEmpty()) {
        m_next.resize(MaxColumns + 1);
        for (int k = 0; k <= MaxColumns; ++k)
            m_next[k] = k;
    }
    for (int column = nextFree(int(first)); column <= last; column = nextFree(column + 1)) {
        if (m_styles.size() <= column)
            m_styles.resize(column + 1, -1);
        m_styles[column] = style;
        m_next[column] = column + 1;
    }
}

qsizetype SheetColumnStyles::at(int column) const
{
    return column >= 0 && column < m_styles.size() ? m_styles.at(column) : -1;
}

int SheetColumnStyles::nextFree(int column)
{
    int free = column;
    while (m_next[free] != free)
        free = m_next[free];
    // Every column walked over now points past the styled run at once.
    while (m_next[column] != free) {
        const int next = m_next[column];
        m_next[column] = free;
        column = next;
    }
    return free;
}
