#include "data/SeriesExporter.h"

#include "data/SeriesFileWriter.h"
#include "data/SpreadsheetWriter.h"
#include "platform/AtomicFile.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

QString SeriesExporter::exportPath(const QString& chosen, Format format)
{
    const QString extension = format == Format::Workbook ? QStringLiteral("xlsx") : QStringLiteral("txt");
    // The name's own extension follows the last dot of the file name; a dot
    // that begins the name (".guests") starts no extension.
    const qsizetype nameStart = chosen.lastIndexOf(QLatin1Char('/')) + 1;
    const qsizetype dot = chosen.lastIndexOf(QLatin1Char('.'));
    if (dot <= nameStart)
        return chosen + QLatin1Char('.') + extension;
    if (QStringView(chosen).mid(dot + 1).compare(extension, Qt::CaseInsensitive) == 0)
        return chosen;
    return chosen.left(dot + 1) + extension;
}

QList<QStringList> SeriesExporter::workbookRows(const QStringList& values)
{
    QList<QStringList> rows;
    rows.reserve(values.size() + 1);
    rows.append(QStringList{QStringLiteral("Batch Value")});
    for (const QString& value : values)
        rows.append(QStringList{value});
    return rows;
}

bool SeriesExporter::exportValues(const QString& path, const QStringList& values, Format format,
                                  const WorkbookWriter& writeWorkbook)
{
    const QFileInfo target(path);
    if (path.isEmpty() || target.isDir())
        return false;
    if (format == Format::Text)
        return SeriesFileWriter::writeValues(path, values);
    const WorkbookWriter writer = writeWorkbook ? writeWorkbook : [](const QString& part, const QList<QStringList>& rows) {
        return SpreadsheetWriter::WriteWorkbook(part, rows, false);
    };

    // The workbook is put together in a private folder of its own, then
    // replaces the file at the path in one step, as every file the program
    // writes: the old file's permissions kept, a link followed, a read-only
    // file refused, nothing left beside it by a crash.
    const QTemporaryDir work;
    if (!work.isValid())
        return false;
    const QString part = work.filePath(QStringLiteral("export.xlsx"));
    if (!writer(part, workbookRows(values)))
        return false;
    QFile written(part);
    if (!written.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = written.readAll();
    return written.error() == QFileDevice::NoError && !bytes.isEmpty() && AtomicFile::save(path, bytes);
}
