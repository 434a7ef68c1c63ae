#include "platform/FolderLock.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

FolderLock::FolderLock(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    int result = -1;
    if (fd >= 0) {
        do
            result = ::flock(fd, LOCK_EX);
        while (result != 0 && errno == EINTR);
    }
    if (result == 0) {
        m_fd = fd;
        return;
    }
    m_error =
        QStringLiteral("The folder %1 cannot be locked: %2").arg(folder, QString::fromLocal8Bit(std::strerror(errno)));
    if (fd >= 0)
        ::close(fd);
}

FolderLock::~FolderLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}
