#include "data/SeriesExporter.h"

#include "data/SeriesFileWriter.h"
#include "data/SpreadsheetWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <filesystem>
#include <sys/stat.h>
#include <system_error>

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

    // The workbook is written under a name of its own beside the target and
    // renamed over it once complete.
    QString partPath;
    {
        QTemporaryFile part(target.absolutePath() + QStringLiteral("/.export-XXXXXX.xlsx"));
        part.setAutoRemove(false);
        if (!part.open())
            return false;
        partPath = part.fileName();
    }
    const bool written = writer(partPath, workbookRows(values)) && QFileInfo(partPath).isFile()
                         && QFileInfo(partPath).size() > 0;
    // The part was made private (0600) as a temporary file; the export gets
    // the permissions of the file it replaces, or those of a new file.
    if (written) {
        QFileDevice::Permissions permissions;
        if (target.isFile()) {
            permissions = target.permissions();
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            const mode_t mode = 0666 & ~mask;
            const std::pair<mode_t, QFileDevice::Permission> bits[] = {
                {S_IRUSR, QFileDevice::ReadOwner}, {S_IWUSR, QFileDevice::WriteOwner},
                {S_IRGRP, QFileDevice::ReadGroup}, {S_IWGRP, QFileDevice::WriteGroup},
                {S_IROTH, QFileDevice::ReadOther}, {S_IWOTH, QFileDevice::WriteOther},
            };
            for (const auto& [bit, permission] : bits) {
                if (mode & bit)
                    permissions |= permission;
            }
            if (permissions & QFileDevice::ReadOwner)
                permissions |= QFileDevice::ReadUser;
            if (permissions & QFileDevice::WriteOwner)
                permissions |= QFileDevice::WriteUser;
        }
        QFile::setPermissions(partPath, permissions);
    }
    std::error_code error;
    if (written)
        std::filesystem::rename(QFile::encodeName(partPath).toStdString(),
                                QFile::encodeName(path).toStdString(), error);
    if (!written || error) {
        QFile::remove(partPath);
        return false;
    }
    return true;
}
