#include "data/SheetRows.h"

#include <algorithm>

SheetRows::SheetRows(std::initializer_list<QStringList> rows) : SheetRows(QList<QStringList>(rows))
{
}

SheetRows::SheetRows(const QList<QStringList>& rows)
{
    for (const QStringList& row : rows) {
        appendRow(int(row.size()));
        for (int column = 0; column < row.size(); ++column)
            setCell(column, row.at(column));
    }
    finish();
}

qsizetype SheetRows::cellEnd(qsizetype row) const
{
    return row + 1 < m_rows.size() ? m_rows.at(row + 1).firstCell : m_cells.size();
}

qsizetype SheetRows::cellCount(qsizetype row) const
{
    return cellEnd(row) - m_rows.at(row).firstCell;
}

QStringView SheetRows::textOf(const StoredCell& c) const
{
    return QStringView(c.column & SharedFlag ? m_shared.text() : m_text).mid(c.start, c.length);
}

SheetRows::Cell SheetRows::cell(qsizetype row, qsizetype index) const
{
    const StoredCell& c = m_cells.at(m_rows.at(row).firstCell + index);
    return {c.index(), textOf(c)};
}

const SheetRows::StoredCell* SheetRows::find(qsizetype row, int column) const
{
    const auto begin = m_cells.cbegin() + m_rows.at(row).firstCell;
    const auto end = m_cells.cbegin() + cellEnd(row);
    const auto at = std::lower_bound(begin, end, column, [](const StoredCell& c, int col) { return c.index() < col; });
    return at != end && at->index() == column ? &*at : nullptr;
}

QString SheetRows::value(qsizetype row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_rows.at(row).length)
        return QString();
    const StoredCell* c = find(row, column);
    return c ? textOf(*c).toString() : QString();
}

QStringList SheetRows::row(qsizetype row) const
{
    if (row < 0 || row >= m_rows.size())
        return {};
    QStringList entries(m_rows.at(row).length);
    for (qsizetype k = 0, n = cellCount(row); k < n; ++k) {
        const Cell c = cell(row, k);
        if (c.column < entries.size())
            entries[c.column] = c.text.toString();
    }
    return entries;
}

QList<QStringList> SheetRows::toTable() const
{
    QList<QStringList> table;
    table.reserve(m_rows.size());
    for (qsizetype r = 0; r < m_rows.size(); ++r)
        table.append(row(r));
    return table;
}

void SheetRows::appendRow(int length)
{
    finish();
    m_rows.append({m_cells.size(), std::max(length, 0)});
}

void SheetRows::store(int column, int length, qsizetype start)
{
    if (m_cells.size() > m_rows.last().firstCell && m_cells.last().index() >= (column & ~SharedFlag))
        m_ordered = false;
    m_cells.append({column, length, start});
}

void SheetRows::setCell(int column, QStringView text)
{
    if (m_rows.isEmpty() || column < 0 || column >= m_rows.last().length || text.isEmpty())
        return;
    store(column, int(text.size()), m_text.size());
    m_text.append(text);
}

void SheetRows::setSharedCell(int column, const TextPool& shared, qsizetype index)
{
    if (m_rows.isEmpty() || column < 0 || column >= m_rows.last().length || index < 0 || index >= shared.size()
        || shared.length(index) == 0)
        return;
    if (m_shared.isEmpty())
        m_shared = shared;
    if (m_shared.text().constData() != shared.text().constData()) {
        setCell(column, shared.at(index));
        return;
    }
    store(column | SharedFlag, int(shared.length(index)), shared.start(index));
}

void SheetRows::finish()
{
    if (m_ordered || m_rows.isEmpty())
        return;
    // Cells that came out of column order: sorted, and of two for one column
    // the later kept.
    const auto begin = m_cells.begin() + m_rows.last().firstCell;
    std::stable_sort(begin, m_cells.end(),
                     [](const StoredCell& a, const StoredCell& b) { return a.index() < b.index(); });
    auto out = begin;
    for (auto it = begin; it != m_cells.end(); ++it) {
        if (out != begin && (out - 1)->index() == it->index())
            *(out - 1) = *it;
        else
            *out++ = *it;
    }
    m_cells.erase(out, m_cells.end());
    m_ordered = true;
}

bool SheetRows::setRowLengths(int length)
{
    finish();
    for (const StoredCell& c : std::as_const(m_cells))
        if (c.index() >= length)
            return false;
    for (Row& row : m_rows)
        row.length = std::max(length, 0);
    return true;
}

void SheetRows::truncate(qsizetype count)
{
    finish();
    if (count >= m_rows.size())
        return;
    count = std::max<qsizetype>(count, 0);
    m_cells.resize(m_rows.at(count).firstCell);
    m_rows.resize(count);
}

void SheetRows::clear()
{
    m_text = QString();
    m_shared.clear();
    m_cells = QList<StoredCell>();
    m_rows = QList<Row>();
    m_ordered = true;
}

bool SheetRows::operator==(const SheetRows& other) const
{
    if (m_rows.size() != other.m_rows.size())
        return false;
    for (qsizetype r = 0; r < m_rows.size(); ++r) {
        if (rowLength(r) != other.rowLength(r) || cellCount(r) != other.cellCount(r))
            return false;
        for (qsizetype k = 0, n = cellCount(r); k < n; ++k) {
            const Cell a = cell(r, k);
            const Cell b = other.cell(r, k);
            if (a.column != b.column || a.text != b.text)
                return false;
        }
    }
    return true;
}
