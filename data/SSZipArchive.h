#pragma once

// Zip archives: unpacks a whole archive into a folder and packs files and
// folders into a new archive, over minizip.

#include <QByteArray>
#include <QDateTime>
#include <QSet>
#include <QString>
#include <QStringList>

// An error report of the unpacker, of the domain "SSZipArchiveErrorDomain".
struct SSZipArchiveError
{
    int code = 0;
    QString description;
};

class SSZipArchive
{
public:
    static inline const QString ErrorDomain = QStringLiteral("SSZipArchiveErrorDomain");

    // Error codes of the unpacker: -1 and -2 as the archive's callers know
    // them; the others name the failures that stop an unpack half way.
    enum ErrorCode {
        OpenArchiveFailed = -1,  // "failed to open zip file"
        FirstEntryFailed = -2,   // "failed to open first file in zip file"
        EntryOpenFailed = -3,    // an entry or its header cannot be read
        EntryRefused = -4,       // an entry would land outside the destination
        EntryDataFailed = -5,    // a read error or a CRC or size mismatch
        EntryWriteFailed = -6,   // a file or folder cannot be created or written
        SizeLimitExceeded = -7,  // more bytes than the bound (a zip bomb)
        EntryLimitExceeded = -8, // more entries than the bound
    };

    // Bounds of one unpack: what a workbook needs, many times over. A bomb is
    // refused by what it unpacks to, never by how far it expands: a harmless
    // part (thousands of identical cell formats) packs a thousand times
    // smaller, as a bomb does.
    static constexpr qint64 DefaultMaxUnpackedBytes = qint64(1) << 30;
    static constexpr qint64 DefaultMaxEntries = 100000;

    // Unpacks every entry of the archive at `path` into `destination` (made
    // when missing). The archive is read only when it is a regular file (see
    // RegularFile): a FIFO or a device gives OpenArchiveFailed at once. An
    // existing file is replaced only with `overwrite`; a non-empty `password`
    // opens encrypted entries. A file or folder that cannot be created (a
    // link or a file in the way, a path too long) is skipped and the unpack
    // goes on; nothing is ever written through a symbolic link. Entries that
    // would land outside the destination, read and CRC errors, and more than
    // `maxUnpackedBytes` bytes or `maxEntries` entries end the unpack with
    // false (and `error`, when given, filled); the entries before stay
    // unpacked. Sizes are checked against the bounds before an entry is
    // written and again as it is inflated, so a bomb stops before more than
    // the bound reaches the disk. An entry that claims more compressed bytes
    // than the whole archive holds is corrupt and refused before it is
    // written. `unpacked`, when given, gets the paths relative to the
    // destination of the files the entries unpacked to (or, without
    // `overwrite`, found there), in the archive's order ("\" read as "/",
    // empty and "." steps left out): what this one open of the archive
    // holds, so nobody need open it again to list it.
    static bool unzipFileAtPath(const QString& path, const QString& destination, bool overwrite,
                                const QString& password, SSZipArchiveError* error,
                                qint64 maxUnpackedBytes = DefaultMaxUnpackedBytes,
                                qint64 maxEntries = DefaultMaxEntries, QStringList* unpacked = nullptr);
    static bool unzipFileAtPath(const QString& path, const QString& destination);

    // For tests of what follows an unpack: called with the archive's path
    // once an unpack has read the archive and closed it (a test may put
    // another file in its place there).
    using ClosedHook = void (*)(const QString& path);
    static void setClosedHookForTesting(ClosedHook hook);

    // Packs each path (a file, or a folder with everything in it) into a new
    // archive at `path`, named relative to the path's parent folder. False
    // when the archive cannot be made or a file cannot be read; the entries
    // written before stay in the archive, which is closed.
    static bool createZipFileAtPath(const QString& path, const QStringList& paths);
    static bool createZipFileAtPath(const QString& path, const QString& onePath);

    SSZipArchive() = default;
    explicit SSZipArchive(const QString& path) { initWithPath(path); }
    ~SSZipArchive();
    SSZipArchive(const SSZipArchive&) = delete;
    SSZipArchive& operator=(const SSZipArchive&) = delete;

    void initWithPath(const QString& path) { _path = path; }
    // Creates the archive anew (an existing file is replaced).
    bool open();
    // Adds the file or folder basePath/file under the name `file`.
    bool writeFile(const QString& file, const QString& basePath);
    // Adds one entry from memory, dated now.
    bool writeData(const QByteArray& data, const QString& filename);
    bool close();

    // Midnight of 1 January 1980, local time: the zero point of the dates
    // that zip entries store.
    static QDateTime _dateFor1980();

private:
    bool writeEntry(const QString& file, const QString& basePath, QSet<QString>& openFolders);
    bool addEntry(const QString& name, const QDateTime& date, qint64 size);

    QString _path;
    void* _zip = nullptr;
};
