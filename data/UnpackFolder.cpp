#include "data/UnpackFolder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <csignal>
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

// The folders of processes that have ended, left behind by a crash.
void removeFoldersOfEndedProcesses(const QString& base)
{
    const QFileInfoList entries = QDir(base).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QFileInfo& entry : entries) {
        bool numeric = false;
        const qint64 pid = entry.fileName().toLongLong(&numeric);
        if (numeric && pid > 0 && pid != ::getpid() && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
            QDir(entry.absoluteFilePath()).removeRecursively();
    }
}

QString processFolder(const QString& base)
{
    return base + QLatin1Char('/') + QString::number(::getpid());
}

}

QString UnpackFolder::path()
{
    const QString base = privateFolder();
    if (base.isEmpty() || !ensurePrivateFolder(base))
        return {};
    const QString own = processFolder(base);
    if (!QFileInfo::exists(own))
        removeFoldersOfEndedProcesses(base);
    const QString folder = own + QStringLiteral("/ziptmp");
    if (!ensurePrivateFolder(own) || !ensurePrivateFolder(folder))
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
    QFileInfo info(processFolder(base));
    if (info.isSymLink())
        QFile::remove(info.absoluteFilePath());
    else if (info.isDir())
        QDir(info.absoluteFilePath()).removeRecursively();
}
