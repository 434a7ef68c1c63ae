// Reads untrusted bytes as the parts of an unpacked workbook, the way the
// spreadsheet import reads them: the bytes before the first NUL are the
// shared-strings part and those after it the worksheet part (without a NUL,
// all of them are the worksheet and the shared strings are three fixed
// entries; with a NUL first, the workbook has no shared strings). Whatever
// the parts hold, the column count stays within XFD, the titles are at most
// one row, every row read stands for exactly that many entries, and what is
// kept stays within the reader's limits. Shared strings that cannot be read
// refuse the workbook: then no titles and no rows are read at all; nor are
// rows read of a sheet whose text cells point into shared strings the
// workbook does not have.
#include "data/Globals.h"
#include "data/SpreadsheetWriter.h"
#include "data/UnpackFolder.h"
#include "fuzz/FuzzEnvironment.h"

#include <QDir>
#include <QFile>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

const QByteArray fixedStrings =
    "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
    "<si><t>a</t></si><si><r><t>b</t></r><r><t>c</t></r></si><si/></sst>";

// The unpack folder of the run, inside the run's folder.
const QString& unpackFolder()
{
    static const QString folder = [] {
        qputenv("TMPDIR", QFile::encodeName(FuzzEnvironment::runFolder("workbook_fuzzer")));
        const QString path = UnpackFolder::path();
        QDir().mkpath(path + QStringLiteral("/xl/worksheets"));
        return path;
    }();
    return folder;
}

void writeFile(const QString& path, const char* data, size_t size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(data, qint64(size)) != qint64(size))
        FuzzEnvironment::fail("cannot write a part");
}

void expectShape(const SpreadsheetWriter::Table& table, int columns)
{
    for (const QStringList& row : table)
        if (row.size() != columns)
            FuzzEnvironment::fail("a row without exactly Excel_Sheet_Columns entries");
}

// Every row stands for exactly `columns` entries and keeps only cells with
// text inside them, in column order, within the reader's limits.
void expectShape(const SheetRows& rows, int columns)
{
    if (rows.cellCount() > WorksheetReader::MaxCells || rows.textLength() > WorksheetReader::MaxTextLength)
        FuzzEnvironment::fail("more cells than the limits let through");
    for (qsizetype r = 0; r < rows.size(); ++r) {
        if (rows.rowLength(r) != columns)
            FuzzEnvironment::fail("a row without exactly Excel_Sheet_Columns entries");
        int previous = -1;
        for (qsizetype k = 0; k < rows.cellCount(r); ++k) {
            const SheetRows::Cell cell = rows.cell(r, k);
            if (cell.column <= previous || cell.column >= columns || cell.text.isEmpty())
                FuzzEnvironment::fail("a cell out of its row");
            previous = cell.column;
        }
    }
}
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzEnvironment::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString& folder = unpackFolder();
    SpreadsheetWriter& reader = SpreadsheetWriter::sharedInstance();
    QDir().mkpath(folder + QStringLiteral("/xl/worksheets"));

    const char* bytes = reinterpret_cast<const char*>(data);
    const void* nul = std::memchr(bytes, 0, size);
    const QString strings = folder + QStringLiteral("/xl/sharedStrings.xml");
    if (nul) {
        const size_t split = size_t(static_cast<const char*>(nul) - bytes);
        if (split == 0)
            QFile::remove(strings);
        else
            writeFile(strings, bytes, split);
        writeFile(folder + QStringLiteral("/xl/worksheets/sheet1.xml"), bytes + split + 1, size - split - 1);
    } else {
        writeFile(strings, fixedStrings.constData(), size_t(fixedStrings.size()));
        writeFile(folder + QStringLiteral("/xl/worksheets/sheet1.xml"), bytes, size);
    }
    reader.ReadSharedStrings(strings);
    const bool refused = !reader.refusal.isEmpty();
    if (refused && !reader.sharedStrings.isEmpty())
        FuzzEnvironment::fail("shared strings kept from a refused workbook");
    setExcelSheetNumber(1);
    setExcelSheetColumns(1);
    const SpreadsheetWriter::Table titles = SpreadsheetWriter::ReadData_only_column();
    if (Excel_Sheet_Columns < 0 || Excel_Sheet_Columns > SpreadsheetWriter::MaxColumns)
        FuzzEnvironment::fail("the column count is out of bounds");
    if (titles.size() > 1)
        FuzzEnvironment::fail("more than one row of titles");
    expectShape(titles, Excel_Sheet_Columns);
    const SheetRows rows = SpreadsheetWriter::ReadWorkbook(QString(), false);
    expectShape(rows, Excel_Sheet_Columns);
    if (refused && (!titles.isEmpty() || !rows.isEmpty()))
        FuzzEnvironment::fail("a workbook with unreadable shared strings was read");
    if (!reader.refusal.isEmpty() && !rows.isEmpty())
        FuzzEnvironment::fail("a refused workbook was read");
    return 0;
}
