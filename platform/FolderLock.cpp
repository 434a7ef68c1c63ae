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

FolderLock::FolderLock(const QString& folder) : FolderLock(folder, waitLimit())
{
}

FolderLock::FolderLock(const QString& folder, std::chrono::milliseconds wait)
{
    take(folder, wait);
}

void FolderLock::take(const QString& folder, std::chrono::milliseconds wait)
{
    const auto failed = [this, &folder](int error) {
        m_error = QStringLiteral("The folder %1 cannot be locked: %2")
                      .arg(folder, QString::fromLocal8Bit(std::strerror(error)));
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
    const auto deadline = std::chrono::steady_clock::now() + wait;
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        const int fd = ::open(m_path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK,
                              0666);
        if (fd < 0) {
            failed(errno);
            return;
        }
        struct stat held = {};
        const int statError = ::fstat(fd, &held) != 0 ? errno : S_ISREG(held.st_mode) ? 0 : EINVAL;
        if (statError != 0) {
            ::close(fd);
            failed(statError);
            return;
        }
        if (tryLock(fd) == 0) {
            // The holder before removes the file as it lets go: a file no
            // longer under the name is no lock any more; the name's new file
            // is.
            struct stat named = {};
            if (::lstat(m_path.constData(), &named) == 0 && named.st_dev == held.st_dev
                && named.st_ino == held.st_ino) {
                m_fd = fd;
                return;
            }
            ::close(fd);
            continue;
        }
        const int error = errno;
        ::close(fd);
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

FolderLock::~FolderLock()
{
    if (m_fd < 0)
        return;
    // Removed while still held, so no one takes the file that is going.
    ::unlink(m_path.constData());
    ::close(m_fd);
}
