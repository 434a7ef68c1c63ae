#include "data/UnpackFolder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Makes `path` a folder of ours with mode 0700: creates it when missing,
// tightens its mode when it is ours; refuses links, other kinds of file and
// folders of other users.
bool ensurePrivateFolder(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st {};
    if (::lstat(native.constData(), &st) != 0)
        return false;
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
        return false;
    if ((st.st_mode & 077) != 0 && ::chmod(native.constData(), 0700) != 0)
        return false;
    return true;
}

QString privateFolder()
{
    const QString temp = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    if (temp.isEmpty())
        return {};
    return temp + QStringLiteral("/brightfold-") + QString::number(::geteuid());
}

}

QString UnpackFolder::path()
{
    const QString base = privateFolder();
    if (base.isEmpty() || !ensurePrivateFolder(base))
        return {};
    const QString folder = base + QStringLiteral("/ziptmp");
    if (!ensurePrivateFolder(folder))
        return {};
    return folder;
}

bool UnpackFolder::empty()
{
    const QString folder = path();
    if (folder.isEmpty())
        return false;
    QDir dir(folder);
    bool ok = true;
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        // A link is removed itself; what it points at is left alone.
        if (entry.isDir() && !entry.isSymLink())
            ok = QDir(entry.absoluteFilePath()).removeRecursively() && ok;
        else
            ok = QFile::remove(entry.absoluteFilePath()) && ok;
    }
    return ok;
}

void UnpackFolder::remove()
{
    const QString base = privateFolder();
    struct stat st {};
    if (base.isEmpty() || ::lstat(QFile::encodeName(base).constData(), &st) != 0
        || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
        return;
    QFileInfo info(base + QStringLiteral("/ziptmp"));
    if (info.isSymLink())
        QFile::remove(info.absoluteFilePath());
    else if (info.isDir())
        QDir(info.absoluteFilePath()).removeRecursively();
}
