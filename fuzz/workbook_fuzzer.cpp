// Reads untrusted bytes as the parts of an unpacked workbook, the way the
// spreadsheet import reads them: the bytes before the first NUL are the
// shared-strings part and those after it the worksheet part (without a NUL,
// all of them are the worksheet and the shared strings are three fixed
// entries; with a NUL first, the workbook has no shared strings). A second
// NUL ends the worksheet: the bytes after it are the styles part, and after
// a third NUL the workbook part (for its date system); without them the
// workbook has none. Whatever the parts hold, the column count stays within
// XFD and ends at the last column holding a title or a value (styled empty
// cells make none), the titles are at most one row, every row read stands
// for exactly that many entries, and what is kept stays within the reader's
// limits.
// Shared strings that cannot be read refuse the workbook: then no titles
// and no rows are read at all; nor are rows read of a sheet whose text
// cells point into shared strings the workbook does not have. Every number
// format the styles give shows every value as a text within a bounded
// length, with at least as many digits as its code has zeros before the
// decimal point. The first row
// read alone gives the titles the whole sheet gives, up to its own width,
// and the rows read with number formats left aside are as many as those
// read with them, the last of them holding a value.
#include "data/Globals.h"
#include "data/SpreadsheetWriter.h"
#include "data/UnpackFolder.h"
#include "fuzz/FuzzEnvironment.h"

#include <QDir>
#include <QFile>

#include <algorithm>
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

// The formats of the first styles with a few values, the extreme ones among them.
void expectFormats(const WorkbookStyles& styles)
{
    static const double values[] = {0,      1e-300,          5,    -2.5, 0.75, 2.675, -0.001, 46000.5, 1e15,
                                    -1e300, 2958465.9999999, 1e300};
    for (qsizetype style = 0; style < 64; ++style) {
        const NumberFormat* format = styles.format(style);
        if (!format)
            continue;
        for (const double value : values) {
            const QString shown = format->show(value, styles.date1904());
            if (shown.isNull() || shown.size() > 4 * WorkbookStyles::MaxCodeLength + 1024)
                FuzzEnvironment::fail("a number shown as nothing, or longer than its code can make it");
            if (format->kind() == NumberFormat::Kind::Number && value >= 1
                && std::count_if(shown.begin(), shown.end(), [](QChar c) { return c.isDigit(); }) < format->width())
                FuzzEnvironment::fail("a number with fewer digits than its code has zeros");
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
    // The input cut at its first three NULs.
    QList<QByteArrayView> pieces;
    for (size_t start = 0;;) {
        const void* nul = pieces.size() < 3 ? std::memchr(bytes + start, 0, size - start) : nullptr;
        const size_t end = nul ? size_t(static_cast<const char*>(nul) - bytes) : size;
        pieces.append(QByteArrayView(bytes + start, qsizetype(end - start)));
        if (!nul)
            break;
        start = end + 1;
    }
    const QString strings = folder + QStringLiteral("/xl/sharedStrings.xml");
    const QString styles = folder + QStringLiteral("/xl/styles.xml");
    const QString workbook = folder + QStringLiteral("/xl/workbook.xml");
    if (pieces.size() == 1)
        pieces.prepend(QByteArrayView(fixedStrings));
    const QList<QString> paths {strings, folder + QStringLiteral("/xl/worksheets/sheet1.xml"), styles, workbook};
    for (qsizetype k = 0; k < paths.size(); ++k) {
        if (k < pieces.size() && (k != 0 || !pieces[k].isEmpty()))
            writeFile(paths[k], pieces[k].data(), size_t(pieces[k].size()));
        else
            QFile::remove(paths[k]);
    }
    reader.ReadSharedStrings(strings);
    reader.styles = WorkbookStyles::read(styles, workbook);
    expectFormats(reader.styles);
    const bool refused = !reader.refusal.isEmpty();
    if (refused && !reader.sharedStrings.isEmpty())
        FuzzEnvironment::fail("shared strings kept from a refused workbook");
    reader.sheetPart = QStringLiteral("xl/worksheets/sheet1.xml");
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
    if (!reader.refusal.isEmpty())
        return 0;
    // The first row read alone gives the same titles, up to its own width
    // (of a sheet that breaks after it, titles where the whole gives none);
    // the rows as stored are as many and as wide as those shown in formats.
    const QStringList header = SpreadsheetWriter::readTitleRow();
    if (!reader.refusal.isEmpty())
        FuzzEnvironment::fail("a first row refused that the whole sheet was not");
    if (!titles.isEmpty() && header != titles.first().mid(0, header.size()))
        FuzzEnvironment::fail("a first row read alone unlike the titles");
    const SheetRows stored = SpreadsheetWriter::readRowsAsStored();
    expectShape(stored, Excel_Sheet_Columns);
    if (stored.size() != rows.size())
        FuzzEnvironment::fail("rows as stored not as many as those shown in their formats");
    if (!stored.isEmpty() && stored.cellCount(stored.size() - 1) == 0)
        FuzzEnvironment::fail("a sheet that ends in a row without a value");
    // The columns end at the last holding a title or a value: read as
    // stored, every value shows, so some row has a cell in the last column
    // (and a sheet without a value has no column).
    bool lastColumnHolds = false;
    for (qsizetype r = 0; r < stored.size() && !lastColumnHolds; ++r) {
        const qsizetype cells = stored.cellCount(r);
        lastColumnHolds = cells > 0 && stored.cell(r, cells - 1).column == Excel_Sheet_Columns - 1;
    }
    if (!titles.isEmpty() && !lastColumnHolds)
        FuzzEnvironment::fail("a column after the last that holds a title or a value");
    return 0;
}
