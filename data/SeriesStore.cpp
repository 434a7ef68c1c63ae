#include "data/SeriesStore.h"

#include "app/Globals.h"
#include "app/MessageBoxes.h"
#include "app/StringHelpers.h"
#include "data/SeriesFileWriter.h"
#include "platform/AtomicFile.h"
#include "platform/FolderLock.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <memory>
#include <vector>

SeriesStore::SeriesStore() : SeriesStore(Data_Folder_Path, batch_file_EXT)
{
}

SeriesStore::SeriesStore(QString folder, QString extension)
    : m_folder(std::move(folder)), m_extension(std::move(extension))
{
}

QString SeriesStore::filePath(const QString& name) const
{
    return m_folder + QLatin1Char('/') + name + QLatin1Char('.') + m_extension;
}

bool SeriesStore::exists(const QString& name) const
{
    if (!namesFileInFolder(name))
        return false;
    const QFileInfo info(filePath(name));
    return info.exists() && !info.isDir();
}

QString SeriesStore::nameWithoutExtension(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? fileName.left(dot) : fileName;
}

QStringList SeriesStore::names() const
{
    const QFileInfo folderInfo(m_folder);
    if (m_folder.isEmpty() || !folderInfo.isDir())
        return {};
    // Files of every kind but folders: a broken link or a socket left in the
    // folder is listed as the platform lists it; only folders are passed by.
    const QFileInfoList entries = QDir(m_folder).entryInfoList(
        QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    struct Entry
    {
        QString name;
        QString fileName;
    };
    QList<Entry> listed;
    for (const QFileInfo& entry : entries) {
        if (entry.isDir())
            continue;
        listed.append({nameWithoutExtension(entry.fileName()), entry.fileName()});
    }
    std::stable_sort(listed.begin(), listed.end(), [](const Entry& a, const Entry& b) {
        const int byName = a.name.compare(b.name, Qt::CaseInsensitive);
        if (byName != 0)
            return byName < 0;
        return a.fileName < b.fileName;
    });
    QStringList result;
    result.reserve(listed.size());
    for (const Entry& entry : listed)
        result.append(entry.name);
    return result;
}

std::optional<QString> SeriesStore::readText(const QString& name, bool* tooLarge) const
{
    if (tooLarge)
        *tooLarge = false;
    if (!exists(name))
        return std::nullopt;
    // A FIFO or device under a series name would hold up the reader.
    QFile file;
    if (!RegularFile::openForReading(file, filePath(name)))
        return std::nullopt;
    // The size the file claims, then what reading gives: a file that grows
    // while it is read is cut off at the limit and refused as well.
    QByteArray bytes;
    if (file.size() <= maxSeriesFileBytes)
        bytes = file.read(maxSeriesFileBytes + 1);
    if (file.size() > maxSeriesFileBytes || bytes.size() > maxSeriesFileBytes) {
        if (tooLarge)
            *tooLarge = true;
        return std::nullopt;
    }
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

QStringList SeriesStore::records(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    // The text after the last line ending is a record only when it holds
    // something: a file that ends with its line ending has nothing there,
    // and a last line written without one is still a record.
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

QString SeriesStore::oneLine(const QString& value)
{
    QString line = value;
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    line.replace(u'\r', u' ');
    line.replace(u'\n', u' ');
    return line;
}

QStringList SeriesStore::managerValues(const QString& text)
{
    QStringList values = records(text);
    for (QString& value : values)
        value = Trim_Str(value);
    return values;
}

QStringList SeriesStore::bindingValues(const QString& text)
{
    return records(text);
}

QString SeriesStore::firstValue(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'\r' || text.at(i) == u'\n')
            return text.left(i);
    }
    return text;
}

std::optional<QStringList> SeriesStore::readManagerValues(const QString& name) const
{
    const std::optional<QString> text = readText(name);
    if (!text)
        return std::nullopt;
    return managerValues(*text);
}

std::optional<QStringList> SeriesStore::readBindingValues(const QString& name, bool* tooLarge) const
{
    const std::optional<QString> text = readText(name, tooLarge);
    if (!text)
        return std::nullopt;
    return bindingValues(*text);
}

QString SeriesStore::readFirstValue(const QString& name) const
{
    return firstValue(readText(name).value_or(QString()));
}

namespace {

bool failed(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

// No content, and why not in `error`.
std::nullopt_t refused(QString* error, const QString& reason)
{
    failed(error, reason);
    return std::nullopt;
}

// Whether the lock was taken; else why not, in `error`.
bool locked(const FolderLock& lock, QString* error)
{
    if (lock.isLocked())
        return true;
    return failed(error, lock.timedOut() ? SeriesStore::busyMessage : lock.errorString());
}

} // namespace

QString SeriesStore::tooLargeToWriteMessage(const QString& name)
{
    return QStringLiteral("The series %1 would be larger than %2 MiB and could not be read; nothing was written.")
        .arg(name)
        .arg(maxSeriesFileBytes / (1024 * 1024));
}

bool SeriesStore::write(const QString& name, const QStringList& values, WriteMode mode, QString* error) const
{
    if (!namesFileInFolder(name))
        return failed(error, enterNameMessage);
    const FolderLock lock(m_folder);
    return locked(lock, error) && writeLocked(name, values, mode, error);
}

bool SeriesStore::writeTogether(const QList<Named>& series, QStringList* written, QString* error) const
{
    for (const Named& one : series) {
        if (!namesFileInFolder(one.name))
            return failed(error, enterNameMessage);
    }
    const FolderLock lock(m_folder);
    if (!locked(lock, error))
        return false;
    // Every file is opened (a refused one named) and every content made
    // before the first file is replaced.
    std::vector<std::unique_ptr<AtomicFile>> files;
    QList<QByteArray> contents;
    for (const Named& one : series) {
        files.push_back(std::make_unique<AtomicFile>(filePath(one.name)));
        if (!files.back()->open())
            return failed(error, files.back()->errorString());
        std::optional<QByteArray> bytes = contentLocked(one.name, one.values, WriteMode::Replace, error);
        if (!bytes)
            return false;
        contents.append(std::move(*bytes));
    }
    for (qsizetype i = 0; i < series.size(); ++i) {
        AtomicFile& file = *files.at(size_t(i));
        if (file.write(contents.at(i)) != contents.at(i).size() || !file.commit())
            return failed(error, file.errorString());
        if (written)
            written->append(series.at(i).name);
    }
    return true;
}

bool SeriesStore::writeLocked(const QString& name, const QStringList& values, WriteMode mode, QString* error) const
{
    // The file to replace is found (and a refused one named) before the old
    // content is read.
    AtomicFile file(filePath(name));
    if (!file.open())
        return failed(error, file.errorString());
    const std::optional<QByteArray> bytes = contentLocked(name, values, mode, error);
    if (!bytes)
        return false;
    if (file.write(*bytes) != bytes->size() || !file.commit())
        return failed(error, file.errorString());
    return true;
}

std::optional<QByteArray> SeriesStore::contentLocked(const QString& name, const QStringList& values, WriteMode mode,
                                                     QString* error) const
{
    const QString path = filePath(name);
    QByteArray bytes;
    if (mode == WriteMode::Append && QFileInfo::exists(path)) {
        // The old content and the new values go into the new file together,
        // so an append that fails half way leaves the old file as it was.
        QFile old;
        if (!RegularFile::openForReading(old, path))
            return refused(error, QStringLiteral("The series file cannot be read."));
        // A file past the readers' limit is not read whole to be extended.
        if (old.size() > maxSeriesFileBytes)
            return refused(error, tooLargeToWriteMessage(name));
        bytes = old.read(maxSeriesFileBytes + 1);
        if (old.error() != QFileDevice::NoError)
            return refused(error, old.errorString());
        // Some editors save an empty file as a byte order mark alone; it
        // holds no record, and series files are written without one.
        if (bytes.startsWith("\xEF\xBB\xBF"))
            bytes.remove(0, 3);
        if (!bytes.isEmpty() && !bytes.endsWith('\n'))
            bytes += '\n';
    }
    for (const QString& value : values) {
        bytes += oneLine(value).toUtf8();
        bytes += '\n';
        // A series no reader takes is never written, so the old file stays.
        if (bytes.size() > maxSeriesFileBytes)
            return refused(error, tooLargeToWriteMessage(name));
    }
    if (bytes.size() > maxSeriesFileBytes)
        return refused(error, tooLargeToWriteMessage(name));
    return bytes;
}

SeriesStore::SaveResult SeriesStore::replaceFrom(const QString& name, const QStringList& values, const Origin& origin,
                                                 FileStamp* found, QString* error) const
{
    if (!namesFileInFolder(name)) {
        failed(error, enterNameMessage);
        return SaveResult::Failed;
    }
    const FolderLock lock(m_folder);
    if (!locked(lock, error))
        return SaveResult::Failed;
    const bool fromFile = namesListedFile(origin.name);
    if (fromFile) {
        const FileStamp now = FileStamp::ofFile(filePath(origin.name), maxSeriesFileBytes);
        if (found)
            *found = now;
        if (now != origin.stamp)
            return SaveResult::OriginChanged;
    }
    if (!writeLocked(name, values, WriteMode::Replace, error))
        return SaveResult::Failed;
    if (fromFile && origin.moves && origin.name != name && !origin.stamp.isMissing())
        SeriesFileWriter::removeFile(filePath(origin.name));
    return SaveResult::Written;
}

bool SeriesStore::remove(const QStringList& names, QList<int>* removed, QString* error) const
{
    const FolderLock lock(m_folder);
    if (!locked(lock, error))
        return false;
    for (int i = 0; i < names.size(); ++i) {
        const QString& name = names.at(i);
        if (!namesListedFile(name))
            continue;
        const QString path = filePath(name);
        if (QFileInfo(path).isFile() && SeriesFileWriter::removeFile(path) && removed)
            removed->append(i);
    }
    return true;
}

bool SeriesStore::namesFileInFolder(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
        && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) && !name.contains(QChar(0));
}

bool SeriesStore::namesListedFile(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
        && !name.contains(QLatin1Char('/')) && !name.contains(QChar(0));
}

QString SeriesStore::validSeriesName(const QString& typed)
{
    const QString cleaned = Remove_Reserve_Char_In_File_Name(typed);
    return namesFileInFolder(cleaned) ? cleaned : QString();
}

QString SeriesStore::askSeriesName(const QString& typed)
{
    const QString name = validSeriesName(typed);
    if (name.isEmpty())
        Show_MessageBox(enterNameMessage);
    return name;
}
