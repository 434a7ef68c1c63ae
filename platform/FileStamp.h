#pragma once

// What a file held when it was read: nothing (no file there), bytes of a
// size and a SHA-256 hash, or something that could not be read. A window
// takes the stamp of the bytes it opened or wrote (a series file, a design
// file), and its next save compares it with the file as it is then: a file
// that changed since (another window or program wrote it) is never replaced
// without the user's word. Two stamps are equal when the file held the same
// bytes both times, whatever its time stamps say.

#include <QByteArray>
#include <QString>

class FileStamp
{
public:
    // A file that is not there.
    FileStamp() = default;
    static FileStamp ofBytes(const QByteArray& bytes);
    // The file at `path` as it is now: Missing when nothing is there (not
    // even a link), Unreadable when it is no regular file, cannot be read or
    // is larger than `maxBytes`.
    static FileStamp ofFile(const QString& path, qint64 maxBytes);

    bool isMissing() const { return m_state == State::Missing; }

    bool operator==(const FileStamp& other) const = default;

private:
    enum class State { Missing, Read, Unreadable };

    State m_state = State::Missing;
    qint64 m_size = 0;
    QByteArray m_hash;
};
