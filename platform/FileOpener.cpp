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

FileOpener::Handler currentHandler()
{
    QMutexLocker lock(&handlerMutex);
    return handler();
}
}

bool FileOpener::openFile(const QString& path)
{
    if (const Handler h = currentHandler())
        return h(path);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool FileOpener::openUrl(const QUrl& url)
{
    if (const Handler h = currentHandler())
        return h(url.toString(QUrl::FullyEncoded));
    return QDesktopServices::openUrl(url);
}

void FileOpener::setHandler(Handler h)
{
    QMutexLocker lock(&handlerMutex);
    handler() = std::move(h);
}
