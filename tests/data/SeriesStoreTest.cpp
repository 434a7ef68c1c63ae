// The series files: the three readings of a file, the listing of the data
// folder, names typed for a series, and files replaced whole.

#include "app/MessageBoxes.h"
#include "data/SeriesStore.h"
#include "data/SeriesValueList.h"
#include "platform/FolderLock.h"
#include "platform/MessagePresenter.h"
#include "platform/ScriptedMessagePresenter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Runs `write` with files limited to 64 bytes: a longer write fails half way.
void withSmallFileSizeLimit(const std::function<void()>& write)
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit limited = old;
    limited.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &limited);
    write();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, SIG_DFL);
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

}

// Every line is a record, an empty one too, wherever it stands; only the
// line ending that closes the file starts none. The manager's and the
// binding's readings hold the same records, so values stay with their cards.
TEST(SeriesStore, ThreeReadingsOfOneText)
{
    const struct
    {
        QString text;
        QStringList manager;
        QStringList binding;
        QString first;
    } rows[] = {
        {"a\n\nb\n", {"a", "", "b"}, {"a", "", "b"}, "a"},
        {"\nACME\nBeta\n", {"", "ACME", "Beta"}, {"", "ACME", "Beta"}, ""},
        {"a\nb\n\n", {"a", "b", ""}, {"a", "b", ""}, "a"},
        {"  x \ny\n", {"x", "y"}, {"  x ", "y"}, "  x "},
        {"", {}, {}, ""},
        {"\n", {""}, {""}, ""},
        {"\n\n", {"", ""}, {"", ""}, ""},
        {" \t\n", {""}, {" \t"}, " \t"},
        {"one", {"one"}, {"one"}, "one"},
        {"a\nb", {"a", "b"}, {"a", "b"}, "a"},
        {"a\n ", {"a", ""}, {"a", " "}, "a"},
        // a line ends at LF, CR LF or a lone CR
        {"a\r\n b\r\n", {"a", "b"}, {"a", " b"}, "a"},
        {"a\r\n\r\nb\r\n", {"a", "", "b"}, {"a", "", "b"}, "a"},
        {"Ann\rBob\rCid\r", {"Ann", "Bob", "Cid"}, {"Ann", "Bob", "Cid"}, "Ann"},
        {"a\n\rb\r\n", {"a", "", "b"}, {"a", "", "b"}, "a"},
        {"\r", {""}, {""}, ""},
    };
    QTemporaryDir dir;
    const SeriesStore store(dir.path(), "txt");
    for (const auto& row : rows) {
        EXPECT_EQ(SeriesStore::records(row.text), row.binding) << row.text.toStdString();
        EXPECT_EQ(SeriesStore::managerValues(row.text), row.manager) << row.text.toStdString();
        EXPECT_EQ(SeriesStore::bindingValues(row.text), row.binding) << row.text.toStdString();
        EXPECT_EQ(SeriesStore::firstValue(row.text), row.first) << row.text.toStdString();
        // every reader of a stored series, also after a byte order mark
        // (a file of a BOM alone is empty)
        for (const QByteArray& bom : {QByteArray(), QByteArray("\xEF\xBB\xBF")}) {
            writeBytes(store.filePath("s"), bom + row.text.toUtf8());
            EXPECT_EQ(store.readBindingValues("s"), row.binding) << row.text.toStdString();
            EXPECT_EQ(store.readFirstValue("s"), row.first) << row.text.toStdString();
            SeriesValueList list;
            list.load(store.filePath("s"));
            EXPECT_EQ(list.values(), row.manager) << row.text.toStdString();
        }
    }
}

// A value never holds a line break once written: the store and the
// manager's list make each value one line, and an append after a byte order
// mark alone or after lone CR line ends adds exactly its own records.
TEST(SeriesStore, EveryValueIsWrittenAsOneRecord)
{
    const struct
    {
        QByteArray old;
        QStringList values;
        QByteArray file;
        QStringList records;
    } rows[] = {
        {"", {"Bo\nLee", "a\r\nb", "c\rd", "\n", ""}, "Bo Lee\na b\nc d\n \n\n", {"Bo Lee", "a b", "c d", " ", ""}},
        {"\xEF\xBB\xBF", {"Zed"}, "Zed\n", {"Zed"}},
        {"\xEF\xBB\xBFZoe\n", {"Zed"}, "Zoe\nZed\n", {"Zoe", "Zed"}},
        {"Ann\rBob\r", {"", "Zed"}, "Ann\rBob\r\n\nZed\n", {"Ann", "Bob", "", "Zed"}},
        {"Ann\rBob", {"Zed"}, "Ann\rBob\nZed\n", {"Ann", "Bob", "Zed"}},
    };
    QTemporaryDir dir;
    const SeriesStore store(dir.path(), "txt");
    for (const auto& row : rows) {
        writeBytes(store.filePath("s"), row.old);
        ASSERT_TRUE(store.write("s", row.values, SeriesStore::WriteMode::Append)) << row.old.data();
        EXPECT_EQ(readBytes(store.filePath("s")), row.file) << row.old.data();
        EXPECT_EQ(store.readBindingValues("s"), row.records) << row.old.data();
    }

    SeriesValueList list;
    EXPECT_TRUE(list.append(" Bo\r\nLee"));
    EXPECT_FALSE(list.append("\n"));
    list.appendRecord("\r\n");
    list.appendRecord("x\ry ");
    EXPECT_TRUE(list.replace(2, "Cid\nDee"));
    EXPECT_EQ(list.values(), QStringList({"Bo Lee", "", "Cid Dee"}));
}

TEST(SeriesStore, ListingOfTheDataFolder)
{
    QTemporaryDir dir;
    for (const char* name : {"b.txt", "Apple.txt", ".hidden", "photo.png", "a.b.txt", "apple.csv", "noext"})
        writeBytes(dir.filePath(name), "v\n");
    QDir(dir.path()).mkdir("sub.txt");
    EXPECT_EQ(SeriesStore(dir.path(), "txt").names(),
              QStringList({".hidden", "a.b", "Apple", "apple", "b", "noext", "photo"}));
    EXPECT_EQ(SeriesStore(dir.filePath("none"), "txt").names(), QStringList());
}

TEST(SeriesStore, NamesWithPathCharactersAreRefused)
{
    EXPECT_EQ(SeriesStore::validSeriesName(" Guests "), "Guests");
    EXPECT_EQ(SeriesStore::validSeriesName("x.y"), "x.y");
    const QStringList refused {"a/b", "../x", "a\\b", ".", "..", "  ", "", QString("a") + QChar(0) + "b", "/", "*?"};
    for (const QString& typed : refused)
        EXPECT_EQ(SeriesStore::validSeriesName(typed), "") << typed.toStdString();

    ScriptedMessagePresenter presenter;
    MessagePresenter::install(&presenter);
    EXPECT_EQ(SeriesStore::askSeriesName("../etc"), "");
    EXPECT_EQ(SeriesStore::askSeriesName("Staff"), "Staff");
    MessagePresenter::install(nullptr);
    EXPECT_EQ(presenter.texts(), QStringList {"\nPlease enter list name."});

    QTemporaryDir dir;
    const SeriesStore store(dir.filePath("DataSet"), "txt");
    QDir(dir.path()).mkdir("DataSet");
    QString error;
    EXPECT_FALSE(store.write("../escaped", {"x"}, SeriesStore::WriteMode::Replace, &error));
    EXPECT_EQ(error, "Please enter list name.");
    EXPECT_FALSE(QFile::exists(dir.filePath("escaped.txt")));
}

TEST(SeriesStore, WrittenWholeAppendedOrNotAtAll)
{
    QTemporaryDir dir;
    const SeriesStore store(dir.path(), "txt");
    ASSERT_TRUE(store.write("s", {"a", "", "b c"}, SeriesStore::WriteMode::Replace));
    EXPECT_EQ(readBytes(store.filePath("s")), "a\n\nb c\n");
    ASSERT_TRUE(store.write("s", {"d"}, SeriesStore::WriteMode::Append));
    EXPECT_EQ(readBytes(store.filePath("s")), "a\n\nb c\nd\n");
    // a last line written without its line ending stays a record of its own
    writeBytes(store.filePath("open"), "a\n\nb");
    ASSERT_TRUE(store.write("open", {"c", ""}, SeriesStore::WriteMode::Append));
    EXPECT_EQ(readBytes(store.filePath("open")), "a\n\nb\nc\n\n");
    EXPECT_EQ(store.readBindingValues("open"), QStringList({"a", "", "b", "c", ""}));
    QFile::remove(store.filePath("open"));
    ASSERT_TRUE(store.write("new", {"é"}, SeriesStore::WriteMode::Append));
    EXPECT_EQ(readBytes(store.filePath("new")), "\xc3\xa9\n");
    ASSERT_TRUE(store.write("s", {"z"}, SeriesStore::WriteMode::Replace));
    EXPECT_EQ(readBytes(store.filePath("s")), "z\n");
    // a FIFO under a series name is no series (reading it would wait forever)
    ASSERT_EQ(mkfifo(store.filePath("pipe").toLocal8Bit().constData(), 0600), 0);
    EXPECT_FALSE(store.readBindingValues("pipe").has_value());
    EXPECT_FALSE(store.write("pipe", {"x"}, SeriesStore::WriteMode::Append));
    QFile::remove(store.filePath("pipe"));

    // A write that fails half way (here: the file size limit; root may write
    // into read-only folders) keeps the old file whole and leaves no
    // temporary file behind.
    const QStringList big(200, QStringLiteral("a long value of the series"));
    QString replaceError, appendError;
    bool replaced = true, appended = true;
    withSmallFileSizeLimit([&] {
        replaced = store.write("s", big, SeriesStore::WriteMode::Replace, &replaceError);
        appended = store.write("s", big, SeriesStore::WriteMode::Append, &appendError);
    });
    EXPECT_FALSE(replaced);
    EXPECT_FALSE(appended);
    EXPECT_FALSE(replaceError.isEmpty());
    EXPECT_EQ(readBytes(store.filePath("s")), "z\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"new.txt", "s.txt"}));
}

// Series files far beyond what a batch uses are refused before reading by
// every reader of a stored series; a small one beside them reads as before.
TEST(SeriesStore, HugeFilesAreRefusedUnread)
{
    QTemporaryDir dir;
    const SeriesStore store(dir.path(), "txt");
    const struct
    {
        const char* name;
        qint64 size; // 0: a small series
    } rows[] = {
        {"just over", SeriesStore::maxSeriesFileBytes + 1},
        {"a gigabyte", qint64(1) << 30},
        {"eight gigabytes", qint64(8) << 30},
        {"small", 0},
    };
    for (const auto& row : rows) {
        const QString path = store.filePath(row.name);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("first\nsecond\n") == 13) << row.name;
        if (row.size > 0) {
            ASSERT_TRUE(file.resize(row.size)) << row.name; // a hole, no disk used
        }
        file.close();
        const bool refused = row.size > 0;

        bool tooLarge = !refused;
        EXPECT_EQ(store.readText(row.name, &tooLarge).has_value(), !refused) << row.name;
        EXPECT_EQ(tooLarge, refused) << row.name;
        EXPECT_EQ(store.readBindingValues(row.name).has_value(), !refused) << row.name;
        EXPECT_EQ(store.readManagerValues(row.name).has_value(), !refused) << row.name;
        EXPECT_EQ(store.readFirstValue(row.name), refused ? "" : "first") << row.name;
        SeriesValueList list;
        EXPECT_EQ(list.load(path, false),
                  refused ? SeriesValueList::LoadResult::TooLarge : SeriesValueList::LoadResult::Loaded)
            << row.name;
        EXPECT_EQ(list.count(), refused ? 0 : 2) << row.name;
        QFile::remove(path);
    }
}

// Another program keeps the series folder's lock past the wait: every write,
// save and deletion says the folder is in use and changes nothing, and the
// series list never shows the lock file.
TEST(SeriesStore, AFolderLockedByAnotherIsReportedNotWaitedFor)
{
    QTemporaryDir parent;
    ASSERT_TRUE(QDir(parent.path()).mkdir("DataSet"));
    const SeriesStore store(parent.filePath("DataSet"), "txt");
    writeBytes(store.filePath("s"), "a\n");
    FolderLock::setWaitLimit(std::chrono::milliseconds(0));
    // flock keeps two opens of the lock file apart as it keeps two processes
    const FolderLock other(store.folder());
    ASSERT_TRUE(other.isLocked());
    EXPECT_EQ(store.names(), QStringList {"s"});
    const SeriesStore::Origin opened {"s", FileStamp::ofBytes("a\n"), false};
    const auto failed = SeriesStore::SaveResult::Failed;
    const QList<SeriesStore::Named> two {{"t", {"b"}}, {"s", {"b"}}};
    const struct
    {
        const char* what;
        std::function<bool(QString*)> write;
    } rows[] = {
        {"append", [&](QString* e) { return store.write("s", {"b"}, SeriesStore::WriteMode::Append, e); }},
        {"save", [&](QString* e) { return store.replaceFrom("s", {"b"}, opened, nullptr, e) != failed; }},
        {"delete", [&](QString* e) { return store.remove({"s"}, nullptr, e); }},
        {"several", [&](QString* e) { return store.writeTogether(two, nullptr, e); }},
    };
    for (const auto& row : rows) {
        QString error;
        EXPECT_FALSE(row.write(&error)) << row.what;
        EXPECT_EQ(error, SeriesStore::busyMessage) << row.what;
        EXPECT_EQ(QDir(store.folder()).entryList(QDir::Files | QDir::Hidden), QStringList {"s.txt"}) << row.what;
        EXPECT_EQ(readBytes(store.filePath("s")), "a\n") << row.what;
    }
}

// Several series written under one lock: a name or size refused writes none
// of them; a write the disk refuses (here the file size limit) ends the run,
// and the series written before it are named.
TEST(SeriesStore, SeveralSeriesWrittenTogetherOrNamedWhereTheyStop)
{
    const QStringList big(200, QStringLiteral("a long value of the series"));
    const QStringList tooLarge(8, QString(SeriesStore::maxSeriesFileBytes / 8, u'x'));
    const struct
    {
        const char* what;
        QList<SeriesStore::Named> series;
        QStringList written;
        QString error;
    } rows[] = {
        {"all written", {{"a", {"1"}}, {"s", {"2", ""}}}, {"a", "s"}, ""},
        {"a name refused", {{"a", {"1"}}, {"../b", {"2"}}}, {}, SeriesStore::enterNameMessage},
        {"one too large", {{"a", {"1"}}, {"b", tooLarge}}, {}, SeriesStore::tooLargeToWriteMessage("b")},
        {"the disk refuses the second", {{"a", {"1"}}, {"s", big}, {"c", {"3"}}}, {"a"}, "<some>"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        QTemporaryDir dir;
        const SeriesStore store(dir.path(), "txt");
        writeBytes(store.filePath("s"), "old\n");
        QStringList written;
        QString error;
        bool all = true;
        withSmallFileSizeLimit([&] { all = store.writeTogether(row.series, &written, &error); });
        EXPECT_EQ(all, row.error.isEmpty());
        EXPECT_EQ(written, row.written);
        if (row.error == "<some>")
            EXPECT_FALSE(error.isEmpty());
        else
            EXPECT_EQ(error, row.error);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).join('|'),
                  row.written.isEmpty() ? "s.txt" : "a.txt|s.txt");
        EXPECT_EQ(readBytes(store.filePath("s")), row.written.contains("s") ? "2\n\n" : "old\n");
    }
}

// A write that would leave a series larger than its readers take is refused
// with its reason and leaves the file as it was; one that reaches the limit
// exactly is written and reads back.
TEST(SeriesStore, NoWriteLeavesASeriesTooLargeToRead)
{
    QTemporaryDir dir;
    const SeriesStore store(dir.path(), "txt");
    const qint64 limit = SeriesStore::maxSeriesFileBytes;
    // eight values of an eighth of the limit: their line endings go past it
    const QStringList eighths(8, QString(limit / 8, u'x'));
    using Mode = SeriesStore::WriteMode;
    const struct
    {
        const char* what;
        qint64 oldSize;
        Mode mode;
        QStringList values;
        bool written;
    } rows[] = {
        {"append up to the limit", limit - 2, Mode::Append, {"a"}, true},
        {"append one byte past it", limit - 2, Mode::Append, {"ab"}, false},
        {"append to a file past it", limit + 1, Mode::Append, {"a"}, false},
        {"replace past it", 2, Mode::Replace, eighths, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const QString path = store.filePath("s");
        // a hole (no disk used) and a line ending
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.resize(row.oldSize - 1) && old.seek(row.oldSize - 1)
                    && old.write("\n") == 1);
        old.close();
        QString error;
        EXPECT_EQ(store.write("s", row.values, row.mode, &error), row.written);
        EXPECT_EQ(error.toStdString(),
                  row.written ? ""
                              : "The series s would be larger than 64 MiB and could not be read; nothing was written.");
        EXPECT_EQ(QFileInfo(path).size(), row.written ? limit : row.oldSize);
        EXPECT_EQ(store.readText("s").has_value(), row.oldSize <= limit);
    }
}
