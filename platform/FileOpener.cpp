#include "platform/FileOpener.h"

#include <QDesktopServices>
#include <QMimeDatabase>
#include <QMutex>
#include <QProcess>
#include <QStandardPaths>
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

// Whether the desktop names an application for the file's type. The
// desktop's opener reports success as soon as it starts, also when it then
// finds no application, so a file nothing can show would open silently.
// True when the desktop cannot be asked, which leaves the answer to the
// opening itself.
bool desktopHasApplicationFor(const QString& path)
{
    const QString query = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (query.isEmpty())
        return true;
    QProcess process;
    process.start(query,
                  {QStringLiteral("query"), QStringLiteral("default"), QMimeDatabase().mimeTypeForFile(path).name()});
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished();
        return true;
    }
    return process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0
        || !process.readAllStandardOutput().trimmed().isEmpty();
}
}

bool FileOpener::openFile(const QString& path)
{
    if (const Handler h = currentHandler())
        return h(path);
    return desktopHasApplicationFor(path) && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
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
