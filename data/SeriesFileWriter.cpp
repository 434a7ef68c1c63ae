#include "data/SeriesFileWriter.h"

#include "platform/AtomicFile.h"

#include <QFile>
#include <QFileInfo>

bool SeriesFileWriter::writeValues(const QString& path, const QStringList& values)
{
    if (path.isEmpty() || QFileInfo(path).isDir())
        return false;
    QByteArray bytes;
    for (const QString& value : values) {
        bytes += value.toUtf8();
        bytes += '\n';
    }
    return AtomicFile::save(path, bytes);
}

bool SeriesFileWriter::removeFile(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink() || info.isFile())
        return QFile::remove(path);
    return !info.exists();
}
