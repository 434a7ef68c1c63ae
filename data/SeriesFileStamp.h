#pragma once

// What a series file held when it was read: nothing (no file there), bytes
// of a size and a SHA-256 hash, or something that could not be read. The
// series manager takes the stamp of the bytes it opened, and its Save
// compares it with the file as it is under the write's lock: a file that
// changed since (another window or program appended to it) is never
// replaced without the user's word. Two stamps are equal when the file held
// the same bytes both times, whatever its time stamps say.

#include <QByteArray>
#include <QString>

class SeriesFileStamp
{
public:
    // A file that is not there.
    SeriesFileStamp() = default;
    static SeriesFileStamp ofBytes(const QByteArray& bytes);
    // The file at `path` as it is now: Missing when nothing is there (not
    // even a link), Unreadable when it is no regular file, cannot be read or
    // is larger than `maxBytes`.
    static SeriesFileStamp ofFile(const QString& path, qint64 maxBytes);

    bool isMissing() const { return m_state == State::Missing; }

    bool operator==(const SeriesFileStamp& other) const = default;

private:
    enum class State { Missing, Read, Unreadable };

    State m_state = State::Missing;
    qint64 m_size = 0;
    QByteArray m_hash;
};
