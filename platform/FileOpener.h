#pragma once

#include <QString>
#include <functional>

// Opens files and links with the user's default applications. Tests replace
// the handler to record what would have been opened.
class FileOpener
{
public:
    using Handler = std::function<bool(const QString& pathOrUrl)>;

    // Opens a local file with its default application; false when that fails.
    static bool openFile(const QString& path);

    // Replaces what openFile() does; an empty handler brings back the desktop's.
    static void setHandler(Handler handler);
};
