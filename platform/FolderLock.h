#pragma once

#include <QString>

// An exclusive lock on a folder, held from construction to destruction: the
// folder itself is locked (flock), so nothing is added to its listing. A
// second lock of the same folder, in this or another thread or process,
// waits until the first ends. The lock is advisory: it holds back only code
// that takes it too.
class FolderLock
{
public:
    // Waits for the lock; isLocked() tells whether it was taken.
    explicit FolderLock(const QString& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool isLocked() const { return m_fd >= 0; }
    // Why the lock was not taken.
    QString errorString() const { return m_error; }

private:
    int m_fd = -1;
    QString m_error;
};
