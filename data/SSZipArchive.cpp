#include "data/SSZipArchive.h"

#include "platform/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>

#include <minizip/unzip.h>
#include <minizip/zip.h>
#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <limits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::atomic<SSZipArchive::ClosedHook> closedHook {nullptr};

constexpr unsigned UnpackBufferSize = 4096;
constexpr qint64 PackBufferSize = 16384;
// General purpose flag: the entry's name is UTF-8.
constexpr uLong Utf8NameFlag = 1u << 11;

QString describe(int code)
{
    switch (code) {
    case SSZipArchive::OpenArchiveFailed: return QStringLiteral("failed to open zip file");
    case SSZipArchive::FirstEntryFailed: return QStringLiteral("failed to open first file in zip file");
    case SSZipArchive::EntryOpenFailed: return QStringLiteral("failed to open file in zip file");
    case SSZipArchive::EntryRefused: return QStringLiteral("file in zip file lies outside the destination");
    case SSZipArchive::EntryDataFailed: return QStringLiteral("failed to read file in zip file");
    case SSZipArchive::EntryWriteFailed: return QStringLiteral("failed to write file from zip file");
    case SSZipArchive::SizeLimitExceeded: return QStringLiteral("zip file unpacks to too many bytes");
    case SSZipArchive::EntryLimitExceeded: return QStringLiteral("zip file holds too many files");
    }
    return {};
}

void report(SSZipArchiveError* error, int code)
{
    if (error)
        *error = {code, describe(code)};
}

// A file descriptor closed when it goes out of scope.
class UniqueFd
{
public:
    explicit UniqueFd(int fd = -1) : m_fd(fd) {}
    ~UniqueFd() { reset(); }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    void reset(int fd = -1)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }
    int release()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }
    // Closes now and tells whether the close succeeded (a late write error).
    bool closeChecked()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int m_fd;
};

// What unpackEntry answers for an entry that cannot be created: it is left
// out and the unpack goes on.
constexpr int Skipped = 1;

// The running totals of one unpack, held against its bounds.
struct Budget
{
    qint64 maxBytes = 0;
    qint64 written = 0;      // bytes written so far
    quint64 archiveSize = 0; // the archive file's size
};

// Whether the entry of `info`, with its declared sizes, fits the bounds: 0,
// or the error code. Checked before anything of the entry is written. A
// compressed size larger than the whole archive is a lie: the entry is
// corrupt.
int checkDeclaredSize(const unz_file_info64& info, const Budget& budget)
{
    if (info.compressed_size > budget.archiveSize)
        return SSZipArchive::EntryDataFailed;
    if (info.uncompressed_size > quint64(std::max<qint64>(budget.maxBytes - budget.written, 0)))
        return SSZipArchive::SizeLimitExceeded;
    return 0;
}

// The folders and file an entry's name leads to, or false when the name
// would leave the destination: an absolute name, a ".." component, a drive
// letter ("C:"), a NUL. "\" counts as "/"; empty and "." components drop out.
bool entryComponents(QString name, QList<QByteArray>& components)
{
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (name.startsWith(QLatin1Char('/')) || name.contains(QChar(0)))
        return false;
    for (const QString& part : name.split(QLatin1Char('/'))) {
        if (part.isEmpty() || part == QLatin1String("."))
            continue;
        if (part == QLatin1String(".."))
            return false;
        if (components.isEmpty() && part.size() >= 2 && part[1] == QLatin1Char(':')
            && part[0].isLetter() && part[0].unicode() < 0x80)
            return false;
        components.append(QFile::encodeName(part));
    }
    return true;
}

// Opens the folder `components[0..count)` below `root`, creating what is
// missing, without following a symbolic link on the way: a link planted in
// a reused folder cannot lead the unpack elsewhere.
int openFolder(int root, const QList<QByteArray>& components, qsizetype count)
{
    UniqueFd folder(::fcntl(root, F_DUPFD_CLOEXEC, 0));
    for (qsizetype i = 0; i < count && folder.valid(); ++i) {
        const char* name = components[i].constData();
        if (::mkdirat(folder.get(), name, 0777) != 0 && errno != EEXIST)
            return -1;
        folder.reset(::openat(folder.get(), name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    }
    return folder.release();
}

// The entry's MS-DOS date and time word as local time; fields beyond their
// range carry over into the next unit.
QDateTime dosDateTime(uLong dosDate)
{
    const int day = int((dosDate >> 16) & 0x1f);
    const int month = int((dosDate >> 21) & 0x0f);
    const int year = int((dosDate >> 25) & 0x7f);
    const int hour = int((dosDate >> 11) & 0x1f);
    const int minute = int((dosDate >> 5) & 0x3f);
    const int second = int(dosDate & 0x1f) * 2;
    const QDate date = SSZipArchive::_dateFor1980().date().addYears(year).addMonths(month - 1).addDays(day - 1);
    if (hour < 24 && minute < 60 && second < 60)
        return QDateTime(date, QTime(hour, minute, second));
    return QDateTime(date, QTime(0, 0)).addSecs(hour * 3600 + minute * 60 + second);
}

bool writeAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

// Copies the open entry into a new file `leaf` of `folder`: 0 when done,
// Skipped when the file cannot be created, else the error code. The file is
// removed again when the copy fails. The copy stops at the first chunk that
// crosses a bound, so a bomb never gets further than that onto the disk.
int unpackFile(unzFile zip, const unz_file_info64& info, int folder, const char* leaf, Budget& budget)
{
    UniqueFd out(::openat(folder, leaf, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (!out.valid())
        return Skipped;
    int code = 0;
    char buffer[UnpackBufferSize];
    uLong crc = crc32(0L, Z_NULL, 0);
    ZPOS64_T size = 0;
    for (;;) {
        const int n = unzReadCurrentFile(zip, buffer, UnpackBufferSize);
        if (n < 0) {
            code = SSZipArchive::EntryDataFailed;
            break;
        }
        if (n == 0)
            break;
        if (budget.written + n > budget.maxBytes) {
            code = SSZipArchive::SizeLimitExceeded;
            break;
        }
        // more than the entry said it holds
        if (size + ZPOS64_T(n) > info.uncompressed_size) {
            code = SSZipArchive::EntryDataFailed;
            break;
        }
        budget.written += n;
        size += ZPOS64_T(n);
        crc = crc32(crc, reinterpret_cast<const Bytef*>(buffer), uInt(n));
        if (!writeAll(out.get(), buffer, size_t(n))) {
            code = SSZipArchive::EntryWriteFailed;
            break;
        }
    }
    // minizip checks the CRC only when the whole declared size was read; a
    // stream that ends early or runs long is caught by the size and our CRC.
    if (code == 0 && (size != info.uncompressed_size || crc != info.crc))
        code = SSZipArchive::EntryDataFailed;
    if (code == 0 && info.dosDate != 0) {
        const timespec times[2] = {{0, UTIME_OMIT}, {time_t(dosDateTime(info.dosDate).toSecsSinceEpoch()), 0}};
        ::futimens(out.get(), times);
    }
    if (!out.closeChecked() && code == 0)
        code = SSZipArchive::EntryWriteFailed;
    if (code != 0)
        ::unlinkat(folder, leaf, 0);
    return code;
}

// The path, relative to the destination, that an entry's components lead to.
QString joinComponents(const QList<QByteArray>& components)
{
    QStringList steps;
    for (const QByteArray& component : components)
        steps.append(QFile::decodeName(component));
    return steps.join(QLatin1Char('/'));
}

// Unpacks the current entry (already opened): 0 when done or kept, Skipped
// when its file or folder cannot be created, else the error code. The path
// of a file unpacked or kept is added to `unpacked`.
int unpackEntry(unzFile zip, const unz_file_info64& info, const QString& name, int root, qsizetype rootLength,
                bool overwrite, Budget& budget, QStringList* unpacked)
{
    QList<QByteArray> components;
    if (!entryComponents(name, components))
        return SSZipArchive::EntryRefused;
    if (const int code = checkDeclaredSize(info, budget))
        return code;
    // A path longer than the system takes could be made folder by folder,
    // but nobody could open it by its path afterwards.
    qsizetype length = rootLength;
    for (const QByteArray& component : components)
        length += component.size() + 1;
    if (length >= PATH_MAX)
        return Skipped;
    const bool isFolder = name.endsWith(QLatin1Char('/')) || name.endsWith(QLatin1Char('\\'));
    if (isFolder) {
        UniqueFd folder(openFolder(root, components, components.size()));
        return folder.valid() ? 0 : Skipped;
    }
    if (components.isEmpty())
        return SSZipArchive::EntryRefused;
    // A link or a file in the way of a folder leaves the entry out.
    UniqueFd folder(openFolder(root, components, components.size() - 1));
    if (!folder.valid())
        return Skipped;
    const char* leaf = components.last().constData();
    struct stat st {};
    if (::fstatat(folder.get(), leaf, &st, AT_SYMLINK_NOFOLLOW) == 0) {
        if (!overwrite) {
            if (S_ISREG(st.st_mode) && unpacked)
                unpacked->append(joinComponents(components));
            return 0;
        }
        // Only a plain file is replaced, by a new one: a symbolic or hard
        // link, or a folder, planted there keeps what it holds or points to,
        // and the entry is left out.
        if (!S_ISREG(st.st_mode) || ::unlinkat(folder.get(), leaf, 0) != 0)
            return Skipped;
    }
    const int code = unpackFile(zip, info, folder.get(), leaf, budget);
    if (code == 0 && unpacked)
        unpacked->append(joinComponents(components));
    return code;
}

// Fills the entry record's date fields from `date` in local time.
void zipInfo(zip_fileinfo& info, const QDateTime& date)
{
    const QDateTime local = date.toLocalTime();
    info.tmz_date.tm_sec = uInt(local.time().second());
    info.tmz_date.tm_min = uInt(local.time().minute());
    info.tmz_date.tm_hour = uInt(local.time().hour());
    info.tmz_date.tm_mday = uInt(local.date().day());
    info.tmz_date.tm_mon = uInt(local.date().month() - 1);
    info.tmz_date.tm_year = uInt(local.date().year());
}

bool isAscii(const QByteArray& bytes)
{
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

QString joinPath(const QString& base, const QString& name)
{
    if (base.isEmpty() || base.endsWith(QLatin1Char('/')))
        return base + name;
    return base + QLatin1Char('/') + name;
}

// minizip reads the archive through these, from a file RegularFile opened:
// minizip's own opening by name would wait on a FIFO for a writer, and a
// name looked at first could be swapped before minizip opens it.
voidpf ZCALLBACK openOpened(voidpf opaque, const void*, int)
{
    return opaque;
}

uLong ZCALLBACK readOpened(voidpf, voidpf stream, void* buffer, uLong size)
{
    const qint64 n = static_cast<QFile*>(stream)->read(static_cast<char*>(buffer), qint64(size));
    return n < 0 ? 0 : uLong(n);
}

uLong ZCALLBACK writeNothing(voidpf, voidpf, const void*, uLong)
{
    return 0;
}

ZPOS64_T ZCALLBACK tellOpened(voidpf, voidpf stream)
{
    return ZPOS64_T(static_cast<QFile*>(stream)->pos());
}

long ZCALLBACK seekOpened(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    QFile* file = static_cast<QFile*>(stream);
    qint64 base = 0;
    switch (origin) {
    case ZLIB_FILEFUNC_SEEK_SET:
        break;
    case ZLIB_FILEFUNC_SEEK_CUR:
        base = file->pos();
        break;
    case ZLIB_FILEFUNC_SEEK_END:
        base = file->size();
        break;
    default:
        return -1;
    }
    if (offset > ZPOS64_T(std::numeric_limits<qint64>::max() - base))
        return -1;
    return file->seek(base + qint64(offset)) ? 0 : -1;
}

// The file is closed by its owner, after unzClose.
int ZCALLBACK closeNothing(voidpf, voidpf)
{
    return 0;
}

int ZCALLBACK errorOf(voidpf, voidpf stream)
{
    return static_cast<QFile*>(stream)->error() == QFileDevice::NoError ? 0 : 1;
}

// Opens the archive at `path` for minizip through `archive`, which must stay
// open until unzClose; null when `path` names no regular file or no archive.
unzFile openRegularArchive(QFile& archive, const QString& path)
{
    if (!RegularFile::openForReading(archive, path))
        return nullptr;
    zlib_filefunc64_def reading {};
    reading.zopen64_file = openOpened;
    reading.zread_file = readOpened;
    reading.zwrite_file = writeNothing;
    reading.ztell64_file = tellOpened;
    reading.zseek64_file = seekOpened;
    reading.zclose_file = closeNothing;
    reading.zerror_file = errorOf;
    reading.opaque = &archive;
    return unzOpen2_64(QFile::encodeName(path).constData(), &reading);
}

} // namespace

bool SSZipArchive::unzipFileAtPath(const QString& path, const QString& destination, bool overwrite,
                                   const QString& password, SSZipArchiveError* error, qint64 maxUnpackedBytes,
                                   qint64 maxEntries, QStringList* unpacked)
{
    if (unpacked)
        unpacked->clear();
    QFile archive;
    unzFile zip = openRegularArchive(archive, path);
    if (!zip) {
        report(error, OpenArchiveFailed);
        return false;
    }
    const qint64 archiveSize = archive.size();
    unz_global_info64 global {};
    if (unzGetGlobalInfo64(zip, &global) != UNZ_OK || unzGoToFirstFile(zip) != UNZ_OK) {
        unzClose(zip);
        report(error, FirstEntryFailed);
        return false;
    }
    if (global.number_entry > ZPOS64_T(maxEntries)) {
        unzClose(zip);
        report(error, EntryLimitExceeded);
        return false;
    }
    QDir().mkpath(destination);
    const QByteArray rootPath = QFile::encodeName(QFileInfo(destination).absoluteFilePath());
    UniqueFd root(::open(rootPath.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    const QByteArray asciiPassword = password.toLatin1();
    Budget budget;
    budget.maxBytes = std::max<qint64>(maxUnpackedBytes, 0);
    budget.archiveSize = quint64(std::max<qint64>(archiveSize, 0));
    qint64 entries = 0;
    int code = root.valid() ? 0 : int(EntryWriteFailed);
    while (code == 0) {
        if (++entries > maxEntries) {
            code = EntryLimitExceeded;
            break;
        }
        const int opened = password.isEmpty() ? unzOpenCurrentFile(zip)
                                              : unzOpenCurrentFilePassword(zip, asciiPassword.constData());
        if (opened != UNZ_OK) {
            code = EntryOpenFailed;
            break;
        }
        unz_file_info64 info {};
        QByteArray rawName;
        if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) == UNZ_OK) {
            rawName.resize(qsizetype(info.size_filename));
            if (unzGetCurrentFileInfo64(zip, &info, rawName.data(), uLong(rawName.size()), nullptr, 0, nullptr, 0)
                != UNZ_OK)
                code = EntryOpenFailed;
        } else {
            code = EntryOpenFailed;
        }
        if (code == 0)
            code = unpackEntry(zip, info, QString::fromUtf8(rawName), root.get(), rootPath.size(), overwrite, budget,
                               unpacked);
        // A file that cannot be created is left out; its data go unread.
        if (code == Skipped)
            code = 0;
        if (unzCloseCurrentFile(zip) != UNZ_OK && code == 0)
            code = EntryDataFailed;
        if (code != 0)
            break;
        // A directory record that cannot be read would silently drop the
        // entries after it.
        const int next = unzGoToNextFile(zip);
        if (next == UNZ_END_OF_LIST_OF_FILE)
            break;
        if (next != UNZ_OK)
            code = EntryOpenFailed;
    }
    unzClose(zip);
    if (const ClosedHook hook = closedHook.load())
        hook(path);
    if (code != 0)
        report(error, code);
    return code == 0;
}

void SSZipArchive::setClosedHookForTesting(ClosedHook hook)
{
    closedHook.store(hook);
}

bool SSZipArchive::unzipFileAtPath(const QString& path, const QString& destination)
{
    return unzipFileAtPath(path, destination, true, QString(), nullptr);
}

bool SSZipArchive::createZipFileAtPath(const QString& path, const QStringList& paths)
{
    SSZipArchive archive(path);
    if (!archive.open())
        return false;
    bool success = true;
    for (const QString& each : paths) {
        QString trimmed = each;
        if (trimmed.endsWith(QLatin1Char('/')))
            trimmed.chop(1);
        const qsizetype cut = trimmed.lastIndexOf(QLatin1Char('/')) + 1;
        if (!archive.writeFile(trimmed.mid(cut), trimmed.left(cut))) {
            success = false;
            break;
        }
    }
    return archive.close() && success;
}

bool SSZipArchive::createZipFileAtPath(const QString& path, const QString& onePath)
{
    return createZipFileAtPath(path, QStringList {onePath});
}

SSZipArchive::~SSZipArchive()
{
    if (_zip)
        zipClose(_zip, nullptr);
}

bool SSZipArchive::open()
{
    if (_zip) {
        qWarning("Attempting open an archive which is already open");
        return false;
    }
    _zip = zipOpen64(QFile::encodeName(_path).constData(), APPEND_STATUS_CREATE);
    return _zip != nullptr;
}

bool SSZipArchive::writeFile(const QString& file, const QString& basePath)
{
    if (!_zip) {
        qWarning("Attempting to write to an archive which was never opened");
        return false;
    }
    QSet<QString> openFolders;
    return writeEntry(file, basePath, openFolders);
}

// `openFolders` holds the folders being packed above this one, so a
// symbolic link back to one of them ends the packing instead of looping.
bool SSZipArchive::writeEntry(const QString& file, const QString& basePath, QSet<QString>& openFolders)
{
    if (file.isEmpty())
        return false;
    const QString fullPath = joinPath(basePath, file);
    const QFileInfo info(fullPath);
    if (info.isDir()) {
        const QString canonical = info.canonicalFilePath();
        if (!info.isReadable() || openFolders.contains(canonical))
            return false;
        const QStringList entries = QDir(fullPath).entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        if (entries.isEmpty())
            return addEntry(file + QLatin1Char('/'), QDateTime(), 0) && zipCloseFileInZip(_zip) == ZIP_OK;
        openFolders.insert(canonical);
        bool success = true;
        for (const QString& entry : entries) {
            if (!writeEntry(file + QLatin1Char('/') + entry, basePath, openFolders)) {
                success = false;
                break;
            }
        }
        openFolders.remove(canonical);
        return success;
    }
    // Only regular files: a pipe or device would block or never end.
    QFile input(fullPath);
    if (!info.isFile() || !input.open(QIODevice::ReadOnly))
        return false;
    if (!addEntry(file, QDateTime(), input.size()))
        return false;
    bool success = true;
    QByteArray buffer(PackBufferSize, Qt::Uninitialized);
    for (;;) {
        const qint64 n = input.read(buffer.data(), PackBufferSize);
        if (n <= 0) {
            success = n == 0;
            break;
        }
        if (zipWriteInFileInZip(_zip, buffer.constData(), unsigned(n)) != ZIP_OK) {
            success = false;
            break;
        }
    }
    return zipCloseFileInZip(_zip) == ZIP_OK && success;
}

// Opens a new entry for writing: deflate at the default level, no comment,
// no extra fields; dated `date`, or undated when `date` is null.
bool SSZipArchive::addEntry(const QString& name, const QDateTime& date, qint64 size)
{
    zip_fileinfo info {};
    if (!date.isNull())
        zipInfo(info, date);
    const QByteArray encoded = name.toUtf8();
    const uLong flags = isAscii(encoded) ? 0 : Utf8NameFlag;
    const int zip64 = size >= qint64(0xffffffff) ? 1 : 0;
    return zipOpenNewFileInZip4_64(_zip, encoded.constData(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                                   Z_DEFAULT_COMPRESSION, 0, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY, nullptr, 0, 0, flags,
                                   zip64)
        == ZIP_OK;
}

bool SSZipArchive::writeData(const QByteArray& data, const QString& filename)
{
    if (!_zip || data.isNull())
        return false;
    if (!addEntry(filename, QDateTime::currentDateTime(), data.size()))
        return false;
    bool success = true;
    for (qsizetype at = 0; at < data.size() && success; at += PackBufferSize) {
        const qsizetype n = std::min<qsizetype>(PackBufferSize, data.size() - at);
        success = zipWriteInFileInZip(_zip, data.constData() + at, unsigned(n)) == ZIP_OK;
    }
    return zipCloseFileInZip(_zip) == ZIP_OK && success;
}

bool SSZipArchive::close()
{
    if (!_zip) {
        qWarning("Attempting to close an archive which was never opened");
        return false;
    }
    const int result = zipClose(_zip, nullptr);
    _zip = nullptr;
    return result == ZIP_OK;
}

QDateTime SSZipArchive::_dateFor1980()
{
    return QDateTime(QDate(1980, 1, 1), QTime(0, 0));
}
