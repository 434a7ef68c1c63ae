// Picture objects read their pictures only from regular files: a path that
// names a FIFO or a device would otherwise hold up the thread that draws the
// card (a FIFO waits for a writer, a device may never end).

#include "common/ObjectTestSupport.h"
#include "common/TestPictures.h"
#include "common/TimeLimit.h"
#include "model/SKTImage.h"
#include "model/SKTSignature.h"
#include "platform/Picture.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

using namespace std::chrono_literals;

namespace {

// Whether the picture read from a path is null, by each way a picture
// object reads its file.
const struct {
    const char* name;
    std::function<bool(const QString&)> noPicture;
} readers[] = {
    {"Picture::fromFile", [](const QString& path) { return Picture::fromFile(path).isNull(); }},
    {"SKTImage::setFilePath",
     [](const QString& path) {
         SKTImage image;
         image.setFilePath(path);
         return image._contents.isNull();
     }},
    {"SKTSignature drawn",
     [](const QString& path) {
         SKTSignature signature;
         signature._file_path = path;
         signature._bounds = QRectF(0, 0, 20, 20);
         QImage canvas = ObjectTestSupport::blank(40, 40);
         QPainter painter(&canvas);
         signature.drawContentsInView(painter, false);
         return signature._contents_img.isNull();
     }},
};

TEST(PictureFiles, OnlyRegularFilesAreRead)
{
    QTemporaryDir dir;
    const QString picture = dir.filePath("picture.png");
    ASSERT_TRUE(ObjectTestSupport::writePng(picture, TestPictures::solid(8, 8, qRgb(255, 0, 0)), std::nullopt));
    // The contents decide the format, not the name.
    ASSERT_TRUE(QFile::copy(picture, dir.filePath("named.jpg")));
    const QString fifo = dir.filePath("fifo.png");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(fifo, dir.filePath("link-to-fifo.png")));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.png"));

    const struct {
        const char* name;
        QString path;
        bool picture;
    } paths[] = {
        {"a picture", picture, true},
        {"a picture with another format's suffix", dir.filePath("named.jpg"), true},
        {"a FIFO", fifo, false},
        {"a link to a FIFO", dir.filePath("link-to-fifo.png"), false},
        {"a device", QStringLiteral("/dev/zero"), false},
        {"a folder", dir.filePath("folder.png"), false},
    };
    for (const auto& reader : readers) {
        for (const auto& p : paths) {
            const auto noPicture = TimeLimit::resultWithin(20s, [read = reader.noPicture, path = p.path] {
                return read(path);
            });
            ASSERT_TRUE(noPicture.has_value()) << reader.name << " hangs on " << p.name;
            EXPECT_EQ(*noPicture, !p.picture) << reader.name << " reading " << p.name;
        }
    }
}

}
