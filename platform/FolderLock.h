#pragma once

#include <QString>

#include <chrono>

// An exclusive lock on the writes into a folder, held from construction to
// destruction. A second lock of the same folder, in this or another thread
// or process, waits until the first ends, but no longer than the wait limit;
// then it is not taken and timedOut() says so. The lock is advisory: it
// holds back only code that takes it too.
//
// What is locked (flock) is a lock file beside the folder, ".NAME.lock" in
// its parent folder, opened for writing: NFS grants an exclusive flock only
// on a file open for writing, and a folder can only be opened read-only. So
// the folder's own listing never shows the lock file. The folder is reached
// through its real path, so every path leading to it takes the same lock.
// The lock file is removed when the lock ends; a waiter that finds the file
// it locked no longer under that name tries again with the new one.
// Where the lock file cannot be made (the parent folder is read-only to this
// user or on a read-only mount), the folder itself is locked, which holds on
// local file systems; so that such a lock and one through the lock file keep
// each other out, a lock through the lock file locks the folder too where
// the file system lets it.
// Anything else under the lock file's name (a link, a folder, a FIFO, a
// device) is never opened or followed, and neither it nor a lock file that
// cannot be opened (where the folder alone cannot be locked either) is
// waited for: the lock is refused at once, errorString() naming the file and
// asking for it to be removed.
class FolderLock
{
public:
    // Waits for the lock at most waitLimit(); isLocked() tells whether it
    // was taken.
    explicit FolderLock(const QString& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool isLocked() const { return m_fd >= 0 || m_folderFd >= 0; }
    // Another holder kept the lock past the wait.
    bool timedOut() const { return m_timedOut; }
    // Why the lock was not taken.
    QString errorString() const { return m_error; }

    // The lock file of `folder` (an existing folder): ".NAME.lock" beside
    // its real path.
    static QString lockFilePath(const QString& folder);

    // How long a lock waits for another holder: a few seconds, so a lock
    // kept by a program that hangs is reported instead of waited for without
    // end. Tests shorten or lengthen it.
    static std::chrono::milliseconds waitLimit();
    static void setWaitLimit(std::chrono::milliseconds limit);
    static constexpr std::chrono::milliseconds defaultWaitLimit {5000};

private:
    void take(const QString& folder, std::chrono::milliseconds wait);
    // One try at the lock file and the folder: 0 when locked, else errno
    // (EWOULDBLOCK: held by another). Where the lock file itself is in the
    // way (not a plain file, or one that cannot be opened),
    // `lockFileProblem` says what it is.
    int lockBoth(const QByteArray& folderPath, QString* lockFileProblem);
    // One try at the folder itself; beside a taken lock file only another
    // holder's lock counts as a failure.
    int lockFolder(const QByteArray& folderPath, bool besideLockFile);

    // the lock file, held
    int m_fd = -1;
    // the folder, held
    int m_folderFd = -1;
    bool m_timedOut = false;
    QString m_error;
    QByteArray m_path;
};
