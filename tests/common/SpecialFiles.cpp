#include "common/SpecialFiles.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

namespace SpecialFiles {

namespace {

bool writeAll(int fd, const QByteArray& bytes)
{
    qsizetype at = 0;
    while (at < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + at, size_t(bytes.size() - at));
        if (n <= 0)
            return false;
        at += n;
    }
    return true;
}

} // namespace

const char* name(Kind kind)
{
    switch (kind) {
    case Kind::Fifo:
        return "FIFO";
    case Kind::Device:
        return "device";
    case Kind::StandardInput:
        return "/dev/stdin";
    case Kind::ProcStandardInput:
        return "/proc/self/fd/0";
    case Kind::Folder:
        return "folder";
    case Kind::LinkToRegular:
        return "link to a regular file";
    }
    return "";
}

Made::Made(Kind kind, const QString& dir, const QByteArray& payload, const QString& suffix)
{
    static int made = 0;
    const QString own = QDir(dir).filePath(QStringLiteral("special%1%2").arg(++made).arg(suffix));
    switch (kind) {
    case Kind::Fifo: {
        m_path = own;
        const QByteArray name = QFile::encodeName(m_path);
        m_ok = payload.size() < 65536 && ::mkfifo(name.constData(), 0600) == 0;
        if (m_ok) {
            m_writer = std::thread([name, payload] {
                // A reader that opens and closes again before this writes
                // must not end the test with SIGPIPE.
                sigset_t pipeSignal;
                sigemptyset(&pipeSignal);
                sigaddset(&pipeSignal, SIGPIPE);
                pthread_sigmask(SIG_BLOCK, &pipeSignal, nullptr);
                const int fd = ::open(name.constData(), O_WRONLY | O_CLOEXEC); // waits for a reader
                if (fd >= 0) {
                    writeAll(fd, payload);
                    ::close(fd);
                }
            });
        }
        break;
    }
    case Kind::Device:
        m_path = QStringLiteral("/dev/null");
        m_ok = true;
        break;
    case Kind::StandardInput:
    case Kind::ProcStandardInput: {
        m_path = kind == Kind::StandardInput ? QStringLiteral("/dev/stdin") : QStringLiteral("/proc/self/fd/0");
        int ends[2];
        if (payload.size() >= 65536 || ::pipe2(ends, O_CLOEXEC) != 0)
            break;
        const bool written = writeAll(ends[1], payload);
        ::close(ends[1]);
        m_savedInput = ::fcntl(0, F_DUPFD_CLOEXEC, 3);
        m_ok = written && m_savedInput >= 0 && ::dup2(ends[0], 0) == 0;
        ::close(ends[0]);
        break;
    }
    case Kind::Folder:
        m_path = own;
        m_ok = QDir().mkdir(m_path);
        break;
    case Kind::LinkToRegular: {
        m_path = own;
        QFile target(own + QStringLiteral(".target") + suffix);
        m_ok = target.open(QIODevice::WriteOnly) && target.write(payload) == payload.size();
        target.close();
        m_ok = m_ok && QFile::link(target.fileName(), m_path);
        break;
    }
    }
}

Made::~Made()
{
    if (m_writer.joinable()) {
        // Ends the writer's wait when the reader never opened the FIFO; the
        // read end stays open until the writer is done, so it never meets
        // a FIFO without a reader.
        const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        m_writer.join();
        if (fd >= 0)
            ::close(fd);
    }
    if (m_savedInput >= 0) {
        ::dup2(m_savedInput, 0);
        ::close(m_savedInput);
    }
}

} // namespace SpecialFiles
