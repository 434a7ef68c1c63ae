#pragma once

// Reads Office Open XML workbooks (.xlsx) into tables of strings and writes a
// table of strings as a one-sheet workbook. Workbooks are unpacked into, and
// put together in, the unpack folder (UnpackFolder); the parts are read and
// written with pugixml and QXmlStreamWriter.
//
// Reading: ReadWorkbook(path, true) unpacks and reads the shared strings; the
// caller picks `Excel_Sheet_Number`, ReadData_only_column() gives the column
// titles and sets `Excel_Sheet_Columns`, and ReadWorkbook(path, false) gives
// every row of that sheet, each with exactly `Excel_Sheet_Columns` entries.

#include <QList>
#include <QString>
#include <QStringList>

class SpreadsheetWriter
{
public:
    using Table = QList<QStringList>;

    // The widest sheet read: column XFD. Wider references are left out, so a
    // sheet cannot make every row hold millions of entries.
    static constexpr int MaxColumns = 16384;
    // The most entries a table read may hold (rows with a value times
    // columns); a larger sheet reads as no rows at all.
    static constexpr qint64 MaxCells = 32 * 1024 * 1024;

    // the table last read, or the table being written
    Table data;
    // the shared strings of the workbook last read, or those being written
    QStringList sharedStrings;
    // the unpack folder
    QString tmpDir;

    // The one instance that the class operations work on, made on first use.
    static SpreadsheetWriter& sharedInstance();

    // With only_col: empties the unpack folder, unpacks the workbook at
    // `path` (a path or a file URL) into it and reads its shared strings; a
    // file that cannot be unpacked leaves the folder and the table empty.
    // Without: reads every row of sheet `Excel_Sheet_Number` of the unpacked
    // workbook (`path` is not used). Returns `data`.
    static Table ReadWorkbook(const QString& path, bool only_col);
    // The column titles of sheet `Excel_Sheet_Number`: one row, or none when
    // the sheet has no row. Sets `Excel_Sheet_Columns` to the larger of the
    // sheet's dimension and the rightmost cell of any row.
    static Table ReadData_only_column();
    // Writes `table` as a workbook at `path` (a path or a file URL) from the
    // resource "Template.xlsx"; true when the archive was written.
    // `hasTitleRow` has no effect.
    static bool WriteWorkbook(const QString& path, const Table& table, bool hasTitleRow);
    // Does nothing; kept for its callers.
    static void Release_Data();
    // The tab names of the unpacked workbook, in the workbook's order.
    static QStringList Read_Sheet_Name();
    // The same as ColumnIndexToName.
    static QString ColumnNumber_To_Name(int n);

    // Reads a shared-strings part into `sharedStrings` (empty when the part
    // is missing or is no XML).
    void ReadSharedStrings(const QString& path);
    // Reads every row of a worksheet part into `data`.
    Table ReadData(const QString& path);
    // Writes `data` as a worksheet part, building `sharedStrings`.
    bool WriteWorksheetData(const QString& path);
    // Writes `sharedStrings` as a shared-strings part.
    bool WriteSharedStringsXML(const QString& path);
    // Column number from 1 to its letters: 1 "A", 27 "AA", 703 "AAA"; "" for n < 1.
    QString ColumnIndexToName(int n) const;

    // True when `text` is written as a number cell: a C-locale decimal
    // without leading zeros, exponent or group separators, of at most 15
    // significant digits, which spreadsheet programs keep exactly.
    static bool isNumberCell(const QString& text);

private:
    SpreadsheetWriter();
    QString sheetPartPath() const;
};

// The column letters of a cell reference: its characters before the first of
// "1" to "9" ("AB12" -> "AB").
QString Get_Column_Char_Str(const QString& ref);
// The column of one to three letters: with base 64 the number from 1 (A 1,
// ZZ 702, AAA 703), with base 65 the index from 0; -1 for anything else.
int Get_Col_index(const QString& letters, int base);
// The code of the first character masked to 8 bits; 0 for an empty text.
int Asc_Val(const QString& text);
