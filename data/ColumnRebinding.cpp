#include "data/ColumnRebinding.h"

#include "app/StringHelpers.h"
#include "data/BatchBinding.h"

#include <QHash>

namespace {

QStringList trimmed(const QStringList& titles)
{
    QStringList list;
    list.reserve(titles.size());
    for (const QString& title : titles)
        list.append(Trim_Str(title));
    return list;
}

// How often each title stands among the columns (from 1).
QHash<QString, int> countsOf(const QStringList& titles)
{
    QHash<QString, int> counts;
    for (int c = 1; c < titles.size(); ++c)
        ++counts[titles[c]];
    return counts;
}

// The columns of two tables set side by side: those whose titles name one
// column in each are fixed points (the row number too), and every other
// column lies between the nearest fixed points on its two sides.
// Without `renames` a column at an object's place is taken only under the
// object's own title.
class Alignment
{
public:
    Alignment(const QStringList& oldTitles, const QStringList& newTitles, bool renames)
        : m_before(trimmed(oldTitles))
        , m_after(trimmed(newTitles))
        , m_countBefore(countsOf(m_before))
        , m_countAfter(countsOf(m_after))
        , m_renames(renames)
    {
        QHash<QString, int> positionAfter;
        for (int c = 1; c < m_after.size(); ++c)
            positionAfter.insert(m_after[c], c);
        const int size = int(m_before.size());
        m_fixed.fill(-1, size);
        if (size > 0)
            m_fixed[0] = 0;
        for (int c = 1; c < size; ++c) {
            const QString& title = m_before[c];
            if (!title.isEmpty() && m_countBefore.value(title) == 1 && m_countAfter.value(title) == 1)
                m_fixed[c] = positionAfter.value(title);
        }
        m_left.fill(0, size);
        for (int c = 1; c < size; ++c)
            m_left[c] = m_fixed[c - 1] >= 0 ? c - 1 : m_left[c - 1];
        m_right.fill(size, size);
        for (int c = size - 2; c >= 0; --c)
            m_right[c] = m_fixed[c + 1] >= 0 ? c + 1 : m_right[c + 1];
    }

    ColumnRebinding::Outcome outcome(int column) const
    {
        using Why = ColumnRebinding::Why;
        if (column < 1)
            return {column, Why::Followed};
        if (column >= m_before.size())
            return {-1, Why::PastTable};
        if (m_fixed[column] >= 0)
            return {m_fixed[column], Why::Followed};
        const QString& title = m_before[column];
        const bool ambiguous = !title.isEmpty() && (m_countBefore.value(title) > 1 || m_countAfter.value(title) > 1);
        const ColumnRebinding::Outcome none {-1,
                                             title.isEmpty() ? Why::Untitled
                                                 : ambiguous ? Why::Ambiguous
                                                             : Why::Gone};
        // Its place: as far from the fixed point on its left as before, when
        // as many columns stand between the two fixed points now as then.
        const int left = m_left[column];
        const int right = m_right[column];
        const int newLeft = m_fixed[left];
        const int newRight = right < m_before.size() ? m_fixed[right] : int(m_after.size());
        if (newRight - newLeft != right - left)
            return none;
        const int at = newLeft + (column - left);
        const QString& now = m_after[at];
        if (now == title)
            return {at, Why::Kept};
        // A blank title is never a rename: an untitled column at the place
        // of a deleted one is another column.
        if (m_renames && !now.isEmpty() && !m_countBefore.contains(now))
            return {at, Why::Renamed};
        return none;
    }

    int size() const { return int(m_before.size()); }

private:
    QStringList m_before;
    QStringList m_after;
    QHash<QString, int> m_countBefore;
    QHash<QString, int> m_countAfter;
    bool m_renames;
    QList<int> m_fixed; // the new place of a fixed point, -1 for the others
    QList<int> m_left;  // the nearest fixed point on the left
    QList<int> m_right; // the nearest fixed point on the right (size: the end)
};

// Whether bindings go by sheet place alone: one of the tables was read
// without a title row, so its first row's values are data and name nothing.
bool byPlace(const SheetColumns& oldLayout, const SheetColumns& newLayout)
{
    return !oldLayout.firstRowTitles || !newLayout.firstRowTitles;
}

// Two tables set side by side: by sheet place alone when either was read
// without a title row; else through their sheets when both layouts are
// known (a place is a sheet column, and a column outside the new table is
// none), else through their own columns, without renames. A table whose
// layout is unknown stands at the sheet's first columns.
class TableAlignment
{
public:
    TableAlignment(const QStringList& oldTitles, const SheetColumns& oldLayout, const QStringList& newTitles,
                   const SheetColumns& newLayout)
        : m_byPlace(byPlace(oldLayout, newLayout))
        , m_oldFits(oldLayout.fits(oldTitles))
        , m_newFits(newLayout.fits(newTitles))
        , m_bySheet(m_oldFits && m_newFits)
        , m_oldTitles(trimmed(oldTitles))
        , m_newSize(int(newTitles.size()))
        , m_oldLayout(oldLayout)
        , m_newLayout(newLayout)
        , m_alignment(m_bySheet ? Alignment(oldLayout.titles, newLayout.titles, true)
                                : Alignment(oldTitles, newTitles, false))
    {
    }

    ColumnRebinding::Outcome outcome(int column) const
    {
        using Why = ColumnRebinding::Why;
        if (m_byPlace && column >= 1)
            return atPlace(column);
        if (!m_bySheet || column < 1)
            return m_alignment.outcome(column);
        if (column >= m_oldTitles.size())
            return {-1, Why::PastTable};
        ColumnRebinding::Outcome found = m_alignment.outcome(m_oldLayout.places[column]);
        if (found.column < 0)
            return found;
        // A sheet column left out of the new table gives none.
        found.column = m_newLayout.columnAt(found.column);
        if (found.column < 0)
            found.why = m_oldTitles[column].isEmpty() ? Why::Untitled : Why::Gone;
        return found;
    }

    int size() const { return int(m_oldTitles.size()); }

    // The sheet column a column of the old table stood at.
    int placeOf(int column) const { return m_oldFits ? m_oldLayout.places.value(column) : column; }

private:
    // The column of the new table standing at the old column's sheet
    // place, whatever its title; none past the sheet's last column or left
    // out of the new table.
    ColumnRebinding::Outcome atPlace(int column) const
    {
        using Why = ColumnRebinding::Why;
        if (column >= m_oldTitles.size())
            return {-1, Why::PastTable};
        const int place = placeOf(column);
        const int now = m_newFits ? m_newLayout.columnAt(place) : place < m_newSize ? place : -1;
        return now >= 1 ? ColumnRebinding::Outcome {now, Why::Followed} : ColumnRebinding::Outcome {-1, Why::Unplaced};
    }

    bool m_byPlace;
    bool m_oldFits;
    bool m_newFits;
    bool m_bySheet;
    QStringList m_oldTitles;
    int m_newSize;
    SheetColumns m_oldLayout;
    SheetColumns m_newLayout;
    Alignment m_alignment;
};

QString kindName(SKTGraphic::Kind kind)
{
    switch (kind) {
    case SKTGraphic::Kind::Image:
        return QStringLiteral("picture");
    case SKTGraphic::Kind::Barcode:
        return QStringLiteral("barcode");
    default:
        return QStringLiteral("text");
    }
}

// A value as one short line: the object is found by what it shows.
QString shortened(const QString& value)
{
    return shortenedText(value.simplified(), 40);
}

bool takesNoColumn(ColumnRebinding::Why why)
{
    using Why = ColumnRebinding::Why;
    return why != Why::Followed && why != Why::Renamed && why != Why::Kept;
}

} // namespace

ColumnRebinding::Outcome ColumnRebinding::follow(const QStringList& oldTitles, const SheetColumns& oldLayout,
                                                 const QStringList& newTitles, const SheetColumns& newLayout,
                                                 int column)
{
    return TableAlignment(oldTitles, oldLayout, newTitles, newLayout).outcome(column);
}

QList<ColumnRebinding::Outcome> ColumnRebinding::followAll(const QStringList& oldTitles, const SheetColumns& oldLayout,
                                                           const QStringList& newTitles, const SheetColumns& newLayout)
{
    const TableAlignment alignment(oldTitles, oldLayout, newTitles, newLayout);
    QList<Outcome> outcomes;
    outcomes.reserve(alignment.size());
    for (int c = 0; c < alignment.size(); ++c)
        outcomes.append(alignment.outcome(c));
    return outcomes;
}

QList<int> ColumnRebinding::sheetColumnsOf(const QStringList& oldTitles, const SheetColumns& oldLayout,
                                           const QStringList& header)
{
    // The whole sheet read now, every column taken: each saved column goes
    // where it stands in it.
    SheetColumns now;
    now.titles = trimmed(QStringList {QString()} + header);
    for (int c = 0; c < now.titles.size(); ++c)
        now.places.append(c);
    const QList<Outcome> outcomes = followAll(oldTitles, oldLayout, now.titles, now);
    QList<int> columns;
    for (int c = 1; c < outcomes.size(); ++c)
        columns.append(outcomes[c].column >= 1 ? outcomes[c].column - 1 : -1);
    return columns;
}

ColumnRebinding::Outcome ColumnRebinding::followTitle(const QString& title, const QStringList& newTitles, int column)
{
    const QString wanted = Trim_Str(title);
    if (column >= 1 && column < newTitles.size() && Trim_Str(newTitles[column]) == wanted)
        return {column, Why::Followed};
    if (wanted.isEmpty())
        return {-1, Why::Untitled};
    QList<int> found;
    for (int c = 1; c < newTitles.size(); ++c) {
        if (Trim_Str(newTitles[c]) == wanted)
            found.append(c);
    }
    if (found.size() == 1)
        return {found.first(), Why::Followed};
    return {-1, found.isEmpty() ? Why::Gone : Why::Ambiguous};
}

QList<ColumnRebinding::Change> ColumnRebinding::rebind(const GraphicList& graphics, bool back,
                                                       const QStringList& oldTitles, const SheetColumns& oldLayout,
                                                       const QStringList& newTitles, const SheetColumns& newLayout,
                                                       const QList<DesignFileRow>& newRows)
{
    // Bound by place, same titles may stand at other places: the same
    // table is one of the same sheet layout too.
    const bool sameTitles = trimmed(oldTitles).mid(1) == trimmed(newTitles).mid(1)
        && (!byPlace(oldLayout, newLayout) || oldLayout == newLayout);
    const bool newTable = newTitles.size() > 1;
    const TableAlignment alignment(oldTitles, oldLayout, newTitles, newLayout);
    QList<Outcome> outcomes;
    if (!sameTitles) {
        for (int c = 0; c < alignment.size(); ++c)
            outcomes.append(alignment.outcome(c));
    }
    QList<Change> changes;
    for (const GraphicPtr& graphic : graphics) {
        if (!graphic || !BatchBinding::takesValues(*graphic) || graphic->data_source_type != 2)
            continue;
        const int before = graphic->excel_col_indx;
        QString title;
        Outcome outcome;
        if (graphic->excel_col_title) {
            // Without a table the title waits for one, and the object takes
            // no column meanwhile.
            if (!newTable) {
                graphic->excel_col_indx = -1;
                continue;
            }
            title = Trim_Str(*graphic->excel_col_title);
            outcome = followTitle(title, newTitles, before);
            // A table without a title row has no titles to follow: only
            // the object's own column, still of that first value (a paste
            // into the design it was copied from), takes it back.
            if (!newLayout.firstRowTitles && outcome.column != before)
                outcome = {-1, title.isEmpty() ? Why::Untitled : Why::Gone};
        } else if (sameTitles || before < 1) {
            continue;
        } else {
            title = Trim_Str(oldTitles.value(before));
            outcome = before < outcomes.size() ? outcomes[before] : Outcome {-1, Why::PastTable};
        }
        if (outcome.column >= 0) {
            graphic->Set_Excel_binding_Index(outcome.column);
        } else {
            graphic->excel_col_indx = -1;
            // A first row's value is no title to carry.
            if (!title.isEmpty() && (graphic->excel_col_title || oldLayout.firstRowTitles))
                graphic->excel_col_title = title;
        }
        // What followed its title is not told, nor an object that had no
        // column and still has none.
        if (outcome.why == Why::Followed || (outcome.column < 0 && before < 0))
            continue;
        Change change;
        change.back = back;
        change.kind = graphic->kind();
        change.why = outcome.why;
        change.title = title;
        change.column = outcome.column >= 0 ? outcome.column
            : outcome.why == Why::Unplaced  ? alignment.placeOf(before)
                                            : before;
        if (outcome.column >= 0) {
            change.newTitle = Trim_Str(newTitles.value(outcome.column));
            change.shows = BatchBinding::cellOf(newRows, 0, outcome.column);
        }
        changes.append(change);
    }
    return changes;
}

QString ColumnRebinding::message(const QList<Change>& changes)
{
    // A title from a workbook may be of any length: quoted, it is shortened.
    const auto quoted = [](const QString& title) { return shortenedText(title); };
    QStringList atPlace;
    QStringList none;
    for (const Change& c : changes) {
        QString line = QStringLiteral("- %1 on the %2 side").arg(kindName(c.kind), c.back ? "back" : "front");
        if (takesNoColumn(c.why)) {
            switch (c.why) {
            case Why::Gone:
                line += QStringLiteral(": no column is titled \"%1\".").arg(quoted(c.title));
                break;
            case Why::Ambiguous:
                line += QStringLiteral(": \"%1\" names more than one column.").arg(quoted(c.title));
                break;
            case Why::Untitled:
                line += QStringLiteral(": its column had no title.");
                break;
            case Why::Unplaced:
                line += QStringLiteral(": column %1 of the sheet is not in the table now.").arg(c.column);
                break;
            default:
                line += QStringLiteral(": the table had no column %1.").arg(c.column);
                break;
            }
            none << line;
            continue;
        }
        const QString value = shortened(c.shows);
        line += value.isEmpty() ? QStringLiteral(" (now empty)") : QStringLiteral(" showing \"%1\"").arg(value);
        if (c.why == Why::Kept && c.title.isEmpty())
            line += QStringLiteral(": its column has no title; it takes column %1.").arg(c.column);
        else if (c.why == Why::Kept)
            line += QStringLiteral(": \"%1\" names more than one column; it takes the one at its place.")
                        .arg(quoted(c.title));
        else if (c.title.isEmpty())
            line += QStringLiteral(": its column, untitled before, is now \"%1\".").arg(quoted(c.newTitle));
        else
            line += QStringLiteral(": \"%1\" is now \"%2\".").arg(quoted(c.title), quoted(c.newTitle));
        atPlace << line;
    }
    QStringList lines;
    if (!atPlace.isEmpty())
        lines << QStringLiteral("These objects take the column now standing at their column's place:") << atPlace;
    if (!none.isEmpty())
        lines << QStringLiteral("These objects now take no column and show nothing:") << none;
    return lines.join(QLatin1Char('\n'));
}
