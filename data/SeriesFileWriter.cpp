#include "data/SeriesFileWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

bool SeriesFileWriter::writeValues(const QString& path, const QStringList& values)
{
    if (path.isEmpty() || QFileInfo(path).isDir())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const QString& value : values) {
        QByteArray line = value.toUtf8();
        line.append('\n');
        if (file.write(line) != line.size()) {
            file.cancelWriting();
            break;
        }
    }
    return file.commit();
}

bool SeriesFileWriter::removeFile(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink() || info.isFile())
        return QFile::remove(path);
    return !info.exists();
}
