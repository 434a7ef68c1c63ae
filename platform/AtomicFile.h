#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

// Replaces a file in one step: what is written goes to a new file beside the
// target, and only when every write succeeded and the data is on the disk
// (fsync) is that file renamed over the target. A write the system refuses
// (a full disk, the file size limit) makes commit() fail and the old file
// stays as it was. A symbolic link at the target is replaced itself, never
// written through, so the file it points to is left alone.
//
// The device is write-only and sequential; each write goes straight to the
// system, so no failed write can hide in a buffer.
class AtomicFile : public QIODevice
{
public:
    enum class Access
    {
        Usual,       // 0666 less the umask, as any new file
        OwnerOnly,   // 0600: the file holds a secret
    };

    explicit AtomicFile(const QString& path, Access access = Access::Usual);
    ~AtomicFile() override;   // discards what was written unless committed

    // Creates the new file beside the target; false (with errorString())
    // when it cannot.
    bool open();
    // Puts the written file in place of the target. False, with the target
    // untouched, when any write failed or the file cannot be put in place.
    bool commit();
    // Throws away what was written; the target stays as it was.
    void discard();

    // The new file's own path while it is open, for a writer that takes
    // only a file name; such a writer's failures are for the caller to find
    // (its own check of what landed in the file) before commit().
    QString temporaryName() const;

    bool isSequential() const override { return true; }

    // The whole of `bytes` in place of the file at `path`.
    static bool save(const QString& path, const QByteArray& bytes, QString* error = nullptr,
                     Access access = Access::Usual);

    // For tests where no small file system can be mounted: every file may
    // take at most `bytes` bytes, later writes fail as on a full disk. A
    // negative value lifts the limit.
    static void setWriteLimitForTesting(qint64 bytes);

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    // QIODevice's open(mode) stays hidden: the file is opened by open()
    // alone, always write-only.
    using QIODevice::open;

    bool fail(const QString& reason);
    void removeTemporary();

    QString m_path;
    QByteArray m_temporary;   // the new file's name, encoded
    Access m_access;
    int m_fd = -1;
    qint64 m_written = 0;
    bool m_failed = false;
};
