// Picture objects read their pictures only from regular files: a FIFO waits
// for a writer and a device may never end, holding up the drawing thread.

#include "common/ObjectTestSupport.h"
#include "common/TestPictures.h"
#include "common/TimeLimit.h"
#include "model/SKTImage.h"
#include "model/SKTSignature.h"

#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace std::chrono_literals;

TEST(PictureFiles, OnlyRegularFilesAreRead)
{
    // Whether a picture object got a picture from a path, by each way one reads its file.
    const std::function<bool(const QString&)> readers[] = {
        [](const QString& path) { return !Picture::fromFile(path).isNull(); },
        [](const QString& path) {
            SKTImage image;
            image.setFilePath(path);
            return !image._contents.isNull();
        },
        [](const QString& path) {
            SKTSignature signature;   // a pasted one reads its file when drawn
            signature._file_path = path;
            QImage canvas = ObjectTestSupport::blank(20, 20);
            QPainter painter(&canvas);
            signature.drawContentsInView(painter, false);
            return !signature._contents_img.isNull();
        },
    };
    QTemporaryDir dir;
    ASSERT_TRUE(ObjectTestSupport::writePng(dir.filePath("a.png"), TestPictures::solid(8, 8, 0xffff0000), {}));
    ASSERT_TRUE(QFile::copy(dir.filePath("a.png"), dir.filePath("a.jpg")));   // the contents decide the format
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("fifo.png")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(dir.filePath("fifo.png"), dir.filePath("link.png")));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.png"));
    const std::pair<QString, bool> paths[] = {
        {dir.filePath("a.png"), true}, {dir.filePath("a.jpg"), true},       {dir.filePath("fifo.png"), false},
        {dir.filePath("link.png"), false}, {"/dev/zero", false},            {dir.filePath("folder.png"), false},
    };
    for (size_t r = 0; r < std::size(readers); ++r) {
        for (const auto& [path, readable] : paths) {
            const auto read = TimeLimit::resultWithin(20s, [read = readers[r], path = path] { return read(path); });
            ASSERT_TRUE(read.has_value()) << "reader " << r << " hangs on " << path.toStdString();
            EXPECT_EQ(*read, readable) << "reader " << r << " on " << path.toStdString();
        }
    }
}
