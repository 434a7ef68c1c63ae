#pragma once

// Files that are no regular files, made for a reader that must refuse them
// without waiting: a FIFO, a device, standard input (by /dev/stdin and by
// /proc/self/fd/0), a folder, and a link to a regular file, which must
// still read. Each holds `payload` for a reader that wrongly reads it, and
// ends for such a reader, so a regression fails the test instead of
// hanging it: a FIFO's writer waits for a reader and gives the payload,
// then end of file; standard input is a pipe that holds the payload and no
// writer. Nothing depends on time.

#include <QByteArray>
#include <QString>

#include <thread>

namespace SpecialFiles {

enum class Kind { Fifo, Device, StandardInput, ProcStandardInput, Folder, LinkToRegular };

inline constexpr Kind AllKinds[] = {Kind::Fifo,   Kind::Device,       Kind::StandardInput, Kind::ProcStandardInput,
                                    Kind::Folder, Kind::LinkToRegular};

const char* name(Kind kind);

// One special file, named with `suffix` (".xlsx") where a name is made, in
// the folder `dir`. Standard input is replaced while it lives. Payloads are
// smaller than a pipe holds (64 KiB).
class Made
{
public:
    Made(Kind kind, const QString& dir, const QByteArray& payload, const QString& suffix = {});
    ~Made();
    Made(const Made&) = delete;
    Made& operator=(const Made&) = delete;

    const QString& path() const { return m_path; }
    bool ok() const { return m_ok; }

private:
    QString m_path;
    bool m_ok = false;
    std::thread m_writer;  // a FIFO's writer
    int m_savedInput = -1; // standard input while a pipe stands in
};

} // namespace SpecialFiles
