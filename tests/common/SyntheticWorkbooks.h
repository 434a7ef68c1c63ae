#pragma once

// Workbooks made by the tests themselves, of any size: parts are produced
// piece by piece and deflated as they come, so a part of hundreds of
// megabytes never lies whole in memory. A forged archive claims another
// compressed size than its data have and carries padding after them.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace SyntheticWorkbooks {

// Appends the next piece of a part to `out`; false once the part is done.
using Producer = std::function<bool(QByteArray& out)>;

struct Part
{
    QString name;
    Producer content;
};

// Lies an archive tells about one entry.
struct Forgery
{
    QString entry;                  // the entry lied about
    quint32 declaredCompressed = 0; // its compressed size in both headers; 0: the true one
    qint64 padding = 0;             // bytes after its data
    bool claimPadding = false;      // the headers count the padding as compressed data
};

// Writes a zip archive of deflated entries at `path`.
bool writeArchive(const QString& path, const QList<Part>& parts, const Forgery& forgery = {});

// A part of fixed text.
Producer fixedText(const QByteArray& text);
// A part of `head`, then `count` pieces from `item(i)`, then `tail`.
Producer repeated(const QByteArray& head, qint64 count, std::function<QByteArray(qint64)> item, const QByteArray& tail);

// Letters `start` to `start + count` of an endless text: mostly "n", with
// another letter every 128, so that it deflates some eighty times (well
// below what the unpacking refuses as a zip bomb).
QByteArray letters(qint64 start, qint64 count);
// A part of `head`, `length` of those letters, then `tail`, made a mebibyte
// at a time.
Producer longText(const QByteArray& head, qint64 length, const QByteArray& tail);

// The XML of a shared-strings part and of a worksheet part, around their items.
QByteArray sharedStringsHead();
QByteArray sharedStringsTail();
QByteArray sheetHead(const QByteArray& dimension = {});
QByteArray sheetTail();

// `markup` with `prefix` ("x:", or none) wherever "%" stands.
QByteArray prefixed(QByteArray markup, const QByteArray& prefix);
// The relationships and workbook parts of a workbook of tabs: blank-apart
// "Id>Target" items (Id "ss": the shared strings, any other a worksheet) and
// "Name>Id" items in tab order.
QList<Part> tabParts(const QString& relationships, const QString& tabs, const QByteArray& prefix = {});
// A worksheet part of inline strings, its elements written with `prefix`.
Producer textSheet(const QList<QStringList>& rows, const QByteArray& prefix = {});

// A workbook of one sheet with the given worksheet and shared-strings parts;
// without a `sharedStrings` producer the workbook has no such part.
bool writeWorkbook(const QString& path, const Producer& sheet, const Producer& sharedStrings,
                   const Forgery& forgery = {});

// The shapes the limits are tried with.
// `count` shared strings "<si><t>a</t></si>" and a sheet of one cell.
bool writeOneLetterStrings(const QString& path, qint64 count, const Forgery& forgery = {});
// `rows` rows of `columns` cells, each a shared string of its own.
bool writeUniqueStrings(const QString& path, qint64 rows, int columns);
// `rows` rows holding one number in column XFD each.
bool writeSparseWide(const QString& path, qint64 rows);
// `count` shared strings of 200 letters and a number each.
bool writeLongStrings(const QString& path, qint64 count);
// One shared string of `length` letters (see letters()) and a sheet of one cell.
bool writeOneLongString(const QString& path, qint64 length);
// `count` shared strings of numbers up to 99,999.
bool writeNumberStrings(const QString& path, qint64 count);
// `rows` rows of `columns` number cells.
bool writeNumbers(const QString& path, qint64 rows, int columns);

}
