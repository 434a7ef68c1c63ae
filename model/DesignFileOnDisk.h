#pragma once

#include "platform/FileStamp.h"

#include <QString>

#include <optional>

// What a window knows of its design file: the file it opened or last saved,
// and what that file held then. An untitled design, a template and a new
// design know no file. Before a save replaces a file, the window asks this
// whether the file changed on disk since (another window or program saved
// it): such a file is replaced only after the user said Yes.
class DesignFileOnDisk
{
public:
    // No file known.
    DesignFileOnDisk() = default;
    // The file at `path` held what `held` stamps.
    DesignFileOnDisk(const QString& path, const FileStamp& held);

    // What the file at `target` holds now, when a save there would replace
    // the known file and it changed since it was known (it holds other
    // bytes, or cannot be read). Nothing when the save may simply write: no
    // file is known, `target` is another file, or the file is unchanged or
    // gone.
    std::optional<FileStamp> changedAt(const QString& target) const;

    // Asks whether the design file at `path`, changed since, may be replaced.
    static QString changedQuestion(const QString& path);

private:
    bool isKnownFile(const QString& target) const;

    QString m_path;
    FileStamp m_held;
};
