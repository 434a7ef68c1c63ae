#pragma once

// Writes a series file whole: each value followed by "\n", UTF-8. The file
// is written beside its target under a temporary name and renamed over it
// only when complete, so a failed write leaves whatever file was there.

#include <QString>
#include <QStringList>

class SeriesFileWriter
{
public:
    // Writes `values` unchanged; false when the file could not be written
    // completely (the old file, if any, is then untouched). A folder at
    // `path` is never replaced.
    static bool writeValues(const QString& path, const QStringList& values);

    // Removes the regular file (or symbolic link) at `path`; a folder is
    // left alone. True when nothing is left at `path` that was a file.
    static bool removeFile(const QString& path);
};
