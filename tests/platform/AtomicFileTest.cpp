// Replacing a file in one step: the new file's permissions under several
// umasks, writes refused part way, and what a PDF looks like when pieces of
// it never reached the disk.

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
        {077, AtomicFile::Access::Usual, 0600},
        {022, AtomicFile::Access::OwnerOnly, 0600},
        {000, AtomicFile::Access::OwnerOnly, 0600},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("settings.plist");
    ASSERT_TRUE(AtomicFile::save(path, "old"));
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::Permissions(0x7777)));   // not passed on
    for (const auto& c : cases) {
        const UmaskScope scope(c.umask);
        ASSERT_TRUE(AtomicFile::save(path, "new", nullptr, c.access));
        EXPECT_EQ(modeOf(path), c.expected) << std::oct << c.umask;
    }
    EXPECT_EQ(contents(path), QByteArray("new"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList {"settings.plist"});
}

// A disk that takes `limit` bytes of the new file, written in small pieces:
// short of all of them, the write fails, the old file stays and no new file
// is left beside it.
TEST(AtomicFile, WriteRefusedPartWayKeepsTheOldFile)
{
    const QByteArray text = QByteArray("line of the new file\n").repeated(500);
    QTemporaryDir dir;
    const QString path = dir.filePath("guests.txt");
    for (const qint64 limit : {qint64(0), text.size() / 2, text.size() - 1, text.size()}) {
        ASSERT_TRUE(AtomicFile::save(path, "old"));
        AtomicFile::setWriteLimitForTesting(limit);
        AtomicFile file(path);
        ASSERT_TRUE(file.open());
        for (qsizetype at = 0; at < text.size(); at += 21)
            file.write(text.mid(at, 21));
        const bool written = file.commit();
        AtomicFile::setWriteLimitForTesting(-1);
        EXPECT_EQ(written, limit == text.size()) << limit;
        EXPECT_EQ(contents(path), written ? text : QByteArray("old")) << limit;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList {"guests.txt"}) << limit;
    }
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
