#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <functional>

#include <sys/types.h>

// Replaces a file in one step: what is written goes to a new file in the
// target's folder, and only when every write succeeded and the data is on
// the disk (fsync) is that file renamed over the target. A write the system
// refuses (a full disk, the file size limit) makes commit() fail and the old
// file stays as it was.
//
// What is replaced and how:
// - A symbolic link at the target is followed (through a chain of links) to
//   the file it names, and that file is replaced in its own folder; the link
//   stays a link. A link that leads nowhere, or to a folder or anything else
//   that is not a plain file, is refused. The path is followed again right
//   before the rename: when it leads to another file by then (a link was
//   pointed elsewhere, or became a plain file), that file is the one
//   replaced, so the path shows the new file. A writer that must stay in
//   the target's folder replaces a link at the target itself instead
//   (Links::Replace).
// - The new file takes the permission bits and the access list (POSIX ACL)
//   of the file it replaces (never wider: a group that cannot be kept, or a
//   list that cannot be copied, leaves the owning group no access) and,
//   where it may, its group. A new target gets the usual mode, or the
//   owner's alone.
// - A file the user may not write (no write permission, or no write bit at
//   all) is refused and left as it was.
// - The new file has no name until it takes the target's place (where the
//   file system makes unnamed files), so a crash leaves nothing behind.
//   Elsewhere it is a hidden file beside the target, locked while it is in
//   use, whose name carries a mark made from the target's name; one left by
//   a save that crashed is removed at the next save of the same target (in
//   a folder of thousands of files, within four of its saves).
//   Hidden files without that mark, whatever they are called, are never
//   touched.
//
// The device is write-only and sequential; each write goes straight to the
// system, so no failed write can hide in a buffer.
class AtomicFile : public QIODevice
{
public:
    enum class Access {
        Usual,     // a new file: 0666 less the umask; else the old file's bits
        OwnerOnly, // 0600, or the old file's owner bits: the file holds a secret
    };

    enum class Links {
        Follow,  // a link at the target is followed to the file it names
        Replace, // a link at the target is replaced itself, never followed
    };

    explicit AtomicFile(const QString& path, Access access = Access::Usual, Links links = Links::Follow);
    ~AtomicFile() override;   // discards what was written unless committed

    // Finds the file to replace and makes the new file; false (with
    // errorString()) when it cannot, or when the target is refused.
    bool open();
    // Puts the written file in place of the target. False, with the target
    // untouched, when any write failed or the file cannot be put in place.
    bool commit();
    // As commit(), but once the new file is on the disk, just before it
    // takes the target's place, asks `mayReplace` (a caller's last look at
    // the target through its path, which may ask the user). When it answers
    // false, the new file is thrown away, the target stays as it was,
    // commit() returns false and declined() true. The file replaced is the
    // one the path leads to at that look: when the path leads elsewhere
    // after it, the new file moves there and `mayReplace` is asked again.
    // Only the instant between its answer and the rename is left for
    // another writer's file to land unseen.
    bool commit(const std::function<bool()>& mayReplace);
    // The last commit() was refused by its caller's `mayReplace`.
    bool declined() const { return m_declined; }
    // Throws away what was written; the target stays as it was.
    void discard();

    // A name that opens the new file while it is open, for a writer that
    // takes only a file name (opening it for writing, even with truncation,
    // reaches the same file); such a writer's failures are for the caller to
    // find (its own check of what landed in the file) before commit().
    QString temporaryName() const;
    // The file that commit() replaces: the target, or the file its links
    // lead to (as found at open(), and again at commit()). Empty before
    // open().
    QString finalPath() const;

    bool isSequential() const override { return true; }

    // The whole of `bytes` in place of the file at `path`.
    static bool save(const QString& path, const QByteArray& bytes, QString* error = nullptr,
                     Access access = Access::Usual, Links links = Links::Follow);

    // The lines a failed save adds to its message: the reason, and that the
    // file at `path` was left as it was (or that none was written).
    static QString failureDetails(const QString& reason, const QString& path);

    // For tests where no small file system can be mounted: every file may
    // take at most `bytes` bytes, later writes fail as on a full disk. A
    // negative value lifts the limit.
    static void setWriteLimitForTesting(qint64 bytes);

    // For tests that stop a save part way: called after each write with the
    // bytes written so far (Stage::Writing), and once the new file has its
    // hidden name just before it is renamed over the target (Stage::Named).
    enum class Stage {
        Writing,
        Named,
    };
    using StageHook = void (*)(Stage stage, qint64 written);
    static void setStageHookForTesting(StageHook hook);
    // For tests of file systems without unnamed files: false makes every new
    // file a hidden named one from the start.
    static void setUnnamedFilesForTesting(bool allowed);

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    // QIODevice's open(mode) stays hidden: the file is opened by open()
    // alone, always write-only.
    using QIODevice::open;

    // The file a save replaces, as the path leads to it at one moment.
    struct Target
    {
        QByteArray path;       // encoded
        bool replaces = false; // a file is there; its mode and group follow
        mode_t mode = 0;
        gid_t group = 0;
    };

    bool fail(const QString& reason);
    bool resolveTarget(Target* found);
    void takeTarget(const Target& target);
    bool prepareNewFile();
    bool settleTarget(const std::function<bool()>& mayReplace);
    bool moveTo(const Target& target);
    bool makeNewFile(mode_t mode);
    bool takeOldPermissions();
    bool takeOldAccessList(bool groupKept);
    bool linkUnnamed();
    void removeLeftovers() const;
    QByteArray hiddenName() const;
    void removeTemporary();

    QString m_path;
    QByteArray m_final;     // the file to replace, encoded
    QByteArray m_temporary; // the new file's hidden name while it has one
    Access m_access;
    Links m_links;
    bool m_replaces = false; // m_final exists; its mode and group follow
    mode_t m_oldMode = 0;
    gid_t m_oldGroup = 0;
    int m_fd = -1;
    bool m_unnamed = false;
    qint64 m_written = 0;
    bool m_failed = false;
    bool m_declined = false;
};
