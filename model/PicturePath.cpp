#include "model/PicturePath.h"

#include <QDir>
#include <QFileInfo>

#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace PicturePath {

namespace {

// The home folder of the user called `name`; empty when there is no such user.
QString homeOfUser(const QString& name)
{
    const QByteArray wanted = name.toLocal8Bit();
    long bufferSize = sysconf(_SC_GETPW_R_SIZE_MAX);
    if (bufferSize <= 0)
        bufferSize = 16384;
    std::vector<char> buffer(static_cast<size_t>(bufferSize));
    passwd entry {};
    passwd* found = nullptr;
    if (getpwnam_r(wanted.constData(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found
        || !found->pw_dir)
        return {};
    return QString::fromLocal8Bit(found->pw_dir);
}

}

QString standardized(const QString& path)
{
    if (path.isEmpty())
        return path;
    QString expanded = path;
    if (expanded.startsWith(u'~')) {
        const qsizetype slash = expanded.indexOf(u'/');
        const QString user = expanded.mid(1, slash < 0 ? -1 : slash - 1);
        const QString rest = slash < 0 ? QString() : expanded.mid(slash);
        if (user.isEmpty()) {
            expanded = QDir::homePath() + rest;
        } else {
            // "~name" is the home folder of that user; an unknown user leaves
            // the path as it is.
            const QString home = homeOfUser(user);
            if (!home.isEmpty())
                expanded = home + rest;
        }
    }
    return QDir::cleanPath(expanded);
}

const QStringList& pictureFileTypes()
{
    static const QStringList types {"jpg", "jpeg", "jpe", "jfif", "gif", "bmp", "png", "tif", "tiff"};
    return types;
}

bool hasPictureFileType(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot > 0 && pictureFileTypes().contains(name.mid(dot + 1).toLower());
}

QString unreadableReason(const QString& path)
{
    if (!QFileInfo::exists(standardized(path)))
        return QStringLiteral("cannot be found");
    return QStringLiteral("is not a readable picture");
}
}
