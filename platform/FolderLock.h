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
class FolderLock
{
public:
    // Waits for the lock at most waitLimit(); isLocked() tells whether it
    // was taken.
    explicit FolderLock(const QString& folder);
    FolderLock(const QString& folder, std::chrono::milliseconds wait);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool isLocked() const { return m_fd >= 0; }
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

    int m_fd = -1;
    bool m_timedOut = false;
    QString m_error;
    QByteArray m_path;
};
