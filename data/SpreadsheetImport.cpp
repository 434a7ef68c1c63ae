#include "data/SpreadsheetImport.h"

#include "app/StringHelpers.h"

#include <algorithm>

namespace {

QString cellAt(const SpreadsheetImport::Rows& rows, qsizetype row, int column)
{
    return Trim_Str(rows.value(row, column));
}

// The ticked columns among the first `columns`, in column order.
QList<int> tickedColumns(const QList<SpreadsheetImport::ColumnChoice>& choices, int columns)
{
    QList<int> ticked;
    for (int c = 0; c < columns && c < choices.size(); ++c)
        if (choices[c].State)
            ticked.append(c);
    return ticked;
}

int firstDataRow(bool containsHeader)
{
    return containsHeader ? 1 : 0;
}

}   // namespace

QList<SpreadsheetImport::ColumnChoice> SpreadsheetImport::choicesFromTitles(const QStringList& titles)
{
    QList<ColumnChoice> choices;
    choices.reserve(titles.size());
    for (const QString& title : titles)
        choices.append({Trim_Str(title), title, false});
    return choices;
}

bool SpreadsheetImport::anyTicked(const QList<ColumnChoice>& choices)
{
    return std::any_of(choices.begin(), choices.end(), [](const ColumnChoice& c) { return c.State; });
}

QList<SpreadsheetImport::ColumnSeries> SpreadsheetImport::seriesPerColumn(const Rows& rows,
                                                                          const QList<ColumnChoice>& choices,
                                                                          bool containsHeader)
{
    QList<ColumnSeries> result;
    if (rows.isEmpty())
        return result;
    for (int c : tickedColumns(choices, rows.rowLength(0))) {
        ColumnSeries series;
        series.column = c;
        series.name = Remove_Reserve_Char_In_File_Name(Trim_Str(choices[c].Header));
        for (qsizetype r = firstDataRow(containsHeader); r < rows.size(); ++r)
            series.values.append(cellAt(rows, r, c));
        result.append(series);
    }
    return result;
}

QStringList SpreadsheetImport::valuesOfTickedColumns(const Rows& rows, const QList<ColumnChoice>& choices,
                                                     bool containsHeader)
{
    QStringList values;
    const QList<int> ticked = tickedColumns(choices, int(choices.size()));
    for (qsizetype r = firstDataRow(containsHeader); r < rows.size(); ++r) {
        const int length = rows.rowLength(r);
        for (int c : ticked) {
            if (c >= length)
                break;
            values.append(cellAt(rows, r, c));
        }
    }
    return values;
}

SpreadsheetImport::Table SpreadsheetImport::tableFromRows(const Rows& rows, const QList<ColumnChoice>& choices,
                                                          bool containsHeader, const QString& rowNumberTitle)
{
    Table table;
    table.titles.append(rowNumberTitle);
    table.columns.firstRowTitles = containsHeader;
    if (rows.isEmpty())
        return table;
    const int width = rows.rowLength(0);
    const QList<int> ticked = tickedColumns(choices, width);
    for (int c : ticked)
        table.titles.append(cellAt(rows, 0, c));
    // Where the ticked columns stood, and the whole first row.
    if (width <= SheetColumns::maxColumns) {
        table.columns.places.append(0);
        for (int c : ticked)
            table.columns.places.append(c + 1);
        table.columns.titles.append(QString());
        for (int c = 0; c < width; ++c)
            table.columns.titles.append(cellAt(rows, 0, c));
    }
    for (qsizetype r = firstDataRow(containsHeader); r < rows.size(); ++r) {
        if (rows.rowLength(r) == 0)
            continue;
        QStringList cells;
        for (int c : ticked)
            cells.append(cellAt(rows, r, c));
        appendTableRow(table.rows, cells, int(ticked.size()));
    }
    return table;
}

bool SpreadsheetImport::appendTableRow(QList<DesignFileRow>& rows, const QStringList& cells, int count)
{
    if (count < 0 || cells.size() < count)
        return false;
    DesignFileRow row;
    row.insert(QStringLiteral("Extension"), QString::number(rows.size() + 1));
    for (int i = 0; i < count; ++i)
        row.insert(QStringLiteral("Column%1").arg(i + 1), Trim_Str(cells[i]));
    rows.append(row);
    return true;
}
