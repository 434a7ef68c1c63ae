#pragma once

#include <QString>
#include <QStringList>

// Paths of picture files as card objects keep them.
namespace PicturePath {

// `path` standardised the way picture files are opened: a leading "~" (alone
// or before "/") becomes the home folder and a leading "~name" the home
// folder of the user called name, and "." and ".." components and
// doubled separators are resolved. An empty path stays empty.
QString standardized(const QString& path);

// The extensions of the picture files the program opens, as its open panels
// offer them: "jpg", "jpeg", "jpe", "jfif", "gif", "bmp", "png", "tif", "tiff".
const QStringList& pictureFileTypes();
// Whether the file name of `path` ends in one of those extensions, in any case.
bool hasPictureFileType(const QString& path);

// A picture file that an object names but that gave it no picture, and why.
struct Unread
{
    QString path;
    QString reason;
    bool operator==(const Unread&) const = default;
};
// Why the picture file at `path` gave no picture: "cannot be found" when
// nothing is there (a link to nothing included), else "is not a readable
// picture".
QString unreadableReason(const QString& path);
}
