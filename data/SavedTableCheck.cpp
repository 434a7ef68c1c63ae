#include "data/SavedTableCheck.h"

#include "app/StringHelpers.h"
#include "data/BatchBinding.h"
#include "data/ColumnRebinding.h"
#include "data/WorkbookAccess.h"

#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <cstdlib>
#include <optional>

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

bool refused(const WorkbookAccess& access)
{
    return access.refusal && !access.refusal().isEmpty();
}

// The sheets whose first row holds the most saved titles, in the
// workbook's order; only first rows are read. Several tabs may name one
// part: the part is read and offered once, under its first tab, since the
// others read the same. None when no sheet has a row or the workbook was
// refused.
QList<WorkbookParts::Sheet> sheetsOfMostTitles(const WorkbookAccess& access, const QList<WorkbookParts::Sheet>& sheets,
                                               const QStringList& savedTitles)
{
    QList<WorkbookParts::Sheet> best;
    int bestFound = -1;
    QSet<QString> partsRead;
    for (const WorkbookParts::Sheet& sheet : sheets) {
        if (partsRead.contains(sheet.part))
            continue;
        partsRead.insert(sheet.part);
        const QStringList header = access.header ? access.header(sheet.part) : QStringList();
        if (refused(access))
            return {};
        if (header.isEmpty())
            continue;
        const int found = SavedTableCheck::titlesFound(header, savedTitles);
        if (found > bestFound) {
            best.clear();
            bestFound = found;
        }
        if (found == bestFound)
            best.append(sheet);
    }
    return best;
}

// The table a sheet's rows give, read as the saved one came about; none
// when there is no row.
SpreadsheetImport::Table tableOf(const SpreadsheetImport::Rows& rows, const QStringList& savedTitles,
                                 const SheetColumns& savedColumns)
{
    if (rows.isEmpty())
        return {};
    return SpreadsheetImport::tableFromRows(rows, SavedTableCheck::columnsFor(rows.first(), savedTitles, savedColumns),
                                            savedColumns.firstRowTitles, savedTitles.value(0, QStringLiteral("No.")));
}

// Whether `candidate` is a better match than `best`: one that reads the
// same as stored before one that does not, then fewer differences.
bool closer(const SavedTableCheck::Result& candidate, const SavedTableCheck::Result& best)
{
    using Outcome = SavedTableCheck::Outcome;
    if ((candidate.outcome == Outcome::NumberFormats) != (best.outcome == Outcome::NumberFormats))
        return candidate.outcome == Outcome::NumberFormats;
    return candidate.differences() < best.differences();
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

QList<SpreadsheetImport::ColumnChoice>
SavedTableCheck::columnsFor(const QStringList& header, const QStringList& savedTitles, const SheetColumns& savedColumns)
{
    QList<SpreadsheetImport::ColumnChoice> choices = SpreadsheetImport::choicesFromTitles(header);
    bool any = false;
    // Without the sheet the table was read from, every column of a saved
    // title is read; with it, the columns the saved ones stand at now. A
    // table read without a title row has no titles: its columns are read at
    // their places.
    if (!savedColumns.fits(savedTitles) && savedColumns.firstRowTitles) {
        const QSet<QString> titles = titleSet(savedTitles);
        for (SpreadsheetImport::ColumnChoice& choice : choices) {
            choice.State = titles.contains(choice.Extension);
            any = any || choice.State;
        }
    }
    // A saved column renamed in place, or without a title, is read too:
    // the rebinding that follows finds it where it stood.
    for (int column : ColumnRebinding::sheetColumnsOf(savedTitles, savedColumns, header)) {
        if (column >= 0 && column < choices.size()) {
            choices[column].State = true;
            any = true;
        }
    }
    if (!any) {
        for (SpreadsheetImport::ColumnChoice& choice : choices)
            choice.State = true;
    }
    return choices;
}

bool SavedTableCheck::firstRowIsData(const QStringList& savedTitles, const QList<DesignFileRow>& savedRows)
{
    return !savedRows.isEmpty() && SheetColumns::firstRowRepeats(savedTitles, savedRows.first());
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
                                               const QStringList& savedTitles, const QList<DesignFileRow>& savedRows,
                                               const SheetColumns& savedColumns)
{
    Result unreadable;
    unreadable.savedRows = int(savedRows.size());
    // A design that does not know its sheet tells by its table whether the
    // first row held titles.
    SheetColumns columns = savedColumns;
    if (!columns.known())
        columns.firstRowTitles = columns.firstRowTitles && !firstRowIsData(savedTitles, savedRows);
    const auto done = [&access](Result result) {
        if (access.release)
            access.release();
        return result;
    };
    const QList<WorkbookParts::Sheet> sheets = access.open ? access.open(path) : QList<WorkbookParts::Sheet>();
    if (sheets.isEmpty() || refused(access))
        return done(unreadable);

    std::optional<Result> best;
    for (const WorkbookParts::Sheet& sheet : sheetsOfMostTitles(access, sheets, savedTitles)) {
        // The titles first: they set how many columns a row of that sheet has.
        if (access.titles)
            access.titles(sheet.part);
        SpreadsheetImport::Rows rows;
        if (access.rows && !refused(access))
            rows = access.rows(path, sheet.part);
        if (refused(access))
            return done(unreadable);
        if (rows.isEmpty())
            continue;
        Result result = compare(savedTitles, savedRows, tableOf(rows, savedTitles, columns));
        rows = {};
        if (sheets.size() > 1)
            result.tab = sheet.name;
        if (result.outcome == Outcome::Same)
            return done(result);
        // A table saved before number formats were read holds the numbers
        // as stored; one such sheet is enough to tell.
        const bool formatsFound = best && best->outcome == Outcome::NumberFormats;
        if (!formatsFound && access.rowsAsStored) {
            const SpreadsheetImport::Rows stored = access.rowsAsStored(path, sheet.part);
            if (refused(access))
                return done(unreadable);
            if (!stored.isEmpty()
                && compare(savedTitles, savedRows, tableOf(stored, savedTitles, columns)).outcome == Outcome::Same)
                result.outcome = Outcome::NumberFormats;
        }
        if (!best || closer(result, *best))
            best = std::move(result);
    }
    return done(best ? *std::move(best) : unreadable);
}

int SavedTableCheck::Result::differences() const
{
    return differingRows + std::abs(savedRows - nowRows);
}

QString SavedTableCheck::question(const QString& path, const Result& result)
{
    if (result.outcome == Outcome::NumberFormats)
        return QStringLiteral("The workbook %1 is now read with its number formats (dates and zero-padded numbers as "
                              "the workbook shows them, booleans as TRUE and FALSE); the table saved with this design "
                              "holds them as plain numbers. Read it again?")
            .arg(path);
    QString counts =
        QStringLiteral("%1 saved, %2 now").arg(plural(result.savedRows, "row", "rows")).arg(result.nowRows);
    if (result.savedRows == result.nowRows) {
        if (result.differingRows > 0)
            counts += result.differingRows == 1 ? QStringLiteral(", 1 of them differs")
                                                : QStringLiteral(", %1 of them differ").arg(result.differingRows);
        else
            counts += QStringLiteral(", its columns differ");
    }
    if (!result.tab.isEmpty())
        counts += QStringLiteral("; tab \"%1\"").arg(result.tab);
    return QStringLiteral("The workbook %1 has changed since this design was saved (%2). Read it again?")
        .arg(path, counts);
}

namespace {

// Nothing at all is at `path`: no file, no folder, no link that leads anywhere.
bool nothingAt(const QString& path)
{
    return !path.isEmpty() && !QFileInfo::exists(path);
}

}

QString SavedTableCheck::unreadableMessage(const QString& path)
{
    return QStringLiteral("The workbook %1 %2; the table saved with the design is used.")
        .arg(path, QLatin1String(nothingAt(path) ? "cannot be found" : "cannot be read"));
}

QString SavedTableCheck::keptNote(Outcome outcome, const QString& path)
{
    switch (outcome) {
    case Outcome::Same:
        break;
    case Outcome::Unreadable:
        if (nothingAt(path))
            return QStringLiteral("The workbook cannot be found; the table saved with the design is used.");
        return QStringLiteral("The workbook cannot be read; the table saved with the design is used.");
    case Outcome::Changed:
        return QStringLiteral("The workbook has changed; the table saved with the design is used.");
    case Outcome::NumberFormats:
        return QStringLiteral("The workbook is now read with its number formats; the table saved with the design is "
                              "used.");
    }
    return {};
}
