#include "platform/FileStamp.h"

#include "platform/RegularFile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

FileStamp FileStamp::ofBytes(const QByteArray& bytes)
{
    FileStamp stamp;
    stamp.m_state = State::Read;
    stamp.m_size = bytes.size();
    stamp.m_hash = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
    return stamp;
}

FileStamp FileStamp::ofFile(const QString& path, qint64 maxBytes)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return {};
    FileStamp unreadable;
    unreadable.m_state = State::Unreadable;
    QFile file;
    if (!RegularFile::openForReading(file, path) || file.size() > maxBytes)
        return unreadable;
    const QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > maxBytes)
        return unreadable;
    return ofBytes(bytes);
}
