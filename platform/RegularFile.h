#pragma once

#include <QFile>
#include <QString>

// Opens files for reading only when they are regular files. Opening a FIFO
// waits for a writer and reading a device may never end, so both would hold
// up the caller (the GUI thread, for pictures drawn on a card). The files of
// /proc are left alone as well: they are no data of the user's, and some of
// them wait for what they report. The file is opened without waiting and
// checked as opened, so a name that is swapped for something else after a
// look at it cannot slip through.
class RegularFile
{
public:
    // Opens `path` (following links) read-only into `file`. False, with
    // `file` closed, when it names no regular file or cannot be opened.
    static bool openForReading(QFile& file, const QString& path);
    // The same, opened for reading and writing (a file that must stay
    // writable while it is shown).
    static bool openForReadingAndWriting(QFile& file, const QString& path);

private:
    static bool open(QFile& file, const QString& path, bool writable);
};
