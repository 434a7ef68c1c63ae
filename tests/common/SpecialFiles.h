#pragma once

// Files that are no regular files, made for a reader that must refuse them
// without waiting: a FIFO, a device, standard input (by /dev/stdin and by
// /proc/self/fd/0), a folder, and a link to a regular file, which must
// still read. Each holds `payload` for a reader that wrongly reads it, and
// ends for such a reader, so a regression fails the test instead of
// hanging it: a FIFO's writer waits for a reader and gives the payload,
// then newlines until the reader is gone (past any reader's size limit);
// standard input reads such a FIFO itself. Nothing depends on time.

#include <QByteArray>
#include <QString>

#include <atomic>
#include <memory>
#include <thread>

namespace SpecialFiles {

enum class Kind { Fifo, Device, StandardInput, ProcStandardInput, Folder, LinkToRegular };

inline constexpr Kind AllKinds[] = {Kind::Fifo,   Kind::Device,       Kind::StandardInput, Kind::ProcStandardInput,
                                    Kind::Folder, Kind::LinkToRegular};

const char* name(Kind kind);

// One special file, named with `suffix` (".xlsx") where a name is made, in
// the folder `dir`. Standard input is replaced while it lives.
class Made
{
public:
    Made(Kind kind, const QString& dir, const QByteArray& payload, const QString& suffix = {});
    ~Made();
    Made(const Made&) = delete;
    Made& operator=(const Made&) = delete;

    const QString& path() const { return m_path; }
    bool ok() const { return m_ok; }
    // Whether a reader opened the FIFO, or read from standard input, so far:
    // one that does may not wait here, but it would where no writer comes.
    bool touched() const;

private:
    QString m_path;
    QString m_fifo;
    bool m_ok = false;
    struct WriterState
    {
        std::atomic<bool> opened {false};
        std::atomic<qint64> written {0};
    };
    std::shared_ptr<WriterState> m_state = std::make_shared<WriterState>();
    std::thread m_writer;  // the FIFO's writer
    int m_savedInput = -1; // standard input while the FIFO stands in
    qint64 m_capacity = 0; // what the FIFO holds
};

} // namespace SpecialFiles
