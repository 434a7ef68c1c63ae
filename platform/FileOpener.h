#pragma once

#include <QString>
#include <functional>

class QUrl;

// Opens files and links with the user's default applications. Tests replace
// the handler to record what would have been opened.
class FileOpener
{
public:
    using Handler = std::function<bool(const QString& pathOrUrl)>;

    // Opens a local file with its default application; false when that fails
    // or the desktop names no application for the file's type.
    static bool openFile(const QString& path);

    // Hands a link (a web page, a new mail) to the desktop; false when that
    // fails. The handler sees the link fully percent-encoded.
    static bool openUrl(const QUrl& url);

    // Replaces what openFile() and openUrl() do; an empty handler brings back the desktop's.
    static void setHandler(Handler handler);
};
