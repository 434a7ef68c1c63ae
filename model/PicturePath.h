#pragma once

#include <QString>

// Paths of picture files as card objects keep them.
namespace PicturePath {

// `path` standardised the way picture files are opened: a leading "~" (alone
// or before "/") becomes the home folder and a leading "~name" the home
// folder of the user called name, and "." and ".." components and
// doubled separators are resolved. An empty path stays empty.
QString standardized(const QString& path);

}
