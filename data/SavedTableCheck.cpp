#include "data/SavedTableCheck.h"

#include "app/StringHelpers.h"
#include "data/BatchBinding.h"
#include "data/WorkbookAccess.h"

#include <QSet>

#include <algorithm>

namespace {

QSet<QString> titleSet(const QStringList& savedTitles)
{
    QSet<QString> titles;
    for (int c = 1; c < savedTitles.size(); ++c) {
        const QString title = Trim_Str(savedTitles[c]);
        if (!title.isEmpty())
            titles.insert(title);
    }
    return titles;
}

QString plural(int count, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

// The part of the sheet whose first row holds the most saved titles, the
// first of equals; "" when no sheet has a row or the workbook was refused.
QString sheetOfTitles(const WorkbookAccess& access, const QList<WorkbookParts::Sheet>& sheets,
                      const QStringList& savedTitles)
{
    QString best;
    int bestFound = -1;
    for (const WorkbookParts::Sheet& sheet : sheets) {
        const QStringList header = access.titles ? access.titles(sheet.part) : QStringList();
        if (access.refusal && !access.refusal().isEmpty())
            return {};
        if (header.isEmpty())
            continue;
        const int found = SavedTableCheck::titlesFound(header, savedTitles);
        if (found > bestFound) {
            best = sheet.part;
            bestFound = found;
        }
    }
    return best;
}

} // namespace

int SavedTableCheck::titlesFound(const QStringList& header, const QStringList& savedTitles)
{
    QSet<QString> cells;
    for (const QString& cell : header)
        cells.insert(Trim_Str(cell));
    const QSet<QString> titles = titleSet(savedTitles);
    return int(std::count_if(titles.begin(), titles.end(), [&](const QString& t) { return cells.contains(t); }));
}

QList<SpreadsheetImport::ColumnChoice> SavedTableCheck::columnsFor(const QStringList& header,
                                                                   const QStringList& savedTitles)
{
    QList<SpreadsheetImport::ColumnChoice> choices = SpreadsheetImport::choicesFromTitles(header);
    const QSet<QString> titles = titleSet(savedTitles);
    bool any = false;
    for (SpreadsheetImport::ColumnChoice& choice : choices) {
        choice.State = titles.contains(choice.Extension);
        any = any || choice.State;
    }
    if (!any) {
        for (SpreadsheetImport::ColumnChoice& choice : choices)
            choice.State = true;
    }
    return choices;
}

bool SavedTableCheck::firstRowIsData(const QStringList& savedTitles, const QList<DesignFileRow>& savedRows)
{
    if (savedRows.isEmpty() || savedTitles.size() < 2)
        return false;
    for (int c = 1; c < savedTitles.size(); ++c) {
        if (Trim_Str(BatchBinding::cellOf(savedRows, 0, c)) != Trim_Str(savedTitles[c]))
            return false;
    }
    return true;
}

SavedTableCheck::Result SavedTableCheck::compare(const QStringList& savedTitles, const QList<DesignFileRow>& savedRows,
                                                 const SpreadsheetImport::Table& now)
{
    Result result;
    result.table = now;
    result.savedRows = int(savedRows.size());
    result.nowRows = int(now.rows.size());
    const int columns = int(std::max(savedTitles.size(), now.titles.size()));
    for (int c = 1; c < columns; ++c) {
        if (Trim_Str(savedTitles.value(c)) != Trim_Str(now.titles.value(c)) || c >= savedTitles.size()
            || c >= now.titles.size())
            result.titlesDiffer = true;
    }
    const int common = std::min(result.savedRows, result.nowRows);
    for (int r = 0; r < common; ++r) {
        for (int c = 0; c < columns; ++c) {
            if (BatchBinding::cellOf(savedRows, r, c) != BatchBinding::cellOf(now.rows, r, c)) {
                ++result.differingRows;
                break;
            }
        }
    }
    const bool same = result.savedRows == result.nowRows && result.differingRows == 0 && !result.titlesDiffer;
    result.outcome = same ? Outcome::Same : Outcome::Changed;
    return result;
}

SavedTableCheck::Result SavedTableCheck::check(const WorkbookAccess& access, const QString& path,
                                               const QStringList& savedTitles, const QList<DesignFileRow>& savedRows)
{
    Result unreadable;
    unreadable.savedRows = int(savedRows.size());
    SpreadsheetImport::Rows rows;
    const QList<WorkbookParts::Sheet> sheets = access.open ? access.open(path) : QList<WorkbookParts::Sheet>();
    if (!sheets.isEmpty() && !(access.refusal && !access.refusal().isEmpty())) {
        const QString part = sheetOfTitles(access, sheets, savedTitles);
        if (!part.isEmpty()) {
            // The titles first: they set how many columns a row of that sheet has.
            if (access.titles)
                access.titles(part);
            if (access.rows && !(access.refusal && !access.refusal().isEmpty()))
                rows = access.rows(path, part);
        }
    }
    if (rows.isEmpty()) {
        if (access.release)
            access.release();
        return unreadable;
    }
    const QList<SpreadsheetImport::ColumnChoice> choices = columnsFor(rows.first(), savedTitles);
    const SpreadsheetImport::Table now = SpreadsheetImport::tableFromRows(
        rows, choices, !firstRowIsData(savedTitles, savedRows), savedTitles.value(0, QStringLiteral("No.")));
    rows = {};
    if (access.release)
        access.release();
    return compare(savedTitles, savedRows, now);
}

QString SavedTableCheck::question(const QString& path, const Result& result)
{
    QString counts =
        QStringLiteral("%1 saved, %2 now").arg(plural(result.savedRows, "row", "rows")).arg(result.nowRows);
    if (result.savedRows == result.nowRows) {
        if (result.differingRows > 0)
            counts += result.differingRows == 1 ? QStringLiteral(", 1 of them differs")
                                                : QStringLiteral(", %1 of them differ").arg(result.differingRows);
        else
            counts += QStringLiteral(", its columns differ");
    }
    return QStringLiteral("The workbook %1 has changed since this design was saved (%2). Read it again?")
        .arg(path, counts);
}

QString SavedTableCheck::unreadableMessage(const QString& path)
{
    return QStringLiteral("The workbook %1 cannot be read; the table saved with the design is used.").arg(path);
}
