#include "app/Globals.h"
#include "common/TimeLimit.h"
#include "output/Preferences.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace std::chrono_literals;

namespace {

int modeOf(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return -1;
    return int(st.st_mode & 07777);
}

void writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(data);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Runs a python snippet with the settings file as its argument; its output.
QString python(const QString& code, const QString& path)
{
    QProcess p;
    p.start("python3", {"-c", code, path});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QStringLiteral("python failed: ") + QString::fromUtf8(p.readAllStandardError());
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

class PreferencesTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString path() const { return Preferences::settingsFilePath(dir.path()); }
};

TEST_F(PreferencesTest, MissingFileGivesDefaultsAndAnEmptyPrivateFile)
{
    ASSERT_FALSE(QFile::exists(path()));
    Preferences prefs(path());
    EXPECT_EQ(prefs.send_email_SenderEmail(), QString(""));
    EXPECT_EQ(prefs.send_email_Password(), QString(""));
    EXPECT_EQ(prefs.send_email_SMTP_server(), QString(""));
    EXPECT_EQ(prefs.send_email_PORT_num(), QString(""));
    EXPECT_EQ(prefs.send_email_Recipient(), QString(""));
    EXPECT_EQ(prefs.send_email_enable_ssl(), std::nullopt);
    ASSERT_TRUE(QFile::exists(path()));
    EXPECT_EQ(QFileInfo(path()).size(), 0);
    EXPECT_EQ(modeOf(path()), 0600);

    // reading again finds no dictionary and writes no defaults
    Preferences again(path());
    EXPECT_EQ(again.send_email_enable_ssl(), std::nullopt);
    EXPECT_EQ(QFileInfo(path()).size(), 0);
}

TEST_F(PreferencesTest, RoundTripThroughTheFile)
{
    {
        Preferences prefs(path());
        prefs.setsend_email_SenderEmail("me@example.com");
        prefs.setsend_email_Password("p\u00e4ss <&> \"x\"");
        prefs.setsend_email_SMTP_server("smtp.example.com");
        prefs.setsend_email_PORT_num("587");
        prefs.setsend_email_Recipient("you@example.com");
        prefs.setsend_email_enable_ssl("N");
        ASSERT_TRUE(prefs.flush());
    }
    EXPECT_EQ(modeOf(path()), 0600);
    EXPECT_TRUE(readFile(path()).startsWith("<?xml"));

    const Preferences back(path());
    EXPECT_EQ(back.send_email_SenderEmail(), QString("me@example.com"));
    EXPECT_EQ(back.send_email_Password(), QString("p\u00e4ss <&> \"x\""));
    EXPECT_EQ(back.send_email_SMTP_server(), QString("smtp.example.com"));
    EXPECT_EQ(back.send_email_PORT_num(), QString("587"));
    EXPECT_EQ(back.send_email_Recipient(), QString("you@example.com"));
    EXPECT_EQ(back.send_email_enable_ssl(), QString("N"));

    // an independent reader sees the same dictionary
    EXPECT_EQ(python("import plistlib,sys; d=plistlib.load(open(sys.argv[1],'rb')); "
                     "print(d['SendEmailPwd'], d['SendEmailPORT'], d['SendEnableSSL'], len(d))",
                     path()),
              QString("p\u00e4ss <&> \"x\" 587 N 6"));
}

TEST_F(PreferencesTest, ReadsAFileWrittenByAnotherProgramInEitherForm)
{
    for (const char* form : {"FMT_XML", "FMT_BINARY"}) {
        const QString out = python(QStringLiteral("import plistlib,sys; plistlib.dump({'SendEmailSender':'a@b.cd',"
                                                  "'SendEnableSSL':'Y','SendEmailPORT':465}, open(sys.argv[1],'wb'),"
                                                  " fmt=plistlib.%1)")
                                       .arg(form),
                                   path());
        ASSERT_TRUE(out.isEmpty()) << out.toStdString();
        const Preferences prefs(path());
        EXPECT_EQ(prefs.send_email_SenderEmail(), QString("a@b.cd")) << form;
        EXPECT_EQ(prefs.send_email_enable_ssl(), QString("Y")) << form;
        // a number is no stored text
        EXPECT_EQ(prefs.send_email_PORT_num(), std::nullopt) << form;
        EXPECT_EQ(prefs.send_email_Password(), std::nullopt) << form;
        EXPECT_GT(QFileInfo(path()).size(), 0) << form;
    }
}

TEST_F(PreferencesTest, CorruptOrWrongFilesAreReplacedByAnEmptyOne)
{
    const QList<QByteArray> contents {
        "not a property list at all",
        "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>SendEmailSender</key>",
        "<?xml version=\"1.0\"?><plist version=\"1.0\"><array><string>x</string></array></plist>",
        QByteArray("bplist00\xff\xff", 10),
    };
    for (const QByteArray& data : contents) {
        writeFile(path(), data);
        QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
        const Preferences prefs(path());
        EXPECT_EQ(prefs.send_email_SenderEmail(), QString("")) << data.constData();
        EXPECT_EQ(prefs.send_email_enable_ssl(), std::nullopt);
        EXPECT_EQ(QFileInfo(path()).size(), 0);
        EXPECT_EQ(modeOf(path()), 0600);
    }
}

// Files that made the property-list reader abort (a NUL in a text or key)
// or overflow its stack, and a FIFO, on which reading waited for a writer:
// each gives the defaults and an empty private file in its place.
TEST_F(PreferencesTest, HostileFilesGiveTheDefaults)
{
    const int depth = 200000;
    const QByteArray deep = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>x</key>"
        + QByteArray("<array>").repeated(depth) + QByteArray("</array>").repeated(depth) + "</dict></plist>";
    const QString binary = "import plistlib,sys; plistlib.dump(%1, open(sys.argv[1],'wb'), fmt=plistlib.FMT_BINARY)";
    const struct {
        QString python;     // writes the file, or
        QByteArray bytes;   // the file's bytes; neither: a FIFO
    } cases[] = {
        {binary.arg("{'SendEmailSender':'\\u00e4\\0b'}"), {}},
        {binary.arg("{'SendEmailSender':'a@b.cd','\\u00e4\\0k':'x'}"), {}},
        {{}, deep},
        {{}, {}},
    };
    for (const auto& c : cases) {
        QFile::remove(path());
        if (!c.python.isEmpty())
            ASSERT_EQ(python(c.python, path()), QString());
        else if (!c.bytes.isEmpty())
            writeFile(path(), c.bytes);
        else
            ASSERT_EQ(::mkfifo(QFile::encodeName(path()).constData(), 0600), 0);
        const auto sender = TimeLimit::resultWithin(20s, [file = path()] {
            return Preferences(file).send_email_SenderEmail();
        });
        ASSERT_TRUE(sender.has_value()) << "reading hangs: " << c.python.toStdString();
        EXPECT_EQ(*sender, QString("")) << c.python.toStdString() << c.bytes.left(60).constData();
        EXPECT_EQ(QFileInfo(path()).size(), 0);
        EXPECT_EQ(modeOf(path()), 0600);
    }
}

// A settings file that is a symbolic link is read through the link, and
// saving the settings writes the file it names, owner-only, the link
// staying a link. Reading alone never writes through it: a file that holds
// no settings stays as it is. A link that leads nowhere is refused, with
// the reason. (Before links were followed, saving replaced the link itself
// and what it named stayed as it was.)
TEST_F(PreferencesTest, ALinkIsFollowedWhenTheSettingsAreSaved)
{
    const QByteArray settings = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>SendEmailSender</key>"
                                "<string>old@x.org</string></dict></plist>";
    const struct {
        QByteArray target;   // null: the link points nowhere
        QString sender;      // as read through the link
    } cases[] = {{settings, "old@x.org"}, {"precious words", ""}, {{}, ""}};
    for (const auto& c : cases) {
        QTemporaryDir elsewhere;
        const QString target = elsewhere.filePath("target");
        if (!c.target.isNull())
            writeFile(target, c.target);
        QFile::remove(path());
        ASSERT_TRUE(QFile::link(target, path()));

        Preferences prefs(path());
        EXPECT_EQ(prefs.send_email_SenderEmail(), c.sender);
        EXPECT_EQ(readFile(target), c.target);
        prefs.setsend_email_Password("secret");
        QString error;
        EXPECT_EQ(prefs.flush(&error), !c.target.isNull()) << error.toStdString();
        EXPECT_TRUE(QFileInfo(path()).isSymLink());
        EXPECT_EQ(QFile::exists(target), !c.target.isNull());
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
                  QStringList {"com.vesk.card.plist"});
        EXPECT_EQ(QDir(elsewhere.path()).entryList(QDir::Files | QDir::Hidden),
                  c.target.isNull() ? QStringList() : QStringList {"target"});
        if (c.target.isNull()) {
            EXPECT_TRUE(error.contains("which does not exist.")) << error.toStdString();
            continue;
        }
        EXPECT_EQ(modeOf(target), 0600);
        EXPECT_EQ(Preferences(path()).send_email_Password(), QString("secret"));
    }
}

TEST_F(PreferencesTest, FlushMakesAnOpenFilePrivate)
{
    writeFile(path(), "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>SendEmailSender</key>"
                      "<string>old@x.org</string></dict></plist>");
    ASSERT_TRUE(QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                  | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    Preferences prefs(path());
    EXPECT_EQ(prefs.send_email_SenderEmail(), QString("old@x.org"));
    prefs.setsend_email_Password("secret");
    ASSERT_TRUE(prefs.flush());
    EXPECT_EQ(modeOf(path()), 0600);
    EXPECT_EQ(Preferences(path()).send_email_Password(), QString("secret"));
    EXPECT_EQ(Preferences(path()).send_email_SenderEmail(), QString("old@x.org"));
}

// A settings file others may read, copied in or left by an older version,
// is made private as soon as it is read, and is still read in full; a link
// is read through, but what it points to keeps its mode.
TEST_F(PreferencesTest, ReadingMakesTheFilePrivate)
{
    const QByteArray settings = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>SendEmailPwd</key>"
                                "<string>secret</string></dict></plist>";
    const struct {
        int mode;
        bool link;          // the settings path is a link to a file elsewhere
        int modeAfter;
    } cases[] = {
        {0644, false, 0600}, {0640, false, 0600}, {0666, false, 0600}, {0600, false, 0600}, {0604, false, 0600},
        {0400, false, 0400}, {0444, false, 0400}, {0644, true, 0644},  {0666, true, 0666},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QStringLiteral("mode %1, link %2").arg(c.mode, 0, 8).arg(c.link).toStdString());
        QTemporaryDir elsewhere;
        const QString file = c.link ? elsewhere.filePath("shared.plist") : path();
        QFile::remove(path());
        writeFile(file, settings);
        ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), mode_t(c.mode)), 0);
        if (c.link) {
            ASSERT_TRUE(QFile::link(file, path()));
        }

        EXPECT_EQ(Preferences(path()).send_email_Password(), QString("secret"));
        EXPECT_EQ(modeOf(file), c.modeAfter);
        EXPECT_EQ(readFile(file), settings);
        EXPECT_EQ(QFileInfo(path()).isSymLink(), c.link);
    }
}

TEST_F(PreferencesTest, AFailedWriteIsReportedAndKeepsNothingHalfWritten)
{
    // a folder where the file should be: nothing can be written there
    ASSERT_TRUE(QDir(dir.path()).mkdir("com.vesk.card.plist"));
    Preferences prefs(path());
    prefs.setsend_email_SenderEmail("x@y.zz");
    EXPECT_FALSE(prefs.flush());
    EXPECT_TRUE(QFileInfo(path()).isDir());
}

TEST_F(PreferencesTest, SharedInstanceReadsTheResourceFolderAfreshEachTime)
{
    Resource_Path = dir.path();
    auto first = Preferences::sharedInstance();
    EXPECT_EQ(first->path(), dir.path() + "/com.vesk.card.plist");
    first->setsend_email_SMTP_server("mail.example.org");
    ASSERT_TRUE(first->flush());
    auto second = Preferences::sharedInstance();
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(second->send_email_SMTP_server(), QString("mail.example.org"));
}

}
