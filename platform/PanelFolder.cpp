#include "platform/PanelFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QMutex>

namespace {

QMutex& lock()
{
    static QMutex mutex;
    return mutex;
}

QString& lastFolder()
{
    static QString folder;
    return folder;
}

}

QString PanelFolder::startFolder()
{
    QString folder;
    {
        QMutexLocker locker(&lock());
        folder = lastFolder();
    }
    // a remembered folder removed since is not offered
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        return folder;
    return QDir::homePath();
}

void PanelFolder::remember(const QString& chosen)
{
    if (chosen.isEmpty())
        return;
    const QFileInfo info(chosen);
    const QString folder = info.isDir() ? info.absoluteFilePath() : info.absolutePath();
    QMutexLocker locker(&lock());
    lastFolder() = QDir::cleanPath(folder);
}

void PanelFolder::forget()
{
    QMutexLocker locker(&lock());
    lastFolder().clear();
}
