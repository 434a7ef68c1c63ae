#include "model/DesignFileOnDisk.h"

#include "model/DesignFile.h"

#include <QFileInfo>

DesignFileOnDisk::DesignFileOnDisk(const QString& path, const FileStamp& held) : m_path(path), m_held(held)
{
}

bool DesignFileOnDisk::isKnownFile(const QString& target) const
{
    if (m_path.isEmpty() || target.isEmpty())
        return false;
    const QFileInfo known(m_path);
    const QFileInfo other(target);
    if (known.absoluteFilePath() == other.absoluteFilePath())
        return true;
    // Another spelling of the same path, or a link to the file.
    const QString canonical = known.canonicalFilePath();
    return !canonical.isEmpty() && canonical == other.canonicalFilePath();
}

std::optional<FileStamp> DesignFileOnDisk::changedAt(const QString& target) const
{
    if (!isKnownFile(target))
        return std::nullopt;
    const FileStamp now = FileStamp::ofFile(target, DesignFile::maxFileBytes);
    if (now.isMissing() || now == m_held)
        return std::nullopt;
    return now;
}

QString DesignFileOnDisk::changedQuestion(const QString& path)
{
    return QStringLiteral("The design %1 was changed since it was opened or saved here. Replace it with the design "
                          "shown?")
        .arg(QFileInfo(path).fileName());
}
