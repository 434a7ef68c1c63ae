#pragma once

// Reads the parts of an unpacked workbook that the import needs, as
// streams: the shared strings and a worksheet. Memory grows with what is
// kept (the shared strings, the rows asked for), never with the size of a
// part, and what is kept is held against limits far above any real badge
// list, so that a hostile or huge workbook is refused instead of taking
// the machine's memory.

#include "data/SheetRows.h"
#include "data/TextPool.h"
#include "data/WorkbookStyles.h"

#include <QString>

class WorksheetReader
{
public:
    enum class Status {
        Read,
        Unreadable, // no XML, cut short, or not the part it should be
        TooLarge,   // past the limits below, or a text past XmlPartReader's
        Absent,     // no such part
        // text cells that point into shared strings the workbook lacks, or
        // to an entry its shared strings do not have
        NoSharedStrings,
    };

    // Limits of one workbook read: Excel's own sheet size, and what the
    // import can hold within a few hundred megabytes.
    static constexpr int MaxColumns = 16384;                  // column XFD
    static constexpr qsizetype MaxRows = 1048576;             // rows of a sheet
    static constexpr qsizetype MaxCells = qsizetype(1) << 22; // cells with text in a sheet
    static constexpr qsizetype MaxSharedStrings = qsizetype(1) << 22;
    // Characters (UTF-16 code units): of the shared strings; of a sheet's
    // cells as read (a shared string counted for each cell that shows it);
    // and of what a sheet read holds (the shared strings and the texts of
    // its other cells, which are not kept twice).
    static constexpr qsizetype MaxTextLength = qsizetype(1) << 26;

    // What a worksheet part tells of its width.
    struct SheetShape
    {
        Status status = Status::Unreadable;
        QString error; // why it is unreadable or too large
        // 1 + the rightmost column of a cell holding a value (a text, or a
        // number however shown); cells that only have a style, and the
        // dimension element, which counts them, widen nothing.
        int widest = 0;
    };

    // The shared-strings part into `strings`: one entry per `si` of the
    // root `sst`, the text of its `t` or of its runs' `t` joined (phonetic
    // runs left out, "_xHHHH_" escapes undone). `strings` is left empty
    // unless the part was read; a workbook without shared strings (only
    // inline strings and numbers) has no such part, which is Absent.
    static Status readSharedStrings(const QString& path, TextPool& strings, QString* error = nullptr);

    // A worksheet part: the first `keepRows` rows (each `row` element of
    // the first `sheetData`, in document order) into `rows`, each of
    // `columns` entries. A cell stands in the column of its reference "r",
    // or in the one after the cell before; cells beyond `columns` or beyond
    // XFD are left out. Every row counts against the limits, kept or not;
    // past them, or on an error, `rows` is left empty. A missing part is
    // Unreadable.
    //
    // A cell's text: the shared string its `v` indexes for type "s", else
    // the text of `v` (a formula's cached value), else that of an inline
    // string `is`. A cell of type "s" whose `v` is no index of the shared
    // strings (negative, not a whole number, or not below their count) ends
    // the read as NoSharedStrings, its reason naming the cell, so that it
    // never shows another string; so does one with a `v` when `shared` is
    // null (the workbook has no shared strings), since its text cannot be
    // known.
    //
    // With `styles`, a number cell (no type, or "n") shows its `v` as its
    // style's format does (WorkbookStyles::show), a date cell ("d") its ISO
    // date, and a boolean ("b": a `v` that starts with a number other than
    // 0 is true, any other is false) "TRUE" or "FALSE", or 1 or 0 in its
    // format (WorkbookStyles::showBoolean); without, every cell is read as
    // stored. A boolean with an empty `v` holds no value. A cell without a
    // style of its own ("s"), or whose own the styles part lacks, takes its
    // row's when the row has `customFormat` and a style the part has, else
    // that of the `col` spanning its column (of every `cols` before the
    // cells; of two for one column the first), else style 0, as Gnumeric
    // writes a column's format once on its col.
    //
    // The sheet ends at its last row with a cell that holds a value (a
    // text, or a number however shown) within `columns`: the rows after it,
    // formatted or holding empty cells only, are not among `rows`; an empty
    // row before it stays in its place.
    static SheetShape readSheet(const QString& path, const TextPool* shared, int columns, qsizetype keepRows,
                                SheetRows& rows, const WorkbookStyles* styles = nullptr);
    // The first `rowCount` rows alone, read as readSheet reads them: the
    // read ends after them, so what follows in the part is neither read nor
    // held against the limits, and `widest` tells of those rows only. Rows without
    // a value at the sheet's end are left out as readSheet leaves them out
    // when the read reaches the end.
    static SheetShape readFirstRows(const QString& path, const TextPool* shared, int columns, qsizetype rowCount,
                                    SheetRows& rows, const WorkbookStyles* styles = nullptr);

    // Strings of a workbook carry the characters that XML cannot hold as
    // "_xHHHH_" (the UTF-16 code in hexadecimal).
    static bool isEscapeAt(const QString& text, qsizetype at);
    static QString unescapeText(const QString& text);
    // The column index from 0 of a cell reference ("C7" -> 2); -1 when it
    // starts with no letter; MaxColumns or more for a column beyond XFD.
    static int referenceColumn(QStringView ref);
};
