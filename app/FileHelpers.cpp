#include "app/FileHelpers.h"

#include "app/Globals.h"
#include "app/MessageBoxes.h"
#include "app/StringHelpers.h"
#include "platform/FileOpener.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <exception>

namespace {
bool existsOrIsLink(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}
}

bool isPathSafeToDelete(const QString& path)
{
    // An empty or relative path would act on the current folder (an empty
    // QDir is the current folder).
    if (path.isEmpty() || QDir::isRelativePath(path))
        return false;
    const QString clean = QDir::cleanPath(path);
    return !clean.isEmpty() && clean != QLatin1String("/") && !QDir(clean).isRoot();
}

void Delete_File(const QString& path)
{
    try {
        if (!isPathSafeToDelete(path))
            return;
        const QString clean = QDir::cleanPath(path);
        const QFileInfo info(clean);
        if (!info.exists() && !info.isSymLink())
            return;
        // Removable when the folder holding it lets us change its entries.
        if (!QFileInfo(info.absolutePath()).isWritable())
            return;
        if (info.isDir() && !info.isSymLink())
            QDir(clean).removeRecursively();
        else
            QFile::remove(clean);
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
}

void Open_Help_File()
{
    const QString path = Resource_Path + QStringLiteral("/Help.pdf");
    if (!QFileInfo::exists(path)) {
        Show_MessageBox(QStringLiteral("Help file does not exist!"));
        return;
    }
    // Without a viewer for it nothing else would appear on screen.
    if (!FileOpener::openFile(path)) {
        Show_NSLog_Message(QStringLiteral("Could not open %1").arg(path));
        Show_MessageBox(QStringLiteral("The help document could not be opened: %1").arg(path));
    }
}

void Check_Path_And_Create_Files()
{
    try {
        // Without a resource folder the relative names below would land in
        // the file system's root.
        if (Resource_Path.isEmpty() || QDir::isRelativePath(Resource_Path))
            return;
        const QStringList folders = {
            Data_Folder_Path,
            Resource_Path + QStringLiteral("/Background"),
            Resource_Path + QStringLiteral("/Fill_Style_Image"),
            Resource_Path + QStringLiteral("/LibraryImage"),
            Resource_Path + QStringLiteral("/Templates"),
            Resource_Path + QStringLiteral("/Templates/User"),
        };
        for (const QString& folder : folders) {
            if (folder.isEmpty() || QDir::isRelativePath(folder) || existsOrIsLink(folder))
                continue;
            // 0777 less the umask, as for any folder the user makes.
            QDir().mkpath(folder);
        }
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
}

QStringList Get_Files_Array_At_Path(const QString& folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return {};
    const QDir dir(folder);
    const QStringList files = dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    QStringList names;
    names.reserve(files.size());
    for (const QString& file : files)
        names.append(pathWithoutExtension(file));
    return names;
}

QString Convert_Path_From_URL(const QUrl& url)
{
    if (url.isLocalFile())
        return url.toLocalFile();
    return url.path(QUrl::FullyDecoded);
}

bool Check_And_Validate_File_Path(const QString& path)
{
    const QString trimmed = Trim_Str(path);
    if (!trimmed.isEmpty() && QFileInfo::exists(trimmed))
        return false;
    Show_MessageBox(QStringLiteral("Please select valid file path."));
    return true;
}

QString pathWithoutExtension(const QString& path)
{
    // Trailing slashes are not part of the last component.
    qsizetype end = path.size();
    while (end > 1 && path.at(end - 1) == QLatin1Char('/'))
        --end;
    const qsizetype nameStart = path.lastIndexOf(QLatin1Char('/'), end - 1) + 1;
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'), end - 1);
    if (dot <= nameStart)
        return path.left(end);
    return path.left(dot);
}
