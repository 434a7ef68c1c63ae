#include "platform/FileOpener.h"

#include <QDesktopServices>
#include <QMutex>
#include <QUrl>

namespace {
QMutex handlerMutex;
FileOpener::Handler& handler()
{
    static FileOpener::Handler h;
    return h;
}
}

bool FileOpener::openFile(const QString& path)
{
    Handler h;
    {
        QMutexLocker lock(&handlerMutex);
        h = handler();
    }
    if (h)
        return h(path);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void FileOpener::setHandler(Handler h)
{
    QMutexLocker lock(&handlerMutex);
    handler() = std::move(h);
}
