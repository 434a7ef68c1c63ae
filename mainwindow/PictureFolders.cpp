#include "mainwindow/PictureFolders.h"

#include "app/Globals.h"

#include <QDir>
#include <QFileInfo>

QString PictureFolders::backgroundFolder()
{
    return QDir(Resource_Path).filePath(QStringLiteral("Background"));
}

QString PictureFolders::libraryFolder()
{
    return QDir(Resource_Path).filePath(QStringLiteral("LibraryImage"));
}

bool PictureFolders::isListedPicture(const QString& fileName)
{
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return false;
    const QString extension = fileName.mid(dot + 1).toLower();
    return extension == QLatin1String("png") || extension == QLatin1String("jpg");
}

QStringList PictureFolders::pictureFiles(const QString& folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return {};
    QStringList names;
    for (const QString& name : QDir(folder).entryList(QDir::Files, QDir::Name)) {
        if (isListedPicture(name))
            names.append(name);
    }
    return names;
}

QString PictureFolders::capitalised(const QString& name)
{
    QString result = name.toLower();
    bool wordStart = true;
    for (QChar& c : result) {
        if (c.isSpace()) {
            wordStart = true;
        } else {
            if (wordStart)
                c = c.toUpper();
            wordStart = false;
        }
    }
    return result;
}

QList<PictureFolders::Category> PictureFolders::categories(const QString& library)
{
    if (library.isEmpty() || !QFileInfo(library).isDir())
        return {};
    const QDir dir(library);
    QList<Category> found;
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        found.append({capitalised(name), dir.filePath(name)});
    return found;
}

QString PictureFolders::categoryFolder(const QString& library, const QString& shownName)
{
    if (shownName.isEmpty() || library.isEmpty() || !QFileInfo(library).isDir())
        return {};
    const QDir dir(library);
    const QStringList names = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    if (names.contains(shownName))
        return dir.filePath(shownName);
    for (const QString& name : names) {
        if (name.compare(shownName, Qt::CaseInsensitive) == 0)
            return dir.filePath(name);
    }
    return {};
}
