#include "data/ColumnRebinding.h"

#include "app/StringHelpers.h"
#include "data/BatchBinding.h"

namespace {

// The positions (from 1) of the columns titled `title`.
QList<int> columnsTitled(const QStringList& titles, const QString& title)
{
    QList<int> found;
    for (int c = 1; c < titles.size(); ++c)
        if (Trim_Str(titles[c]) == title)
            found.append(c);
    return found;
}

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
    QString line = value.simplified();
    if (line.size() > 40)
        line = line.left(39) + QChar(0x2026);
    return line;
}

} // namespace

ColumnRebinding::Outcome ColumnRebinding::follow(const QStringList& oldTitles, const QStringList& newTitles, int column)
{
    if (column < 1)
        return {column, Why::Followed};
    const QString title = column < oldTitles.size() ? Trim_Str(oldTitles[column]) : QString();
    if (title.isEmpty())
        return {column, Why::Untitled};
    if (columnsTitled(oldTitles, title).size() > 1)
        return {column, Why::Ambiguous};
    const QList<int> now = columnsTitled(newTitles, title);
    if (now.isEmpty())
        return {column, Why::Gone};
    if (now.size() > 1)
        return {column, Why::Ambiguous};
    return {now.first(), Why::Followed};
}

QList<ColumnRebinding::Kept> ColumnRebinding::rebind(const GraphicList& graphics, bool back,
                                                     const QStringList& oldTitles, const QStringList& newTitles,
                                                     const QList<DesignFileRow>& newRows)
{
    QList<Kept> kept;
    for (const GraphicPtr& graphic : graphics) {
        if (!graphic || !BatchBinding::takesValues(*graphic) || graphic->data_source_type != 2)
            continue;
        const Outcome outcome = follow(oldTitles, newTitles, graphic->excel_col_indx);
        graphic->Set_Excel_binding_Index(outcome.column);
        if (outcome.why == Why::Followed)
            continue;
        Kept k;
        k.back = back;
        k.kind = graphic->kind();
        k.oldTitle = Trim_Str(oldTitles.value(outcome.column));
        k.why = outcome.why;
        k.column = outcome.column;
        k.columnExists = outcome.column < newTitles.size();
        k.newTitle = Trim_Str(newTitles.value(outcome.column));
        k.shows = BatchBinding::cellOf(newRows, 0, outcome.column);
        kept.append(k);
    }
    return kept;
}

QString ColumnRebinding::message(const QList<Kept>& kept)
{
    // Objects whose place is a column of the new table take that column;
    // those whose place lies past its last column take none. Each group
    // comes under a heading that holds for it.
    QStringList atPlace;
    QStringList pastTable;
    for (const Kept& k : kept) {
        QString line = QStringLiteral("- %1 on the %2 side").arg(kindName(k.kind), k.back ? "back" : "front");
        const QString value = shortened(k.shows);
        line += value.isEmpty() ? QStringLiteral(" (now empty)") : QStringLiteral(" showing \"%1\"").arg(value);
        switch (k.why) {
        case Why::Gone:
            line += QStringLiteral(": \"%1\" is gone").arg(k.oldTitle);
            break;
        case Why::Ambiguous:
            line += QStringLiteral(": \"%1\" names more than one column").arg(k.oldTitle);
            break;
        default:
            line += QStringLiteral(": its column had no title");
            break;
        }
        if (!k.columnExists)
            pastTable << line + QStringLiteral("; the new table has no column %1.").arg(k.column);
        else if (k.newTitle.isEmpty())
            atPlace << line + QStringLiteral("; it now takes column %1, which has no title.").arg(k.column);
        else
            atPlace << line + QStringLiteral("; it now takes \"%1\".").arg(k.newTitle);
    }
    QStringList lines;
    if (!atPlace.isEmpty())
        lines << QStringLiteral("The new table has no single column with the title these objects were bound to; "
                                "each keeps the column at its place:")
              << atPlace;
    if (!pastTable.isEmpty())
        lines << QStringLiteral("The new table has no single column with the title these objects were bound to, nor "
                                "a column at their place; they now take no column:")
              << pastTable;
    return lines.join(QLatin1Char('\n'));
}
