#include "model/ResourcePictures.h"

#include "app/Globals.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>

namespace {

struct CachedPicture
{
    QDateTime modified;
    qint64 size = -1;
    Picture picture;
};

}

QString ResourcePictures::path(const QString& name)
{
    if (Resource_Path.isEmpty())
        return name;
    if (Resource_Path.endsWith(QLatin1Char('/')))
        return Resource_Path + name;
    return Resource_Path + QLatin1Char('/') + name;
}

Picture ResourcePictures::picture(const QString& name)
{
    static QMutex mutex;
    static QHash<QString, CachedPicture> cache;

    const QString file = path(name);
    const QFileInfo info(file);
    if (!info.isFile())
        return {};

    QMutexLocker lock(&mutex);
    auto found = cache.find(file);
    if (found != cache.end() && found->modified == info.lastModified() && found->size == info.size())
        return found->picture;
    CachedPicture entry {info.lastModified(), info.size(), Picture::fromFile(file)};
    cache.insert(file, entry);
    return entry.picture;
}
