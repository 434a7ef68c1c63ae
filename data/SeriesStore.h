#pragma once

// The stored data series: one text file per series in the data folder
// ("DataSet"), named after the series with the series extension ("txt").
// A series file is UTF-8 text, each value followed by "\n": every line is
// one record, an empty line a record whose value is empty, wherever it
// stands; only the line ending that closes the file starts no record. A
// line ends at LF, CR LF or a lone CR, as files from other programs may
// have it, and a value never holds a line break. Each record belongs to one
// card of a batch, so no reader drops or moves one.
// This class lists the series, reads a file in the three ways its readers
// need, writes one (replaced whole or appended, never left half written)
// and checks the names users type for a series.
//
// A store only reads its folder and extension, so one may be used on any
// thread.

#include "platform/FileStamp.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class SeriesStore
{
public:
    // The program's store: `Data_Folder_Path` and `batch_file_EXT`.
    SeriesStore();
    SeriesStore(QString folder, QString extension);

    QString folder() const { return m_folder; }
    QString extension() const { return m_extension; }
    // folder + "/" + name + "." + extension
    QString filePath(const QString& name) const;
    // Whether the series file of `name` is there (a plain file).
    bool exists(const QString& name) const;

    // The series names: every entry of the folder that is not a folder
    // (hidden files and files of any extension too), its extension removed
    // (nameWithoutExtension), sorted case-insensitively, equal names in the
    // order of their file names. Empty when the folder is missing.
    QStringList names() const;
    // `fileName` without the part from its last dot, unless that dot is
    // its first character: ".hidden" stays whole, "a.b.txt" gives "a.b".
    static QString nameWithoutExtension(const QString& fileName);

    // Larger series files are refused before they are read. A series holds
    // one value per card of a batch: the imports give at most 16 MB of text
    // and the generator 10000 numbers, and even a million values of fifty
    // characters stay below this. A file of a gigabyte takes seconds and
    // gigabytes of memory to split into values.
    static constexpr qint64 maxSeriesFileBytes = 64 * 1024 * 1024;
    static inline const QString tooLargeMessage = QStringLiteral("The series file is too large and cannot be used.");

    // The text of the series file of `name`; nothing when the file is
    // missing, cannot be read, is larger than maxSeriesFileBytes (then
    // `tooLarge` is set when given) or is not valid UTF-8.
    std::optional<QString> readText(const QString& name, bool* tooLarge = nullptr) const;

    // The records of a series text, untrimmed: the text split at each line
    // ending (LF, CR LF or CR), without the empty piece after a closing one
    // ("" has no records, "\n" one empty record, "a\r\nb" two records).
    static QStringList records(const QString& text);
    // A value as one record: each line break (CR LF, CR or LF) becomes a
    // space.
    static QString oneLine(const QString& value);

    // The three readings of a series text:
    // the series windows: every record trimmed, empty ones kept in place;
    static QStringList managerValues(const QString& text);
    // batch binding: the records as they stand (each value is trimmed when
    // it is written into a card object);
    static QStringList bindingValues(const QString& text);
    // the first value: the text up to the first line ending, untrimmed.
    static QString firstValue(const QString& text);

    // The readings of a stored series; nothing (or "") as readText.
    std::optional<QStringList> readManagerValues(const QString& name) const;
    std::optional<QStringList> readBindingValues(const QString& name, bool* tooLarge = nullptr) const;
    QString readFirstValue(const QString& name) const;

    enum class WriteMode { Replace, Append };
    // Writes `values`, each made one line (oneLine) and followed by "\n",
    // as the series `name`: in place of the old file, or after its content
    // (an old last line without its line ending gets one first, so it stays
    // a record of its own; a byte order mark is dropped). The file is
    // replaced in one step, so a failed write keeps the old file whole.
    // False, with the reason in `error` when given, when nothing was written:
    // also for a refused name, when the folder cannot be locked or another
    // program holds its lock past FolderLock's wait (busyMessage), and when
    // the file would be larger than the readers take (maxSeriesFileBytes).
    // The writes of a folder's series run one at a time, in every process
    // (FolderLock on the folder): an append reads the file it extends under
    // the lock that replaces it, so no write loses another's records.
    bool write(const QString& name, const QStringList& values, WriteMode mode, QString* error = nullptr) const;

    // A series to write, for writeTogether().
    struct Named
    {
        QString name;
        QStringList values;
    };
    // Replaces (or creates) each series of `series`, as write() does, under
    // one lock of the folder, so no other write comes between them: the
    // series of one table stay together. Every file's content is made (and
    // a name or size refused) before the first is written, so such a
    // refusal, like a lock that is not taken, writes nothing. A write that
    // fails later (a full disk) ends the run. True when every series was
    // written; else false, the reason in `error` and the names written
    // before the failure in `written`.
    bool writeTogether(const QList<Named>& series, QStringList* written, QString* error = nullptr) const;

    static inline const QString busyMessage = QStringLiteral(
        "The series folder is in use by another program. Please try again.");
    // Why a write that would leave the file of `name` larger than
    // maxSeriesFileBytes is refused.
    static QString tooLargeToWriteMessage(const QString& name);

    // The series file a save started from, as the save read it.
    struct Origin
    {
        // as names() lists it; "" for a new series
        QString name;
        // what the file held when it was read
        FileStamp stamp;
        // the file goes once the new one is in place (the series moved to
        // a new name)
        bool moves = false;
    };
    enum class SaveResult { Written, Failed, OriginChanged };
    // Replaces the series `name` by `values`, as write() does, only while
    // the file of `origin` still is as its stamp says: checked under the lock
    // that replaces it, so no change made meanwhile is lost unseen. Else
    // nothing is written, OriginChanged is answered and `found` gets the
    // stamp the file has now. The origin's file, when it moves and was
    // there, is removed under the same lock once the new file is in place.
    SaveResult replaceFrom(const QString& name, const QStringList& values, const Origin& origin,
                           FileStamp* found = nullptr, QString* error = nullptr) const;

    // Removes the files of the series `names` (as names() lists them; a
    // folder or a name that is no file name of the folder is left alone)
    // under the folder's lock; the positions in `names` of those removed go
    // to `removed`. False, with the reason in `error`, when the lock was not
    // taken: then nothing was removed.
    bool remove(const QStringList& names, QList<int>* removed, QString* error = nullptr) const;

    // A series name as the user typed it, cleaned
    // (Remove_Reserve_Char_In_File_Name); empty when the cleaned name
    // cannot name a file of the data folder: empty, "." or "..", or holding
    // "/", "\" or NUL.
    static QString validSeriesName(const QString& typed);
    // Whether `name`, as it stands, names a file directly in the folder: not
    // empty, "." or "..", and without "/", "\" or NUL.
    static bool namesFileInFolder(const QString& name);
    // Whether `name` may be one names() lists, a file directly in the
    // folder: not empty, "." or "..", and without "/" or NUL ("\" is a
    // character file names may hold).
    static bool namesListedFile(const QString& name);
    // validSeriesName, showing "Please enter list name." when the name is
    // refused.
    static QString askSeriesName(const QString& typed);
    static inline const QString enterNameMessage = QStringLiteral("Please enter list name.");

private:
    // write() once the folder is locked.
    bool writeLocked(const QString& name, const QStringList& values, WriteMode mode, QString* error) const;
    // The new content of the series file of `name`, the folder locked;
    // nothing, the reason in `error`, when it cannot be made.
    std::optional<QByteArray> contentLocked(const QString& name, const QStringList& values, WriteMode mode,
                                            QString* error) const;

    QString m_folder;
    QString m_extension;
};
