#include "data/SeriesImportFile.h"

#include "app/Globals.h"

#include <QFile>
#include <QSaveFile>

bool SeriesImportFile::isAcceptableName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    return !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) && !name.contains(QChar(0));
}

QString SeriesImportFile::pathOf(const QString& name)
{
    return Data_Folder_Path + QLatin1Char('/') + name + QLatin1Char('.') + batch_file_EXT;
}

bool SeriesImportFile::write(const QString& path, const QStringList& values, bool append)
{
    QByteArray content;
    if (append && QFile::exists(path)) {
        QFile old(path);
        if (!old.open(QIODevice::ReadOnly))
            return false;
        content = old.readAll();
    }
    for (const QString& value : values) {
        content += value.toUtf8();
        content += '\n';
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(content) != content.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
