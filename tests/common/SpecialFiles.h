#pragma once

// Files that are no regular files, for readers that must refuse them at
// once, each holding `payload` for a reader that wrongly reads it: a FIFO
// (whose writer gives the payload, then newlines until no reader is left, so
// a wrong reader fails instead of hanging), a device, standard input (by
// /dev/stdin and /proc/self/fd/0) reading such a FIFO, a folder, and a link
// to a regular file, which must still read. Nothing depends on time.

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

// One special file in `dir`, named with `suffix` (".xlsx"); standard input
// is replaced while it lives.
class Made
{
public:
    Made(Kind kind, const QString& dir, const QByteArray& payload, const QString& suffix = {});
    ~Made();
    Made(const Made&) = delete;
    Made& operator=(const Made&) = delete;

    const QString& path() const { return m_path; }
    bool ok() const { return m_ok; }
    // Whether a reader opened the FIFO or read standard input: it would
    // wait where no writer comes.
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
