#include "model/PicturePath.h"

#include <QDir>

namespace PicturePath {

QString standardized(const QString& path)
{
    if (path.isEmpty())
        return path;
    QString expanded = path;
    if (expanded == QLatin1String("~") || expanded.startsWith(QLatin1String("~/")))
        expanded = QDir::homePath() + expanded.mid(1);
    return QDir::cleanPath(expanded);
}

}
