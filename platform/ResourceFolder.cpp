#include "platform/ResourceFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QtDebug>

namespace {
// Copies one file into a new file; refuses to replace anything that exists.
bool copyNewFile(const QString& source, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QFile out(target);
    // NewOnly: fails when something appeared at the path meanwhile. The new
    // file gets the usual permissions of the process (0666 less the umask),
    // not the read-only ones of the compiled-in original.
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    char buffer[64 * 1024];
    for (;;) {
        const qint64 n = in.read(buffer, sizeof buffer);
        if (n < 0 || (n > 0 && out.write(buffer, n) != n)) {
            out.close();
            out.remove();
            return false;
        }
        if (n == 0)
            break;
    }
    if (!out.flush()) {
        out.close();
        out.remove();
        return false;
    }
    return true;
}
}

QString ResourceFolder::location()
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(base + QStringLiteral("/brightfold"));
}

bool ResourceFolder::prepare(const QString& folder, QString* error, const QString& shippedRoot)
{
    const auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    if (folder.isEmpty() || QDir::isRelativePath(folder))
        return fail(QStringLiteral("The resource folder path \"%1\" is not absolute.").arg(folder));
    // mkpath uses the permissions 0777 less the umask for every folder it makes.
    if (!QDir().mkpath(folder))
        return fail(QStringLiteral("The resource folder \"%1\" cannot be created.").arg(folder));
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isWritable())
        return fail(QStringLiteral("The resource folder \"%1\" is not a writable folder.").arg(folder));
    copyMissing(shippedRoot, folder);
    return true;
}

int ResourceFolder::copyMissing(const QString& from, const QString& to)
{
    if (!QFileInfo(from).isDir())
        return 0;
    const QDir source(from);
    int copied = 0;
    QDirIterator it(from, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = source.relativeFilePath(path);
        const QString target = to + QLatin1Char('/') + relative;
        const QFileInfo targetInfo(target);
        if (targetInfo.exists() || targetInfo.isSymLink())
            continue;   // the user's file (or anything else there) stays
        if (!QDir().mkpath(targetInfo.absolutePath()) || !copyNewFile(path, target)) {
            qWarning().noquote() << "Cannot copy the shipped file" << relative << "into" << to;
            continue;
        }
        ++copied;
    }
    return copied;
}
