#include "platform/FolderLock.h"

#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

std::atomic<std::chrono::milliseconds::rep> waitMilliseconds {FolderLock::defaultWaitLimit.count()};

int tryLock(int fd)
{
    int result = 0;
    do
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    while (result != 0 && errno == EINTR);
    return result;
}

// What a lock file that is no plain file is, for the message naming it.
QString notPlainFile(mode_t mode)
{
    if (S_ISLNK(mode))
        return QStringLiteral("is a symbolic link");
    if (S_ISDIR(mode))
        return QStringLiteral("is a folder");
    return QStringLiteral("is not a plain file");
}

QString cannotBeOpened(int error)
{
    return QStringLiteral("cannot be opened (%1)").arg(QString::fromLocal8Bit(std::strerror(error)));
}

} // namespace

std::chrono::milliseconds FolderLock::waitLimit()
{
    return std::chrono::milliseconds(waitMilliseconds.load());
}

void FolderLock::setWaitLimit(std::chrono::milliseconds limit)
{
    waitMilliseconds = limit.count();
}

QString FolderLock::lockFilePath(const QString& folder)
{
    const QFileInfo real(QFileInfo(folder).canonicalFilePath());
    return real.absolutePath() + QStringLiteral("/.") + real.fileName() + QStringLiteral(".lock");
}

FolderLock::FolderLock(const QString& folder)
{
    take(folder, waitLimit());
}

void FolderLock::take(const QString& folder, std::chrono::milliseconds wait)
{
    QString lockFileProblem;
    const auto failed = [this, &folder, &lockFileProblem](int error) {
        m_error = QStringLiteral("The folder %1 cannot be locked: %2")
                      .arg(folder, QString::fromLocal8Bit(std::strerror(error)));
        // A lock file left in the way is named, with what to do about it.
        if (!lockFileProblem.isEmpty())
            m_error = QStringLiteral(
                          "The folder %1 cannot be locked: its lock file %2 %3. Please remove %2 and try again.")
                          .arg(folder, QFile::decodeName(m_path), lockFileProblem);
    };
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir()) {
        failed(info.exists() ? ENOTDIR : ENOENT);
        return;
    }
    // The folder's root has no folder beside it to hold the lock file.
    if (QFileInfo(info.canonicalFilePath()).fileName().isEmpty()) {
        failed(EINVAL);
        return;
    }
    m_path = QFile::encodeName(lockFilePath(folder));
    const QByteArray folderPath = QFile::encodeName(info.canonicalFilePath());
    const auto deadline = std::chrono::steady_clock::now() + wait;
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        const int error = lockBoth(folderPath, &lockFileProblem);
        if (error == 0)
            return;
        if (error != EWOULDBLOCK) {
            failed(error);
            return;
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            m_timedOut = true;
            failed(EWOULDBLOCK);
            return;
        }
        // Short pauses, growing a little: most holders let go at once, and a
        // lock let go is taken soon after.
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, std::chrono::milliseconds(5));
    }
}

int FolderLock::lockBoth(const QByteArray& folderPath, QString* lockFileProblem)
{
    for (;;) {
        // Something other than a plain file under the lock file's name (a
        // link, a folder, a FIFO, a device) is never opened: a device may
        // act on being opened, and a link is not followed into its target.
        struct stat found = {};
        const bool exists = ::lstat(m_path.constData(), &found) == 0;
        if (exists && !S_ISREG(found.st_mode)) {
            *lockFileProblem = notPlainFile(found.st_mode);
            return EINVAL;
        }
        // No O_TRUNC: a lock file holds nothing, and a file that became
        // something else since is left as it is.
        const int fd = ::open(m_path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK,
                              0666);
        if (fd < 0) {
            const int error = errno;
            // It became something else since it was looked at.
            if (error == ELOOP || error == EISDIR || error == ENXIO) {
                *lockFileProblem = notPlainFile(error == ELOOP ? S_IFLNK : error == EISDIR ? S_IFDIR : S_IFSOCK);
                return error;
            }
            // No lock file where the parent folder is read-only to us: the
            // folder alone is locked, which holds on local file systems.
            // Where that fails too, a lock file that is there but may not
            // be opened is what keeps the lock from being taken.
            if (error == EACCES || error == EROFS || error == EPERM) {
                const int folderError = lockFolder(folderPath, false);
                if (folderError != 0 && folderError != EWOULDBLOCK && exists)
                    *lockFileProblem = cannotBeOpened(error);
                return folderError;
            }
            if (exists)
                *lockFileProblem = cannotBeOpened(error);
            return error;
        }
        struct stat held = {};
        const int statError = ::fstat(fd, &held) != 0 ? errno : S_ISREG(held.st_mode) ? 0 : EINVAL;
        if (statError != 0) {
            if (statError == EINVAL)
                *lockFileProblem = notPlainFile(held.st_mode);
            ::close(fd);
            return statError;
        }
        if (tryLock(fd) != 0) {
            const int error = errno;
            ::close(fd);
            return error;
        }
        // The holder before removes the file as it lets go: a file no longer
        // under the name is no lock any more; the name's new file is.
        struct stat named = {};
        if (::lstat(m_path.constData(), &named) != 0 || named.st_dev != held.st_dev || named.st_ino != held.st_ino) {
            ::close(fd);
            continue;
        }
        // The folder is locked too, for a holder that could not make the
        // lock file (see above). Where a folder cannot be locked (NFS), the
        // lock file is the lock.
        const int error = lockFolder(folderPath, true);
        if (error != 0) {
            // Let go as a holder does.
            ::unlink(m_path.constData());
            ::close(fd);
            return error;
        }
        m_fd = fd;
        return 0;
    }
}

int FolderLock::lockFolder(const QByteArray& folderPath, bool besideLockFile)
{
    const int fd = ::open(folderPath.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return besideLockFile ? 0 : errno;
    if (tryLock(fd) != 0) {
        const int error = errno;
        ::close(fd);
        if (besideLockFile && error != EWOULDBLOCK)
            return 0;
        return error;
    }
    m_folderFd = fd;
    return 0;
}

FolderLock::~FolderLock()
{
    if (m_fd >= 0) {
        // Removed while still held, so no one takes the file that is going.
        ::unlink(m_path.constData());
        ::close(m_fd);
    }
    if (m_folderFd >= 0)
        ::close(m_folderFd);
}
