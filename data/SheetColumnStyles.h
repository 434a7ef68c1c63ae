#pragma once

// The styles a worksheet gives whole columns (its `col` elements), which a
// number cell without a style of its own takes. A sheet may hold several
// `cols` elements and their ranges in any order; where two ranges share a
// column, the first given keeps it, as LibreOffice Calc reads them. Each
// column is styled at most once, so however many ranges a hostile part
// holds, taking them costs about one step per range and per column, and
// nothing lies beyond XFD.

#include <QList>

class SheetColumnStyles
{
public:
    static constexpr int MaxColumns = 16384; // column XFD

    // Gives the columns `first` to `last` (from 0, both included) that have
    // no style yet the style `style`; columns outside 0 to XFD are left out.
    void add(qint64 first, qint64 last, qsizetype style);
    // The style of `column` (from 0); -1 when no range gives it one.
    qsizetype at(int column) const;
    bool isEmpty() const { return m_styles.isEmpty(); }

private:
    // The first column from `column` on that has no style yet (MaxColumns
    // when there is none), shortening the chains it walks.
    int nextFree(int column);

    QList<qsizetype> m_styles; // of the columns from 0, -1 where none
    // For each column, one at or after it that may still be free.
    QList<int> m_next;
};
