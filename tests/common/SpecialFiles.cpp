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

// Writes `bytes`, counting what went in; false once the FIFO has no reader.
bool writeAll(int fd, const QByteArray& bytes, std::atomic<qint64>& written)
{
    qsizetype at = 0;
    while (at < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + at, size_t(bytes.size() - at));
        if (n <= 0)
            return false;
        at += n;
        written += n;
    }
    return true;
}

} // namespace

const char* name(Kind kind)
{
    const char* const names[] = {"FIFO", "device", "/dev/stdin", "/proc/self/fd/0", "folder", "link to a regular file"};
    return names[int(kind)];
}

Made::Made(Kind kind, const QString& dir, const QByteArray& payload, const QString& suffix)
{
    static int made = 0;
    const QString own = QDir(dir).filePath(QStringLiteral("special%1%2").arg(++made).arg(suffix));
    switch (kind) {
    case Kind::Fifo:
    case Kind::StandardInput:
    case Kind::ProcStandardInput: {
        const QByteArray fifo = QFile::encodeName(own);
        m_ok = ::mkfifo(fifo.constData(), 0600) == 0;
        m_path = m_fifo = own;
        if (m_ok && kind != Kind::Fifo) {
            // Standard input reads the FIFO: the writer fills it at once and
            // goes on only when someone reads it.
            m_path = kind == Kind::StandardInput ? QStringLiteral("/dev/stdin") : QStringLiteral("/proc/self/fd/0");
            const int input = ::open(fifo.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
            m_savedInput = ::fcntl(0, F_DUPFD_CLOEXEC, 3);
            m_ok = input >= 0 && m_savedInput >= 0 && ::dup2(input, 0) == 0;
            m_capacity = m_ok ? ::fcntl(0, F_GETPIPE_SZ) : 0;
            if (input >= 0)
                ::close(input);
        }
        if (!m_ok)
            break;
        m_writer = std::thread([fifo, payload, state = m_state] {
            // A reader that closes before this writes must not raise SIGPIPE.
            sigset_t pipeSignal;
            sigemptyset(&pipeSignal);
            sigaddset(&pipeSignal, SIGPIPE);
            pthread_sigmask(SIG_BLOCK, &pipeSignal, nullptr);
            const int fd = ::open(fifo.constData(), O_WRONLY | O_CLOEXEC); // waits for a reader
            state->opened = true;
            if (fd < 0)
                return;
            // Then newlines until no reader is left or past any size limit
            // (a reader that opened it for writing too never meets its end).
            const QByteArray filler(1 << 16, '\n');
            for (bool more = writeAll(fd, payload, state->written); more && state->written < (qint64(1) << 30);)
                more = writeAll(fd, filler, state->written);
            ::close(fd);
        });
        break;
    }
    case Kind::Device:
        m_path = QStringLiteral("/dev/null");
        m_ok = true;
        break;
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

bool Made::touched() const
{
    if (m_savedInput >= 0) // more went in than the FIFO holds unread
        return m_state->written > m_capacity;
    return m_writer.joinable() && m_state->opened;
}

Made::~Made()
{
    if (m_savedInput >= 0) {
        ::dup2(m_savedInput, 0);
        ::close(m_savedInput);
    }
    if (m_writer.joinable()) {
        // Ends the writer's wait for a reader: this one stays until the
        // writer is open; once it is gone, the writer's next write fails.
        const int fd = ::open(QFile::encodeName(m_fifo).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        while (fd >= 0 && !m_state->opened)
            std::this_thread::yield();
        if (fd >= 0)
            ::close(fd);
        m_writer.join();
    }
}

} // namespace SpecialFiles
