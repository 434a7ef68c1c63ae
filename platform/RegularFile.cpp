#include "platform/RegularFile.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

bool RegularFile::openForReading(QFile& file, const QString& path)
{
    return open(file, path, false);
}

bool RegularFile::openForReadingAndWriting(QFile& file, const QString& path)
{
    return open(file, path, true);
}

bool RegularFile::open(QFile& file, const QString& path, bool writable)
{
    if (file.isOpen())
        file.close();
    if (path.isEmpty())
        return false;
    const QByteArray name = QFile::encodeName(path);
    // Looked at before opening: opening some devices already does something
    // (a serial line raises its control lines, a tape rewinds).
    struct stat named {};
    if (::stat(name.constData(), &named) != 0 || !S_ISREG(named.st_mode))
        return false;
    // O_NONBLOCK: opening a FIFO returns at once instead of waiting for a
    // writer; it has no effect on reading a regular file.
    const int fd = ::open(name.constData(), (writable ? O_RDWR : O_RDONLY) | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    struct statfs fs = {};
    // What was opened must be the file looked at, not one swapped in since.
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_dev != named.st_dev || st.st_ino != named.st_ino
        || ::fstatfs(fd, &fs) != 0 || fs.f_type == PROC_SUPER_MAGIC) {
        ::close(fd);
        return false;
    }
    const QIODevice::OpenMode mode = writable ? QIODevice::ReadWrite : QIODevice::ReadOnly;
    // The file gets a descriptor of its own, opened through this process's
    // link to the file checked above (so nothing swapped in since can take
    // its place), and ours is closed here where it was opened: a descriptor
    // stays opened and closed by one side, ours or Qt's, which is also what
    // the thread sanitizer needs to follow descriptor numbers reused across
    // threads.
    file.setFileName(QStringLiteral("/proc/self/fd/%1").arg(fd));
    if (file.open(mode)) {
        ::close(fd);
        return true;
    }
    // Without /proc the file takes over our descriptor.
    file.setFileName(QString());
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags != -1)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    if (!file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}
