#pragma once

// Reads Office Open XML workbooks (.xlsx) into rows of strings and writes a
// table of strings as a one-sheet workbook. Workbooks are unpacked into, and
// put together in, the unpack folder (UnpackFolder); the parts are read as
// streams (WorksheetReader) and written with QXmlStreamWriter.
//
// Reading: ReadWorkbook(path, true) unpacks, finds the sheets (`parts`) and
// reads the shared strings; the caller picks a sheet (`sheetPart`),
// ReadData_only_column() gives the column titles and
// sets `Excel_Sheet_Columns`, and ReadWorkbook(path, false) gives every row
// of that sheet, each of `Excel_Sheet_Columns` entries. A workbook
// past the reader's limits (WorksheetReader, and MaxUnpackedBytes unpacked),
// whose shared strings cannot be read, or whose sheet has text cells that
// point into shared strings it does not have, is refused at the step that
// finds it out: nothing is read, the reason is logged and kept in `refusal`,
// and the unpack folder is emptied. Release_Data() gives the memory of the
// last read back once the import is done.

#include "data/SheetRows.h"
#include "data/TextPool.h"
#include "data/WorkbookParts.h"
#include "data/WorkbookStyles.h"
#include "data/WorksheetReader.h"

#include <QList>
#include <QString>
#include <QStringList>

class SpreadsheetWriter
{
public:
    using Table = QList<QStringList>;

    // The widest sheet read: column XFD. Wider references are left out, so a
    // sheet cannot make every row hold millions of entries.
    static constexpr int MaxColumns = WorksheetReader::MaxColumns;
    // The most cells with text a sheet read may hold; a larger sheet (also
    // an OpenDocument one, counting every entry) reads as no rows at all.
    static constexpr qint64 MaxCells = WorksheetReader::MaxCells;
    // What a workbook may unpack to, and the parts it may hold: a badge list
    // of 100,000 rows by 20 columns unpacks to well under a third of it.
    static constexpr qint64 MaxUnpackedBytes = qint64(256) << 20;
    static constexpr qint64 MaxParts = 10000;

    // the column titles last read, or the table being written
    Table data;
    // the shared strings of the workbook last read, or those being written
    TextPool sharedStrings;
    // the unpack folder
    QString tmpDir;
    // why the workbook last opened was refused (see above); "" when it was not
    QString refusal;
    // where the parts of the workbook last unpacked lie, and its sheets
    WorkbookParts parts;
    // The worksheet part to read, relative to the unpack folder, as one of
    // `parts.sheets` gives it; "" while no sheet is chosen, which reads as
    // no rows. Unpacking a workbook sets it back to "".
    QString sheetPart;
    // the number formats of the workbook last unpacked, which its number
    // cells are shown in
    WorkbookStyles styles;

    // The one instance that the class operations work on, made on first use.
    static SpreadsheetWriter& sharedInstance();

    // With only_col: empties the unpack folder, unpacks the workbook at
    // `path` (a path or a file URL) into it and reads its shared strings
    // (the part its relationships name, see WorkbookParts) and number
    // formats (WorkbookStyles); the parts are found among the files that
    // unpack wrote, the file at `path` is opened once; a file that
    // cannot be unpacked, is past the limits or has shared strings that
    // cannot be read leaves the folder empty, and no rows. Without:
    // every row of the chosen sheet (`sheetPart`) of the unpacked workbook
    // (`path` is not used); none when the sheet cannot be read or is past
    // the limits.
    static SheetRows ReadWorkbook(const QString& path, bool only_col);
    // The column titles of the chosen sheet: one row, or none when
    // the sheet has no row. Sets `Excel_Sheet_Columns` to the sheet's
    // columns: up to the last holding a title or a value (cells that only
    // have a style make no column; see WorksheetReader).
    static Table ReadData_only_column();
    // The column titles of the chosen sheet as its first row alone gives
    // them, for choosing among sheets without reading each whole: the rest
    // of the sheet is not read, so the titles run to the first row's last
    // cell holding a value. None when the sheet
    // has no row or cannot be read; a first row past the limits refuses the
    // workbook. `Excel_Sheet_Columns` is left as it is.
    static QStringList readTitleRow();
    // Every row of the chosen sheet, as ReadWorkbook(path, false) gives
    // them but with every number cell as stored, its number format left
    // aside, and booleans as stored (1 and 0, not TRUE and FALSE), as
    // workbooks were read before formats and booleans were taken over.
    static SheetRows readRowsAsStored();
    // Writes `table` as a workbook at `path` (a path or a file URL) from the
    // resource "Template.xlsx"; true when the archive was written.
    // `hasTitleRow` has no effect.
    static bool WriteWorkbook(const QString& path, const Table& table, bool hasTitleRow);
    // OpenDocument spreadsheets: unpacks the file at `path` into the unpack
    // folder and returns every row of its first table (a cell repeated n
    // times gives n entries, at most MaxColumns per row).
    static Table ReadODS(const QString& path);
    // Writes `table` as an OpenDocument spreadsheet of text cells from the
    // resource "Template.ods"; true when the file was written.
    static bool WriteODS(const QString& path, const Table& table, bool hasTitleRow);
    // Gives back what the last read holds (the shared strings, the titles)
    // and hands the allocator's free memory back to the system.
    static void Release_Data();
    // The tab names of the unpacked workbook, in the workbook's order.
    static QStringList Read_Sheet_Name();
    // The same as ColumnIndexToName.
    static QString ColumnNumber_To_Name(int n);

    // Reads a shared-strings part into `sharedStrings`: empty when there is
    // no such part (a sheet with text cells pointing into it is then
    // refused); refused (empty, `refusal` set, the reason logged, the unpack
    // folder emptied) when the part cannot be read or is past the limits, so
    // that no text cell comes in blank.
    void ReadSharedStrings(const QString& path);
    // Every row of a worksheet part, each of `Excel_Sheet_Columns` entries;
    // none (and `refusal` set when it is refused) when it cannot be read.
    SheetRows ReadData(const QString& path);
    // Writes `data` as a worksheet part, building `sharedStrings`.
    bool WriteWorksheetData(const QString& path);
    // Writes `sharedStrings` as a shared-strings part.
    bool WriteSharedStringsXML(const QString& path);
    // XML Spreadsheet 2003: every row of the first table of the first
    // worksheet, each cell the text of its first element (its `Data`).
    Table ReadWorksheetXML2004(const QString& path);
    // Writes `table` as XML Spreadsheet 2003, one worksheet "Notes"; the
    // same texts as a workbook are number cells.
    bool WriteWorksheetXML2004(const QString& path, const Table& table);
    // Writes `data` as the content part of an OpenDocument spreadsheet.
    bool WriteODSData(const QString& path);
    // Writes a workbook part naming one sheet.
    bool WriteWorkbookXML(const QString& path, const QString& sheetName);

    // Column number from 1 to its letters: 1 "A", 27 "AA", 703 "AAA"; "" for n < 1.
    QString ColumnIndexToName(int n) const;

    // True when `text` is written as a number cell: a C-locale decimal
    // without leading zeros, exponent or group separators, of at most 15
    // significant digits, which spreadsheet programs keep exactly.
    static bool isNumberCell(const QString& text);

private:
    SpreadsheetWriter();
    // The chosen sheet's part in the unpack folder; "" when none is chosen
    // (the readers then give no rows and log nothing) or when `sheetPart`
    // points outside the folder.
    QString sheetPartPath() const;
    // Every row of a worksheet part, its number cells shown as `shown`
    // says (null: as stored).
    SheetRows readAllRows(const QString& path, const WorkbookStyles* shown);
    // Refuses the workbook being read: forgets it and empties the unpack folder.
    void refuse(const QString& why);
    // The shared strings a sheet read points into; null when the workbook
    // has no shared-strings part.
    const TextPool* sheetStrings() const { return m_sharedStringsRead ? &sharedStrings : nullptr; }
    bool m_sharedStringsRead = false;

    // Reading the titles reads the whole sheet anyway; its rows are kept
    // for the reading of all rows that follows, which then need not read
    // the part again, as long as it is the same part, unchanged, read with
    // the same column count and shared strings.
    struct ReadRows
    {
        SheetRows rows;
        QString path;
        qint64 size = -1;
        qint64 modified = 0;
        int columns = -1;
    };
    ReadRows m_titleRead;
    static void partStamp(const QString& path, qint64& size, qint64& modified);
    // Unpacks a template of the resource folder into a fresh unpack folder.
    bool unpackTemplate(const QString& name);
    // Packs every entry of the unpack folder into an archive at `path`.
    bool packUnpackFolder(const QString& path);
};

// The column letters of a cell reference: its characters before the first of
// "1" to "9" ("AB12" -> "AB").
QString Get_Column_Char_Str(const QString& ref);
// The column of one to three letters: with base 64 the number from 1 (A 1,
// ZZ 702, AAA 703), with base 65 the index from 0; -1 for anything else.
int Get_Col_index(const QString& letters, int base);
// The code of the first character masked to 8 bits; 0 for an empty text.
int Asc_Val(const QString& text);
