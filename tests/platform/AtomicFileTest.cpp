// Replacing a file in one step: the new file's permissions under several
// umasks, writes refused part way (through the device and in one piece),
// and what a PDF looks like when pieces of it never reached the disk.

#include "platform/AtomicFile.h"
#include "platform/PdfFileCheck.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

mode_t modeOf(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class UmaskScope
{
public:
    explicit UmaskScope(mode_t mask) : m_old(::umask(mask)) {}
    ~UmaskScope() { ::umask(m_old); }

private:
    mode_t m_old;
};

TEST(AtomicFile, NewFileTakesTheUsualModeOrTheOwnersAlone)
{
    const struct {
        mode_t umask;
        AtomicFile::Access access;
        mode_t expected;
    } cases[] = {
        {022, AtomicFile::Access::Usual, 0644},
        {002, AtomicFile::Access::Usual, 0664},
        {077, AtomicFile::Access::Usual, 0600},
        {022, AtomicFile::Access::OwnerOnly, 0600},
        {000, AtomicFile::Access::OwnerOnly, 0600},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        const QString path = dir.filePath("settings.plist");
        {
            QFile old(path);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("old");
            old.setPermissions(QFileDevice::Permissions(0x7777));   // everything: the new file does not inherit it
        }
        const UmaskScope scope(c.umask);
        ASSERT_TRUE(AtomicFile::save(path, "new", nullptr, c.access));
        EXPECT_EQ(modeOf(path), c.expected) << std::oct << c.umask;
        EXPECT_EQ(contents(path), QByteArray("new"));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList {"settings.plist"});
    }
}

// A disk that takes `limit` bytes of the new file: the write fails, the old
// file stays and no new file is left beside it, whether the bytes come in
// one piece or in small writes through the device.
TEST(AtomicFile, WriteRefusedPartWayKeepsTheOldFile)
{
    const QByteArray text = QByteArray("line of the new file\n").repeated(500);
    const struct {
        const char* name;
        qint64 limit;
        bool throughDevice;
        bool written;
    } cases[] = {
        {"nothing fits", 0, false, false},
        {"half fits", text.size() / 2, false, false},
        {"half fits, small writes", text.size() / 2, true, false},
        {"one byte short", text.size() - 1, true, false},
        {"exactly fits", text.size(), true, true},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("guests.txt");
    for (const auto& c : cases) {
        {
            QFile old(path);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly | QIODevice::Truncate));
            old.write("old");
        }
        AtomicFile::setWriteLimitForTesting(c.limit);
        bool written = false;
        QString error;
        if (c.throughDevice) {
            AtomicFile file(path);
            ASSERT_TRUE(file.open()) << c.name;
            for (qsizetype at = 0; at < text.size(); at += 21)
                file.write(text.mid(at, 21));
            written = file.commit();
            error = file.errorString();
        } else {
            written = AtomicFile::save(path, text, &error);
        }
        AtomicFile::setWriteLimitForTesting(-1);
        EXPECT_EQ(written, c.written) << c.name;
        EXPECT_EQ(contents(path), c.written ? text : QByteArray("old")) << c.name;
        if (!c.written) {
            EXPECT_FALSE(error.isEmpty()) << c.name;
        }
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList {"guests.txt"}) << c.name;
    }
}

TEST(AtomicFile, DiscardedOrUnopenableLeavesTheTargetAlone)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("card.png");
    ASSERT_TRUE(AtomicFile::save(path, "old"));
    {
        AtomicFile file(path);
        ASSERT_TRUE(file.open());
        file.write("never used");
    }   // gone without commit
    {
        AtomicFile file(path);
        ASSERT_TRUE(file.open());
        file.write("thrown away");
        file.discard();
        EXPECT_FALSE(file.commit());
    }
    EXPECT_EQ(contents(path), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList {"card.png"});
    // a folder, or a folder that is not there
    QString error;
    EXPECT_FALSE(AtomicFile::save(dir.path(), "x", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(AtomicFile::save(dir.filePath("missing/card.png"), "x", &error));
}

QByteArray pdfOfPages(int pages)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    QPainter painter(&writer);
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            writer.newPage();
        painter.fillRect(QRect(100, 100, 2000, 1000), QColor::fromHsv(page * 40, 200, 200));
        painter.drawText(QPoint(200, 300), QStringLiteral("Page %1").arg(page + 1));
    }
    painter.end();
    return bytes;
}

// A PDF as Qt writes it is whole; with a piece of it lost anywhere (as when
// the disk refused a write and the writer went on) or its end cut off it is
// not.
TEST(PdfFileCheck, FindsLostPiecesAndCutEnds)
{
    const QByteArray pdf = pdfOfPages(3);
    ASSERT_TRUE(PdfFileCheck::isWhole(QByteArrayView(pdf)));
    const qsizetype table = pdf.lastIndexOf("\nxref\n") + 1;
    ASSERT_GT(table, 0);
    const struct {
        const char* name;
        QByteArray bytes;
    } broken[] = {
        {"empty", QByteArray()},
        {"not a PDF", QByteArray("hello\n%%EOF\n")},
        {"cut at the end", pdf.left(pdf.size() - 7)},
        {"cut in half", pdf.left(pdf.size() / 2)},
        {"a piece of the body lost", pdf.left(pdf.size() / 3) + pdf.mid(pdf.size() / 3 + 4096)},
        {"a few bytes lost", pdf.left(table / 2) + pdf.mid(table / 2 + 3)},
        {"a piece twice", pdf.left(table / 2) + pdf.mid(table / 2 - 100)},
        {"a piece of the table lost", pdf.left(table + 30) + pdf.mid(table + 50)},
    };
    for (const auto& c : broken)
        EXPECT_FALSE(PdfFileCheck::isWhole(QByteArrayView(c.bytes))) << c.name;

    QTemporaryDir dir;
    const QString path = dir.filePath("sheet.pdf");
    ASSERT_TRUE(AtomicFile::save(path, pdf));
    EXPECT_TRUE(PdfFileCheck::isWhole(path));
    EXPECT_FALSE(PdfFileCheck::isWhole(dir.filePath("missing.pdf")));
}

} // namespace
