#include "platform/AtomicFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::atomic<qint64> writeLimit {-1};

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// A name for the new file beside `path`: hidden, after the target, with a
// random ending. The target's name is shortened so the whole stays within
// the longest name a folder takes.
QByteArray temporaryNameFor(const QString& path)
{
    const QFileInfo info(path);
    QByteArray base = QFile::encodeName(info.fileName()).left(200);
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray ending(8, 'x');
    for (char& c : ending)
        c = letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)];
    return QFile::encodeName(info.absolutePath()) + "/." + base + '.' + ending;
}

}

AtomicFile::AtomicFile(const QString& path, Access access) : m_path(path), m_access(access) {}

AtomicFile::~AtomicFile()
{
    discard();
}

void AtomicFile::setWriteLimitForTesting(qint64 bytes)
{
    writeLimit.store(bytes);
}

bool AtomicFile::fail(const QString& reason)
{
    m_failed = true;
    setErrorString(reason);
    return false;
}

void AtomicFile::removeTemporary()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.isEmpty()) {
        ::unlink(m_temporary.constData());
        m_temporary.clear();
    }
}

bool AtomicFile::open()
{
    if (isOpen())
        return false;
    m_failed = false;
    m_written = 0;
    if (m_path.isEmpty())
        return fail(QStringLiteral("No file name given."));
    if (QFileInfo(m_path).isDir())
        return fail(QStringLiteral("%1 is a folder.").arg(m_path));
    // A new file in any case: O_EXCL refuses anything already there, a link
    // included. The system takes the umask off the usual mode.
    const mode_t mode = m_access == Access::OwnerOnly ? S_IRUSR | S_IWUSR : 0666;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name = temporaryNameFor(m_path);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return fail(systemError(errno));
        m_fd = fd;
        m_temporary = name;
        break;
    }
    if (m_fd < 0)
        return fail(QStringLiteral("No new file could be made beside %1.").arg(m_path));
    if (m_access == Access::OwnerOnly && ::fchmod(m_fd, S_IRUSR | S_IWUSR) != 0) {
        const int error = errno;
        removeTemporary();
        return fail(systemError(error));
    }
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    return true;
}

QString AtomicFile::temporaryName() const
{
    return QFile::decodeName(m_temporary);
}

qint64 AtomicFile::readData(char*, qint64)
{
    return -1;
}

qint64 AtomicFile::writeData(const char* data, qint64 size)
{
    if (m_failed || m_fd < 0)
        return -1;
    qint64 done = 0;
    while (done < size) {
        qint64 chunk = size - done;
        const qint64 limit = writeLimit.load();
        if (limit >= 0) {
            chunk = std::min(chunk, limit - m_written);
            if (chunk <= 0) {
                fail(systemError(ENOSPC));
                return -1;
            }
        }
        const ssize_t n = ::write(m_fd, data + done, size_t(chunk));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            fail(systemError(n < 0 ? errno : ENOSPC));
            return -1;
        }
        done += n;
        m_written += n;
    }
    return done;
}

bool AtomicFile::commit()
{
    if (m_fd < 0) {
        discard();
        return false;
    }
    if (isOpen())
        QIODevice::close();
    if (m_failed) {
        removeTemporary();
        return false;
    }
    // On the disk before it takes the target's place, so a crash leaves the
    // old file or the whole new one.
    int error = ::fsync(m_fd) == 0 ? 0 : errno;
    const int closed = ::close(m_fd);
    m_fd = -1;
    if (!error && closed != 0)
        error = errno;
    if (!error && ::rename(m_temporary.constData(), QFile::encodeName(m_path).constData()) != 0)
        error = errno;
    if (error) {
        removeTemporary();
        return fail(systemError(error));
    }
    m_temporary.clear();
    // The folder's entry on the disk too; a failure here changes nothing
    // that was written.
    const int folder = ::open(QFile::encodeName(QFileInfo(m_path).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

void AtomicFile::discard()
{
    if (isOpen())
        QIODevice::close();
    removeTemporary();
}

bool AtomicFile::save(const QString& path, const QByteArray& bytes, QString* error, Access access)
{
    AtomicFile file(path, access);
    const bool written = file.open() && file.write(bytes) == bytes.size() && file.commit();
    if (!written && error)
        *error = file.errorString();
    return written;
}
